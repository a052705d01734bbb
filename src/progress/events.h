#pragma once

#include <string>
#include <variant>

namespace quorrel::progress {

// What happens in the course that is worth remembering of a learner. The
// runner and the roles report these; only the store knows where they go.

enum class Verdict { right, wrong };
// How an exercise or a drill's turn ended: answered right, ended by "Stop",
// or left without a right answer (given up, or the page left).
enum class Outcome { right, stopped, unanswered };

struct PageReached {
    std::string lesson;
    int page = 1;
};
// The learner read on from this page to the next.
struct PageFinished {
    std::string lesson;
    int page = 1;
};
struct ExerciseAsked {
    std::string problem;
    std::string dealt; // a drill turn's fraction; empty for an exercise
};
struct AnswerChecked {
    std::string answer;
    Verdict verdict = Verdict::wrong;
};
struct ExerciseEnded {
    Outcome outcome = Outcome::unanswered;
};
struct LessonFinished {
    std::string lesson;
};
// One press of a check button on the practice screen.
struct Lesson4Check {
    std::string kind;
    std::string problem;
    std::string answer;
    Verdict verdict = Verdict::wrong;
};
// The learner did something (a click, a key): counts towards time on the page.
struct Activity {};

using Event = std::variant<PageReached, PageFinished, ExerciseAsked, AnswerChecked, ExerciseEnded, LessonFinished,
                           Lesson4Check, Activity>;

// Where the course reports its events. Recording is cheap and never fails
// the lesson: a recorder that cannot keep an event drops it.
class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void record(const Event& event) = 0;
};

class NullRecorder final : public Recorder {
public:
    void record(const Event&) override {}
};

} // namespace quorrel::progress
