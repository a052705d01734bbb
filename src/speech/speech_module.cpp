#include "ui/platform.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextToSpeech>

#include <memory>

namespace {

using quorrel::ui::Speech;

// One engine of Qt's speech module. Whether it works is judged by its state:
// it starts Ready or it does not start, and a failure while speaking turns it
// to Error. Its error reason is mostly no guide: flite starts Ready with a
// reason left over from its start and never clears it. One reason is: with
// no sound device to play on, flite starts Ready but reports playback
// failed, and then speaks into nothing without another word.
class QtSpeech final : public Speech {
public:
    explicit QtSpeech(const QString& engine) : engine_(engine)
    {
        QObject::connect(&engine_, &QTextToSpeech::errorOccurred, &engine_,
                         [this](QTextToSpeech::ErrorReason, const QString& message) { note_failure(message); });
        QObject::connect(&engine_, &QTextToSpeech::stateChanged, &engine_, [this](QTextToSpeech::State state) {
            if (state == QTextToSpeech::Error)
                note_failure(engine_.errorString());
        });
        if (engine_.state() == QTextToSpeech::Error ||
            engine_.errorReason() == QTextToSpeech::ErrorReason::Playback)
            note_failure(engine_.errorString());
    }

    bool start() override { return available(); }
    bool available() const override { return fault_.empty(); }
    std::string fault() const override { return fault_; }

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
    void note_failure(const QString& message)
    {
        if (!fault_.empty())
            return;
        fault_ = "The voice stopped working";
        if (!message.isEmpty())
            fault_ += ": " + message.toStdString();
    }

    QTextToSpeech engine_;
    std::string fault_;
};

// Where no engine is installed.
class NoEngine final : public Speech {
public:
    bool start() override { return false; }
    bool available() const override { return false; }
    std::string fault() const override
    {
        return "No speech engine is installed (on Debian: the package qt6-speech-flite-plugin)";
    }
    void say(const std::string&) override {}
    void stop() override {}
};

} // namespace

// The module's one entry: a voice for the engine named by
// QUORREL_SPEECH_ENGINE, else flite, which needs no speech server and reads
// the same on every machine, else the first engine there is.
extern "C" Q_DECL_EXPORT Speech* quorrel_create_speech()
{
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engines.isEmpty())
        return new NoEngine;
    const QString wanted = qEnvironmentVariable("QUORREL_SPEECH_ENGINE", "flite");
    return new QtSpeech(engines.contains(wanted) ? wanted : engines.front());
}
