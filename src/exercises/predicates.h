#pragma once

#include "fractions/fraction.h"
#include "fractions/slot_values.h"

#include <cstdint>
#include <optional>

namespace quorrel::exercises {

// The tests every answer check is built from. Values are compared exactly and
// never reduced first, so 10/12 is a right sum of 1/2 and 1/3; lowest terms
// is a test of its own. A slot that holds no fraction fails every test.

std::optional<std::int64_t> num(const fractions::SlotValues& values, int slot);
std::optional<std::int64_t> den(const fractions::SlotValues& values, int slot);

bool isfracsum(const fractions::SlotValues& values, int a, int b, int c);      // c = a + b
bool isfracdiff(const fractions::SlotValues& values, int a, int b, int c);     // c = b - a
bool isfracproduct(const fractions::SlotValues& values, int a, int b, int c);  // c = a * b
bool isfracquotient(const fractions::SlotValues& values, int a, int b, int c); // c = a / b, never when b is 0
bool fracequiv(const fractions::SlotValues& values, int a, int b);
// The very numerals: a slot showing 2/4 does not show 1/2.
bool fracequal(const fractions::SlotValues& values, int slot, int num, int den);
bool isfracreduced(const fractions::SlotValues& values, int slot);

} // namespace quorrel::exercises
