#pragma once

#include "lessons/stage.h"

namespace quorrel::ui {
class Random;
}

namespace quorrel::lessons {

// A blue fraction dealt for a turn of the arithmetic drill.
struct Dealt {
    int num;
    int den;

    friend bool operator==(const Dealt&, const Dealt&) = default;
};

// A denominator from 2 to 9, then a numerator from 4 to 8 (so some dealt
// fractions are topheavy), each from the next draw of `random`.
Dealt deal_blue(ui::Random& random);

// Fraction arithmetic with two blue fractions (slots 0 and 1) and the yellow
// answer (slot 2): adding and subtracting, multiplying and dividing with the
// three-circle demonstration, and a drill.
class Chapter3 {
public:
    explicit Chapter3(Stage& stage) : s(stage) {}

    // The three-fraction screen, shared with lesson 4.
    void Lesson3_setup();
    void Lesson3a();
    void Lesson3b();
    void Lesson3c();

private:
    enum class Drill { addition, multiplication, division };
    void drill(Drill kind);
    // Deals the turn's two blue fractions and keeps them in slots 3 and 4.
    void deal_turn();
    void set(int slot, int n, int d) { s.show_fraction(slot, n, d); }
    // A problem on the blue fractions a/b and c/d, the yellow answer back at 1/1.
    void ask(int a, int b, int c, int d, std::string_view condition, std::string_view prompt);
    void line(std::string_view text) { s.write_line(text); }
    void demonstrate(long long a, long long b, long long c, long long d);

    Stage& s;
    Dealt top_{1, 1};
    Dealt bottom_{1, 1};
};

} // namespace quorrel::lessons
