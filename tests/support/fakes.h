#pragma once

#include "ui/platform.h"

#include <functional>
#include <string>
#include <vector>

// The one set of stand-ins for the machine that tests and benchmarks share.
namespace quorrel::testing {

// Time that passes only when something pauses.
class FakeClock final : public ui::Clock {
public:
    explicit FakeClock(double start = 0) : now(start) {}
    double seconds() const override { return now; }
    void advance(double seconds) { now += seconds; }

    double now;
};

// Stands in for the window system's queue. A pause advances the fake clock at
// once; a wait for input hands the turn to the scripted learner (when there
// is none, the wait simply returns).
class ScriptedPump final : public ui::EventPump {
public:
    explicit ScriptedPump(FakeClock& clock) : clock_(clock) {}

    void process_pending() override;
    void wait_for_events(double timeout) override;

    std::function<void()> learner;
    int turns = 0;         // how often the learner was asked to act
    double paused = 0;     // seconds of pauses
    bool deliver_qt_events = false; // for tests that also show the window

private:
    FakeClock& clock_;
};

// Message boxes that only note what they would have said.
class RecordingDialogs final : public ui::Dialogs {
public:
    void message_box(const std::string& text) override
    {
        ++shown;
        if (keep_texts)
            messages.push_back(text);
    }
    std::vector<std::string> messages;
    long shown = 0;
    bool keep_texts = true; // off for benchmarks that raise millions
};

// A voice that notes what it was told: "say: <text>" and "stop", in order.
class FakeSpeech final : public ui::Speech {
public:
    bool start() override
    {
        ++starts;
        return works;
    }
    bool available() const override { return works; }
    std::string fault() const override { return works ? "" : "The voice stopped working"; }
    void say(const std::string& text) override { told.push_back("say: " + text); }
    void stop() override { told.push_back("stop"); }

    // The texts handed to `say`, in order.
    std::vector<std::string> said() const;

    std::vector<std::string> told;
    bool works = true;
    int starts = 0;
};

} // namespace quorrel::testing
