#pragma once

#include "demos/multiplication.h"
#include "exercises/asking.h"
#include "fractions/board.h"
#include "fractions/chocolate.h"
#include "text/narration.h"

#include <QRect>
#include <QSize>

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

// The window around the fractions: its single controls, where a slot's parts
// sit, the pointer arrow, and what is drawn on the window itself.
class Screen {
public:
    virtual ~Screen() = default;

    // The empty lesson screen every lesson starts from.
    virtual void reset_screen() = 0;
    // The window's inside, where lessons place what they show.
    virtual QSize size() const = 0;
    // Hides every control but the page strip, then shows the title bar.
    virtual void hide_controls() = 0;
    virtual QRect rect(Control control) const = 0;
    virtual void place(Control control, const QRect& to) = 0;
    // Shown in front of everything else.
    virtual void show(Control control) = 0;
    virtual void hide(Control control) = 0;

    // Where a part of a slot is, in window pixels (an empty rect when the
    // slot is missing).
    virtual QRect rect(int slot, fractions::SlotPart part) const = 0;
    virtual void move_part(int slot, fractions::SlotPart part, const QRect& to) = 0;
    // Chocolate bars in slot's picture box, which takes their size.
    virtual void show_chocolate(int slot, fractions::Chocolate kind) = 0;

    // The pointer arrow keeps its shape as it moves and turns.
    virtual void move_arrow(double x, double y) = 0;
    virtual void turn_arrow(double angle) = 0;
    virtual void show_arrow() = 0;

    // Wipes the window's own drawing (pizzas, rings, demonstrations).
    virtual void clear_drawing() = 0;
    // Why a/b * c/d = (a*c)/(b*d): three circles beside the message box,
    // explained by `narrator` sentence by sentence.
    virtual void demonstrate_product(long long a, long long b, long long c, long long d,
                                     demos::Narrator& narrator) = 0;
};

// Where the running lesson is in the course.
class Pages {
public:
    virtual ~Pages() = default;

    // The page the lesson starts at: the one the learner asked for when the
    // lesson has it, otherwise its first.
    virtual int first_page() const = 0;
    // Starts page k: empties the message box, shows title and page number.
    virtual void page(int k) = 0;
    // The lesson's last page is done: asks for a click, then the course's
    // next lesson follows (none after the last).
    virtual void hand_over() = 0;
};

// What a lesson works with, one part for each role; scripts and scenes never
// see the window's parts.
struct Stage {
    text::Narration& say;
    fractions::Board& board;
    Screen& screen;
    exercises::Asking& ask;
    Pages& pages;
    ui::Random& random;
};

// A lesson script: each role under its own name, so a script reads as what
// it does ("say.write_line", "board.show_fraction").
class Script : protected Stage {
protected:
    explicit Script(const Stage& stage) : Stage(stage) {}
};

} // namespace quorrel::lessons
