#include "support/fakes.h"

#include <QCoreApplication>

namespace quorrel::testing {

void ScriptedPump::process_pending()
{
    if (deliver_qt_events)
        QCoreApplication::processEvents();
}

void ScriptedPump::wait_for_events(double timeout)
{
    process_pending();
    if (timeout >= 0) {
        clock_.advance(timeout);
        paused += timeout;
        return;
    }
    ++turns;
    if (learner)
        learner();
}

} // namespace quorrel::testing
