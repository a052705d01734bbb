#pragma once

#include "fractions/entry.h"
#include "fractions/slot_modes.h"
#include "ui/form.h"

#include <array>
#include <optional>

namespace quorrel::fractions {

// The controls of one slot. They belong to the form; a slot only names them.
struct SlotControls {
    ui::Slider& slider_fracnum;
    ui::Slider& slider_fracden;
    ui::PictureBox& pbox_fracbar;
    ui::LineControl& fracline;
    ui::TextBox& wholepart;
    ui::TextBox* num_box; // inbox(2i), inbox(2i + 1): the boxes run out at
    ui::TextBox* den_box; // inbox(10), so later slots lack one or both
};

// Where the slots' controls are and which of them show. Every operation
// refuses a slot index outside 0..10 or a slot not yet made (false, nullptr
// or nothing done).
class SlotLayout {
public:
    explicit SlotLayout(ui::Form& form);
    SlotLayout(const SlotLayout&) = delete;
    SlotLayout& operator=(const SlotLayout&) = delete;

    // Makes the slot's controls on first use (true when it did) and sets
    // them up for a fresh picture.
    bool create(int i);
    void reset(int i);
    // The picture goes to (left, top + 30), sliders and numeral above it.
    bool place_slot(int i, int left, int top);
    // `mixed` shows the whole-number box too.
    bool show_slot(int i, bool mixed);
    bool hide_slot(int i);
    bool set_sliders_visible(int i, bool visible);
    // Moves every part of the slot dy pixels down (up when negative).
    bool shift(int i, int dy);
    // Moves dy down the parts other than the picture whose top is at or
    // below y.
    void shift_below(int i, int y, int dy);
    // Between hide_slot and the next show_slot or make_slot a slot is hidden:
    // its picture modes draw nothing outside its own controls.
    bool shown(int i) const;

    SlotControls* slot(int i);
    const SlotControls* slot(int i) const;
    EntryBoxes& entries() { return entries_; }
    const EntryBoxes& entries() const { return entries_; }

private:
    ui::Form& form_;
    EntryBoxes entries_;
    std::array<std::optional<SlotControls>, slot_count> slots_;
    std::array<bool, slot_count> shown_{};
};

} // namespace quorrel::fractions
