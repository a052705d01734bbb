#pragma once

#include "fractions/slots.h"

// A slot's controls and numerals, read and worked as the learner sees them,
// for the tests, benchmarks and fuzzers of the slots themselves.
namespace quorrel::testing {

inline ui::Slider* slider_fracnum(fractions::Slots& slots, int i)
{
    auto* c = slots.controls(i);
    return c ? &c->slider_fracnum : nullptr;
}
inline ui::Slider* slider_fracden(fractions::Slots& slots, int i)
{
    auto* c = slots.controls(i);
    return c ? &c->slider_fracden : nullptr;
}
inline ui::PictureBox* pbox_fracbar(fractions::Slots& slots, int i)
{
    auto* c = slots.controls(i);
    return c ? &c->pbox_fracbar : nullptr;
}
inline ui::LineControl* fracline(fractions::Slots& slots, int i)
{
    auto* c = slots.controls(i);
    return c ? &c->fracline : nullptr;
}
inline ui::TextBox* wholepart(fractions::Slots& slots, int i)
{
    auto* c = slots.controls(i);
    return c ? &c->wholepart : nullptr;
}
inline ui::TextBox* inbox(fractions::Slots& slots, int index) { return slots.entries().inbox(index); }

// The numerals the sliders hold; 0/1 for a slot that is not there.
inline int num(const fractions::Slots& slots, int i)
{
    const auto value = slots.value(i);
    return value ? static_cast<int>(value->num()) : 0;
}
inline int den(const fractions::Slots& slots, int i)
{
    const auto value = slots.value(i);
    return value ? static_cast<int>(value->den()) : 1;
}

// The "Frac i Circle" and "Frac i Mixed" menu items: the mode flips and the
// slot is drawn again.
inline void toggle_circle(fractions::Slots& slots, int i)
{
    slots.set_pizza(i, !slots.modes().state(i).circle_mode);
    fractions::redraw(slots, i);
}
inline void toggle_mixed(fractions::Slots& slots, int i)
{
    slots.set_mixed(i, !slots.modes().state(i).mixed_mode);
    fractions::redraw(slots, i);
}

} // namespace quorrel::testing
