#pragma once

#include "fractions/fraction.h"
#include "exercises/slots.h"

#include <optional>

namespace quorrel::exercises {

using fractions::Fraction;
using fractions::gcd;

// The tests every answer check is built from. Values are compared by cross
// multiplication and never reduced first, so 10/12 is a right sum of 1/2 and
// 1/3; lowest terms is a test of its own. A slot that does not exist, or
// whose denominator is 0, holds no fraction and fails every value test.

std::optional<int> num(const SlotValues& values, int slot);
std::optional<int> den(const SlotValues& values, int slot);
std::optional<Fraction> fraction(const SlotValues& values, int slot);

bool isfracsum(const SlotValues& values, int a, int b, int c);      // c = a + b
bool isfracdiff(const SlotValues& values, int a, int b, int c);     // c = b - a
bool isfracproduct(const SlotValues& values, int a, int b, int c);  // c = a * b
bool isfracquotient(const SlotValues& values, int a, int b, int c); // c = a / b, never when b is 0
bool fracequiv(const SlotValues& values, int a, int b);
// The very numerals: a slot showing 2/4 does not show 1/2.
bool fracequal(const SlotValues& values, int slot, int num, int den);
bool isfracreduced(const SlotValues& values, int slot);

} // namespace quorrel::exercises
