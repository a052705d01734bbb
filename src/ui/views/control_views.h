#pragma once

#include "ui/controls.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <optional>
#include <utility>

namespace quorrel::ui {

// Each view mirrors one model control and forwards the learner's input to it.
class ControlView {
public:
    virtual ~ControlView() = default;
    // The control's content changed: show it.
    virtual void refresh() = 0;
};

// A picture box. A box of text is read by screen readers as its lines of
// words (each new one announced as it arrives) and takes the keyboard focus
// while nothing else holds it, so a screen reader follows the lesson; Up and
// Down move a reader's caret there line by line, to read earlier lines again.
class PictureView final : public QWidget, public ControlView {
public:
    explicit PictureView(PictureBox& box, QWidget* parent = nullptr);
    void refresh() override { update(); }

    const PictureBox& box() const { return box_; }
    // The text screen readers were last told of, and where their caret is in
    // it: at the start of the newest line unless moved.
    const QString& read_text() const { return read_text_; }
    int caret() const { return caret_; }
    void set_caret(int position);
    // The box's text changed: tells screen readers what changed.
    void text_changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    PictureBox& box_;
    bool pressed_ = false; // a press began here, so its release is a click
    // The last press that began a click, which a quick second press near it
    // turns into a double-click.
    std::optional<std::pair<quint64, QPointF>> first_press_;
    QString read_text_;
    int caret_ = 0;
};

// A grey button on a white bar with an arrow at each end. Arrow clicks (and
// a held arrow) step by one; a drag shows the model each value it passes and
// gives it the value where it is let go.
class SliderView final : public QScrollBar, public ControlView {
public:
    explicit SliderView(Slider& slider, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // An arrow key steps by one, at once, as an arrow click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Slider& slider_;
    bool stale_ = false;   // the model changed under a drag in progress
    bool dragged_ = false; // the drag in progress has shown a value
};

class TextBoxView final : public QLineEdit, public ControlView {
public:
    explicit TextBoxView(TextBox& box, QWidget* parent = nullptr);
    void refresh() override;
    // Applies what was typed, if anything, as Return does, keeping the focus.
    void commit_typing();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Return applies what was typed, as a click on the box does.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Leaving the box for another control applies what was typed, so no
    // number shows that the fraction does not hold.
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Applies the text through the box's click handler.
    void apply();

    TextBox& box_;
    bool hovered_ = false;
    bool edited_ = false; // typed into since the text was last applied or set
    // Reached by the keyboard (Tab, or Return typed here): a new value keeps
    // the focus, selected for typing over, so the learner keeps their place.
    bool keyboard_focus_ = false;
    // The caret a click put, while the click applies the text: a new value
    // keeps it there, so the learner types on where they clicked.
    std::optional<int> clicked_caret_;
};

// A text box set to multi_line: its text wraps at word breaks to the box's
// width, and a scroll bar appears only when the lines outgrow the box.
class MultiLineTextView final : public QPlainTextEdit, public ControlView {
public:
    explicit MultiLineTextView(TextBox& box, QWidget* parent = nullptr);
    void refresh() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    TextBox& box_;
};

// Clickable, and chosen by Alt with its mnemonic, but never focused: Space
// and Return mean "go on" wherever the learner is.
class ButtonView final : public QPushButton, public ControlView {
public:
    explicit ButtonView(Button& button, QWidget* parent = nullptr);
    void refresh() override {}
};

// The focus frame of the control the keyboard works: drawn above every
// control of the form, so that no picture lying over the control's edge
// covers it, and only while the control has the focus.
class FocusFrame final : public QWidget {
public:
    explicit FocusFrame(QWidget* parent);
    // Frames `control`, or nothing when it is null.
    void follow(const QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// `caption` as a menu or button text: a literal '&' doubled, and `mnemonic`
// (compared without case) marked with '&' where a word starts with it, else
// where it first appears; 0 marks nothing.
QString mnemonic_text(const std::string& caption, char mnemonic);

} // namespace quorrel::ui
