#pragma once

#include "lessons/chapter3.h"
#include "lessons/stage.h"

namespace quorrel::lessons {

// The free practice screen: the three fractions of chapter 3 with the four
// check buttons and the feedback box. It has no successor.
class Chapter4 : Script {
public:
    // `chapter3` lays out the three fractions.
    Chapter4(const Stage& stage, Chapter3& chapter3) : Script(stage), chapter3_(chapter3) {}

    void Lesson4();

private:
    Chapter3& chapter3_;
};

} // namespace quorrel::lessons
