#pragma once

#include "fractions/board.h"
#include "fractions/entry.h"
#include "fractions/fraction.h"
#include "fractions/geometry.h"
#include "fractions/slot_layout.h"
#include "fractions/slot_modes.h"
#include "fractions/slot_painter.h"
#include "fractions/slot_values.h"
#include "ui/form.h"
#include "ui/platform.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace quorrel::fractions {

// Whether a slot's sliders can hold n/d: both numbers within a slider's
// reach, a denominator of at least 1 and a stick of at most max_units units.
constexpr bool slot_holds(int n, int d)
{
    return d >= 1 && n >= 0 && n <= ui::Slider::highest && d <= ui::Slider::highest &&
           std::int64_t(n) <= std::int64_t(max_units) * d;
}

// The fraction slots 0 to 10 of the main window: each a stick picture with
// two sliders and a numeral, optionally pizzas or a mixed number. Slot 0 is
// made on construction; the others by make_slot.
//
// The parts: SlotModes (how each slot shows its value), SlotLayout (its
// controls, where they are, which show) and the painters (stick, numeral,
// PizzaLayer). What stays here is the rule joining them: which values a slot
// takes, and what the learner's sliders and entry boxes may set.
class Slots final : public Board {
public:
    static constexpr int count = slot_count;

    // `pbox_text` is the message box (pizzas go right of it); `random`
    // colours the design.
    Slots(ui::Form& form, const ui::PictureBox& pbox_text, ui::Random& random);
    Slots(const Slots&) = delete;
    Slots& operator=(const Slots&) = delete;

    bool make_slot(int i) override;
    bool place_slot(int i, int left, int top) override
    {
        followers_.erase(i);
        return layout_.place_slot(i, left, top);
    }
    // Showing a slot in pizza mode draws the pizzas its hiding held back.
    bool show_slot(int i) override;
    bool hide_slot(int i) override;
    // Sliders shown by a lesson are for the learner: nothing may cover them.
    bool showslide(int i) override;
    bool hideslide(int i) override;
    void show_picture(int i, bool shown = true) override;
    void show_numeral(int i, bool shown = true) override;

    bool show_fraction(int i, int n, int d) override;
    void hold_fraction(int i, int n, int d) override;
    void lock_slot(int i, bool locked) override;
    void set_slider(int i, SlotPart slider, SliderSetting setting) override;
    // The slot's value as its sliders hold it: empty for a slot that is not
    // there (or a denominator of 0, which the sliders never take).
    std::optional<Fraction> value(int i) const override;

    // Off erases the slot's pizzas from the window.
    void set_pizza(int i, bool on) override;
    void set_mixed(int i, bool on) override;
    void set_ruler_side(int i, RulerSide side) override;
    void set_bar_color(int i, ui::Color color) override;
    bool set_unit_length(double length, std::optional<int> most_rows = std::nullopt) override
    {
        return modes_.set_unit_length(length, most_rows);
    }

    void keep_below(int follower, int leader, int gap) override;
    void design() override;

    // Told whenever a slot's pizza or mixed mode is set (the menu's check
    // marks follow it).
    std::function<void(int slot)> on_modes_changed;

    // Per-slot state; reads of a bad index give the start-up value.
    const SlotModes& modes() const { return modes_; }
    const SlotLayout& layout() const { return layout_; }
    // The slot's controls; nullptr for a slot that is not there.
    SlotControls* controls(int i) { return layout_.slot(i); }
    const SlotControls* controls(int i) const { return layout_.slot(i); }
    // The entry boxes beside the slots, by index 0 .. 10.
    EntryBoxes& entries() { return layout_.entries(); }

private:
    void keep_followers_below(int leader);

    // The learner moved a slider of slot i (an arrow, or a drag released).
    void slider_Change(int i);
    // The learner drags a slider of slot i over numerator n or denominator
    // d: the picture and numerals show it, the sliders keep their value and
    // bounds until the release.
    void slider_Drag(int i, std::optional<int> n, std::optional<int> d);
    // Whether the learner may change slot i: its sliders show and it is not
    // locked. Its boxes take typing exactly then.
    bool open_to_learner(int i) const;
    // Gives the slot's sliders and boxes the input open_to_learner allows.
    void sync_input(int i);
    // Draws n/d into the slot's picture, numerals and pizzas, leaving the
    // sliders as they are.
    void draw(int i, int n, int d);
    // The learner clicked entry box `index`: its text, when it is a numeral
    // the slot can take, is applied as though the paired slider had moved.
    void inbox_MouseDown(int index);
    // The learner clicked slot i's whole-number box: the typed whole part,
    // with the proper numerator and the denominator shown, is applied as a
    // numeral box's text is (blank reads as 0).
    void wholepart_MouseDown(int i);
    // The learner asks for n/d: shown when the stick stays within 16 units,
    // otherwise the slot snaps back to the last pair allowed.
    void propose(int i, int n, int d);
    // Applies a typed n/d as the sliders would take it; nothing (a text that
    // is no numeral), a pair the sliders cannot hold, or a slot closed to the
    // learner only rewrites the slot's own numerals.
    void take_entry(int i, std::optional<std::pair<std::int64_t, std::int64_t>> wanted);
    void paint_pizzas(int i, int n, int d);
    // Tells a screen reader what slot i's picture shows: n/d in its modes,
    // or nothing while the picture is hidden.
    void describe_picture(int i, int n, int d);
    void describe_picture(int i);
    // A pair drawn in a slot: its sliders' value, or a drag's preview.
    struct Drawn {
        int slot;
        int n;
        int d;
    };
    // Draws a slot's stick at the unit of the sticks on show; what lies
    // under its picture or follows it moves with its foot.
    void draw_stick(Drawn drawn);
    // Works out that unit again (see set_unit_length), with `drawn` in
    // place of its slot's sliders: when it changed, every slot on show is
    // drawn again at it and true is returned.
    bool refit(std::optional<Drawn> drawn = std::nullopt);
    // n/d of a slot that is there; 0/1 otherwise.
    std::pair<int, int> numerals(int i) const;

    ui::Form& form_;
    const ui::PictureBox& pbox_text_;
    // The rings' colours: how many rings fit depends on the window, and
    // that must not change the problems the lessons deal.
    ui::Random decoration_;
    SlotModes modes_;
    SlotLayout layout_;
    PizzaLayer pizzas_;
    bool setting_fraction_ = false;
    double drawn_unit_ = 0;
    struct Follow {
        int leader;
        int gap;
    };
    std::map<int, Follow> followers_;
};

// Sets slot i to `value` when its numerals fit the sliders (see show_fraction).
bool show_value(Board& board, int i, Fraction value);
// Draws slot i again from its sliders, in its modes as they are now.
void redraw(Board& board, int i);

} // namespace quorrel::fractions
