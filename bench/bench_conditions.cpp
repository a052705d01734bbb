// Time per answer check at the largest slider values: for each form of
// condition the lessons state, and for scene scripts' condition texts
// parsed each time.
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

// Every condition of the course, as the lessons state it, and the four of
// the scene scripts' generic form.
const std::vector<Condition> stated = {
    Never{},
    ShowsExactly{1, 4, 11},
    ShowsExactly{1, 7, 11},
    ShowsExactly{1, 10, 11},
    ShowsExactly{1, 13, 11},
    ShowsExactly{0, 13, 12},
    ShowsExactly{0, 7, 30},
    ShowsExactly{0, 5, 12},
    ShowsExactly{0, 7, 30},
    ShowsExactly{0, 11, 7},
    ShowsExactly{0, 5, 23},
    ShowsExactly{0, 17, 12},
    SameNumerals{0, 1},
    SameNumerals{1, 0},
    Expanded{1, 0, 2, Part::numerator},
    ShowsExactly{0, 4, 7},
    ShowsExactly{0, 4, 6},
    ShowsExactly{0, 10, 15},
    PartIs{0, Part::denominator, 45},
    PartIs{0, Part::numerator, 30},
    ShowsExactly{0, 30, 36},
    ShowsExactly{0, 20, 24},
    ShowsExactly{0, 30, 42},
    ShowsExactly{0, 20, 28},
    ReducedBy{0, 1, 2},
    ReducedForm{0, 1},
    ShowsExactly{0, 5, 6},
    ShowsExactly{0, 4, 6},
    ShowsExactly{0, 10, 15},
    ShowsExactly{0, 2, 3},
    ShowsExactly{0, 12, 30},
    ShowsExactly{0, 2, 5},
    Equivalent{0, 1},
    Equivalent{0, 1},
    Equivalent{0, 1},
    Equivalent{0, 1},
    ExactForm{2, 12, 11},
    ExactForm{2, 3, 1},
    ExactForm{2, 3, 2},
    ExactForm{2, 7, 11},
    ExactForm{2, 8, 3},
    ExactForm{2, 5, 6},
    ShowsExactly{0, 8, 20},
    ShowsExactly{1, 5, 20},
    ShowsExactly{2, 13, 20},
    ShowsExactly{0, 9, 21},
    ShowsExactly{1, 14, 21},
    ShowsExactly{2, 23, 21},
    Expanded{0, 3, 4, Part::denominator},
    Expanded{1, 4, 3, Part::denominator},
    ReducedArithmetic{{Operation::sum, 2, 3, 4}, Reminder::after_sum},
    ReducedArithmetic{{Operation::product, 2, 3, 4}, Reminder::framed},
    ReducedArithmetic{{Operation::quotient, 2, 3, 4}, Reminder::framed},
    Arithmetic{Operation::sum, 2, 0, 1},
    Arithmetic{Operation::difference, 2, 0, 1},
    Arithmetic{Operation::product, 2, 0, 1},
    Arithmetic{Operation::quotient, 2, 0, 1},
};

// The texts of a scene script's exercises.
constexpr std::string_view texts[] = {"condition 2 0 + 1", "condition 2 0 - 1", "condition 2 0 * 1",
                                      "condition 2 0 / 1"};

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
double nanoseconds_per_check(int rounds, std::size_t count, Check check)
{
    long holding = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < count; ++i)
            holding += check(i);
    }
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    if (holding < 0) // keeps the checks from being optimised away
        std::puts("");
    return elapsed.count() / (double(rounds) * double(count));
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

    constexpr int rounds = 50000;
    const double once = nanoseconds_per_check(rounds, stated.size(), [&](std::size_t i) {
        return evaluate(stated[i], values, effects);
    });
    const double each = nanoseconds_per_check(rounds, std::size(texts), [&](std::size_t i) {
        return check_condition(texts[i], values, effects);
    });
    std::printf("slots at the largest slider values, %d rounds\n", rounds);
    std::printf("%2zu conditions as stated, evaluated:    %8.1f ns per check\n", stated.size(), once);
    std::printf("%2zu script texts, parsed and evaluated: %8.1f ns per check\n", std::size(texts), each);
    return 0;
}
