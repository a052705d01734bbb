#pragma once

#include "app/tutor.h"
#include "ui/form_view.h"

#include <QMainWindow>

namespace quorrel::app {

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

    ui::FormView& form_view() { return *view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Tutor& tutor_;
    ui::FormView* view_;
};

} // namespace quorrel::app
