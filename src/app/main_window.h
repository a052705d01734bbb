#pragma once

#include "app/tutor.h"
#include "app/view_choices.h"
#include "ui/views/form_view.h"

#include <QMainWindow>
#include <QSize>

#include <functional>

class QGraphicsView;

namespace quorrel::app {

// How the form is laid out for a window inside, shown `zoom` times its own
// size: at the inside's own size when that holds every lesson unzoomed, else
// at the size (never smaller than `design`) that, shown scaled uniformly,
// fills the inside. The scale is `zoom` unless the screen is too small to
// show every page whole at that size.
struct FormFit {
    QSize form;
    double scale = 1;
};
FormFit fit_form(QSize inside, QSize design, double zoom = 1);

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

    // The learner's choices of the View menu: applied at once, the form
    // laid out again when its size changes.
    const ViewChoices& view_choices() const { return choices_; }
    void set_view_choices(const ViewChoices& choices);
    // Hears each change the learner makes in the View menu.
    std::function<void(const ViewChoices&)> on_view_changed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wire_menus();
    void choose_view(ViewChoices choices);
    // Asks for a page number and opens that page, as the strip does.
    void ask_for_page();

    Tutor& tutor_;
    ui::FormView* view_;
    QGraphicsView* stage_ = nullptr;
    double scale_ = 1;
    QSize inside_;
    ViewChoices choices_;
};

} // namespace quorrel::app
