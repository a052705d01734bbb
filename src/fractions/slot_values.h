#pragma once

#include "fractions/fraction.h"

#include <optional>

namespace quorrel::fractions {

// The fraction slots as the answer checks read them; reading never changes a
// slot. A slot that does not exist, or whose denominator is 0, holds no
// fraction.
class SlotValues {
public:
    virtual ~SlotValues() = default;
    virtual std::optional<Fraction> value(int slot) const = 0;
};

} // namespace quorrel::fractions
