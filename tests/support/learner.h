#pragma once

#include "support/harness.h"

#include <optional>
#include <set>
#include <string>

namespace quorrel::testing {

// The fraction that answers a condition of the lessons, and the slot the
// learner sets it on. Drill answers are worked out from the dealt fractions.
struct Answer {
    int slot;
    int num;
    int den;
};
std::optional<Answer> answer_for(const std::string& condition, const fractions::Slots& slots);

// A learner who reads every line, gets each exercise wrong once and then
// right (through the sliders, or typing into the entry boxes every other
// time), and stops each drill after a few turns.
class Walker {
public:
    explicit Walker(int turns_per_drill = 3) : turns_per_drill_(turns_per_drill) {}

    void operator()(Harness& h);

    std::set<std::string> pages_seen; // title bar text and page label
    std::set<std::string> unknown;    // conditions it could not answer
    std::vector<std::string> failures;
    // Conditions whose first retry gives the right value unreduced (doubled),
    // once per condition, before the answer in its own form.
    std::set<std::string> unreduced_first;
    int wrong_first = 0;
    int retried = 0;
    int answers = 0;

private:
    void answer(Harness& h, const Answer& a);

    int turns_per_drill_;
    int drill_turns_ = 0;
};

} // namespace quorrel::testing
