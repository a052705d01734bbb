#pragma once

#include "exercises/asking.h"

#include <string>
#include <vector>

namespace quorrel::ui {
class Random;
}

namespace quorrel::lessons {

using exercises::Span;
// A number of `span`, drawn as the whole part of r × count + low for r in
// [0, 1).
int draw(ui::Random& random, Span span);

// Expanding or reducing by a given number: a/b, never a whole number, and
// the multiplier k.
inline constexpr Span by_factor_top{2, 9};
inline constexpr Span by_factor_bottom{4, 9};
inline constexpr Span by_factor_k{3, 7};
struct ByFactor {
    int a;
    int b;
    int k;
};
// "2bq1" deals the same numbers and shows a/b expanded by k.
ByFactor deal_2aq1(ui::Random& random);

// Lowest terms: a/b (a and b differ) expanded by m, a product of one to
// three factors from 2 to 9.
inline constexpr Span lowest_factor_count{1, 3};
inline constexpr Span lowest_factor{2, 8};
inline constexpr Span lowest_top{2, 10};
inline constexpr Span lowest_bottom{3, 5};
struct LowestTerms {
    int a;
    int b;
    int m;
};
LowestTerms deal_2bq2(ui::Random& random);

// The practice drills: n/d, never a whole number, and the multiplier k.
inline constexpr Span practice_top{2, 9};
inline constexpr Span practice_bottom{4, 9};
inline constexpr Span practice_k{2, 3};
struct Rewrite {
    int n;
    int d;
    int k;
};
Rewrite deal_2c(ui::Random& random);

struct SlotValue {
    int slot;
    int num;
    int den;
};

// One turn of a drill: the fractions it deals, in order; the sentence that
// leads its prompt (none when empty); the prompt.
struct DrillTurn {
    std::vector<SlotValue> slots;
    std::string lead;
    std::string prompt;
};

DrillTurn turn_2aq1(const ByFactor& dealt);
DrillTurn turn_2bq1(const ByFactor& dealt);
DrillTurn turn_2bq2(const LowestTerms& dealt);

// The four practice drills, in the order the lesson runs them.
enum class Practice { expand_numerator_given, expand_denominator_given, reduce_denominator_given, reduce_numerator_given };
DrillTurn turn_2c(Practice kind, const Rewrite& dealt);
// The last practice drill: the bottom fraction, dealt as for "2bq2" but
// never a whole number, is rewritten in lowest terms in the top one.
LowestTerms deal_2c_lowest(ui::Random& random);
DrillTurn turn_2c_lowest(const LowestTerms& dealt);

} // namespace quorrel::lessons
