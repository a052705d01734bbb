#include "ui/platform.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextToSpeech>

#include <memory>
#include <utility>

namespace {

using quorrel::ui::Speech;

// What the voice is given to say, for checking it on a real machine:
// QT_LOGGING_RULES="quorrel.speech.debug=true".
Q_LOGGING_CATEGORY(said, "quorrel.speech", QtWarningMsg)

// flite (Qt 6.4) cannot be cut short: an utterance stopped, or replaced,
// while its sound is being written leaves every later one failing with a
// streaming error. So nothing is cut: a line is said a short phrase at a
// time, and a new line (or a stop) waits for the phrase being said. Sixty
// characters take some three and a half seconds.
constexpr qsizetype longest_phrase = 60;

// The end of the phrase of `line` that starts at `from`: the whole rest
// when it is short, else after the last sentence mark, else after the last
// comma, else at the last blank within reach.
qsizetype phrase_end(const QString& line, qsizetype from)
{
    const qsizetype reach = from + longest_phrase;
    if (reach >= line.size())
        return line.size();
    const auto blank_after = [&](qsizetype i) { return line[i + 1] == u' '; };
    for (const QStringView marks : {u".?!;:", u","})
        for (qsizetype i = reach - 1; i > from; --i)
            if (marks.contains(line[i]) && blank_after(i))
                return i + 1;
    for (qsizetype i = reach - 1; i > from; --i)
        if (line[i] == u' ')
            return i;
    return reach; // one word longer than a phrase
}

// A phrase as it is said: no blank or mark left over from the cut before it.
QString spoken_phrase(QStringView piece)
{
    while (!piece.isEmpty() && (piece.front().isSpace() || QStringView(u".?!;:,").contains(piece.front())))
        piece = piece.mid(1);
    return piece.trimmed().toString();
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
        // A line that goes on from the last one (a title and then its first
        // line, text and then the rest of its line) goes on from what was said.
        const QString next = QString::fromStdString(text);
        if (!next.startsWith(QStringView(line_).left(handed_)))
            handed_ = 0;
        line_ = next;
        if (!speaking_)
            say_next();
    }

    // The phrase being said ends; nothing of its line follows it.
    void stop() override { handed_ = line_.size(); }

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
        while (handed_ < line_.size() && available()) {
            const qsizetype end = phrase_end(line_, handed_);
            const QString phrase = spoken_phrase(QStringView(line_).mid(handed_, end - handed_));
            handed_ = end;
            if (phrase.isEmpty())
                continue;
            speaking_ = true;
            qCDebug(said).noquote() << "saying:" << phrase;
            engine_.say(phrase);
            return;
        }
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
    QString line_;           // the newest line to say
    qsizetype handed_ = 0;   // how much of it the engine has been given
    bool speaking_ = false;  // a phrase is handed to the engine and not yet ended
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
