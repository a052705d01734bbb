#pragma once

#include "ui/platform.h"

#include <cstdint>
#include <functional>

namespace quorrel::ui {

// Thrown out of the innermost wait to unwind the running lesson. A script
// never catches it: whatever it holds is released by destructors on the way.
struct Unwind {};

// The program is to end ("Exit" or the window's close button): every lesson
// below the wait unwinds.
struct QuitRequested : Unwind {};

// The learner started another lesson, page or scene: the running one unwinds
// and never resumes.
struct LessonReplaced : Unwind {};

// The two blocking primitives of the lesson scripts. Everything runs on one
// thread: while a script blocks here, window events are handled. Handlers
// never run a lesson inside the toolkit's dispatch; they hand it here, and it
// runs from the idle loop once the running lesson has unwound.
class Waits {
public:
    Waits(EventPump& pump, const Clock& clock) : pump_(pump), clock_(clock) {}
    Waits(const Waits&) = delete;
    Waits& operator=(const Waits&) = delete;

    // Returns after the next "go on" click; a click made while no wait ran
    // is remembered and ends this wait at once. Called from inside an event
    // handler it returns at once and reports a critical fault: blocking
    // there would run one lesson inside the handler of another.
    void wait();
    // Pauses for `seconds` of elapsed time, handling events meanwhile; from
    // inside an event handler, as `wait`.
    void delay(double seconds);
    // Handles pending events once, without blocking.
    void process_pending();
    // For a long run of work that never pauses: handles pending events now
    // and then (every few calls or hundredths of a second), so that the
    // window still answers.
    void keep_answering();

    // A "go on" click (the message box, or the continue link).
    void click() { clicked_ = true; }
    bool click_pending() const { return clicked_; }
    // Forgets a click no wait has taken yet: one made on a finished screen
    // must not skip the first line of a page the learner opens next.
    void forget_click() { clicked_ = false; }

    // Runs `lesson` in place of whatever lesson runs now. The last request
    // wins when several arrive before the running lesson has unwound.
    void start(std::function<void()> lesson);

    // The loop of the program: runs the lessons started, handles events, and
    // returns once the program is to end.
    void run_until_quit();
    // Runs the lessons started until none is left, then returns; throws
    // QuitRequested when the program is to end. For a headless tutor.
    void run_until_idle();

    void request_quit() { quitting_ = true; }
    bool quitting() const { return quitting_; }
    // Whether a lesson is running (not the idle loop).
    bool in_lesson() const { return in_lesson_; }
    // How many waits and pauses have begun: whatever happens between two
    // readings of it happened at once to the learner.
    std::uint64_t pauses() const { return pauses_; }

private:
    void pump_events(double timeout);
    // False (and the fault reported) inside an event handler.
    bool may_block() const;
    // Runs the lesson started last, if any; false when there was none.
    bool run_next_lesson();
    // Throws when the program ends or the running lesson is to give way.
    void poll();

    EventPump& pump_;
    const Clock& clock_;
    std::function<void()> next_lesson_;
    bool clicked_ = false;
    bool quitting_ = false;
    bool in_lesson_ = false;
    int dispatching_ = 0; // nested event handling now under way
    std::uint64_t pauses_ = 0;
    double answered_at_ = 0; // the clock when keep_answering last handled events
    int unanswered_ = 0;     // calls since then
};

} // namespace quorrel::ui
