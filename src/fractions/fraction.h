#pragma once

// <optional> before <compare>: Qt's moc, which reads this header through the
// tests, cannot parse <compare> when it comes first.
#include <optional>

#include <compare>
#include <cstdint>
#include <limits>

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
// sign is normalised, onto the numerator, so the denominator is at least 1;
// the numerator is never INT64_MIN, so every negation is exact.
//
// Arithmetic is exact and total: + - * / give the result in lowest terms, or
// nothing when a term would leave 64 bits or (for /) the divisor is zero.
// Comparison is exact for every pair (cross products in 128 bits).
class Fraction {
public:
    // Empty for a zero denominator: such a pair names no number.
    static constexpr std::optional<Fraction> make(std::int32_t num, std::int32_t den)
    {
        return make64(num, den);
    }
    // Empty also when a term is INT64_MIN and the sign has to move.
    static constexpr std::optional<Fraction> make64(std::int64_t num, std::int64_t den)
    {
        constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
        if (den == 0 || num == lowest || den == lowest)
            return std::nullopt;
        if (den < 0)
            return Fraction(-num, -den);
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
    // numerals (same_numerals), hence a weak ordering.
    friend constexpr bool operator==(Fraction a, Fraction b) { return cross(a, b) == cross(b, a); }
    friend constexpr std::weak_ordering operator<=>(Fraction a, Fraction b)
    {
        const Wide left = cross(a, b);
        const Wide right = cross(b, a);
        return left < right ? std::weak_ordering::less
                            : left > right ? std::weak_ordering::greater : std::weak_ordering::equivalent;
    }
    // The very numerals: 2/4 and 1/2 are equal in value, not in writing.
    constexpr bool same_numerals(Fraction other) const { return num_ == other.num_ && den_ == other.den_; }

    // Terms are reduced first and cross-cancelled (Knuth's way), so the only
    // products formed are those of the reduced result, and a sum's only
    // larger intermediate is its numerator before the last cancellation.
    friend constexpr std::optional<Fraction> operator*(Fraction a, Fraction b)
    {
        if (a.num_ == 0 || b.num_ == 0)
            return Fraction(0, 1);
        a = a.reduced();
        b = b.reduced();
        const std::int64_t g1 = gcd(a.num_, b.den_);
        const std::int64_t g2 = gcd(b.num_, a.den_);
        std::int64_t n = 0;
        std::int64_t d = 0;
        if (__builtin_mul_overflow(a.num_ / g1, b.num_ / g2, &n) || __builtin_mul_overflow(a.den_ / g2, b.den_ / g1, &d))
            return std::nullopt;
        return make64(n, d);
    }
    friend constexpr std::optional<Fraction> operator/(Fraction a, Fraction b)
    {
        if (b.num_ == 0)
            return std::nullopt;
        // b.num_ is never INT64_MIN, so the reciprocal always exists.
        return a * *make64(b.den_, b.num_);
    }
    friend constexpr std::optional<Fraction> operator+(Fraction a, Fraction b)
    {
        a = a.reduced();
        b = b.reduced();
        const std::int64_t g = gcd(a.den_, b.den_);
        std::int64_t left = 0;
        std::int64_t right = 0;
        std::int64_t t = 0;
        if (__builtin_mul_overflow(a.num_, b.den_ / g, &left) || __builtin_mul_overflow(b.num_, a.den_ / g, &right) ||
            __builtin_add_overflow(left, right, &t))
            return std::nullopt;
        if (t == 0)
            return Fraction(0, 1);
        const std::int64_t h = gcd(t, g);
        std::int64_t d = 0;
        if (__builtin_mul_overflow(a.den_ / g, b.den_ / h, &d))
            return std::nullopt;
        return make64(t / h, d);
    }
    friend constexpr std::optional<Fraction> operator-(Fraction a, Fraction b) { return a + -b; }
    friend constexpr Fraction operator-(Fraction a) { return Fraction(-a.num_, a.den_); }

private:
    constexpr Fraction(std::int64_t num, std::int64_t den) : num_(num), den_(den) {}

    using Wide = __int128_t; // both compilers have it; -Wpedantic accepts this spelling
    static constexpr Wide cross(Fraction a, Fraction b) { return Wide{a.num_} * b.den_; }

    std::int64_t num_;
    std::int64_t den_;
};

} // namespace quorrel::fractions
