#pragma once

#include <cstdint>
#include <optional>

namespace quorrel::exercises {

// What a fraction slot's two sliders hold, as the learner left them: nothing
// promises a positive denominator. The sliders are 16-bit, which keeps every
// product of three values in the checks far inside 64 bits.
struct Numerals {
    std::int16_t num = 0;
    std::int16_t den = 0;

    friend bool operator==(const Numerals&, const Numerals&) = default;
};

// The fraction slots as the answer checks read them; the checks never change
// a slot.
class SlotValues {
public:
    virtual ~SlotValues() = default;
    // Empty for every index that names no existing slot.
    virtual std::optional<Numerals> numerals(int slot) const = 0;
};

} // namespace quorrel::exercises
