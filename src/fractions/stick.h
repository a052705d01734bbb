#pragma once

#include "fractions/geometry.h"
#include "ui/canvas.h"

#include <vector>

namespace quorrel::fractions {

// Paints the rows of a stick picture: the bar in `bar`, ticks, base lines and
// unit numbers in black, the numbers bold in the canvas's font.
void paint_stick(ui::Canvas& canvas, const std::vector<StickRow>& rows, ui::Color bar);

} // namespace quorrel::fractions
