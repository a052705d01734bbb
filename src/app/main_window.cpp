#include "app/main_window.h"

#include "app/learner_keys.h"
#include "ui/menu_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QMenuBar>

namespace quorrel::app {

MainWindow::MainWindow(Tutor& tutor, QWidget* parent)
    : QMainWindow(parent), tutor_(tutor), view_(new ui::FormView(tutor.form.form(), this))
{
    setObjectName("lessonform");
    setWindowTitle(LessonForm::caption);
    setCentralWidget(view_);
    ui::build_menu_bar(*menuBar(), tutor.form.form().menu_bar());
    // Seen before any widget of the window, so a focused slider or text box
    // cannot swallow a key that means the same everywhere.
    qApp->installEventFilter(new LearnerKeys(*this, *view_, tutor));
}

MainWindow::~MainWindow() { ui::release_menu_tree(tutor_.form.form().menu_bar()); }

void MainWindow::fill(const QRect& area)
{
    // Until the window manager has framed the window its inside is unknown:
    // let the view take any size meanwhile.
    view_->setMinimumSize(0, 0);
    view_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(area);
    showMaximized();
    QElapsedTimer waited;
    waited.start();
    constexpr int patience_ms = 2000;
    while (!windowHandle()->isExposed() && waited.elapsed() < patience_ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents();

    QSize inner = view_->size();
    if (inner.width() < 1 || inner.height() < 1) // no answer: the work area less the menus
        inner = QSize(area.width(), area.height() - menuBar()->sizeHint().height());
    tutor_.form.form().resize(inner.width(), inner.height());
    view_->setFixedSize(inner);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the program from whatever wait is running.
    tutor_.mnu_exit_Click();
    event->accept();
}

} // namespace quorrel::app
