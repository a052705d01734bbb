#pragma once

#include "fractions/geometry.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/platform.h"

#include <optional>
#include <vector>

namespace quorrel::fractions {

// One pizza of radius r at (x, y) on `canvas`: c/e of it shaded, e slices.
// a = b marks a whole pizza: with c = e it is a filled disc, and it gets
// spokes only when `whole_spokes`. `rim` and `spokes` are pen widths (3 and 2
// when not given). False, and nothing drawn, for a negative radius.
[[nodiscard]] bool cmult1(ui::Canvas& canvas, long long a, long long b, long long c, long long e, int x, int y,
                          long long r, std::optional<int> rim = {}, std::optional<int> spokes = {},
                          bool whole_spokes = true);

// Draws pizzas on the window's own surface, to the right of the message box.
class PizzaPen {
public:
    PizzaPen(ui::Canvas& window, const ui::PictureBox& pbox_text, ui::TextBox& tbox_message, ui::Dialogs& dialogs);

    // One pizza of radius r at (x, y): c/e of it shaded, e slices. a = b marks
    // a whole pizza: with c = e it is a filled disc, and it gets spokes only
    // when `whole_spokes`. `rim` and `spokes` are pen widths (3 and 2 when
    // not given). A negative radius is reported and nothing is drawn.
    void cmult1(long long a, long long b, long long c, long long e, int x, int y, long long r,
                std::optional<int> rim, std::optional<int> spokes, bool whole_spokes);

    // Wipes the window's drawing (other slots' pizzas too), then draws the
    // pizzas with their labels in size 10.
    void paint_row(const std::vector<Pizza>& pizzas, bool whole_spokes);

private:
    ui::Canvas& window_;
    const ui::PictureBox& pbox_text_;
    ui::TextBox& tbox_message_;
    ui::Dialogs& dialogs_;
};

} // namespace quorrel::fractions
