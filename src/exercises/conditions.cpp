#include "exercises/conditions.h"

#include "exercises/predicates.h"
#include "text/writer.h"
#include "ui/canvas.h"
#include "ui/platform.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace quorrel::exercises {

namespace {

struct Named {
    std::string_view name;
    Condition condition;
};

// Sorted by name, for a binary search.
constexpr auto named_conditions = std::to_array<Named>({
    {"000", Never{}},
    {"1a1", ShowsExactly{1, 4, 11}},
    {"1a2", ShowsExactly{1, 7, 11}},
    {"1a3", ShowsExactly{1, 10, 11}},
    {"1a4", ShowsExactly{1, 13, 11}},
    {"1c1", ShowsExactly{0, 13, 12}},
    {"1c2", ShowsExactly{0, 7, 30}},
    {"1d1", ShowsExactly{0, 5, 12}},
    {"1d2", ShowsExactly{0, 7, 30}},
    {"1d3", ShowsExactly{0, 11, 7}},
    {"1d4", ShowsExactly{0, 5, 23}},
    {"1d5", ShowsExactly{0, 17, 12}},
    {"1eq1", SameNumerals{0, 1}},
    {"1eq2", SameNumerals{0, 1}},
    {"2a1", ShowsExactly{0, 4, 7}},
    {"2a2", ShowsExactly{0, 4, 6}},
    {"2a3", ShowsExactly{0, 10, 15}},
    {"2a4", PartIs{0, Part::denominator, 45}},
    {"2a4a", PartIs{0, Part::numerator, 30}},
    {"2a5", ShowsExactly{0, 30, 36}},
    {"2a6", ShowsExactly{0, 20, 24}},
    {"2a7", ShowsExactly{0, 30, 42}},
    {"2a8", ShowsExactly{0, 20, 28}},
    {"2aq1", Expanded{1, 0, 2, Part::numerator}},
    {"2b1", ShowsExactly{0, 5, 6}},
    {"2b2", ShowsExactly{0, 4, 6}},
    {"2b3", ShowsExactly{0, 10, 15}},
    {"2b4", ShowsExactly{0, 2, 3}},
    {"2b5", ShowsExactly{0, 12, 30}},
    {"2b6", ShowsExactly{0, 2, 5}},
    {"2bq1", ReducedBy{0, 1, 2}},
    {"2bq2", ReducedForm{0, 1}},
    {"2c1", Equivalent{0, 1}},
    {"2c2", Equivalent{0, 1}},
    {"2c3", Equivalent{0, 1}},
    {"2c4", Equivalent{0, 1}},
    {"3a1", ShowsExactly{2, 12, 11}},
    {"3a2", ShowsExactly{2, 3, 1}},
    {"3a3", ShowsExactly{2, 3, 2}},
    {"3a4", ShowsExactly{2, 7, 11}},
    {"3a5", ShowsExactly{2, 8, 3}},
    {"3a6", ShowsExactly{2, 5, 6}},
    {"3ex1a", ShowsExactly{0, 8, 20}},
    {"3ex1b", ShowsExactly{1, 5, 20}},
    {"3ex1c", ShowsExactly{2, 13, 20}},
    {"3ex2a", ShowsExactly{0, 9, 21}},
    {"3ex2b", ShowsExactly{1, 14, 21}},
    {"3ex2c", ShowsExactly{2, 23, 21}},
    {"3ex3a", Expanded{0, 3, 4, Part::denominator}},
    {"3ex3b", Expanded{1, 4, 3, Part::denominator}},
    {"3ex3c", ReducedArithmetic{{Operation::sum, 2, 3, 4}, Reminder::after_sum}},
    {"3ex3d", ReducedArithmetic{{Operation::product, 2, 3, 4}, Reminder::framed}},
    {"3ex3e", ReducedArithmetic{{Operation::quotient, 2, 3, 4}, Reminder::framed}},
});
static_assert(std::ranges::is_sorted(named_conditions, {}, &Named::name));

constexpr std::string_view keep_reducing = "Reduced correctly but not completely. Keep on reducing!";
constexpr std::string_view lowest_terms = "Correct, but you need to rewrite your answer in lowest terms.";
// How far a reminder after a sum moves the message box's pen.
constexpr double reminder_drop = 50;

// Digits only: "2.5", "-1" and "+2" name no slot.
std::optional<int> parse_slot(std::string_view word)
{
    if (word.empty() || word.front() < '0' || word.front() > '9')
        return std::nullopt;
    int slot = 0;
    const auto* const end = word.data() + word.size();
    const auto [last, error] = std::from_chars(word.data(), end, slot);
    if (error != std::errc{} || last != end)
        return std::nullopt;
    return slot;
}

std::optional<Operation> parse_operation(std::string_view word)
{
    if (word == "+")
        return Operation::sum;
    if (word == "-")
        return Operation::difference;
    if (word == "*")
        return Operation::product;
    if (word == "/")
        return Operation::quotient;
    return std::nullopt;
}

// "condition R A op B": five words parted by single spaces.
std::optional<Condition> parse_generic(std::string_view text)
{
    std::array<std::string_view, 5> words;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const auto space = text.find(' ');
        if (space == std::string_view::npos)
            return std::nullopt;
        words[i] = text.substr(0, space);
        text.remove_prefix(space + 1);
    }
    if (text.find(' ') != std::string_view::npos)
        return std::nullopt;
    words.back() = text;

    const auto result = parse_slot(words[1]);
    const auto left = parse_slot(words[2]);
    const auto op = parse_operation(words[3]);
    const auto right = parse_slot(words[4]);
    if (!result || !left || !op || !right)
        return std::nullopt;
    return Arithmetic{*op, *result, *left, *right};
}

std::optional<std::int64_t> part_of(const fractions::SlotValues& values, int slot, Part part)
{
    return part == Part::numerator ? num(values, slot) : den(values, slot);
}

bool holds(const Arithmetic& c, const fractions::SlotValues& values)
{
    switch (c.op) {
    case Operation::sum:
        return isfracsum(values, c.left, c.right, c.result);
    case Operation::difference:
        return isfracdiff(values, c.left, c.right, c.result);
    case Operation::product:
        return isfracproduct(values, c.left, c.right, c.result);
    case Operation::quotient:
        return isfracquotient(values, c.left, c.right, c.result);
    }
    return false;
}

class Judge {
public:
    Judge(const fractions::SlotValues& values, const ConditionEffects& effects) : values_(values), effects_(effects) {}

    bool operator()(Never) const { return false; }
    bool operator()(const ShowsExactly& c) const { return fracequal(values_, c.slot, c.num, c.den); }
    bool operator()(const PartIs& c) const { return part_of(values_, c.slot, c.part) == c.value; }

    bool operator()(const SameNumerals& c) const
    {
        const auto first = values_.value(c.first);
        const auto second = values_.value(c.second);
        return first && second && first->same_numerals(*second);
    }

    bool operator()(const Expanded& c) const
    {
        const auto answer = values_.value(c.answer);
        const auto given = values_.value(c.given);
        const auto factor = part_of(values_, c.by, c.part);
        return answer && given && factor && answer->num() == given->num() * *factor &&
               answer->den() == given->den() * *factor;
    }

    bool operator()(const Equivalent& c) const { return fracequiv(values_, c.first, c.second); }

    bool operator()(const ReducedForm& c) const
    {
        if (!fracequiv(values_, c.given, c.answer))
            return false;
        if (isfracreduced(values_, c.answer))
            return true;
        effects_.dialogs.message_box(std::string(keep_reducing));
        return false;
    }

    bool operator()(const ReducedBy& c) const
    {
        // Dividing 6/12 by 3 gives 2/4: what was asked, though not lowest
        // terms. Dividing by 1 reduces nothing.
        const auto divisor = num(values_, c.by);
        return (divisor > 1 && (*this)(Expanded{c.given, c.answer, c.by, Part::numerator})) ||
               (*this)(ReducedForm{c.given, c.answer});
    }

    bool operator()(const Arithmetic& c) const { return holds(c, values_); }

    bool operator()(const ReducedArithmetic& c) const
    {
        if (!holds(c.arithmetic, values_))
            return false;
        if (isfracreduced(values_, c.arithmetic.result))
            return true;
        remind(c.reminder);
        return false;
    }

private:
    void remind(Reminder reminder) const
    {
        const std::string after = std::string(lowest_terms) + std::string(text::para_break);
        if (reminder == Reminder::framed) {
            effects_.dialogs.message_box(std::string(text::para_break) + after);
            return;
        }
        effects_.dialogs.message_box(after);
        effects_.message_box.set_pen_y(effects_.message_box.pen_y() + reminder_drop);
    }

    const fractions::SlotValues& values_;
    const ConditionEffects& effects_;
};

} // namespace

std::optional<Condition> parse_condition(std::string_view text)
{
    if (text.starts_with("condition "))
        return parse_generic(text);
    const auto* const found = std::ranges::lower_bound(named_conditions, text, {}, &Named::name);
    if (found == named_conditions.end() || found->name != text)
        return std::nullopt;
    return found->condition;
}

bool evaluate(const Condition& condition, const fractions::SlotValues& values, const ConditionEffects& effects)
{
    return std::visit(Judge(values, effects), condition);
}

bool check_condition(std::string_view text, const fractions::SlotValues& values, const ConditionEffects& effects)
{
    const auto condition = parse_condition(text);
    return condition && evaluate(*condition, values, effects);
}

} // namespace quorrel::exercises
