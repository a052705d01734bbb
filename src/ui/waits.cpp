#include "ui/waits.h"

#include <utility>

namespace quorrel::ui {

void Waits::wait()
{
    ++pauses_;
    for (;;) {
        poll();
        if (clicked_) {
            clicked_ = false;
            return;
        }
        pump_.wait_for_events(-1);
    }
}

void Waits::delay(double seconds)
{
    ++pauses_;
    const double end = clock_.seconds() + seconds;
    for (;;) {
        poll();
        const double left = end - clock_.seconds();
        if (left <= 0)
            return;
        pump_.wait_for_events(left);
    }
}

void Waits::process_pending()
{
    pump_.process_pending();
    poll();
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
                pump_.wait_for_events(-1);
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
