#pragma once

#include "fractions/slots.h"
#include "support/fakes.h"
#include "support/slot_parts.h"
#include "ui/form.h"
#include "ui/platform.h"

// The main window's fraction slots as the tutor lays them out: the message
// box at the left, all eleven slots made, shown and placed down the right.
struct SlotsRig {
    SlotsRig()
        : form("Quorrel", 1280, 1000, quorrel::ui::colors::window_back),
          pbox_text(form.add<quorrel::ui::PictureBox>("pbox_text", quorrel::ui::colors::yellow)),
          slots(form, pbox_text, random)
    {
        pbox_text.move(0, 20, 640, 900);
        for (int i = 0; i < quorrel::fractions::Slots::count; ++i) {
            slots.make_slot(i);
            slots.place_slot(i, 650, 40 + 90 * i);
            slots.show_slot(i);
        }
    }

    quorrel::ui::Form form;
    quorrel::ui::PictureBox& pbox_text;
    quorrel::testing::RecordingDialogs dialogs;
    quorrel::ui::Random random = quorrel::ui::Random::fixed(7);
    quorrel::fractions::Slots slots;
};
