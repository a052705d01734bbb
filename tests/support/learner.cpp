#include "support/learner.h"

#include <cstdint>
#include <map>
#include <numeric>
#include <variant>

namespace quorrel::testing {

namespace {

using namespace exercises;

struct Numerals {
    std::int64_t num;
    std::int64_t den;
};

Numerals of(const fractions::SlotValues& slots, int slot)
{
    const auto value = slots.value(slot);
    return value ? Numerals{value->num(), value->den()} : Numerals{0, 1};
}

Answer lowest(int slot, std::int64_t num, std::int64_t den)
{
    const std::int64_t g = std::gcd(num, den);
    return {slot, static_cast<int>(num / g), static_cast<int>(den / g)};
}

// Works each form of condition out from the slots, as a learner who
// understood the question would.
struct Solver {
    const fractions::SlotValues& slots;

    std::optional<Answer> operator()(Never) const { return std::nullopt; }
    std::optional<Answer> operator()(const ShowsExactly& c) const { return Answer{c.slot, c.num, c.den}; }
    std::optional<Answer> operator()(const ExactForm& c) const { return Answer{c.slot, c.num, c.den}; }
    std::optional<Answer> operator()(const PartIs& c) const
    {
        const auto [n, d] = of(slots, c.slot);
        return c.part == Part::numerator ? Answer{c.slot, c.value, int(d)} : Answer{c.slot, int(n), c.value};
    }
    std::optional<Answer> operator()(const SameNumerals& c) const
    {
        const auto [n, d] = of(slots, c.given);
        return Answer{c.answer, int(n), int(d)};
    }
    std::optional<Answer> operator()(const Expanded& c) const
    {
        const auto [n, d] = of(slots, c.given);
        const auto by = of(slots, c.by);
        const std::int64_t k = c.part == Part::numerator ? by.num : by.den;
        return Answer{c.answer, int(n * k), int(d * k)};
    }
    std::optional<Answer> operator()(const Equivalent& c) const
    {
        // The part the drill left wrong: the one that makes the answer
        // equivalent to the given fraction.
        const auto [n, d] = of(slots, c.first);
        const auto [u, v] = of(slots, c.second);
        if (u > 0 && n > 0 && (n * v) % u == 0)
            return Answer{c.first, int(n), int(n * v / u)};
        return Answer{c.first, int(d * u / v), int(d)};
    }
    std::optional<Answer> operator()(const ReducedForm& c) const
    {
        const auto [n, d] = of(slots, c.given);
        return lowest(c.answer, n, d);
    }
    std::optional<Answer> operator()(const ReducedBy& c) const
    {
        const auto [n, d] = of(slots, c.given);
        const std::int64_t k = of(slots, c.by).num;
        return Answer{c.answer, int(n / k), int(d / k)};
    }
    std::optional<Answer> operator()(const Arithmetic& c) const
    {
        const auto [a, b] = of(slots, c.left);
        const auto [e, f] = of(slots, c.right);
        switch (c.op) {
        case Operation::sum:
            return lowest(c.result, a * f + e * b, b * f);
        case Operation::difference: // the right operand less the left
            return lowest(c.result, e * b - a * f, b * f);
        case Operation::product:
            return lowest(c.result, a * e, b * f);
        case Operation::quotient:
            return lowest(c.result, a * f, b * e);
        }
        return std::nullopt;
    }
    std::optional<Answer> operator()(const ReducedArithmetic& c) const { return (*this)(c.arithmetic); }
};

std::string numeral(int num, int den) { return std::to_string(num) + "/" + std::to_string(den); }

struct Describer {
    std::string operator()(Never) const { return "never"; }
    std::string operator()(const ShowsExactly& c) const { return "shows " + std::to_string(c.slot) + " " + numeral(c.num, c.den); }
    std::string operator()(const ExactForm& c) const { return "exact " + std::to_string(c.slot) + " " + numeral(c.num, c.den); }
    std::string operator()(const PartIs& c) const
    {
        return "part " + std::to_string(c.slot) + (c.part == Part::numerator ? " top " : " bottom ") +
               std::to_string(c.value);
    }
    std::string operator()(const SameNumerals& c) const
    {
        return "copy " + std::to_string(c.given) + " to " + std::to_string(c.answer);
    }
    std::string operator()(const Expanded& c) const
    {
        return "expand " + std::to_string(c.given) + " to " + std::to_string(c.answer) + " by " +
               std::to_string(c.by) + (c.part == Part::numerator ? " top" : " bottom");
    }
    std::string operator()(const Equivalent& c) const
    {
        return "equivalent " + std::to_string(c.first) + " " + std::to_string(c.second);
    }
    std::string operator()(const ReducedForm& c) const
    {
        return "lowest " + std::to_string(c.given) + " to " + std::to_string(c.answer);
    }
    std::string operator()(const ReducedBy& c) const
    {
        return "reduce " + std::to_string(c.given) + " to " + std::to_string(c.answer) + " by " + std::to_string(c.by);
    }
    std::string operator()(const Arithmetic& c) const
    {
        static constexpr const char* signs[] = {"+", "-", "*", "/"};
        return "condition " + std::to_string(c.result) + " " + std::to_string(c.left) + " " +
               signs[static_cast<int>(c.op)] + " " + std::to_string(c.right);
    }
    std::string operator()(const ReducedArithmetic& c) const { return "reduced " + (*this)(c.arithmetic); }
};

bool is_drill(const app::Probe& p) { return p.find("cmd_stop")->visible(); }

bool shows(const ui::Control* c) { return c && c->visible(); }

} // namespace

std::optional<Answer> answer_for(const Condition& condition, const fractions::SlotValues& slots)
{
    return std::visit(Solver{slots}, condition);
}

std::string describe(const Condition& condition) { return std::visit(Describer{}, condition); }

Screen screen_of(Harness& h)
{
    const app::Probe& p = h.probe();
    const fractions::Slots& slots = p.slots();
    const Condition* asked = p.asked();
    const bool drill = is_drill(p);
    Screen screen{h.last_line(), asked ? describe(*asked) : std::string(), "", drill, ""};
    // A slot that is not shown is no part of the screen, whatever it holds.
    if (!drill)
        for (int slot : {0, 1}) {
            const auto* c = slots.controls(slot);
            const auto value = slots.value(slot);
            screen.sticks += c && c->pbox_fracbar.visible() && value
                                 ? numeral(int(value->num()), int(value->den())) + " "
                                 : "hidden ";
        }
    for (int slot : {0, 1, 2}) {
        const auto* c = slots.controls(slot);
        if (!c)
            continue;
        const fractions::SlotState& mode = slots.modes().state(slot);
        const bool picture = c->pbox_fracbar.visible();
        std::string state;
        state += mode.circle_mode ? " pizza" : "";
        // A slot hidden to the pizza layer draws none, even with its picture showing.
        state += mode.circle_mode && picture && !slots.layout().shown(slot) ? " undrawn" : "";
        state += mode.mixed_mode ? " mixed" : "";
        state += picture ? " picture" : "";
        state += c->slider_fracnum.visible() || c->slider_fracden.visible() ? " sliders" : "";
        state += shows(c->num_box) || shows(c->den_box) ? " numeral" : "";
        state += c->wholepart.visible() ? " whole" : "";
        if (slot == 2 && !drill && picture)
            if (const auto value = slots.value(slot))
                state += " " + numeral(int(value->num()), int(value->den()));
        // A slot never made and one hidden with its modes off look alike.
        if (!state.empty())
            screen.slots += std::to_string(slot) + ":" + state + "; ";
    }
    return screen;
}

namespace {

// The exercise that closes a drill's turn, where the learner stops the
// drill: any in a drill but the rewriting steps of an addition problem.
bool ends_turn(const app::Probe& p, const Condition& condition)
{
    const auto* expanded = std::get_if<Expanded>(&condition);
    return is_drill(p) && !(expanded && expanded->part == Part::denominator);
}

} // namespace

void Walker::operator()(Harness& h)
{
    const app::Probe& p = h.probe();
    pages_seen.insert(p.title_shown() + "|" + p.page_label());
    // The welcome screen is not yet the page: its first line is.
    if (const auto screen = screen_of(h); !screen.line.empty() || !screen.condition.empty())
        first_screens.try_emplace(p.page_label(), screen);
    const Condition* asked = p.asked();
    if (!asked) {
        h.click_text();
        return;
    }
    const Condition& condition = *asked;
    const std::string named = describe(condition);
    const bool lowest_terms =
        std::holds_alternative<ReducedBy>(condition) || std::holds_alternative<ReducedForm>(condition);
    if (!p.find("pbox_go_on")->visible()) {
        ++wrong_first; // the first try: click without answering
        offer_unreduced_ = lowest_terms;
        h.click_text();
        return;
    }
    const auto a = answer_for(condition, p.slots());
    if (a && offer_unreduced_) {
        // The top fraction itself, or the answer doubled: equivalent, but
        // neither reduced nor divided as asked.
        offer_unreduced_ = false;
        ++unreduced;
        const auto top = p.slots().value(0);
        if (std::holds_alternative<ReducedBy>(condition) && top)
            answer(h, {1, int(top->num()), int(top->den())});
        else
            answer(h, {a->slot, 2 * a->num, 2 * a->den});
        h.click_text();
        return;
    }
    ++retried; // "Please try again" is on screen, with its link
    if (!a) {
        unknown.insert(named);
        h.click_go_on();
        return;
    }
    if (unreduced_first.erase(named)) {
        answer(h, Answer{a->slot, 2 * a->num, 2 * a->den});
        h.click_text();
        return;
    }
    if (ends_turn(p, condition) && ++drill_turns_ % turns_per_drill_ == 0)
        h.press_stop();
    ++answers;
    answer(h, *a);
    h.click_text();
}

void Walker::answer(Harness& h, const Answer& a)
{
    if (++entries_ % 2 == 0) {
        // Bottom first, so the top is never refused for a stick too long.
        const auto box = [&h](int index) -> ui::TextBox& {
            return h.control<ui::TextBox>("inbox(" + std::to_string(index) + ")");
        };
        h.type_into(box(2 * a.slot + 1), std::to_string(a.den));
        h.type_into(box(2 * a.slot), std::to_string(a.num));
    }
    // A mixed number's box holds only the proper part: finish on the sliders.
    const auto now = h.probe().slots().value(a.slot);
    const bool set = now && now->same_numerals(*fractions::Fraction::make(a.num, a.den));
    if (!set && !h.set_fraction(a.slot, a.num, a.den))
        failures.push_back("could not set slot " + std::to_string(a.slot));
}

} // namespace quorrel::testing
