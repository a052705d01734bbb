// Answer conditions, whatever their text, parsed and checked against any
// slot values, as an exercise checks them after every move of the learner.
//
// Input: the condition on the first line, then the slots' values from slot 0
// on, blank-separated, as "n/d"; any other word stands for a slot without a
// fraction.
#include "qt_start.h"

#include "exercises/conditions.h"
#include "support/fakes.h"
#include "ui/canvas.h"

#include <array>
#include <charconv>

using namespace quorrel;

namespace {

class Values final : public fractions::SlotValues {
public:
    std::optional<fractions::Fraction> value(int slot) const override
    {
        return slot >= 0 && slot < int(slots.size()) ? slots[std::size_t(slot)] : std::nullopt;
    }
    std::array<std::optional<fractions::Fraction>, 11> slots{};
};

std::optional<fractions::Fraction> fraction(std::string_view word)
{
    const auto slash = word.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::int32_t n = 0;
    std::int32_t d = 0;
    const char* const mid = word.data() + slash;
    const char* const end = word.data() + word.size();
    if (std::from_chars(word.data(), mid, n).ptr != mid || std::from_chars(mid + 1, end, d).ptr != end)
        return std::nullopt;
    return fractions::Fraction::make(n, d);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    start_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view input = input_text(data, size);
    const std::size_t line_end = std::min(input.find('\n'), input.size());
    const std::string_view text = input.substr(0, line_end);

    Values values;
    std::string_view rest = input.substr(std::min(line_end + 1, input.size()));
    for (auto& slot : values.slots) {
        while (rest.starts_with(' '))
            rest.remove_prefix(1);
        const std::size_t blank = std::min(rest.find(' '), rest.size());
        slot = fraction(rest.substr(0, blank));
        rest.remove_prefix(blank);
    }

    testing::RecordingDialogs dialogs;
    ui::Canvas message_box{64, 64, ui::colors::yellow};
    const exercises::ConditionEffects effects{dialogs, message_box};
    const auto condition = exercises::parse_condition(text);
    const bool held = condition && exercises::evaluate(*condition, values, effects);
    // A condition parsed once and checked again says the same.
    if (held != exercises::check_condition(text, values, effects))
        __builtin_trap();
    return 0;
}
