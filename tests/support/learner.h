#pragma once

#include "exercises/conditions.h"
#include "support/harness.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace quorrel::testing {

// The fraction that answers a condition, and the slot the learner sets it
// on, worked out from the fractions the slots hold now.
struct Answer {
    int slot;
    int num;
    int den;
};
std::optional<Answer> answer_for(const exercises::Condition& condition, const fractions::SlotValues& slots);

// One line naming a condition and its slots ("shows 0 5/12"); the
// arithmetic of a scene script reads as its script text.
std::string describe(const exercises::Condition& condition);

// What the learner has before them when first asked to act on a page: the
// newest line, the exercise waiting (if any), the two sticks (not for a
// drill, whose problems are dealt at random), whether Stop is offered, and
// for slots 0 to 2 their modes and which of their parts show.
struct Screen {
    std::string line;
    std::string condition;
    std::string sticks;
    bool stop = false;
    std::string slots;

    friend bool operator==(const Screen&, const Screen&) = default;
};
Screen screen_of(Harness& h);

// A learner who reads every line, gets each exercise wrong once and then
// right (through the sliders, or typing into the entry boxes every other
// time), and stops each drill after a few turns. Where an answer must be in
// lowest terms it first offers an equivalent one that is not.
class Walker {
public:
    explicit Walker(int turns_per_drill = 3) : turns_per_drill_(turns_per_drill) {}

    void operator()(Harness& h);

    std::set<std::string> pages_seen; // title bar text and page label
    std::map<std::string, Screen> first_screens; // by page label
    std::set<std::string> unknown;    // conditions it could not answer
    std::vector<std::string> failures;
    // Conditions (as described) whose first retry gives the right value
    // unreduced (doubled), once per condition, before the answer in its own
    // form.
    std::set<std::string> unreduced_first;
    int wrong_first = 0;
    int retried = 0;
    int answers = 0;
    int unreduced = 0; // equivalent answers offered before the reduced one

private:
    void answer(Harness& h, const Answer& a);

    int turns_per_drill_;
    int drill_turns_ = 0;
    bool offer_unreduced_ = false;
    int entries_ = 0; // answers set, every other one typed
};

} // namespace quorrel::testing
