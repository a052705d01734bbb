#include "app/program.h"

#include <QGuiApplication>
#include <QScreen>

namespace quorrel::app {

Program::Program(ui::Random random)
    : area_(QGuiApplication::primaryScreen()->availableGeometry()),
      tutor_({pump_, clock_, dialogs_, std::move(random)}, area_.width(), area_.height()),
      window_(tutor_)
{
    dialogs_.set_parent(&window_);
    window_.fill(area_);
}

int Program::exec()
{
    window_.show();
    try {
        tutor_.start();
        tutor_.runner.run_until_quit();
    } catch (const QuitRequested&) {
    }
    return 0;
}

} // namespace quorrel::app
