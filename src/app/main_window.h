#pragma once

#include "app/tutor.h"
#include "ui/views/form_view.h"

#include <QMainWindow>
#include <QSize>

class QGraphicsView;

namespace quorrel::app {

// How the form is laid out for a window inside: at the inside's own size when
// that holds every lesson, else at a larger size (never smaller than
// `design` either way) that is shown scaled down uniformly to fill the inside.
struct FormFit {
    QSize form;
    double scale = 1;
};
FormFit fit_form(QSize inside, QSize design);

// The window captioned "Quorrel": the lesson form's view under its menus.
class MainWindow final : public QMainWindow {
public:
    explicit MainWindow(Tutor& tutor, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Shows the window across `area` (the screen's work area): maximised,
    // so that under a window manager the frame and title bar stay on the
    // screen too, and lays the form out to the inside that results. Call
    // before the lessons start; the form keeps that size.
    void fill(const QRect& area);
    // Lays the form out for an inside of `inside` pixels (see fit_form).
    void lay_out(QSize inside);

    ui::FormView& form_view() { return *view_; }
    // The scale the form is shown at: 1, or less on a small screen.
    double scale() const { return scale_; }
    // What shows the scaled form, or null when it is shown as it is.
    QGraphicsView* scaled_view() const { return stage_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Tutor& tutor_;
    ui::FormView* view_;
    QGraphicsView* stage_ = nullptr;
    double scale_ = 1;
};

} // namespace quorrel::app
