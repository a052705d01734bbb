// Time per answer check at the largest slider values, for conditions parsed
// once (as the exercise runner checks) and for conditions parsed each time.
#include "exercises/conditions.h"
#include "ui/canvas.h"
#include "ui/platform.h"
#include "support/fakes.h"

#include <QGuiApplication>

#include <array>
#include <utility>
#include <chrono>
#include <cstdio>
#include <string_view>
#include <vector>

using namespace quorrel;
using namespace quorrel::exercises;

namespace {

constexpr std::string_view conditions[] = {
    "000",   "1a1",   "1a2",   "1a3",   "1a4",   "1c1",   "1c2",   "1d1",   "1d2",   "1d3",   "1d4",
    "1d5",   "1eq1",  "1eq2",  "2aq1",  "2a1",   "2a2",   "2a3",   "2a4",   "2a4a",  "2a5",   "2a6",
    "2a7",   "2a8",   "2bq1",  "2bq2",  "2b1",   "2b2",   "2b3",   "2b4",   "2b5",   "2b6",   "2c1",
    "2c2",   "2c3",   "2c4",   "3a1",   "3a2",   "3a3",   "3a4",   "3a5",   "3a6",   "3ex1a", "3ex1b",
    "3ex1c", "3ex2a", "3ex2b", "3ex2c", "3ex3a", "3ex3b", "3ex3c", "3ex3d", "3ex3e",
    "condition 2 0 + 1", "condition 2 0 - 1", "condition 2 0 * 1", "condition 2 0 / 1",
};

class LargestSlots final : public fractions::SlotValues {
public:
    std::optional<fractions::Fraction> value(int slot) const override
    {
        if (slot < 0 || slot >= int(values_.size()))
            return std::nullopt;
        return fractions::Fraction::make(values_[slot].first, values_[slot].second);
    }

private:
    std::array<std::pair<int, int>, 11> values_ = {{{32767, 32766}, {32766, 32767}, {32767, 32767}, {32767, 2}, {32765, 32767},
                                         {32767, 1}, {1, 32767}, {32767, 32767}, {32767, 32767}, {32767, 32767},
                                         {32767, 32767}}};
};

template <typename Check>
double nanoseconds_per_check(int rounds, Check check)
{
    long holding = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < std::size(conditions); ++i)
            holding += check(i);
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    if (holding < 0) // keeps the checks from being optimised away
        std::puts("");
    return elapsed.count() / (double(rounds) * double(std::size(conditions)));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv); // the message box canvas measures fonts
    const LargestSlots values;
    testing::RecordingDialogs dialogs;
    dialogs.keep_texts = false;
    ui::Canvas box(400, 300, ui::colors::white);
    const ConditionEffects effects{dialogs, box};

    std::vector<Condition> parsed;
    for (const auto text : conditions)
        parsed.push_back(*parse_condition(text));

    constexpr int rounds = 50000;
    const double once = nanoseconds_per_check(rounds, [&](std::size_t i) {
        return evaluate(parsed[i], values, effects);
    });
    const double each = nanoseconds_per_check(rounds, [&](std::size_t i) {
        return check_condition(conditions[i], values, effects);
    });
    std::printf("%zu conditions, slots at the largest slider values, %d rounds\n", std::size(conditions), rounds);
    std::printf("parsed once, evaluated:   %8.1f ns per check\n", once);
    std::printf("parsed and evaluated:     %8.1f ns per check\n", each);
    return 0;
}
