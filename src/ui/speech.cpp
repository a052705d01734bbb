#include "ui/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QString>
#include <QStringList>

namespace quorrel::ui {

namespace {

// The speech module, found and loaded the first time reading is started.
// Its engine, and the audio libraries under it, are never loaded before.
class ModuleSpeech final : public Speech {
public:
    bool start() override
    {
        if (!tried_) {
            tried_ = true;
            load();
        }
        return available();
    }
    bool available() const override { return !tried_ || (voice_ && voice_->available()); }
    std::string fault() const override
    {
        if (!tried_)
            return {};
        return voice_ ? voice_->fault() : missing_;
    }
    void say(const std::string& text) override
    {
        if (voice_)
            voice_->say(text);
    }
    void stop() override
    {
        if (voice_)
            voice_->stop();
    }

private:
    void load()
    {
        using Create = Speech* (*)();
        for (const QString& path : candidates()) {
            // Never unloaded: the voice's code lives in it until the program ends.
            QLibrary module(path);
            if (!module.load())
                continue;
            if (const auto create = reinterpret_cast<Create>(module.resolve("quorrel_create_speech"))) {
                voice_.reset(create());
                return;
            }
        }
        missing_ = "Reading aloud is not part of this copy of Quorrel";
    }

    // Named by QUORREL_SPEECH_MODULE, beside the program, or where it is
    // installed.
    static QStringList candidates()
    {
        QStringList paths;
        if (const QString named = qEnvironmentVariable("QUORREL_SPEECH_MODULE"); !named.isEmpty())
            paths << named;
        const QDir here(QCoreApplication::applicationDirPath());
        paths << here.filePath("quorrel_speech.so")
              << here.filePath(QStringLiteral(QUORREL_SPEECH_MODULE_DIR "/quorrel_speech.so"));
        return paths;
    }

    bool tried_ = false;
    std::unique_ptr<Speech> voice_;
    std::string missing_;
};

} // namespace

std::unique_ptr<Speech> system_speech() { return std::make_unique<ModuleSpeech>(); }

} // namespace quorrel::ui
