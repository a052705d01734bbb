#include "app/main_window.h"

#include "app/learner_keys.h"
#include "ui/views/menu_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace quorrel::app {

FormFit fit_form(QSize inside, QSize design)
{
    inside = inside.expandedTo(QSize(1, 1));
    const double scale = std::min({1.0, double(inside.width()) / design.width(),
                                   double(inside.height()) / design.height()});
    if (scale >= 1)
        return {inside, 1};
    // The tolerance keeps the binding side at the design size exactly.
    auto stretch = [scale](int side, int least) {
        return std::max(least, static_cast<int>(std::floor(side / scale + 1e-6)));
    };
    return {QSize(stretch(inside.width(), design.width()), stretch(inside.height(), design.height())), scale};
}

MainWindow::MainWindow(Tutor& tutor, QWidget* parent)
    : QMainWindow(parent), tutor_(tutor), view_(new ui::FormView(tutor.window(), this))
{
    setObjectName("lessonform");
    setWindowTitle(LessonForm::caption);
    setCentralWidget(view_);
    ui::build_menu_bar(*menuBar(), tutor.window().menu_bar());
    // Seen before any widget of the window, so a focused slider or text box
    // cannot swallow a key that means the same everywhere.
    qApp->installEventFilter(new LearnerKeys(*this, *view_, tutor));
}

MainWindow::~MainWindow() { ui::release_menu_tree(tutor_.window().menu_bar()); }

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
    lay_out(inner);
}

void MainWindow::lay_out(QSize inside)
{
    const FormFit fit = fit_form(inside, QSize(LessonForm::design_width, LessonForm::design_height));
    scale_ = fit.scale;
    tutor_.window().resize(fit.form.width(), fit.form.height());
    view_->setFixedSize(fit.form);
    if (fit.scale >= 1 && !stage_)
        return; // shown as it is, pixel for pixel
    if (!stage_) {
        // A graphics view draws the form and its child widgets scaled and
        // maps the learner's clicks and keys back to them.
        auto* scene = new QGraphicsScene(this);
        stage_ = new QGraphicsView(scene, this);
        stage_->setObjectName("lessonstage");
        stage_->setFrameShape(QFrame::NoFrame);
        stage_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        stage_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        stage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        stage_->setRenderHints(QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
        stage_->setBackgroundBrush(palette().window());
        takeCentralWidget();
        view_->move(0, 0); // it sat under the menus
        scene->addWidget(view_);
        setCentralWidget(stage_);
        stage_->setFocus();
    }
    stage_->scene()->setSceneRect(0, 0, fit.form.width(), fit.form.height());
    stage_->setTransform(QTransform::fromScale(fit.scale, fit.scale));
    stage_->setFixedSize(inside);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the program from whatever wait is running, unless the
    // author keeps it open for unsaved work.
    tutor_.quit();
    if (tutor_.probe().quitting())
        event->accept();
    else
        event->ignore();
}

} // namespace quorrel::app
