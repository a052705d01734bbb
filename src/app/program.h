#pragma once

#include "app/authoring_window.h"
#include "app/learners.h"
#include "app/main_window.h"
#include "app/tutor.h"
#include "ui/views/message_box.h"
#include "ui/platform.h"

#include <memory>

namespace quorrel::app {

// The tutor on the real machine: Qt's event queue, the steady clock, modal
// message boxes, and the main window across the screen's work area. Needs a
// running QApplication.
class Program {
public:
    // `author`: the menus also offer the authoring window, playback and 1f.
    explicit Program(ui::Random random, bool author = false);
    // Pauses measured on `clock` instead of the steady clock (a soak test's
    // clock that runs ahead with every action); it must outlive the program.
    Program(ui::Random random, bool author, const ui::Clock& clock);
    // Remembers the learners in `store`, which must outlive the program.
    Program(ui::Random random, bool author, progress::Store& store);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the window, runs the lessons and then the idle loop until "Exit"
    // or the window closes; the exit status.
    // With a store: first the learner, `learner` if named (see
    // LearnerDesk::start); 2 when that name cannot be used.
    int exec(const std::optional<QString>& learner = std::nullopt);

    Tutor& tutor() { return tutor_; }
    MainWindow& window() { return window_; }
    // The authoring window, made when "Test" is first chosen.
    AuthoringWindow* authoring_window() { return authoring_window_.get(); }

private:
    // "Test": the authoring window, made and placed the first time.
    void open_authoring();
    Program(ui::Random random, bool author, const ui::Clock* clock, progress::Store* store);

    ui::QtEventPump pump_;
    ui::SteadyClock steady_clock_;
    ui::MessageBoxDialogs dialogs_;
    std::unique_ptr<ui::Speech> speech_;
    QRect area_;
    Tutor tutor_;
    MainWindow window_;
    std::unique_ptr<AuthoringWindow> authoring_window_;
    std::unique_ptr<LearnerDesk> learners_;
    std::unique_ptr<QObject> activity_;
};

} // namespace quorrel::app
