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
    tutor_.Form_Load();
    tutor_.waits.run_until_quit();
    return 0;
}

} // namespace quorrel::app
