// show_fraction with any slot, numbers and modes, as lessons and scenes call
// it, followed by the menu's pizza and mixed-number switches.
//
// Input: records of 12 bytes, each one call: slot (signed byte, so indexes
// outside 0-10 come up), numerator and denominator (signed 32-bit, little
// endian), unit length in eighths of a pixel (16 bits), modes (bit 0 pizzas,
// 1 mixed number, 2 numbers below, 3 hide the slot, 4 toggle pizzas after,
// 5 toggle mixed after, 6 lock).
#include "qt_start.h"
#include "slots_rig.h"

#include <cstdint>
#include <cstring>

using namespace quorrel;

namespace {

std::int32_t int32_at(const unsigned char* p)
{
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | p[k];
    std::int32_t s;
    std::memcpy(&s, &v, sizeof s);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    start_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    constexpr std::size_t record = 12;
    constexpr std::size_t max_records = 8;
    if (size < record)
        return 0;
    SlotsRig& rig = SlotsRig::fresh();
    fractions::Slots& slots = rig.slots;
    for (std::size_t r = 0; r < max_records && (r + 1) * record <= size; ++r) {
        const unsigned char* p = data + r * record;
        const int slot = static_cast<signed char>(p[0]);
        rig.use(slot);
        const int n = int32_at(p + 1);
        const int d = int32_at(p + 5);
        const double unit = (p[9] | (p[10] << 8)) / 8.0;
        const unsigned modes = p[11];

        slots.set_unit_length(unit);
        slots.set_pizza(slot, modes & 1);
        slots.set_mixed(slot, modes & 2);
        slots.set_ruler_side(slot, modes & 4 ? fractions::RulerSide::below : fractions::RulerSide::above);
        if (modes & 8)
            slots.hide_slot(slot);
        else
            slots.show_slot(slot);
        slots.lock_slot(slot, modes & 64);

        const bool taken = slots.show_fraction(slot, n, d);
        if (taken != (fractions::SlotModes::in_range(slot) && fractions::slot_holds(n, d)))
            __builtin_trap();
        if (taken && (testing::num(slots, slot) != n || testing::den(slots, slot) != d))
            __builtin_trap();
        if (modes & 16)
            testing::toggle_circle(slots, slot);
        if (modes & 32)
            testing::toggle_mixed(slots, slot);
        if (modes & 8)
            slots.show_slot(slot);
    }
    return 0;
}
