#pragma once

#include "lessons/lesson.h"
#include "lessons/stage.h"

#include <array>
#include <string_view>

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
class Chapter3 : Script {
public:
    explicit Chapter3(const Stage& stage) : Script(stage) {}

    // The three-fraction screen, shared with lesson 4.
    void Lesson3_setup();
    void Lesson3a();
    void Lesson3b();
    void Lesson3c();

private:
    enum class Drill { addition, multiplication, division };
    // Offers Stop while the turns last.
    void drill(Drill kind);
    void drill_turns(Drill kind);
    // Deals the turn's two blue fractions and keeps them in slots 3 and 4.
    void deal_turn();
    void set(int slot, int n, int d) { board.show_fraction(slot, n, d); }
    // The learner sets the yellow fraction to a op b (a sum or a difference
    // of fractions with one denominator), in the form the lesson has shown:
    // lowest terms. The prompt writes `sign` between the two.
    void practise(Operation op, Dealt a, Dealt b, std::string_view sign);
    // The blue fractions top and bottom, `intro`, then their sum in three
    // steps, each asked by its prompt: both rewritten over the product of
    // their denominators, then added.
    void add_in_steps(Dealt top, Dealt bottom, std::string_view intro, const std::array<std::string_view, 3>& prompts);
    void line(std::string_view text) { say.write_line(text); }
    void demonstrate(long long a, long long b, long long c, long long d);

    Dealt top_{1, 1};
    Dealt bottom_{1, 1};
};

} // namespace quorrel::lessons
