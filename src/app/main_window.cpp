#include "app/main_window.h"

#include "ui/menu_view.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace quorrel::app {

MainWindow::MainWindow(Tutor& tutor, QWidget* parent)
    : QMainWindow(parent), tutor_(tutor), view_(new ui::FormView(tutor.form.form(), this))
{
    setObjectName("lessonform");
    setWindowTitle(LessonForm::caption);
    setCentralWidget(view_);
    ui::build_menu_bar(*menuBar(), tutor.form.form().menu_bar());
}

MainWindow::~MainWindow() { ui::release_menu_tree(tutor_.form.form().menu_bar()); }

void MainWindow::fill(const QRect& area)
{
    const int inner_height = area.height() - menuBar()->sizeHint().height();
    tutor_.form.form().resize(area.width(), inner_height);
    view_->setFixedSize(area.width(), inner_height);
    setGeometry(area.x(), area.y(), area.width(), area.height());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the program from whatever wait is running.
    tutor_.mnu_exit_Click();
    event->accept();
}

} // namespace quorrel::app
