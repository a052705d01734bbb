#include "app/program.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace quorrel::app {

Program::Program(ui::Random random, bool author) : Program(std::move(random), author, steady_clock_) {}

Program::Program(ui::Random random, bool author, const ui::Clock& clock)
    : speech_(ui::system_speech()),
      area_(QGuiApplication::primaryScreen()->availableGeometry()),
      tutor_({pump_, clock, dialogs_, std::move(random), *speech_}, area_.width(), area_.height()),
      window_(tutor_)
{
    dialogs_.set_parent(&window_);
    window_.fill(area_);
    if (author)
        tutor_.offer_authoring([this] { open_authoring(); },
                               [this] { return !authoring_window_ || authoring_window_->settle_unsaved(); });
}

void Program::open_authoring()
{
    if (!authoring_window_) {
        authoring_window_ = std::make_unique<AuthoringWindow>(tutor_.authoring_model());
        authoring_window_->set_player({[this](std::size_t from) { tutor_.play_scene(from); },
                                       [this] { tutor_.stop_scene(); }});
        // Beside the message box, over the main window's right half, where
        // the fractions are: either window comes to the front when clicked.
        const QRect main = window_.geometry();
        const int left = main.left() + main.width() / 2;
        authoring_window_->move(left, main.top());
        authoring_window_->resize(std::min(authoring_window_->width(), main.right() - left),
                                  std::min(authoring_window_->height(), main.height()));
    }
    authoring_window_->refresh();
    authoring_window_->show();
    authoring_window_->raise();
    authoring_window_->activateWindow();
}

int Program::exec()
{
    window_.show();
    tutor_.Form_Load();
    tutor_.run_until_quit();
    return 0;
}

} // namespace quorrel::app
