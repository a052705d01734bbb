#pragma once

#include <compare>
#include <cstdint>
#include <optional>

namespace quorrel::fractions {

// Never negative, and defined for every pair: gcd(x, 0) is |x|, so 0/d counts
// as reduced only when d is 1. The magnitudes are taken in unsigned
// arithmetic, where even |INT64_MIN| fits.
constexpr std::int64_t gcd(std::int64_t x, std::int64_t y)
{
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    std::uint64_t a = magnitude(x);
    std::uint64_t b = magnitude(y);
    while (b != 0) {
        const std::uint64_t r = a % b;
        a = b;
        b = r;
    }
    return static_cast<std::int64_t>(a);
}

// A fraction as written: 2/4 stays 2/4 until reduced() is asked for, because
// an answer can be right in value and still not be in lowest terms. Only the
// sign is normalised, onto the numerator. Components come from 32-bit values,
// so the cross products of comparisons are exact in 64 bits.
class Fraction {
public:
    // Empty for a zero denominator: such a pair names no number.
    static constexpr std::optional<Fraction> make(std::int32_t num, std::int32_t den)
    {
        if (den == 0)
            return std::nullopt;
        if (den < 0)
            return Fraction(-std::int64_t{num}, -std::int64_t{den});
        return Fraction(num, den);
    }

    constexpr std::int64_t num() const { return num_; }
    constexpr std::int64_t den() const { return den_; }

    constexpr bool is_reduced() const { return gcd(num_, den_) == 1; }
    constexpr Fraction reduced() const
    {
        const std::int64_t g = gcd(num_, den_);
        return Fraction(num_ / g, den_ / g);
    }

    // By value: 2/4 == 1/2. Equivalent fractions stay distinguishable by their
    // numerals, hence a weak ordering.
    friend constexpr bool operator==(Fraction a, Fraction b) { return a.num_ * b.den_ == b.num_ * a.den_; }
    friend constexpr std::weak_ordering operator<=>(Fraction a, Fraction b)
    {
        return a.num_ * b.den_ <=> b.num_ * a.den_;
    }

private:
    constexpr Fraction(std::int64_t num, std::int64_t den) : num_(num), den_(den) {}

    std::int64_t num_;
    std::int64_t den_;
};

} // namespace quorrel::fractions
