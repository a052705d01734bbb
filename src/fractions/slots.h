#pragma once

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
// made on construction; the others by make_slot. Every operation refuses a
// slot index outside 0..10 or a slot not yet made (false, or nothing done).
//
// The parts: SlotModes (how each slot shows its value), SlotLayout (its
// controls, where they are, which show) and the painters (stick, numeral,
// PizzaLayer). What stays here is the rule joining them: which values a slot
// takes, and what the learner's sliders and entry boxes may set.
class Slots final : public SlotValues {
public:
    static constexpr int count = slot_count;

    // `pbox_text` is the message box (pizzas go right of it); `random`
    // colours the design.
    Slots(ui::Form& form, const ui::PictureBox& pbox_text, ui::Dialogs& dialogs, ui::Random& random);
    Slots(const Slots&) = delete;
    Slots& operator=(const Slots&) = delete;

    // Start-up values of every slot's state: modes off, numbers above the
    // stick, the fraction blue, last accepted pair 1/1.
    void init_tables() { modes_.init_tables(); }

    bool make_slot(int i);
    // Placing a slot ends any following (keep_below) it did.
    bool place_slot(int i, int left, int top)
    {
        followers_.erase(i);
        return layout_.place_slot(i, left, top);
    }
    // Showing a slot in pizza mode draws the pizzas its hiding held back.
    bool show_slot(int i);
    bool hide_slot(int i);
    bool showslide(int i) { return layout_.set_sliders_visible(i, true); }
    bool hideslide(int i) { return layout_.set_sliders_visible(i, false); }

    // Sets the slot to n/d and redraws it. Refused (false, slot unchanged)
    // unless 0 <= n <= 32767, 1 <= d <= 32767 and n/d <= 16.
    bool show_fraction(int i, int n, int d);
    bool show_fraction(int i, Fraction value);
    // Keeps n/d in the sliders without drawing (a dealt problem that is never
    // shown); the sliders' reach becomes the pair itself.
    void hold_fraction(int i, int n, int d);
    // While locked, the learner's sliders and numerals leave the slot as it is.
    void lock_slot(int i, bool locked);
    // The slot's value as its sliders hold it: empty for a slot that is not
    // there (or a denominator of 0, which the sliders never take).
    std::optional<Fraction> value(int i) const override;
    // The numerals alone; 0/1 for a slot that is not there.
    int num(int i) const;
    int den(int i) const;

    // Flip a mode and redraw the slot from its sliders. The menu's check mark
    // is the caller's.
    void toggle_circle(int i);
    void toggle_mixed(int i);

    // Wipes the window's drawing and draws rings above the sliders on show.
    void design();

    bool input_setup(int index, double size) { return layout_.entries().input_setup(index, size); }
    // The learner clicked entry box `index`: its text, when it is a numeral
    // the slot can take, is applied as though the paired slider had moved.
    void inbox_MouseDown(int index);
    // The learner clicked slot i's whole-number box: the typed whole part,
    // with the proper numerator and the denominator shown, is applied as a
    // numeral box's text is (blank reads as 0).
    void wholepart_MouseDown(int i);
    void Form_MouseMove() { layout_.entries().Form_MouseMove(); }

    // nullptr for a slot that is not there.
    ui::Slider* slider_fracnum(int i);
    ui::Slider* slider_fracden(int i);
    ui::PictureBox* pbox_fracbar(int i);
    ui::LineControl* fracline(int i);
    ui::TextBox* wholepart(int i);
    const ui::Slider* slider_fracnum(int i) const;
    const ui::Slider* slider_fracden(int i) const;
    const ui::PictureBox* pbox_fracbar(int i) const;
    ui::TextBox* inbox(int index) { return layout_.entries().inbox(index); }
    const ui::TextBox* inbox(int index) const { return layout_.entries().inbox(index); }

    // Per-slot state; reads of a bad index give the start-up value, writes
    // to it are ignored.
    bool circle_mode(int i) const { return modes_.state(i).circle_mode; }
    // Off erases the slot's pizzas from the window.
    void set_circle_mode(int i, bool on);
    bool mixed_mode(int i) const { return modes_.state(i).mixed_mode; }
    void set_mixed_mode(int i, bool on);
    RulerSide ruler_side(int i) const { return modes_.state(i).ruler_side; }
    void set_ruler_side(int i, RulerSide side);
    ui::Color bar_color(int i) const { return modes_.state(i).bar_color; }
    void set_bar_color(int i, ui::Color color);
    int last_num(int i) const { return modes_.state(i).last_num; }
    int last_den(int i) const { return modes_.state(i).last_den; }

    double unit_length() const { return modes_.unit_length(); }
    bool set_unit_length(double length) { return modes_.set_unit_length(length); }
    // True only while show_fraction writes the sliders.
    bool setting_fraction() const { return setting_fraction_; }

    const SlotModes& modes() const { return modes_; }
    const SlotLayout& layout() const { return layout_; }

    // Slot `follower`'s picture stays `gap` pixels below slot `leader`'s,
    // however many rows the leader's stick takes.
    void keep_below(int follower, int leader, int gap);
    void stop_following(int follower);

private:
    void keep_followers_below(int leader);

    // The learner moved a slider of slot i (an arrow, or a drag released).
    void slider_fracnum_Change(int i);
    void slider_fracden_Change(int i);
    void slider_Change(int i);
    // The learner asks for n/d: shown when the stick stays within 16 units,
    // otherwise the slot snaps back to the last pair allowed.
    void propose(int i, int n, int d);
    // Applies a typed n/d as the sliders would take it; nothing (a text that
    // is no numeral), a pair out of the sliders' reach, or a locked slot only
    // rewrites the slot's own numerals.
    void take_entry(int i, std::optional<std::pair<std::int64_t, std::int64_t>> wanted);
    void paint_pizzas(int i, int n, int d);

    ui::Form& form_;
    const ui::PictureBox& pbox_text_;
    ui::Dialogs& dialogs_;
    // The rings' colours: how many rings fit depends on the window, and
    // that must not change the problems the lessons deal.
    ui::Random decoration_;
    SlotModes modes_;
    SlotLayout layout_;
    PizzaLayer pizzas_;
    bool setting_fraction_ = false;
    struct Follow {
        int leader;
        int gap;
    };
    std::map<int, Follow> followers_;
};

} // namespace quorrel::fractions
