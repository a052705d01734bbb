#pragma once

#include "ui/form.h"

#include <QWidget>

#include <functional>
#include <unordered_map>
#include <vector>

namespace quorrel::ui {

class FocusFrame;

// Shows a Form: paints its drawing surface and line controls, and keeps one
// child widget per control in step with the control's model. Input from the
// learner is handed to the model's handlers; the model never sees a widget.
class FormView final : public QWidget {
public:
    explicit FormView(Form& form, QWidget* parent = nullptr);
    ~FormView() override;

    QWidget* widget_for(const Control& control) const;

    // The widgets that take Tab focus now: the shown controls with a Tab
    // place, in the order of their places.
    std::vector<QWidget*> focus_chain() const;
    // Moves the focus one step along the chain, round from the last to the
    // first (backwards: the first to the last); false when the chain is empty.
    bool step_focus(bool forward);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Watches the control views' focus and geometry for the focus frame.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void add_view(Control& control);
    void restack();
    void update_frame();
    // The focused control hid: the focus waits on the form meanwhile.
    void hold_focus();
    // Gives the focus the hidden control had to a shown slider, once the
    // lesson has laid out its screen.
    void regain_focus();

    Form& form_;
    std::unordered_map<const Control*, QWidget*> views_;
    FocusFrame* frame_;
    // The keyboard's control hid (a new page): the focus waits on the form.
    bool regaining_ = false;
};

} // namespace quorrel::ui
