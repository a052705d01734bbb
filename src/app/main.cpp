#include "app/main_window.h"
#include "app/tutor.h"
#include "ui/message_box.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    using namespace quorrel;
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quorrel");
    QApplication::setQuitOnLastWindowClosed(false); // the runner decides when the program ends

    ui::QtEventPump pump;
    ui::SteadyClock clock;
    ui::MessageBoxDialogs dialogs;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    app::Tutor tutor({pump, clock, dialogs, ui::Random::from_clock()}, area.width(), area.height());
    app::MainWindow window(tutor);
    dialogs.set_parent(&window);
    window.fill(area);
    window.show();
    try {
        tutor.start();
        tutor.runner.run_until_quit();
    } catch (const app::QuitRequested&) {
    }
    return 0;
}
