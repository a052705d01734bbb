#pragma once

#include "fractions/geometry.h"
#include "ui/canvas.h"

#include <optional>
#include <vector>

namespace quorrel::fractions {

// One pizza of radius r at (x, y): c/e of it shaded, e slices. a = b marks a
// whole pizza: with c = e it is a filled disc, and it gets spokes only when
// `whole_spokes`. `rim` and `spokes` are pen widths (3 and 2 when not given).
// The first outline takes the canvas's fill settings; the fill is left
// transparent. Draws nothing when b * e is 0. False, and nothing drawn, for
// a negative radius: reporting it is the caller's.
[[nodiscard]] bool cmult1(ui::Canvas& canvas, long long a, long long b, long long c, long long e, int x, int y,
                          long long r, std::optional<int> rim = {}, std::optional<int> spokes = {},
                          bool whole_spokes = true);

// The pizzas of one slot with their labels in size 10 of the canvas's font;
// the canvas's font is left as it was.
void paint_pizza_row(ui::Canvas& canvas, const std::vector<Pizza>& pizzas, bool whole_spokes);

} // namespace quorrel::fractions
