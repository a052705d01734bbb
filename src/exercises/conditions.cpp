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

// "condition R A op B": five words. A hand-written line may part them by
// more than one blank or tab, or end with some: runs of them part words, and
// those at either end are ignored.
std::optional<Condition> parse_generic(std::string_view text)
{
    constexpr std::string_view blanks = " \t";
    std::array<std::string_view, 5> words;
    std::size_t count = 0;
    for (auto at = text.find_first_not_of(blanks); at != std::string_view::npos;
         at = text.find_first_not_of(blanks, at)) {
        const auto end = std::min(text.find_first_of(blanks, at), text.size());
        if (count == words.size())
            return std::nullopt;
        words[count++] = text.substr(at, end - at);
        at = end;
    }
    if (count != words.size() || words[0] != "condition")
        return std::nullopt;

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
    bool operator()(const ExactForm& c) const
    {
        if (fracequal(values_, c.slot, c.num, c.den))
            return true;
        const auto n = num(values_, c.slot);
        const auto d = den(values_, c.slot);
        if (n && d && fractions::Fraction::make64(*n, *d) == fractions::Fraction::make(c.num, c.den))
            effects_.dialogs.message_box(std::string(lowest_terms));
        return false;
    }

    bool operator()(const PartIs& c) const { return part_of(values_, c.slot, c.part) == c.value; }

    bool operator()(const SameNumerals& c) const
    {
        const auto answer = values_.value(c.answer);
        const auto given = values_.value(c.given);
        return answer && given && answer->same_numerals(*given);
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
        effects_.message_box.set_pen(effects_.message_box.pen_x(), effects_.message_box.pen_y() + reminder_drop);
    }

    const fractions::SlotValues& values_;
    const ConditionEffects& effects_;
};

} // namespace

std::optional<Condition> parse_condition(std::string_view text)
{
    return parse_generic(text);
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
