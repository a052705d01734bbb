#pragma once

#include "fractions/geometry.h"
#include "fractions/slot_layout.h"
#include "fractions/slot_modes.h"
#include "ui/canvas.h"

#include <optional>
#include <vector>

namespace quorrel::fractions {

// Sizes the slot's picture box for the stick of n/d (rows of `row_width`),
// then draws the stick into it.
void draw_stick_picture(SlotControls& s, const SlotState& state, int n, int d, double unit_length, double row_width);

// Puts the numeral beside the sliders: n/d, or in mixed mode the whole part
// in its own box in front of the proper fraction. `window` only lends its
// font's metrics and is left with the font it had. Of a slot that is not
// `shown` nothing is made visible.
void place_numeral(SlotControls& s, const SlotState& state, int n, int d, ui::Canvas& window, bool shown);

// The pizzas on the window's own surface, one slot's row at a time: a new
// row wipes the window's drawing first (the design and the other slots'
// pizzas too), and erasing a slot's row wipes it only while that row is the
// one drawn.
class PizzaLayer {
public:
    explicit PizzaLayer(ui::Canvas& window) : window_(window) {}

    void paint(int slot, const std::vector<Pizza>& pizzas, bool whole_spokes);
    void erase(int slot);
    // Something else wiped or drew over the window: no row is drawn now.
    void forget() { owner_.reset(); }
    std::optional<int> owner() const { return owner_; }

private:
    ui::Canvas& window_;
    std::optional<int> owner_;
};

} // namespace quorrel::fractions
