#include "fractions/slot_words.h"

#include <array>
#include <string_view>

namespace quorrel::fractions {

namespace {

struct PartName {
    std::string_view one;
    std::string_view many;
};

constexpr std::array<PartName, 11> part_names{{
    {"half", "halves"},
    {"third", "thirds"},
    {"quarter", "quarters"},
    {"fifth", "fifths"},
    {"sixth", "sixths"},
    {"seventh", "sevenths"},
    {"eighth", "eighths"},
    {"ninth", "ninths"},
    {"tenth", "tenths"},
    {"eleventh", "elevenths"},
    {"twelfth", "twelfths"},
}};

std::string counted(long long count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

std::string parts_in_words(long long count, long long den)
{
    if (den >= 2 && den < 2 + static_cast<long long>(part_names.size())) {
        const PartName& name = part_names[static_cast<std::size_t>(den - 2)];
        return counted(count, name.one, name.many);
    }
    return std::to_string(count) + " over " + std::to_string(den);
}

std::string slot_in_words(int n, int d, bool pizzas, bool mixed)
{
    if (d < 1)
        return {};
    const int whole = n / d;
    const int rest = n % d;
    // The numeral as the slot shows it: a mixed number keeps its whole part,
    // and a whole number shows alone.
    std::string numeral = std::to_string(n) + "/" + std::to_string(d);
    if (mixed)
        numeral = rest == 0 && n >= d ? std::to_string(whole)
                                      : std::to_string(whole) + " " + std::to_string(rest) + "/" + std::to_string(d);
    std::string amount;
    if (whole > 0)
        amount = pizzas ? counted(whole, "whole pizza", "whole pizzas") : counted(whole, "whole unit", "whole units");
    if (rest > 0)
        amount += (amount.empty() ? "" : " and ") + parts_in_words(rest, d);
    if (amount.empty())
        amount = "nothing";
    return numeral + (pizzas ? " as pizzas: " : " as a stick: ") + amount;
}

} // namespace quorrel::fractions
