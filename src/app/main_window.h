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

    // Spans `area` (the screen's work area) and lays the form out to the
    // inner size that remains under the menu bar.
    void fill(const QRect& area);

    ui::FormView& form_view() { return *view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Tutor& tutor_;
    ui::FormView* view_;
};

} // namespace quorrel::app
