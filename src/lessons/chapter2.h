#pragma once

#include "lessons/chapter2_drills.h"
#include "lessons/lesson.h"
#include "lessons/stage.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorrel::lessons {

// Rewriting fractions: expanding (2a), reducing to lowest terms (2b) and
// practice in both (2c), on two sticks, the learner's above the reference.
class Chapter2 : Script {
public:
    explicit Chapter2(const Stage& stage) : Script(stage) {}

    // The two-stick screen of the three lessons (also shown when the
    // chapter's submenu opens).
    void Lesson2_setup();
    void Lesson2a();
    void Lesson2b();
    void Lesson2c();

private:
    struct Drill {
        exercises::Condition condition;
        int turns;
        std::string intro; // leads the first prompt
        int question;      // the dealt slot the learner must not change
        std::function<DrillTurn(ui::Random&)> deal;
    };
    void run(const Drill& drill);
    void pair(int top_n, int top_d, int bottom_n, int bottom_d);
    // The bottom stick as the reference: shown, without sliders.
    void show_reference();
    // An exercise on the top fraction with the reference hidden until it is
    // answered, then the look to compare them.
    void compare(const exercises::Condition& condition, std::string_view prompt, std::string_view after);
};

} // namespace quorrel::lessons
