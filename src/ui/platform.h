#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>

namespace quorrel::ui {

// Elapsed seconds on a monotonic clock: a changed wall clock or midnight
// cannot stretch or cut a pause.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public Clock {
public:
    double seconds() const override;
};

// The window system's queue of input, as the blocking waits see it.
class EventPump {
public:
    virtual ~EventPump() = default;
    // Handles what is already queued; never blocks.
    virtual void process_pending() = 0;
    // Blocks until at least one event was handled or `timeout` seconds have
    // passed; a negative timeout waits for as long as it takes.
    virtual void wait_for_events(double timeout) = 0;
};

// The pump of the running Qt application.
class QtEventPump final : public EventPump {
public:
    void process_pending() override;
    void wait_for_events(double timeout) override;
};

// Modal messages with an OK button.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message_box(const std::string& text) = 0;
};

// A voice that reads text aloud. Speaking runs on its own: `say` returns at
// once, and a new `say` cuts short the text still being spoken.
class Speech {
public:
    virtual ~Speech() = default;
    // Readies the engine, the first time at some cost; false when none
    // starts. Saying anything before a successful start says nothing.
    virtual bool start() = 0;
    // False once no engine started, or the engine has failed since.
    virtual bool available() const = 0;
    // Why it is not available, in words for the learner; empty while it is.
    virtual std::string fault() const = 0;
    virtual void say(const std::string& text) = 0;
    virtual void stop() = 0;
};

// The machine's own speech engine (flite where it is installed), loaded with
// its libraries only when first started, so a learner who never turns
// reading on pays nothing for it.
std::unique_ptr<Speech> system_speech();

// The program's one source of chance. Scripts reseed it "from the clock" at
// set moments; a generator made with a fixed seed ignores those requests so a
// test deals the same problems every run.
class Random {
public:
    static Random from_clock();
    static Random fixed(std::uint64_t seed);

    double next(); // uniform in [0, 1)
    void reseed_from_clock();
    // A generator of its own, seeded from this one, for what must not shift
    // this one's sequence (decoration whose size follows the window).
    Random split();

private:
    Random(std::uint64_t seed, bool fixed) : engine_(seed), fixed_(fixed) {}
    std::mt19937_64 engine_;
    bool fixed_;
};

} // namespace quorrel::ui
