#pragma once

#include <cmath>

namespace quorrel::ui {

// Computed coordinates become whole pixels by rounding to the nearest
// integer, halves to even (2.5 -> 2, 3.5 -> 4), as the lesson geometry expects.
inline long round_even(double value)
{
    const double down = std::floor(value);
    const double diff = value - down;
    long result = static_cast<long>(down);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

} // namespace quorrel::ui
