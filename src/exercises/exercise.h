#pragma once

#include "exercises/asking.h"
#include "exercises/conditions.h"
#include "exercises/restate.h"
#include "fractions/board.h"
#include "progress/events.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "ui/waits.h"

#include <optional>
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
class ExerciseRunner final : public Asking {
public:
    ExerciseRunner(ExerciseScreen screen, text::Writer& writer, ui::Waits& waits, fractions::Board& board,
                   ui::Dialogs& dialogs, ui::Random& random);
    ExerciseRunner(const ExerciseRunner&) = delete;
    ExerciseRunner& operator=(const ExerciseRunner&) = delete;

    void exercise(const Condition& condition, std::string_view prompt, Restate restate = Restate::prompt) override;
    // The question slot takes no input while a turn asks.
    void quiz(const Drill& drill) override;
    void set_prompt_prefix(std::string_view text) override { prompt_prefix_ = text; }
    std::string_view prompt_prefix() const override { return prompt_prefix_; }
    bool quit_marked() const override { return quit_mark_; }
    void clear_quit_mark() override { quit_mark_ = false; }

    // Where each exercise, checked answer and ending is reported.
    void set_recorder(progress::Recorder& recorder) { recorder_ = &recorder; }

    // The learner's "Stop": the drill in progress ends.
    void stop() { quit_mark_ = true; }
    // The learner's "here": this exercise is given up.
    void give_up() { go_on_mark_ = true; }
    // A lesson has ended, however: no mark, prefix, Stop button or "here"
    // link of its exercises reaches the next.
    void end_lesson();

    // The condition of the exercise now waiting for an answer (none when no
    // exercise waits): a scripted learner reads it to know what to answer.
    const Condition* current_condition() const { return current_ ? &*current_ : nullptr; }

private:
    // Checks the answer, and reports the check unless the learner has just
    // given up or stopped.
    bool check(const Condition& condition, const ConditionEffects& effects);
    // Asks until right, stopped or given up, then praises and restates
    // `restated`; how it ended.
    progress::Outcome ask(const Condition& condition, const std::string& restated, double y);
    // Flashes "Please try again" on the line at `y`, then offers the link.
    void try_again_at(double y);
    // "Good!", then the page's history again, ending with `restated` (when
    // not empty).
    void praise(std::string_view restated);
    // Puts the "here" link over the gap in the line whose top is `line_top`.
    void place_link(double line_top);
    // A fraction from the spans that is not a whole number, if they hold one.
    std::pair<int, int> deal(Span numerators, Span denominators);

    ExerciseScreen screen_;
    text::Writer& writer_;
    ui::Waits& waits_;
    fractions::Board& board_;
    ui::Dialogs& dialogs_;
    ui::Random& random_;
    std::optional<Condition> current_;
    std::string prompt_prefix_;
    std::string dealt_; // the drill turn's fraction, for the record
    progress::NullRecorder no_recorder_;
    progress::Recorder* recorder_ = &no_recorder_;
    bool go_on_mark_ = false;
    bool quit_mark_ = false;
};

} // namespace quorrel::exercises
