// A speech engine for the tests, loaded by Qt as the engine "fake": how it
// behaves is read from QUORREL_FAKE_VOICE when an engine is made.
//   works     starts Ready and speaks; each utterance ends at the next
//             turn of the event loop and is logged, a line each, to the
//             file QUORREL_FAKE_VOICE_LOG names
//   stale     starts Ready with a reason left over from its start (as flite)
//   mute      starts Ready but has no sound device to play on
//   broken    does not start
//   breaks    starts Ready and fails when it first speaks
#include <QFile>
#include <QTextToSpeechEngine>
#include <QTimer>
#include <QTextToSpeechPlugin>

namespace {

class FakeEngine final : public QTextToSpeechEngine {
public:
    FakeEngine(QByteArray mode, QObject* parent) : QTextToSpeechEngine(parent), mode_(std::move(mode))
    {
        if (mode_ == "stale")
            reason_ = QTextToSpeech::ErrorReason::Initialization;
        else if (mode_ == "mute") {
            reason_ = QTextToSpeech::ErrorReason::Playback;
            message_ = "No sound device";
        } else if (mode_ == "broken") {
            state_ = QTextToSpeech::Error;
            reason_ = QTextToSpeech::ErrorReason::Initialization;
            message_ = "The voice could not be opened";
        }
    }

    QList<QLocale> availableLocales() const override { return {QLocale::c()}; }
    QList<QVoice> availableVoices() const override { return {}; }
    void say(const QString& text) override
    {
        if (mode_ == "works") {
            QFile log(qEnvironmentVariable("QUORREL_FAKE_VOICE_LOG"));
            if (!log.fileName().isEmpty() && log.open(QIODevice::Append))
                log.write(text.toUtf8() + '\n');
            Q_EMIT stateChanged(state_ = QTextToSpeech::Speaking);
            QTimer::singleShot(0, this, [this] { Q_EMIT stateChanged(state_ = QTextToSpeech::Ready); });
        }
        if (mode_ != "breaks")
            return;
        state_ = QTextToSpeech::Error;
        reason_ = QTextToSpeech::ErrorReason::Playback;
        message_ = "The sound device went away";
        Q_EMIT errorOccurred(reason_, message_);
        Q_EMIT stateChanged(state_);
    }
    void stop(QTextToSpeech::BoundaryHint) override {}
    void pause(QTextToSpeech::BoundaryHint) override {}
    void resume() override {}
    double rate() const override { return 0; }
    bool setRate(double) override { return true; }
    double pitch() const override { return 0; }
    bool setPitch(double) override { return true; }
    QLocale locale() const override { return QLocale::c(); }
    bool setLocale(const QLocale&) override { return true; }
    double volume() const override { return 1; }
    bool setVolume(double) override { return true; }
    QVoice voice() const override { return {}; }
    bool setVoice(const QVoice&) override { return true; }
    QTextToSpeech::State state() const override { return state_; }
    QTextToSpeech::ErrorReason errorReason() const override { return reason_; }
    QString errorString() const override { return message_; }

private:
    QByteArray mode_;
    QTextToSpeech::State state_ = QTextToSpeech::Ready;
    QTextToSpeech::ErrorReason reason_ = QTextToSpeech::ErrorReason::NoError;
    QString message_;
};

} // namespace

class FakeVoicePlugin final : public QObject, public QTextToSpeechPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.qt.speech.tts.plugin/6.0" FILE "fake_voice.json")
    Q_INTERFACES(QTextToSpeechPlugin)

public:
    QTextToSpeechEngine* createTextToSpeechEngine(const QVariantMap&, QObject* parent, QString*) const override
    {
        return new FakeEngine(qgetenv("QUORREL_FAKE_VOICE"), parent);
    }
};

#include "fake_voice.moc"
