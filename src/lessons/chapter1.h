#pragma once

#include "lessons/lesson.h"
#include "lessons/stage.h"

#include <string_view>

namespace quorrel::lessons {

// Fraction basics: unit sticks, parts, numerator and denominator, the
// sliders, topheavy fractions, mixed numbers and fractions as division.
class Chapter1 : Script {
public:
    explicit Chapter1(const Stage& stage) : Script(stage) {}

    void Lesson1a();
    void Lesson1b();
    void Lesson1c();
    void Lesson1d();
    void Lesson1e();
    void Lesson1f();

private:
    // Brings back the empty lesson screen, sticks of the chapter's unit with
    // no pizzas or mixed numbers; notes the page the lesson starts at.
    void begin();
    // Whether the learner came straight to page k rather than reading on to
    // it from the page before, so that what that page left is not there.
    bool entered_at(int k) const { return entered_ == k; }
    // Slot i shows n/d as a picture alone: no sliders, no numeral.
    void picture(int slot, int n, int d);
    // The picture and the numeral, without sliders.
    void figure(int slot, int n, int d);
    // A reading exercise: the learner sets slot 1 to the length of slot 0's
    // bare stick, n/d.
    void read_stick(int n, int d, std::string_view prompt);
    // "set the fraction to n/d", then `end`: slot 0 must show n/d.
    void ask_to_set(int n, int d, std::string_view end = "");
    // Lesson 1e's drills: a fraction dealt into slot `question`, rewritten
    // in the other slot (a mixed number as topheavy, or the other way).
    void rewriting_drill(int question, std::string_view intro, std::string_view prompt);
    // Lesson 1b's sliders, as its first page sets them up.
    void first_sliders();
    void place_mixed_number_slots();

    int entered_ = 1;
};

} // namespace quorrel::lessons
