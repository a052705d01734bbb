#pragma once

#include "lessons/lesson.h"
#include "lessons/stage.h"

#include <string_view>

namespace quorrel::lessons {

// Fraction basics: unit sticks, parts, numerator and denominator, the
// sliders, topheavy fractions, mixed numbers and fractions as division.
class Chapter1 {
public:
    explicit Chapter1(Stage& stage);

    void Lesson1a();
    void Lesson1b();
    void Lesson1c();
    void Lesson1d();
    void Lesson1e();
    void Lesson1f();

private:
    // Names the running lesson and brings back the empty lesson screen.
    void begin(std::string_view code);
    // Slot i shows n/d as a picture alone: no sliders, no numeral.
    void picture(int slot, int n, int d);
    void place_mixed_number_slots();

    Stage& s;
};

} // namespace quorrel::lessons
