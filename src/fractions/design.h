#pragma once

#include "ui/canvas.h"
#include "ui/platform.h"

#include <vector>

namespace quorrel::fractions {

// The decorative rings on the window background, above the first slot.
struct DesignRings {
    int x;
    int y;
    std::vector<int> radii; // 1, 11, 21, ... up to the largest that fits
};

DesignRings design_rings(int inner_width, int slider_top);

// Wipes the window's drawing and draws the rings, each in a random colour;
// the canvas's pen width is left as it was.
void paint_design(ui::Canvas& window, ui::Random& random, const DesignRings& rings);

} // namespace quorrel::fractions
