#pragma once

#include "fractions/entry.h"
#include "fractions/geometry.h"
#include "fractions/pizza.h"
#include "ui/form.h"
#include "ui/platform.h"

#include <array>
#include <optional>
#include <utility>

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

struct SlotState {
    bool circle_mode = false; // pizzas as well as the stick
    bool mixed_mode = false;  // numeral as a mixed number
    RulerSide ruler_side = RulerSide::above;
    ui::Color bar_color = ui::colors::fraction_blue;
    // The last pair the learner's input was allowed to set; too long a stick
    // snaps back to it.
    int last_num = 1;
    int last_den = 1;
    // While set, the learner's input cannot change the slot (a drill's
    // question): the pair it keeps.
    std::optional<std::pair<int, int>> locked;
};

// The fraction slots 0 to 10 of the main window: each a stick picture with
// two sliders and a numeral, optionally pizzas or a mixed number. Slot 0 is
// made on construction; the others by make_slot. Every operation refuses a
// slot index outside 0..10 or a slot not yet made (false, or nothing done).
class Slots {
public:
    static constexpr int count = 11;

    // `pbox_text` is the message box (pizzas go right of it, cmult1 reports
    // its drawing colour into `tbox_message`); `random` colours the design.
    Slots(ui::Form& form, const ui::PictureBox& pbox_text, ui::TextBox& tbox_message, ui::Dialogs& dialogs,
          ui::Random& random);
    Slots(const Slots&) = delete;
    Slots& operator=(const Slots&) = delete;

    // Start-up values of every slot's state: modes off, numbers above the
    // stick, the fraction blue, last accepted pair 1/1.
    void init_tables();

    bool make_slot(int i);
    // The picture goes to (left, top + 30), sliders and numeral above it.
    bool place_slot(int i, int left, int top);
    bool show_slot(int i);
    bool hide_slot(int i);
    bool showslide(int i);
    bool hideslide(int i);

    // Sets the slot to n/d and redraws it. Refused (false, slot unchanged)
    // unless 0 <= n <= 32767, 1 <= d <= 32767 and n/d <= 16.
    bool show_fraction(int i, int n, int d);
    // Keeps n/d in the sliders without drawing (a dealt problem that is never
    // shown); the sliders' reach becomes the pair itself.
    void hold_fraction(int i, int n, int d);
    // While locked, the learner's sliders and numerals leave the slot as it is.
    void lock_slot(int i, bool locked);
    // The slot's value as its sliders hold it; 0/1 for a slot that is not there.
    int num(int i) const;
    int den(int i) const;

    // Flip a mode and redraw the slot from its sliders. The menu's check mark
    // is the caller's.
    void toggle_circle(int i);
    void toggle_mixed(int i);

    // One pizza on the window (see PizzaPen::cmult1); whole pizzas lose their
    // spokes while slot 0 is in mixed mode.
    void cmult1(long long a, long long b, long long c, long long e, int x, int y, long long r,
                std::optional<int> pen1 = {}, std::optional<int> pen2 = {});
    // Wipes the window's drawing and draws rings above slot 0.
    void design();

    bool input_setup(int index, double size) { return entries_.input_setup(index, size); }
    // The learner clicked entry box `index`: its text, when it is a numeral
    // the slot can take, is applied as though the paired slider had moved.
    void inbox_MouseDown(int index);
    void Form_MouseMove() { entries_.Form_MouseMove(); }

    // nullptr for a slot that is not there.
    ui::Slider* slider_fracnum(int i);
    ui::Slider* slider_fracden(int i);
    ui::PictureBox* pbox_fracbar(int i);
    ui::LineControl* fracline(int i);
    ui::TextBox* wholepart(int i);
    const ui::Slider* slider_fracnum(int i) const;
    const ui::Slider* slider_fracden(int i) const;
    const ui::PictureBox* pbox_fracbar(int i) const;
    ui::TextBox* inbox(int index) { return entries_.inbox(index); }
    const ui::TextBox* inbox(int index) const { return entries_.inbox(index); }

    // Per-slot state; reads of a bad index give the start-up value, writes
    // to it are ignored.
    bool circle_mode(int i) const { return state(i).circle_mode; }
    void set_circle_mode(int i, bool on);
    bool mixed_mode(int i) const { return state(i).mixed_mode; }
    void set_mixed_mode(int i, bool on);
    RulerSide ruler_side(int i) const { return state(i).ruler_side; }
    void set_ruler_side(int i, RulerSide side);
    ui::Color bar_color(int i) const { return state(i).bar_color; }
    void set_bar_color(int i, ui::Color color);
    int last_num(int i) const { return state(i).last_num; }
    int last_den(int i) const { return state(i).last_den; }

    double unit_length() const { return unit_length_; }
    bool set_unit_length(double length); // false for a length that is not positive
    // True only while show_fraction writes the sliders.
    bool setting_fraction() const { return setting_fraction_; }

private:
    SlotControls* slot(int i);
    const SlotControls* slot(int i) const;
    const SlotState& state(int i) const;
    SlotState* mutable_state(int i);

    bool set_sliders_visible(int i, bool visible);
    void slider_moved(int i);
    // The learner asks for n/d: shown when the stick stays within 16 units,
    // otherwise the slot snaps back to the last pair allowed.
    void propose(int i, int n, int d);
    void place_numeral(SlotControls& s, const SlotState& state, int n, int d);
    double show_whole_part(SlotControls& s, int n, int d);

    ui::Form& form_;
    const ui::PictureBox& pbox_text_;
    ui::Random& random_;
    EntryBoxes entries_;
    PizzaPen pizza_pen_;
    std::array<std::optional<SlotControls>, count> slots_;
    std::array<SlotState, count> states_{};
    double unit_length_ = 120;
    bool setting_fraction_ = false;
};

} // namespace quorrel::fractions
