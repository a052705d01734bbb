#pragma once

#include "exercises/restate.h"
#include "fractions/fraction.h"
#include "fractions/geometry.h"
#include "fractions/chocolate.h"
#include "ui/canvas.h"
#include "ui/color.h"

#include <QRect>

#include <optional>
#include <string_view>

namespace quorrel::ui {
class Random;
}

namespace quorrel::lessons {

// The window's single controls that a lesson may place, show or hide.
enum class Control {
    pbox_text,  // the yellow message box
    pbox_go_on, // the "here" link
    cmd_stop,
    cmd_newprob,
    cmd_checksum,
    cmd_checkproduct,
    cmd_checkquotient,
    cmd_checkreduced,
    tbox_message, // the practice feedback box
};

// The parts of a fraction slot a lesson addresses one by one.
enum class SlotPart { slider_fracnum, slider_fracden, pbox_fracbar };

// Everything a lesson script (and a scene, which is a lesson written as
// data) does to the screen: what it says, what it shows, what it asks.
// The shell implements it; scripts never see the window's parts.
class Stage {
public:
    virtual ~Stage() = default;

    // --- The course -----------------------------------------------------
    // Names the running lesson (pages, titles and paging read it).
    virtual void set_current_lesson(std::string_view code) = 0;
    // The page a script of `page_count` pages starts at: the page the
    // learner asked for when it is 2 .. page_count, otherwise 1.
    virtual int start_page(int page_count) const = 0;
    // Starts page k: empties the message box, shows title and page number.
    virtual void page(int k) = 0;
    // The hand-over at a lesson's end: asks for a click, then runs `code`.
    virtual void new_Lesson(std::string_view code) = 0;
    // The empty lesson screen every lesson starts from.
    virtual void reset_screen() = 0;
    virtual void hide_controls() = 0;

    // --- Text -----------------------------------------------------------
    // A bulleted line, then a click or a pause.
    virtual void write_line(std::string_view text) = 0;
    // The newest line, without bullet or pause.
    virtual void write_text(std::string_view text) = 0;
    // Marked-up text at the message box's pen: no history, no pause.
    virtual void draw(std::string_view text) = 0;
    virtual void clear_scene(std::string_view title) = 0;
    virtual void lesson_title(std::string_view code) = 0;
    // Empties the message box and the page's history.
    virtual void clear_text() = 0;
    // Plain text at the message box's pen in `font` (the welcome screen).
    virtual void print_text(std::string_view text, const ui::Font& font) = 0;
    virtual void new_text_line() = 0;
    // Moves the message box's pen to the box's left margin on its line.
    virtual void to_left_margin() = 0;
    // Marked-up text as `draw` writes it, with the box's left margin before
    // every line, as wrapped lesson text has.
    virtual void draw_at_margin(std::string_view text) = 0;
    virtual void set_text_font(const ui::Font& font) = 0;
    virtual void set_text_color(ui::Color color) = 0;

    // --- Waiting --------------------------------------------------------
    virtual void wait() = 0;
    virtual void delay(double seconds) = 0;
    // A "go on" click, as though the learner clicked the message box: the
    // next wait returns at once.
    virtual void click() = 0;
    // A modal message with an OK button.
    virtual void message_box(std::string_view text) = 0;

    // --- Fraction slots -------------------------------------------------
    virtual void make_slot(int i) = 0;
    // The picture goes to (left, top + 30), sliders and numeral above it.
    virtual void place_slot(int i, int left, int top) = 0;
    virtual void show_slot(int i) = 0;
    virtual void hide_slot(int i) = 0;
    virtual void showslide(int i) = 0;
    virtual void hideslide(int i) = 0;
    // Sets slot i to n/d and redraws it; false (nothing changed) for a value
    // the sliders cannot hold.
    virtual bool show_fraction(int i, int n, int d) = 0;
    // The slot's value as its sliders hold it; empty for a missing slot or a
    // zero denominator.
    virtual std::optional<fractions::Fraction> value(int i) const = 0;
    // Keeps n/d in a slot that is never shown (the dealt problem of a drill).
    virtual void hold_fraction(int i, int n, int d) = 0;
    // The picture alone: no sliders, no numeral.
    virtual void show_picture(int i) = 0;
    // The numeral (boxes and bar) without the sliders.
    virtual void show_numeral(int i) = 0;
    virtual void hide_numeral(int i) = 0;
    virtual void set_pizza(int i, bool on) = 0;
    virtual void set_mixed(int i, bool on) = 0;
    virtual void set_ruler_side(int i, fractions::RulerSide side) = 0;
    virtual void set_bar_color(int i, ui::Color color) = 0;
    virtual void set_unit_length(double length) = 0;
    virtual void set_slider_range(int i, SlotPart slider, int min, int max) = 0;
    virtual void set_slider_value(int i, SlotPart slider, int value) = 0;
    virtual void set_slider_max(int i, SlotPart slider, int max) = 0;
    // Where a part of a slot is, in window pixels (empty rect when missing).
    virtual QRect rect(int i, SlotPart part) const = 0;
    virtual void move_part(int i, SlotPart part, const QRect& to) = 0;
    // Slot `follower`'s picture stays `gap` pixels below slot `leader`'s,
    // however many rows the leader's stick wraps onto.
    virtual void keep_below(int follower, int leader, int gap) = 0;
    virtual void stop_following(int follower) = 0;
    // While locked, the learner's sliders and numerals of slot i take no
    // input (a drill's question).
    virtual void lock_slot(int i, bool locked) = 0;
    // The rings of the empty screen; wipes the window's own drawing first.
    virtual void design() = 0;
    // Wipes the window's own drawing (pizzas, rings, demonstrations).
    virtual void clear_drawing() = 0;
    // Draws chocolate bars in slot i's picture box.
    virtual void show_chocolate(int i, fractions::Chocolate kind) = 0;

    // --- The window's own surface and single controls ---------------------
    virtual ui::Canvas& window_canvas() = 0;
    virtual QRect rect(Control control) const = 0;
    virtual void place(Control control, const QRect& to) = 0;
    virtual void show(Control control) = 0;
    virtual void hide(Control control) = 0;

    // --- The pointer arrow ---------------------------------------------
    virtual void move_arrow(double x, double y) = 0;
    virtual void turn_arrow(double angle) = 0;
    virtual void show_arrow() = 0;

    // --- Exercises ------------------------------------------------------
    virtual void exercise(std::string_view condition, std::string_view prompt,
                          exercises::Restate restate = exercises::Restate::prompt) = 0;
    virtual void quiz(int slot, std::string_view condition, std::string_view intro, std::string_view turn_prefix,
                      int num_low, int num_count, int den_low, int den_count, std::string_view prompt,
                      exercises::Restate restate = exercises::Restate::prompt) = 0;
    // Written just before "Please " in the next prompt, then emptied.
    virtual void set_prompt_prefix(std::string_view text) = 0;
    virtual std::string_view prompt_prefix() const = 0;
    // "Stop" was pressed during the drill in progress.
    virtual bool quit_marked() const = 0;
    virtual void clear_quit_mark() = 0;
    // The program's one random generator, seeded once.
    virtual ui::Random& random() = 0;
};

} // namespace quorrel::lessons
