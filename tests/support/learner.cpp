#include "support/learner.h"

#include <map>
#include <numeric>

namespace quorrel::testing {

std::optional<Answer> answer_for(const std::string& condition, const fractions::Slots& slots)
{
    static const std::map<std::string, Answer> fixed = {
        {"1a1", {1, 4, 11}},  {"1a2", {1, 7, 11}}, {"1a3", {1, 10, 11}}, {"1a4", {1, 13, 11}},
        {"1c1", {0, 13, 12}}, {"1d1", {0, 5, 12}}, {"1d2", {0, 7, 30}},  {"1d3", {0, 11, 7}},
        {"1d4", {0, 5, 23}},  {"1d5", {0, 17, 12}},
        {"3a1", {2, 12, 11}}, {"3a2", {2, 3, 1}},  {"3a3", {2, 3, 2}},   {"3a4", {2, 7, 11}},
        {"3a5", {2, 8, 3}},   {"3a6", {2, 5, 6}},  {"3ex1a", {0, 8, 20}}, {"3ex1b", {1, 5, 20}},
        {"3ex1c", {2, 13, 20}}, {"3ex2a", {0, 9, 21}}, {"3ex2b", {1, 14, 21}}, {"3ex2c", {2, 23, 21}},
    };
    if (auto it = fixed.find(condition); it != fixed.end())
        return it->second;
    if (condition == "1eq1") // the topheavy slot 0 copies the dealt mixed number
        return Answer{0, slots.num(1), slots.den(1)};
    if (condition == "1eq2")
        return Answer{1, slots.num(0), slots.den(0)};
    // The drill of lesson 3c keeps its dealt fractions in slots 3 and 4.
    const int a = slots.num(3), b = slots.den(3), c = slots.num(4), d = slots.den(4);
    if (condition == "3ex3a")
        return Answer{0, a * d, b * d};
    if (condition == "3ex3b")
        return Answer{1, c * b, b * d};
    auto lowest = [](int n, int m) {
        const int g = std::gcd(n, m);
        return Answer{2, n / g, m / g};
    };
    if (condition == "3ex3c")
        return lowest(a * d + c * b, b * d);
    if (condition == "3ex3d")
        return lowest(a * c, b * d);
    if (condition == "3ex3e")
        return lowest(a * d, b * c);
    return std::nullopt;
}

namespace {

// The exercises that close a drill's turn: the learner stops the drill there.
bool ends_turn(const std::string& condition)
{
    return condition.rfind("1eq", 0) == 0 || condition == "3ex3c" || condition == "3ex3d" || condition == "3ex3e";
}

} // namespace

void Walker::operator()(Harness& h)
{
    auto& t = h.tutor();
    pages_seen.insert(t.page_bar.shown_title() + "|" + t.page_bar.shown_label());
    const std::string& condition = t.exercises.current_condition();
    if (condition.empty()) {
        h.click_text();
        return;
    }
    if (!t.form.pbox_go_on.visible()) {
        ++wrong_first; // the first try: click without answering
        h.click_text();
        return;
    }
    ++retried; // "Please try again" is on screen, with its link
    auto a = answer_for(condition, t.slots);
    if (!a) {
        unknown.insert(condition);
        h.click_go_on();
        return;
    }
    if (unreduced_first.erase(condition)) {
        answer(h, Answer{a->slot, 2 * a->num, 2 * a->den});
        h.click_text();
        return;
    }
    if (ends_turn(condition) && ++drill_turns_ % turns_per_drill_ == 0)
        h.press_stop();
    answer(h, *a);
    h.click_text();
}

void Walker::answer(Harness& h, const Answer& a)
{
    auto& slots = h.tutor().slots;
    if (++answers % 2 == 0) {
        // Bottom first, so the top is never refused for a stick too long.
        h.type_into(*slots.inbox(2 * a.slot + 1), std::to_string(a.den));
        h.type_into(*slots.inbox(2 * a.slot), std::to_string(a.num));
    }
    // A mixed number's box holds only the proper part: finish on the sliders.
    if ((slots.num(a.slot) != a.num || slots.den(a.slot) != a.den) && !h.set_fraction(a.slot, a.num, a.den))
        failures.push_back("could not set slot " + std::to_string(a.slot));
}

} // namespace quorrel::testing
