#include "exercises/exercise.h"

#include <cmath>

namespace quorrel::exercises {

namespace {

constexpr std::string_view try_again = "      Please try again ";
constexpr std::string_view try_again_or = "      Please try again or click           to continue reading.";
// The link sits in the run of blanks after "click".
constexpr std::string_view before_gap = "      Please try again or click ";
constexpr std::string_view through_gap = "      Please try again or click           ";

ui::Color flashed(ui::Color color) { return color == ui::colors::blue ? ui::colors::green : ui::colors::blue; }

// Notes the condition being asked, for as long as the exercise runs.
class Asked {
public:
    Asked(std::optional<Condition>& current, const Condition& condition) : current_(current), saved_(current)
    {
        current_ = condition;
    }
    ~Asked() { current_ = saved_; }
    Asked(const Asked&) = delete;
    Asked& operator=(const Asked&) = delete;

private:
    std::optional<Condition>& current_;
    std::optional<Condition> saved_;
};

// The slot that holds the learner's answer, for the record.
std::optional<int> answer_slot(const Condition& condition)
{
    return std::visit(
        [](const auto& c) -> std::optional<int> {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, ReducedArithmetic>)
                return c.arithmetic.result;
            else if constexpr (std::is_same_v<C, Arithmetic>)
                return c.result;
            else if constexpr (std::is_same_v<C, Equivalent>)
                return c.second;
            else if constexpr (requires { c.answer; })
                return c.answer;
            else if constexpr (requires { c.slot; })
                return c.slot;
            else
                return std::nullopt;
        },
        condition);
}

std::string fraction_text(const std::optional<fractions::Fraction>& value)
{
    return value ? std::to_string(value->num()) + "/" + std::to_string(value->den()) : std::string();
}

// The turn is reported ended however the exercise is left, unwinding included.
class Turn {
public:
    explicit Turn(progress::Recorder& recorder) : recorder_(recorder) {}
    ~Turn() { recorder_.record(progress::ExerciseEnded{outcome}); }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    progress::Outcome outcome = progress::Outcome::unanswered;

private:
    progress::Recorder& recorder_;
};

// A drill's question stays as dealt while the learner answers it.
class QuestionLock {
public:
    QuestionLock(fractions::Board& board, int slot) : board_(board), slot_(slot) { board_.lock_slot(slot_, true); }
    ~QuestionLock() { board_.lock_slot(slot_, false); }
    QuestionLock(const QuestionLock&) = delete;
    QuestionLock& operator=(const QuestionLock&) = delete;

private:
    fractions::Board& board_;
    int slot_;
};

} // namespace

ExerciseRunner::ExerciseRunner(ExerciseScreen screen, text::Writer& writer, ui::Waits& waits,
                               fractions::Board& board, ui::Dialogs& dialogs, ui::Random& random)
    : screen_(screen), writer_(writer), waits_(waits), board_(board), dialogs_(dialogs), random_(random)
{
}

void ExerciseRunner::exercise(const Condition& condition, std::string_view prompt, Restate restate)
{
    ui::Canvas& box = screen_.text_box.canvas();
    if (screen_.auto_item.checked()) {
        writer_.draw("Answered automatically");
        waits_.delay(0.5);
        if (box.pen_y() > 0.8 * box.height())
            box.clear();
        return;
    }
    box.set_fore_color(ui::colors::blue);
    if (quit_mark_)
        return;

    const Asked asked(current_, condition);
    const std::string please = "Please " + std::string(prompt);
    recorder_->record(progress::ExerciseAsked{std::string(prompt), dealt_});
    Turn turn(*recorder_);

    double y = box.pen_y();
    if (!go_on_mark_) {
        writer_.draw(prompt_prefix_ + std::string(text::para_break) + please);
        prompt_prefix_.clear();
        waits_.wait();
        y = box.pen_y();
        if (y > 0.85 * box.height()) {
            box.clear();
            writer_.write_line("");
        }
    }

    turn.outcome = ask(condition, restate == Restate::prompt ? please : std::string(), y);
}

bool ExerciseRunner::check(const Condition& condition, const ConditionEffects& effects)
{
    const bool right = evaluate(condition, board_, effects);
    if (right || (!go_on_mark_ && !quit_mark_)) {
        const std::optional<int> slot = answer_slot(condition);
        recorder_->record(progress::AnswerChecked{slot ? fraction_text(board_.value(*slot)) : std::string(),
                                                  right ? progress::Verdict::right : progress::Verdict::wrong});
    }
    return right;
}

progress::Outcome ExerciseRunner::ask(const Condition& condition, const std::string& restated, double y)
{
    ui::Canvas& box = screen_.text_box.canvas();
    const ConditionEffects effects{dialogs_, box};
    const auto left = [this] { return quit_mark_ ? progress::Outcome::stopped : progress::Outcome::unanswered; };
    while (!check(condition, effects)) {
        screen_.go_on.hide();
        if (box.pen_y() > 0.8 * box.height()) {
            writer_.clear_scene("\r\n");
            y = box.pen_y();
        }
        if (go_on_mark_) {
            go_on_mark_ = false;
            return left();
        }
        if (quit_mark_)
            return left();

        try_again_at(y);
        if (go_on_mark_) {
            screen_.go_on.hide();
            go_on_mark_ = false;
            return left();
        }
        if (quit_mark_)
            return left();
        waits_.wait();
    }
    praise(restated);
    return progress::Outcome::right;
}

void ExerciseRunner::try_again_at(double y)
{
    ui::Canvas& box = screen_.text_box.canvas();
    for (int flash = 0; flash < 3; ++flash) {
        if (box.pen_x() > 0.75 * box.width())
            box.set_pen(box.pen_x(), y + ui::text_height(box));
        for (int half = 0; half < 2; ++half) {
            box.set_fore_color(flashed(box.fore_color()));
            box.set_pen(box.pen_x(), y);
            writer_.redraw(try_again);
            waits_.delay(0.15);
        }
    }

    // The next round flashes over the start of this same line.
    box.set_pen(box.pen_x(), y);
    writer_.redraw(try_again_or);
    // The "here" link fills the gap on screen; a listener needs the word.
    writer_.announce("Please try again or click here to continue reading.");
    place_link(box.pen_y());
    box.set_pen(screen_.go_on.right_edge() + 4 - screen_.text_box.left(), y);
    box.set_fore_color(ui::colors::blue);
}

void ExerciseRunner::praise(std::string_view restated)
{
    ui::Canvas& box = screen_.text_box.canvas();
    box.set_pen(0, box.pen_y() + ui::text_height(box));
    ui::new_line(box);
    box.print("      Good!");
    writer_.announce("Good!");
    waits_.delay(1);
    screen_.go_on.hide();
    box.clear();
    writer_.redraw_history(ui::colors::answered_grey);
    if (!restated.empty())
        writer_.write_text(restated);
    screen_.go_on.hide();
}

void ExerciseRunner::end_lesson()
{
    prompt_prefix_.clear();
    dealt_.clear();
    current_.reset();
    go_on_mark_ = false;
    quit_mark_ = false;
    screen_.stop.hide();
    screen_.go_on.hide();
}

void ExerciseRunner::place_link(double line_top)
{
    const ui::Canvas& box = screen_.text_box.canvas();
    ui::PictureBox& link = screen_.go_on;
    ui::Canvas& face = link.canvas();
    ui::Font font = box.font();
    font.underline = false;
    face.set_font(font);
    const int width = static_cast<int>(std::lround(1.05 * ui::text_width(face, "here")));
    // Centred in the gap left for it, so it never covers the words around it.
    const double gap_start = ui::text_width(box, before_gap);
    const double left = gap_start + (ui::text_width(box, through_gap) - gap_start - width) / 2;
    link.move(screen_.text_box.left() + static_cast<int>(std::lround(left)),
              screen_.text_box.top() + static_cast<int>(std::lround(line_top)), width,
              static_cast<int>(std::lround(ui::text_height(face))));
    face.set_background(box.background());
    face.set_fore_color(ui::colors::magenta);
    font.underline = true;
    face.set_font(font);
    face.set_pen(0.025 * width, 0);
    face.print("here");
    link.show();
    screen_.form.bring_to_front(link);
}

void ExerciseRunner::quiz(const Drill& drill)
{
    random_.reseed_from_clock();
    screen_.stop.show();
    quit_mark_ = false;
    const std::string introduction = std::string(text::para_break) + std::string(drill.intro);

    for (int turn = 1; turn <= 1000 && !quit_mark_; ++turn) {
        const auto [n, d] = deal(drill.numerators, drill.denominators);
        board_.show_fraction(drill.question, n, d);
        // The introduction leads the first prompt only.
        prompt_prefix_ = (turn == 1 ? introduction : std::string()) + std::string(drill.turn_prefix);
        {
            const QuestionLock lock(board_, drill.question);
            dealt_ = std::to_string(n) + "/" + std::to_string(d);
            exercise(drill.condition, drill.prompt, drill.restate);
            dealt_.clear();
        }
        if (quit_mark_)
            break; // Stop also skips the turn's closing check
        if (drill.compare_pictures) {
            board_.show_slot(0);
            board_.show_slot(1);
            writer_.write_line("Check that the fraction pictures match and click to continue.");
            board_.show_picture(drill.question, false);
        }
    }
    // The Stop was meant for this drill alone, and there is nothing left for
    // the button to stop.
    quit_mark_ = false;
    screen_.stop.hide();
}

std::pair<int, int> ExerciseRunner::deal(Span numerators, Span denominators)
{
    auto draw = [this](Span span) { return static_cast<int>(std::floor(random_.next() * span.count)) + span.low; };
    // Redraw while the fraction is a whole number; ranges that hold nothing
    // else get their last draw after a bounded number of tries.
    constexpr int tries = 1000;
    int n = 0;
    int d = 1;
    for (int attempt = 0; attempt < tries; ++attempt) {
        n = draw(numerators);
        d = draw(denominators);
        if (d != 0 && n % d != 0)
            break;
    }
    return {n, d};
}

} // namespace quorrel::exercises
