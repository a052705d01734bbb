#pragma once

#include "fractions/geometry.h"
#include "fractions/slot_values.h"
#include "ui/color.h"

#include <optional>

namespace quorrel::fractions {

// The parts of a fraction slot a lesson addresses one by one.
enum class SlotPart { slider_fracnum, slider_fracden, pbox_fracbar };

// What to change of a slider: any of its bounds and its value.
struct SliderSetting {
    std::optional<int> min = std::nullopt;
    std::optional<int> max = std::nullopt;
    std::optional<int> value = std::nullopt;
};

// The fraction board as a lesson sets it: slots 0 to 10, each a picture of
// its value with sliders and a numeral, in the picture modes chosen for it.
// Every verb refuses a slot index outside 0..10 or a slot not yet made
// (false, or nothing done).
class Board : public SlotValues {
public:
    // Makes the slot's controls on first use and sets them up afresh.
    virtual bool make_slot(int i) = 0;
    // The picture goes to (left, top + 30), sliders and numeral above it;
    // ends any following (keep_below) the slot did.
    virtual bool place_slot(int i, int left, int top) = 0;
    virtual bool show_slot(int i) = 0;
    virtual bool hide_slot(int i) = 0;
    // Hidden sliders freeze the slot: its numerals take no typing either.
    virtual bool showslide(int i) = 0;
    virtual bool hideslide(int i) = 0;
    // The picture alone, and the numeral (boxes and bar) alone.
    virtual void show_picture(int i, bool shown = true) = 0;
    virtual void show_numeral(int i, bool shown = true) = 0;

    // Sets the slot to n/d and redraws it. Refused (false, slot unchanged)
    // unless 0 <= n <= 32767, 1 <= d <= 32767 and n/d <= 16.
    virtual bool show_fraction(int i, int n, int d) = 0;
    // Keeps n/d in the sliders without drawing (a dealt problem that is never
    // shown); the sliders' reach becomes the pair itself.
    virtual void hold_fraction(int i, int n, int d) = 0;
    // While locked, the learner's sliders (shown greyed) and numerals leave
    // the slot as it is.
    virtual void lock_slot(int i, bool locked) = 0;
    virtual void set_slider(int i, SlotPart slider, SliderSetting setting) = 0;

    // How the slot draws its value from the next show_fraction on.
    virtual void set_pizza(int i, bool on) = 0;
    virtual void set_mixed(int i, bool on) = 0;
    virtual void set_ruler_side(int i, RulerSide side) = 0;
    virtual void set_bar_color(int i, ui::Color color) = 0;
    // Sticks are drawn `length` pixels to the unit. Given `most_rows`, the
    // screen has room for no more rows a stick: while a stick on show would
    // take more, every stick is drawn at half the unit (again, if need be),
    // so that they stay alike. False, and nothing changed, for a length that
    // is not positive or a limit under 1.
    virtual bool set_unit_length(double length, std::optional<int> most_rows = std::nullopt) = 0;

    // Slot `follower`'s picture stays `gap` pixels below slot `leader`'s,
    // however many rows the leader's stick wraps onto.
    virtual void keep_below(int follower, int leader, int gap) = 0;
    // Wipes the window's drawing and draws rings above the sliders on show.
    virtual void design() = 0;
};

} // namespace quorrel::fractions
