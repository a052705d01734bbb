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

    static const std::map<std::string, Answer> chapter2 = {
        {"2a1", {0, 4, 7}},   {"2a2", {0, 4, 6}},   {"2a5", {0, 30, 36}}, {"2a6", {0, 20, 24}},
        {"2a7", {0, 30, 42}}, {"2a8", {0, 20, 28}}, {"2b1", {0, 5, 6}},   {"2b2", {0, 4, 6}},
        {"2b3", {0, 10, 15}}, {"2b4", {0, 2, 3}},   {"2b5", {0, 12, 30}}, {"2b6", {0, 2, 5}},
    };
    if (auto it = chapter2.find(condition); it != chapter2.end())
        return it->second;
    const int n = slots.num(0);
    const int d = slots.den(0);
    const int k = slots.num(2);
    if (condition == "2a4")
        return Answer{0, n, 45};
    if (condition == "2a4a")
        return Answer{0, 30, d};
    if (condition == "2aq1")
        return Answer{1, n * k, d * k};
    if (condition == "2bq1")
        return Answer{1, n / k, d / k};
    if (condition == "2bq2") {
        const int g = std::gcd(n, d);
        return Answer{1, n / g, d / g};
    }
    if (condition == "2c2") {
        // The part of the top fraction that the drill left wrong: the one
        // that makes it equivalent to the bottom fraction.
        const int u = slots.num(1);
        const int v = slots.den(1);
        if (u > 0 && (n * v) % u == 0 && n > 0)
            return Answer{0, n, n * v / u};
        return Answer{0, d * u / v, d};
    }
    // The drill of lesson 3c keeps its dealt fractions in slots 3 and 4.
    const int a = slots.num(3), b = slots.den(3), c = slots.num(4), e = slots.den(4);
    if (condition == "3ex3a")
        return Answer{0, a * e, b * e};
    if (condition == "3ex3b")
        return Answer{1, c * b, b * e};
    auto lowest = [](int num, int den) {
        const int g = std::gcd(num, den);
        return Answer{2, num / g, den / g};
    };
    if (condition == "3ex3c")
        return lowest(a * e + c * b, b * e);
    if (condition == "3ex3d")
        return lowest(a * c, b * e);
    if (condition == "3ex3e")
        return lowest(a * e, b * c);
    return std::nullopt;
}

bool is_drill(const std::string& condition)
{
    static const std::set<std::string> drills = {"1eq1", "1eq2", "2aq1", "2bq1", "2bq2", "2c2"};
    return drills.count(condition) > 0;
}

Screen screen_of(Harness& h)
{
    auto& t = h.tutor();
    Screen screen{h.last_line(), t.exercises.current_condition(), "", t.form.cmd_stop.visible(), ""};
    // A slot that is not shown is no part of the screen, whatever it holds.
    if (!is_drill(screen.condition))
        for (int slot : {0, 1}) {
            const auto* picture = t.slots.pbox_fracbar(slot);
            screen.sticks += picture && picture->visible()
                                 ? std::to_string(t.slots.num(slot)) + "/" + std::to_string(t.slots.den(slot)) + " "
                                 : "hidden ";
        }
    for (int slot : {0, 1, 2}) {
        const auto* picture = t.slots.pbox_fracbar(slot);
        if (!picture)
            continue;
        const auto shows = [](const ui::Control* c) { return c && c->visible(); };
        std::string state;
        state += t.slots.circle_mode(slot) ? " pizza" : "";
        // A slot hidden to the pizza layer draws none, even with its picture showing.
        state += t.slots.circle_mode(slot) && shows(picture) && !t.slots.layout().shown(slot) ? " undrawn" : "";
        state += t.slots.mixed_mode(slot) ? " mixed" : "";
        state += shows(picture) ? " picture" : "";
        state += shows(t.slots.slider_fracnum(slot)) || shows(t.slots.slider_fracden(slot)) ? " sliders" : "";
        state += shows(t.slots.inbox(2 * slot)) || shows(t.slots.inbox(2 * slot + 1)) ? " numeral" : "";
        state += shows(t.slots.wholepart(slot)) ? " whole" : "";
        if (slot == 2 && !is_drill(screen.condition) && shows(picture))
            state += " " + std::to_string(t.slots.num(slot)) + "/" + std::to_string(t.slots.den(slot));
        // A slot never made and one hidden with its modes off look alike.
        if (!state.empty())
            screen.slots += std::to_string(slot) + ":" + state + "; ";
    }
    return screen;
}

namespace {

// The exercises that close a drill's turn: the learner stops the drill there.
bool ends_turn(const std::string& condition)
{
    return is_drill(condition) || condition == "3ex3c" || condition == "3ex3d" || condition == "3ex3e";
}

} // namespace

void Walker::operator()(Harness& h)
{
    auto& t = h.tutor();
    pages_seen.insert(t.page_bar.shown_title() + "|" + t.page_bar.shown_label());
    // The welcome screen is not yet the page: its first line is.
    if (const auto screen = screen_of(h); !screen.line.empty() || !screen.condition.empty())
        first_screens.try_emplace(t.page_bar.shown_label(), screen);
    const std::string& condition = t.exercises.current_condition();
    if (condition.empty()) {
        h.click_text();
        return;
    }
    const bool lowest_terms = condition == "2bq1" || condition == "2bq2";
    if (!t.form.pbox_go_on.visible()) {
        ++wrong_first; // the first try: click without answering
        offer_unreduced_ = lowest_terms;
        h.click_text();
        return;
    }
    const auto a = answer_for(condition, t.slots);
    if (a && offer_unreduced_) {
        // The top fraction itself, or the answer doubled: equivalent, but
        // neither reduced nor divided as asked.
        offer_unreduced_ = false;
        ++unreduced;
        const bool as_dealt = condition == "2bq1";
        answer(h, {1, as_dealt ? t.slots.num(0) : 2 * a->num, as_dealt ? t.slots.den(0) : 2 * a->den});
        h.click_text();
        return;
    }
    ++retried; // "Please try again" is on screen, with its link
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
    ++answers;
    answer(h, *a);
    h.click_text();
}

void Walker::answer(Harness& h, const Answer& a)
{
    auto& slots = h.tutor().slots;
    if (++entries_ % 2 == 0) {
        // Bottom first, so the top is never refused for a stick too long.
        h.type_into(*slots.inbox(2 * a.slot + 1), std::to_string(a.den));
        h.type_into(*slots.inbox(2 * a.slot), std::to_string(a.num));
    }
    // A mixed number's box holds only the proper part: finish on the sliders.
    if ((slots.num(a.slot) != a.num || slots.den(a.slot) != a.den) && !h.set_fraction(a.slot, a.num, a.den))
        failures.push_back("could not set slot " + std::to_string(a.slot));
}

} // namespace quorrel::testing
