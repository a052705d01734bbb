#include "ui/waits.h"

#include <QtGlobal>

#include <utility>

namespace quorrel::ui {

namespace {
// Whatever the pump runs meanwhile is an event handler.
class Dispatching {
public:
    explicit Dispatching(int& depth) : depth_(depth) { ++depth_; }
    ~Dispatching() { --depth_; }
    Dispatching(const Dispatching&) = delete;
    Dispatching& operator=(const Dispatching&) = delete;

private:
    int& depth_;
};
} // namespace

void Waits::pump_events(double timeout)
{
    const Dispatching dispatching(dispatching_);
    pump_.wait_for_events(timeout);
}

bool Waits::may_block() const
{
    if (dispatching_ == 0)
        return true;
    qCritical("quorrel: a wait inside an event handler was refused; handlers start lessons through Waits::start");
    return false;
}

void Waits::wait()
{
    if (!may_block())
        return;
    ++pauses_;
    for (;;) {
        poll();
        if (clicked_) {
            clicked_ = false;
            return;
        }
        pump_events(-1);
    }
}

void Waits::delay(double seconds)
{
    if (!may_block())
        return;
    ++pauses_;
    const double end = clock_.seconds() + seconds;
    for (;;) {
        poll();
        const double left = end - clock_.seconds();
        if (left <= 0)
            return;
        pump_events(left);
    }
}

void Waits::process_pending()
{
    {
        const Dispatching dispatching(dispatching_);
        pump_.process_pending();
    }
    poll();
}

void Waits::keep_answering()
{
    constexpr int calls = 64;
    constexpr double seconds = 0.02;
    const double now = clock_.seconds();
    if (++unanswered_ < calls && now - answered_at_ < seconds && now >= answered_at_)
        return;
    unanswered_ = 0;
    answered_at_ = now;
    process_pending();
}

void Waits::start(std::function<void()> lesson) { next_lesson_ = std::move(lesson); }

void Waits::poll()
{
    if (quitting_)
        throw QuitRequested{};
    if (next_lesson_ && in_lesson_)
        throw LessonReplaced{};
}

bool Waits::run_next_lesson()
{
    poll();
    if (!next_lesson_)
        return false;
    auto lesson = std::exchange(next_lesson_, nullptr);
    in_lesson_ = true;
    try {
        lesson();
    } catch (const LessonReplaced&) {
    } catch (...) {
        in_lesson_ = false;
        throw;
    }
    in_lesson_ = false;
    return true;
}

void Waits::run_until_quit()
{
    try {
        for (;;) {
            if (!run_next_lesson())
                pump_events(-1);
        }
    } catch (const QuitRequested&) {
    }
}

void Waits::run_until_idle()
{
    while (run_next_lesson()) {
    }
}

} // namespace quorrel::ui
