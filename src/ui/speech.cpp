#include "ui/platform.h"

#ifdef QUORREL_TEXT_TO_SPEECH
#include <QString>
#include <QStringList>
#include <QTextToSpeech>
#endif

namespace quorrel::ui {

namespace {

class NoSpeech final : public Speech {
public:
    bool available() const override { return false; }
    void say(const std::string&) override {}
    void stop() override {}
};

#ifdef QUORREL_TEXT_TO_SPEECH

class QtSpeech final : public Speech {
public:
    explicit QtSpeech(const QString& engine) : engine_(engine) {}

    // An engine that failed stays failed; the lessons go on silently. Without
    // an audio device flite starts "Ready" but already reports the playback
    // fault, and its first text would only fail.
    bool available() const override
    {
        return engine_.state() != QTextToSpeech::Error &&
               engine_.errorReason() == QTextToSpeech::ErrorReason::NoError;
    }

    void say(const std::string& text) override
    {
        if (available())
            engine_.say(QString::fromStdString(text));
    }

    void stop() override
    {
        if (available())
            engine_.stop();
    }

private:
    QTextToSpeech engine_;
};

#endif

} // namespace

std::unique_ptr<Speech> system_speech()
{
#ifdef QUORREL_TEXT_TO_SPEECH
    const QStringList engines = QTextToSpeech::availableEngines();
    if (!engines.isEmpty()) {
        // flite needs no speech server and reads the same on every machine.
        const QString engine = engines.contains("flite") ? QString("flite") : engines.front();
        return std::make_unique<QtSpeech>(engine);
    }
#endif
    return std::make_unique<NoSpeech>();
}

} // namespace quorrel::ui
