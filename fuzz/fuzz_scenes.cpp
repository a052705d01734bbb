// Scene scripts, whatever their text: parsed, their set-fraction numbers
// resolved, then played in a whole headless tutor as the authoring
// window's "Playback" plays them, with a learner who clicks on.
#include "qt_start.h"

#include "scenes/commands.h"
#include "scenes/terms.h"
#include "support/harness.h"
#include "ui/platform.h"

#include <type_traits>
#include <variant>

using namespace quorrel;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    start_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view script = input_text(data, size);
    ui::Random random = ui::Random::fixed(size);
    for (const scenes::Command& command : scenes::parse_script(script)) {
        const auto* set = std::get_if<scenes::SetFraction>(&command);
        if (!set)
            continue;
        if (set->slot && (*set->slot < 0 || *set->slot > scenes::max_slot))
            __builtin_trap();
        (void)scenes::term_value(set->slot_text, random);
        (void)scenes::term_value(set->fraction, random);
        const auto request = scenes::resolve_fraction(set->fraction, random);
        if (const auto* value = std::get_if<scenes::FractionValue>(&request))
            if (value->den < 1 || value->num < 0 || value->num > 16LL * value->den ||
                value->num + value->den > 32767)
                __builtin_trap();
    }

    testing::Harness h;
    h.turn_limit = 40; // an exercise nobody answers ends the run
    h.tutor().offer_authoring({});
    h.tutor().authoring_model().set_writestring(std::string(script));
    h.choose("mnu_playback");
    h.settle();
    return 0;
}
