#include "app/runner.h"

namespace quorrel::app {

void Runner::wait()
{
    for (;;) {
        run_deferred();
        throw_if_quitting();
        if (clicked_) {
            clicked_ = false;
            return;
        }
        pump_.wait_for_events(-1);
    }
}

void Runner::delay(double seconds)
{
    const double end = clock_.seconds() + seconds;
    for (;;) {
        run_deferred();
        throw_if_quitting();
        const double left = end - clock_.seconds();
        if (left <= 0)
            return;
        pump_.wait_for_events(left);
    }
}

void Runner::process_pending()
{
    pump_.process_pending();
    run_deferred();
    throw_if_quitting();
}

void Runner::defer(std::function<void()> action) { deferred_.push_back(std::move(action)); }

void Runner::run_until_quit()
{
    for (;;) {
        run_deferred();
        throw_if_quitting();
        pump_.wait_for_events(-1);
    }
}

void Runner::run_deferred()
{
    while (!deferred_.empty() && !quitting_) {
        auto action = std::move(deferred_.front());
        deferred_.pop_front();
        ++depth_;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{depth_};
        action();
    }
}

void Runner::throw_if_quitting() const
{
    if (quitting_)
        throw QuitRequested{};
}

} // namespace quorrel::app
