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
#include <QInputDialog>
#include <QMenuBar>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace quorrel::app {

FormFit fit_form(QSize inside, QSize design, double zoom)
{
    inside = inside.expandedTo(QSize(1, 1));
    const double scale = std::min({zoom, double(inside.width()) / design.width(),
                                   double(inside.height()) / design.height()});
    if (scale == 1)
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
    wire_menus();
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
    inside_ = inside;
    const QSize design(LessonForm::design_width, LessonForm::design_height);
    const double zoom = choices_.zoom / 100.0;
    const FormFit fit = fit_form(inside, design, zoom);
    scale_ = fit.scale;
    // Larger only while the screen has room for it.
    if (ui::MenuItem* larger = tutor_.window().menu_bar().find("mnu_larger"))
        larger->set_enabled(choices_.larger() != choices_.zoom && fit.scale >= zoom - 1e-9);
    tutor_.refit(fit.form.width(), fit.form.height());
    view_->setFixedSize(fit.form);
    if (fit.scale == 1 && !stage_)
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
    // The proxy keeps the bounds the form had when it was embedded: a form
    // laid out larger since would be cut off.
    if (QGraphicsProxyWidget* proxy = view_->graphicsProxyWidget()) {
        proxy->setMinimumSize(fit.form);
        proxy->setMaximumSize(fit.form);
        proxy->resize(fit.form);
    }
    stage_->setTransform(QTransform::fromScale(fit.scale, fit.scale));
    // At a whole multiple each pixel of the pictures becomes a square block,
    // as sharp as drawn; between, smoothing keeps strokes even.
    stage_->setRenderHint(QPainter::SmoothPixmapTransform, std::abs(fit.scale - std::round(fit.scale)) > 1e-9);
    stage_->setFixedSize(inside);
}

void MainWindow::wire_menus()
{
    ui::MenuItem& bar = tutor_.window().menu_bar();
    const auto wire = [&bar](const char* name, std::function<void()> handler) {
        if (ui::MenuItem* item = bar.find(name))
            item->on_choose = std::move(handler);
    };
    wire("mnu_goto", [this] { ask_for_page(); });
    wire("mnu_larger", [this] { choose_view({choices_.larger(), choices_.high_contrast}); });
    wire("mnu_smaller", [this] { choose_view({choices_.smaller(), choices_.high_contrast}); });
    wire("mnu_normalsize", [this] { choose_view({ViewChoices::zoom_steps.front(), choices_.high_contrast}); });
    wire("mnu_contrast", [this] { choose_view({choices_.zoom, !choices_.high_contrast}); });
}

void MainWindow::choose_view(ViewChoices choices)
{
    if (choices == choices_)
        return;
    const bool contrast_changed = choices.high_contrast != choices_.high_contrast;
    const QSize form(tutor_.window().width(), tutor_.window().height());
    set_view_choices(choices);
    // The page on screen was drawn in the old inks: it starts again in the
    // new ones, unless a new size has started it again already.
    if (contrast_changed && form == QSize(tutor_.window().width(), tutor_.window().height()) &&
        !tutor_.probe().lesson().empty())
        tutor_.go_to_page(tutor_.global_page());
    if (on_view_changed)
        on_view_changed(choices_);
}

void MainWindow::set_view_choices(const ViewChoices& choices)
{
    choices_ = choices;
    ui::set_high_contrast(choices.high_contrast);
    ui::MenuItem& bar = tutor_.window().menu_bar();
    if (ui::MenuItem* contrast = bar.find("mnu_contrast"))
        contrast->set_checked(choices.high_contrast);
    if (ui::MenuItem* smaller = bar.find("mnu_smaller"))
        smaller->set_enabled(choices.smaller() != choices.zoom);
    if (ui::MenuItem* normal = bar.find("mnu_normalsize"))
        normal->set_enabled(choices.zoom != ViewChoices::zoom_steps.front());
    if (inside_.isValid())
        lay_out(inside_);
}

void MainWindow::ask_for_page()
{
    auto* dialog = new QInputDialog(this);
    dialog->setObjectName("page_dialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Go to page"));
    dialog->setInputMode(QInputDialog::IntInput);
    dialog->setIntRange(1, tutor_.page_count());
    dialog->setIntValue(std::clamp(tutor_.global_page(), 1, tutor_.page_count()));
    dialog->setLabelText(QStringLiteral("Page (1 to %1):").arg(tutor_.page_count()));
    connect(dialog, &QInputDialog::intValueSelected, this, [this](int page) { tutor_.go_to_page(page); });
    dialog->open(); // window-modal, and no lesson waits inside the menu's handler
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
