#pragma once

#include "exercises/conditions.h"
#include "exercises/restate.h"

#include <string_view>

namespace quorrel::exercises {

// The whole numbers low .. low + count - 1.
struct Span {
    int low;
    int count;
    constexpr int high() const { return low + count - 1; }
};

// Turns of one exercise, each on a fraction dealt into the question slot
// (never a whole number), until "Stop" or 1000 turns.
struct Drill {
    int question = 0;                  // the slot dealt into, which takes no input while asked
    Condition condition = Never{};     // what each turn asks
    std::string_view intro = {};       // leads the first turn's prompt
    std::string_view turn_prefix = {}; // leads every turn's prompt
    Span numerators = {1, 1};
    Span denominators = {1, 1};
    std::string_view prompt = {};
    Restate restate = Restate::prompt;
    // After each turn both pictures show while the learner compares them;
    // then the question's picture is hidden again.
    bool compare_pictures = false;
};

// Asking the learner: an exercise waits for the click that says the answer
// is ready, checks it and praises it or asks again, with a link to give up.
class Asking {
public:
    virtual ~Asking() = default;

    virtual void exercise(const Condition& condition, std::string_view prompt, Restate restate = Restate::prompt) = 0;
    // "Stop" ends the drill after the exercise it interrupted; the drill then
    // takes the button away and empties the mark.
    virtual void quiz(const Drill& drill) = 0;
    // Written just before "Please " in the next prompt, then emptied.
    virtual void set_prompt_prefix(std::string_view text) = 0;
    virtual std::string_view prompt_prefix() const = 0;
    // "Stop" was pressed during the drill in progress.
    virtual bool quit_marked() const = 0;
    virtual void clear_quit_mark() = 0;
};

} // namespace quorrel::exercises
