#pragma once

#include "app/main_window.h"
#include "app/tutor.h"
#include "ui/message_box.h"
#include "ui/platform.h"

namespace quorrel::app {

// The tutor on the real machine: Qt's event queue, the steady clock, modal
// message boxes, and the main window across the screen's work area. Needs a
// running QApplication.
class Program {
public:
    explicit Program(ui::Random random);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the window, runs the lessons and then the idle loop until "Exit"
    // or the window closes; the exit status.
    int exec();

    Tutor& tutor() { return tutor_; }
    MainWindow& window() { return window_; }

private:
    ui::QtEventPump pump_;
    ui::SteadyClock clock_;
    ui::MessageBoxDialogs dialogs_;
    QRect area_;
    Tutor tutor_;
    MainWindow window_;
};

} // namespace quorrel::app
