#include "ui/platform.h"

#include <QCoreApplication>
#include <QTimer>

#include <chrono>
#include <cmath>

namespace quorrel::ui {

double SteadyClock::seconds() const
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtEventPump::process_pending() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::wait_for_events(double timeout)
{
    // A single-shot timer bounds the block, so the thread sleeps in the event
    // dispatcher instead of spinning until the deadline.
    QTimer deadline;
    if (timeout >= 0) {
        deadline.setSingleShot(true);
        deadline.setTimerType(Qt::PreciseTimer);
        deadline.start(static_cast<int>(std::ceil(timeout * 1000.0)));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

namespace {
std::uint64_t clock_seed()
{
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
           static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}
} // namespace

Random Random::from_clock() { return Random(clock_seed(), false); }

Random Random::fixed(std::uint64_t seed) { return Random(seed, true); }

Random Random::split() { return Random(engine_(), fixed_); }

double Random::next() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

void Random::reseed_from_clock()
{
    if (!fixed_)
        engine_.seed(clock_seed());
}

} // namespace quorrel::ui
