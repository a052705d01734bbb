#include "ui/platform.h"

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextToSpeech>

#include <memory>
#include <utility>

namespace {

using quorrel::ui::Speech;

// flite (Qt 6.4) cannot be cut short: an utterance stopped, or replaced,
// while its sound is being written leaves every later one failing with a
// streaming error. So nothing is cut: a line is said a short phrase at a
// time, and a new line (or a stop) waits for the phrase being said. Sixty
// characters take some three and a half seconds.
constexpr qsizetype longest_phrase = 60;

// Where a piece of `words` longer than a phrase is best cut: after the last
// sentence mark, else the last comma, else the last blank within reach.
qsizetype cut_point(const QString& words, qsizetype from)
{
    const qsizetype reach = from + longest_phrase;
    for (const QStringView marks : {u".?!;:", u",", u" "})
        for (qsizetype i = reach - 1; i > from; --i)
            if (marks.contains(words[i]) && (i + 1 == words.size() || words[i + 1] == u' '))
                return i + 1;
    return reach; // one word longer than a phrase
}

QStringList phrases(const QString& words)
{
    QStringList out;
    qsizetype from = 0;
    while (from < words.size()) {
        const qsizetype end = words.size() - from <= longest_phrase ? words.size() : cut_point(words, from);
        if (const QString phrase = words.mid(from, end - from).trimmed(); !phrase.isEmpty())
            out << phrase;
        from = end;
    }
    return out;
}

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
            else if (state == QTextToSpeech::Ready)
                phrase_ended();
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
        if (!available())
            return;
        queue_ = phrases(QString::fromStdString(text));
        if (!speaking_)
            say_next();
    }

    // The phrase being said ends; nothing of the line follows it.
    void stop() override { queue_.clear(); }

private:
    void phrase_ended()
    {
        if (!std::exchange(speaking_, false))
            return;
        // Not from inside the engine's own signal: flite is not done with
        // the old sound yet, and a new one started there fails.
        QMetaObject::invokeMethod(&engine_, [this] { say_next(); }, Qt::QueuedConnection);
    }

    void say_next()
    {
        if (queue_.isEmpty() || !available())
            return;
        speaking_ = true;
        engine_.say(queue_.takeFirst());
    }

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
    QStringList queue_; // the phrases of the line still to say
    bool speaking_ = false; // a phrase is handed to the engine and not yet ended
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
