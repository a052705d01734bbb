#pragma once

#include "exercises/conditions.h"
#include "exercises/restate.h"
#include "fractions/slot_values.h"
#include "fractions/slots.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "ui/waits.h"

#include <string>
#include <string_view>
#include <utility>

namespace quorrel::exercises {

// The window parts an exercise works with.
struct ExerciseScreen {
    ui::Form& form;
    ui::PictureBox& text_box;   // the message box
    ui::PictureBox& go_on;      // the "here" link that gives up an exercise
    ui::Button& stop;           // ends a drill
    const ui::MenuItem& auto_item; // "Answer auto"
};

// Asks the learner to do something with the fraction slots, waits for the
// click that says the answer is ready, checks it and either praises it or
// asks again, offering a link to give up and read on.
class ExerciseRunner {
public:
    ExerciseRunner(ExerciseScreen screen, text::Writer& writer, ui::Waits& waits, fractions::Slots& slots,
                   const fractions::SlotValues& values, ui::Dialogs& dialogs, ui::Random& random);
    ExerciseRunner(const ExerciseRunner&) = delete;
    ExerciseRunner& operator=(const ExerciseRunner&) = delete;

    void exercise(std::string_view condition, std::string_view prompt, Restate restate = Restate::prompt);
    // A drill: up to 1000 turns of `condition` on fractions dealt into `slot`
    // (numerators num_low .. num_low + num_count - 1, denominators likewise),
    // never a whole number. The question slot takes no input while a turn
    // asks. "Stop" ends the drill after the exercise it interrupted; the
    // drill then takes the button away and empties the mark.
    void quiz(int slot, std::string_view condition, std::string_view intro, std::string_view turn_prefix,
              int num_low, int num_count, int den_low, int den_count, std::string_view prompt,
              Restate restate = Restate::prompt);

    // Written just before "Please " in the next prompt, then emptied.
    std::string prompt_prefix;

    // "g" in the old marks: the learner gave up this exercise with the link.
    bool go_on_mark() const { return go_on_mark_; }
    void set_go_on_mark(bool on) { go_on_mark_ = on; }
    // "q": the learner pressed Stop; the drill in progress ends. Emptied when
    // a drill ends and whenever a lesson or page starts.
    bool quit_mark() const { return quit_mark_; }
    void set_quit_mark(bool on) { quit_mark_ = on; }

    // A lesson has ended, however: no mark, prefix, Stop button or "here"
    // link of its exercises reaches the next.
    void end_lesson();

    // The condition of the exercise now waiting for an answer (empty when
    // none is): a scripted learner reads it to know what to answer.
    const std::string& current_condition() const { return current_; }

private:
    // Puts the "here" link over the gap in the line whose top is `line_top`.
    void place_link(double line_top);
    // A fraction from the ranges that is not a whole number, if they hold one.
    std::pair<int, int> deal(int num_low, int num_count, int den_low, int den_count);

    ExerciseScreen screen_;
    text::Writer& writer_;
    ui::Waits& waits_;
    fractions::Slots& slots_;
    const fractions::SlotValues& values_;
    ui::Dialogs& dialogs_;
    ui::Random& random_;
    std::string current_;
    bool go_on_mark_ = false;
    bool quit_mark_ = false;
};

} // namespace quorrel::exercises
