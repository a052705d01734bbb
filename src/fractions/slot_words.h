#pragma once

#include <string>

namespace quorrel::fractions {

// How many parts of a unit cut into `den`, in words: "1 half", "3 quarters",
// "5 twelfths", and past twelfths "7 over 13".
std::string parts_in_words(long long count, long long den);

// What a slot showing n/d says to a screen reader: the numeral as the slot
// writes it (a mixed number in mixed mode), what draws it, and how much that
// is: "7/4 as a stick: 1 whole unit and 3 quarters", "2 5/6 as pizzas: 2
// whole pizzas and 5 sixths". Empty for a denominator under 1.
std::string slot_in_words(int n, int d, bool pizzas, bool mixed);

} // namespace quorrel::fractions
