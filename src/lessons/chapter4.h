#pragma once

#include "lessons/stage.h"

namespace quorrel::lessons {

// The free practice screen: the three fractions of chapter 3 with the four
// check buttons and the feedback box. It has no successor.
class Chapter4 {
public:
    explicit Chapter4(Stage& stage) : s(stage) {}

    void Lesson4();

private:
    Stage& s;
};

} // namespace quorrel::lessons
