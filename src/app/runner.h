#pragma once

#include "ui/platform.h"

#include <deque>
#include <functional>

namespace quorrel::app {

// Thrown out of the innermost wait once the program is to end ("Exit" or the
// window's close button); it unwinds every lesson nested below it.
struct QuitRequested {};

// The two blocking primitives of the lesson scripts and the marks that the
// learner's clicks leave for them. Everything runs on one thread: while a
// script blocks here, window events are handled, and an action that starts
// another lesson runs nested inside this wait.
class Runner {
public:
    Runner(ui::EventPump& pump, const ui::Clock& clock) : pump_(pump), clock_(clock) {}
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    // Returns after the next "go on" click; a click made while no wait ran
    // is remembered and ends this wait at once.
    void wait();
    // Pauses for `seconds` of elapsed time, handling events meanwhile.
    void delay(double seconds);
    // Handles pending events once, without blocking.
    void process_pending();

    // A click in the message box.
    void click() { clicked_ = true; }
    bool click_pending() const { return clicked_; }

    // A click on the continue link marks "go on"; Stop marks "quit".
    bool go_on_marked() const { return go_on_mark_; }
    void set_go_on_mark(bool on) { go_on_mark_ = on; }
    bool stop_marked() const { return quit_mark_; }
    void set_stop_mark(bool on) { quit_mark_ = on; }

    // Runs `action` from the wait loop rather than from inside the window
    // system's event dispatch, so that a lesson it starts can block and be
    // unwound by QuitRequested without crossing toolkit frames.
    void defer(std::function<void()> action);
    // The loop of an idle tutor: handles events and deferred actions until
    // the program is to end, then throws QuitRequested.
    [[noreturn]] void run_until_quit();

    void request_quit() { quitting_ = true; }
    bool quitting() const { return quitting_; }

    // How deep lessons are nested right now (for tests and diagnostics).
    int depth() const { return depth_; }

private:
    void run_deferred();
    void throw_if_quitting() const;

    ui::EventPump& pump_;
    const ui::Clock& clock_;
    std::deque<std::function<void()>> deferred_;
    bool clicked_ = false;
    bool go_on_mark_ = false;
    bool quit_mark_ = false;
    bool quitting_ = false;
    int depth_ = 0;
};

} // namespace quorrel::app
