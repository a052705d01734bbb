#pragma once

#include <array>

#include "fractions/slots.h"
#include "support/fakes.h"
#include "support/slot_parts.h"
#include "ui/form.h"
#include "ui/platform.h"

// The main window's fraction slots as the tutor lays them out: the message
// box at the left, all eleven slots made, shown and placed down the right.
// Made once a process (making it costs far more than an input does) and
// put back as it was made before each input, so a finding replays alone.
struct SlotsRig {
    SlotsRig()
        : form("Quorrel", 1280, 1000, quorrel::ui::colors::window_back),
          pbox_text(form.add<quorrel::ui::PictureBox>("pbox_text", quorrel::ui::colors::yellow)),
          slots(form, pbox_text, random)
    {
        pbox_text.move(0, 20, 640, 900);
        for (int i = 0; i < quorrel::fractions::Slots::count; ++i)
            reset(i);
    }

    // The rig, with every slot an input has `use`d put back.
    static SlotsRig& fresh()
    {
        static SlotsRig rig;
        rig.random = quorrel::ui::Random::fixed(7);
        rig.slots.set_unit_length(120);
        for (int i = 0; i < quorrel::fractions::Slots::count; ++i)
            if (rig.used_[std::size_t(i)])
                rig.reset(i);
        rig.used_.fill(false);
        return rig;
    }

    // Notes that slot i is to be put back before the next input.
    void use(int i)
    {
        if (i >= 0 && i < quorrel::fractions::Slots::count)
            used_[std::size_t(i)] = true;
    }

    void reset(int i)
    {
        using namespace quorrel;
        {
            slots.make_slot(i);
            slots.lock_slot(i, false);
            slots.set_pizza(i, false);
            slots.set_mixed(i, false);
            slots.set_ruler_side(i, fractions::RulerSide::above);
            slots.set_bar_color(i, ui::colors::fraction_blue);
            slots.place_slot(i, 650, 40 + 90 * i);
            slots.show_slot(i);
            slots.show_fraction(i, 1, 1);
        }
    }

    std::array<bool, quorrel::fractions::Slots::count> used_{};

    quorrel::ui::Form form;
    quorrel::ui::PictureBox& pbox_text;
    quorrel::testing::RecordingDialogs dialogs;
    quorrel::ui::Random random = quorrel::ui::Random::fixed(7);
    quorrel::fractions::Slots slots;
};
