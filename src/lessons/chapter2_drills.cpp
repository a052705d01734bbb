#include "lessons/chapter2_drills.h"

#include "ui/platform.h"

#include <cmath>

namespace quorrel::lessons {

namespace {

std::string fraction_text(int n, int d) { return std::to_string(n) + "/" + std::to_string(d); }

} // namespace

int draw(ui::Random& random, Span span)
{
    return static_cast<int>(std::floor(random.next() * span.count)) + span.low;
}

ByFactor deal_2aq1(ui::Random& random)
{
    ByFactor dealt{};
    do {
        dealt = {draw(random, by_factor_top), draw(random, by_factor_bottom), draw(random, by_factor_k)};
    } while (dealt.a % dealt.b == 0);
    return dealt;
}

LowestTerms deal_2bq2(ui::Random& random)
{
    LowestTerms dealt{0, 0, 1};
    for (int factors = draw(random, lowest_factor_count); factors > 0; --factors)
        dealt.m *= draw(random, lowest_factor);
    do {
        dealt.a = draw(random, lowest_top);
        dealt.b = draw(random, lowest_bottom);
    } while (dealt.a == dealt.b);
    return dealt;
}

LowestTerms deal_2c_lowest(ui::Random& random)
{
    LowestTerms dealt{};
    do {
        dealt = deal_2bq2(random);
    } while (dealt.a % dealt.b == 0);
    return dealt;
}

Rewrite deal_2c(ui::Random& random)
{
    Rewrite dealt{};
    do {
        dealt.n = draw(random, practice_top);
        dealt.d = draw(random, practice_bottom);
    } while (dealt.n % dealt.d == 0);
    dealt.k = draw(random, practice_k);
    return dealt;
}

DrillTurn turn_2aq1(const ByFactor& dealt)
{
    const auto [a, b, k] = dealt;
    return {{{0, a, b}, {1, 1, 1}, {2, k, k}},
            "The top fraction  has been set to  " + fraction_text(a, b) + " .",
            "set the bottom fraction to what you get when you multiply the top fraction's numerator and denominator "
            "by " +
                std::to_string(k)};
}

DrillTurn turn_2bq1(const ByFactor& dealt)
{
    const auto [a, b, k] = dealt;
    return {{{0, a * k, b * k}, {1, 1, 1}, {2, k, k}},
            "The top fraction  has been set to  " + fraction_text(a * k, b * k) + " .",
            "set the bottom fraction to what you get when you divide the top fraction's numerator and denominator "
            "by " +
                std::to_string(k)};
}

DrillTurn turn_2bq2(const LowestTerms& dealt)
{
    const auto [a, b, m] = dealt;
    return {{{0, a * m, b * m}, {1, 1, 1}, {2, m, m}},
            "",
            "set the bottom fraction to the lowest terms form of the top fraction. "};
}

DrillTurn turn_2c(Practice kind, const Rewrite& dealt)
{
    const auto [n, d, k] = dealt;
    const std::string numerator_set = "The top fraction's numerator has been set to ";
    const std::string denominator_set = "The top fraction's denominator has been set to ";
    const std::string set_numerator = "set the numerator of the top fraction to make it equivalent to the bottom "
                                      "fraction ";
    const std::string set_denominator = "set the denominator of the top fraction to make it equivalent to the "
                                        "bottom fraction ";
    switch (kind) {
    case Practice::expand_numerator_given:
        return {{{1, n, d}, {0, k * n, k * (n + d)}},
                numerator_set + std::to_string(k * n) + ".",
                set_denominator + fraction_text(n, d)};
    case Practice::expand_denominator_given:
        return {{{1, n, d}, {0, 1, k * d}},
                denominator_set + std::to_string(k * d) + ".",
                set_numerator + fraction_text(n, d)};
    case Practice::reduce_denominator_given:
        return {{{1, k * n, k * d}, {0, 1, d}},
                denominator_set + std::to_string(d) + ".",
                set_numerator + fraction_text(k * n, k * d)};
    case Practice::reduce_numerator_given:
        return {{{1, k * n, k * d}, {0, n, 1}},
                numerator_set + std::to_string(n) + ".",
                set_denominator + fraction_text(k * n, k * d)};
    }
    return {};
}

DrillTurn turn_2c_lowest(const LowestTerms& dealt)
{
    const auto [a, b, m] = dealt;
    return {{{1, a * m, b * m}, {0, 1, 1}},
            "",
            "set the top fraction to the lowest terms form of the bottom fraction " + fraction_text(a * m, b * m)};
}

} // namespace quorrel::lessons
