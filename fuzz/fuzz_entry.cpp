// A learner typing anything into a numeral box or a whole-number box and
// clicking it, on a slot in any mode and holding any fraction.
//
// Input: box (numeral boxes 0-10, then the whole-number boxes of slots 0-10),
// modes (bit 0 pizzas, 1 mixed number, 2 locked, 3 numbers below), the
// slot's numerator and denominator (one byte each, +1 for the denominator),
// then the typed texts, one per line, each applied in turn.
#include "qt_start.h"
#include "slots_rig.h"

using namespace quorrel;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    start_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size < 4)
        return 0;
    constexpr int boxes = fractions::EntryBoxes::count;
    const int target = data[0] % (2 * boxes);
    const unsigned modes = data[1];
    const int slot = target < boxes ? target / 2 : target - boxes;
    const std::string_view typed = input_text(data + 4, size - 4);

    SlotsRig& rig = SlotsRig::fresh();
    rig.use(slot);
    fractions::Slots& slots = rig.slots;
    slots.set_pizza(slot, modes & 1);
    slots.set_mixed(slot, modes & 2);
    slots.set_ruler_side(slot, modes & 8 ? fractions::RulerSide::below : fractions::RulerSide::above);
    slots.show_fraction(slot, data[2], data[3] + 1);
    slots.lock_slot(slot, modes & 4);

    ui::TextBox* box = target < boxes ? testing::inbox(slots, target) : testing::wholepart(slots, slot);
    for (std::size_t begin = 0; begin <= typed.size();) {
        const std::size_t end = std::min(typed.find('\n', begin), typed.size());
        box->user_edit(std::string(typed.substr(begin, end - begin)));
        if (box->on_mouse_down)
            box->on_mouse_down();
        begin = end + 1;

        // Whatever was typed, the slot holds a fraction its sliders can.
        const auto value = slots.value(slot);
        if (!value || !fractions::slot_holds(testing::num(slots, slot), testing::den(slots, slot)))
            __builtin_trap();
    }
    return 0;
}
