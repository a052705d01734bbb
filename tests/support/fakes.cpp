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

std::vector<std::string> FakeSpeech::said() const
{
    std::vector<std::string> texts;
    for (const std::string& entry : told)
        if (entry.starts_with("say: "))
            texts.push_back(entry.substr(5));
    return texts;
}

} // namespace quorrel::testing
