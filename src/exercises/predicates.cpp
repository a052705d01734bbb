#include "exercises/predicates.h"

namespace quorrel::exercises {

using fractions::Fraction;
using fractions::SlotValues;

namespace {

// True when slot c holds the value `op` makes of slots a and b; never when a
// slot holds no fraction or the operation has no result.
template <typename Operation>
bool holds(const SlotValues& values, int a, int b, int c, Operation op)
{
    const auto x = values.value(a);
    const auto y = values.value(b);
    const auto z = values.value(c);
    if (!x || !y || !z)
        return false;
    const std::optional<Fraction> result = op(*x, *y);
    return result && *result == *z;
}

} // namespace

std::optional<std::int64_t> num(const SlotValues& values, int slot)
{
    if (const auto shown = values.value(slot))
        return shown->num();
    return std::nullopt;
}

std::optional<std::int64_t> den(const SlotValues& values, int slot)
{
    if (const auto shown = values.value(slot))
        return shown->den();
    return std::nullopt;
}

bool isfracsum(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y) { return x + y; });
}

bool isfracdiff(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y) { return y - x; });
}

bool isfracproduct(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y) { return x * y; });
}

bool isfracquotient(const SlotValues& values, int a, int b, int c)
{
    return holds(values, a, b, c, [](Fraction x, Fraction y) { return x / y; });
}

bool fracequiv(const SlotValues& values, int a, int b)
{
    const auto x = values.value(a);
    const auto y = values.value(b);
    return x && y && *x == *y;
}

bool fracequal(const SlotValues& values, int slot, int num, int den)
{
    const auto shown = values.value(slot);
    return shown && shown->num() == num && shown->den() == den;
}

bool isfracreduced(const SlotValues& values, int slot)
{
    const auto x = values.value(slot);
    return x && x->is_reduced();
}

} // namespace quorrel::exercises
