#pragma once

#include "lessons/script.h"

namespace quorrel::lessons {

// Fraction basics: unit sticks, parts, numerator and denominator, the
// sliders, topheavy fractions, mixed numbers and fractions as division.
class Chapter1 final : public Script {
public:
    explicit Chapter1(app::Tutor& tutor);

    void lesson_1a();
    void lesson_1b();
    void lesson_1c();
    void lesson_1d();
    void lesson_1e();
    void lesson_1f();

private:
    void place_mixed_number_slots();
    // Three chocolate bars: whole, each cut in eight with every child's three
    // pieces labelled, or laid end to end and split in eight shares.
    enum class Chocolate { whole_bars, cut_in_eighths, end_to_end };
    void draw_chocolate(int slot, Chocolate kind);
};

} // namespace quorrel::lessons
