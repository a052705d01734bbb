#include "app/program.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

namespace quorrel::app {

Program::Program(ui::Random random, bool author) : Program(std::move(random), author, nullptr, nullptr) {}

Program::Program(ui::Random random, bool author, const ui::Clock& clock)
    : Program(std::move(random), author, &clock, nullptr)
{
}

Program::Program(ui::Random random, bool author, progress::Store& store)
    : Program(std::move(random), author, nullptr, &store)
{
}

Program::Program(ui::Random random, bool author, const ui::Clock* clock, progress::Store* store)
    : speech_(ui::system_speech()),
      area_(QGuiApplication::primaryScreen()->availableGeometry()),
      tutor_({pump_, clock ? *clock : steady_clock_, dialogs_, std::move(random), *speech_, {}, store},
             area_.width(), area_.height()),
      window_(tutor_)
{
    if (store)
        learners_ = std::make_unique<LearnerDesk>(*store, tutor_, window_);
    dialogs_.set_parent(&window_);
    window_.fill(area_);
    if (author)
        tutor_.offer_authoring([this] {
            if (!authoring_window_)
                authoring_window_ = std::make_unique<AuthoringWindow>(tutor_.authoring_model());
            authoring_window_->refresh();
            authoring_window_->show();
            authoring_window_->raise();
            authoring_window_->activateWindow();
        });
}

int Program::exec(const std::optional<QString>& learner)
{
    window_.show();
    QString why;
    if (learners_ && !learners_->start(learner, why)) {
        std::fprintf(stderr, "quorrel: %s\n", qPrintable(why));
        return 2;
    }
    tutor_.Form_Load();
    tutor_.run_until_quit();
    return 0;
}

} // namespace quorrel::app
