#include "exercises/predicates.h"

namespace quorrel::exercises {

namespace {

// True when all three slots hold fractions and `test` holds for them.
template <typename Test>
bool holds(const SlotValues& values, int a, int b, int c, Test test)
{
    const auto x = fraction(values, a);
    const auto y = fraction(values, b);
    const auto z = fraction(values, c);
    return x && y && z && test(*x, *y, *z);
}

} // namespace

std::optional<int> num(const SlotValues& values, int slot)
{
    if (const auto shown = values.numerals(slot))
        return shown->num;
    return std::nullopt;
}

std::optional<int> den(const SlotValues& values, int slot)
{
    if (const auto shown = values.numerals(slot))
        return shown->den;
    return std::nullopt;
}

std::optional<Fraction> fraction(const SlotValues& values, int slot)
{
    if (const auto shown = values.numerals(slot))
        return Fraction::make(shown->num, shown->den);
    return std::nullopt;
}

bool isfracsum(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y, Fraction z) {
        return (x.num() * y.den() + y.num() * x.den()) * z.den() == z.num() * x.den() * y.den();
    });
}

bool isfracdiff(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y, Fraction z) {
        return (y.num() * x.den() - x.num() * y.den()) * z.den() == z.num() * x.den() * y.den();
    });
}

bool isfracproduct(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y, Fraction z) {
        return z.num() * x.den() * y.den() == x.num() * y.num() * z.den();
    });
}

bool isfracquotient(const SlotValues& values, int a, int b, int c)
{
    // Dividing by zero yields nothing, so no answer may pass; the cross
    // products alone would accept anything for 0 / 0.
    return holds(values, a, b, c, [](Fraction x, Fraction y, Fraction z) {
        return y.num() != 0 && y.num() * x.den() * z.num() == y.den() * x.num() * z.den();
    });
}

bool fracequiv(const SlotValues& values, int a, int b)
{
    const auto x = fraction(values, a);
    const auto y = fraction(values, b);
    return x && y && *x == *y;
}

bool fracequal(const SlotValues& values, int slot, int num, int den)
{
    const auto shown = values.numerals(slot);
    return shown && shown->num == num && shown->den == den;
}

bool isfracreduced(const SlotValues& values, int slot)
{
    const auto x = fraction(values, slot);
    return x && x->is_reduced();
}

} // namespace quorrel::exercises
