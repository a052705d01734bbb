#pragma once

#include "app/course.h"
#include "app/lessonform.h"
#include "app/runner.h"
#include "exercises/exercise.h"
#include "exercises/practice.h"
#include "fractions/slots.h"
#include "pages/page_bar.h"
#include "text/writer.h"
#include "ui/platform.h"

#include <memory>

namespace quorrel::lessons {
class Library;
}

namespace quorrel::app {

// What the tutor needs from the machine it runs on; tests hand in fakes.
struct Services {
    ui::EventPump& pump;
    const ui::Clock& clock;
    ui::Dialogs& dialogs;
    ui::Random random;
};

// The program's parts, built in dependency order and wired to each other.
// Lesson scripts reach everything they drive through here.
class Tutor {
public:
    Tutor(Services services, int width, int height);
    ~Tutor();
    Tutor(const Tutor&) = delete;
    Tutor& operator=(const Tutor&) = delete;

    // Lays the window out and runs the first lesson; returns when the
    // lesson chain does (the idle loop then takes over).
    void start();
    // Back to the empty lesson screen: every lesson begins here.
    void reset_screen();

    ui::Dialogs& dialogs;
    ui::Random random;
    LessonForm form;
    Runner runner;
    text::Writer writer;
    pages::PageBar page_bar;
    Course course;
    fractions::Slots slots;
    exercises::ExerciseRunner exercises;
    exercises::Practice practice;

private:
    void wire_handlers();
    void go_on_clicked();
    void toggle_mode(ui::MenuItem& item, int slot, void (fractions::Slots::*toggle)(int));

    std::unique_ptr<lessons::Library> lessons_;
};

} // namespace quorrel::app
