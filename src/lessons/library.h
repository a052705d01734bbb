#pragma once

#include "lessons/chapter1.h"
#include "lessons/chapter2.h"
#include "lessons/chapter3.h"
#include "lessons/chapter4.h"
#include "lessons/stage.h"

#include <string_view>

namespace quorrel::lessons {

// The course's lesson scripts, each run by its code from the catalogue.
class Library {
public:
    explicit Library(const Stage& stage);
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // Runs the script of lesson `code`; false when the course has none.
    bool run(std::string_view code);

    // The screen layouts shared by a chapter's lessons.
    void Lesson3_setup() { chapter3_.Lesson3_setup(); }

private:
    Chapter1 chapter1_;
    Chapter2 chapter2_;
    Chapter3 chapter3_;
    Chapter4 chapter4_;
};

} // namespace quorrel::lessons
