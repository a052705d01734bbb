#include "ui/control_views.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace quorrel::ui {

namespace {

void style_text(QWidget& view, const TextBox& box)
{
    QFont font = to_qfont(box.font());
    font.setUnderline(box.font().underline);
    view.setFont(font);
    QPalette p = view.palette();
    p.setColor(QPalette::Base, to_qcolor(box.background()));
    p.setColor(QPalette::Text, to_qcolor(box.fore_color()));
    view.setPalette(p);
}

} // namespace

PictureView::PictureView(PictureBox& box, QWidget* parent) : QWidget(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), box_.canvas().image(), event->rect());
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    if (box_.on_mouse_down)
        box_.on_mouse_down(event->position().x(), event->position().y());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (box_.on_click && rect().contains(event->position().toPoint()))
        box_.on_click(event->position().x(), event->position().y());
}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    if (box_.on_mouse_move)
        box_.on_mouse_move(event->position().x(), event->position().y());
}

SliderView::SliderView(Slider& slider, QWidget* parent) : QScrollBar(Qt::Horizontal, parent), slider_(slider)
{
    setObjectName(QString::fromStdString(slider.name()));
    // One step per arrow click or page click, and a thumb that reads as a button.
    setSingleStep(1);
    setPageStep(1);
    refresh();
    // Arrow clicks and released drags are changes; a drag in progress scrolls.
    connect(this, &QScrollBar::valueChanged, this, [this](int value) {
        if (!isSliderDown())
            slider_.user_change(value);
    });
    connect(this, &QScrollBar::sliderMoved, this, [this](int value) { slider_.user_scroll(value); });
    connect(this, &QScrollBar::sliderReleased, this, [this] { slider_.user_change(value()); });
}

void SliderView::refresh()
{
    const QSignalBlocker block(this);
    setRange(std::min(slider_.min(), slider_.max()), std::max(slider_.min(), slider_.max()));
    setValue(slider_.value());
}

TextBoxView::TextBoxView(TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setFrame(false);
    refresh();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { box_.user_edit(text.toStdString()); });
}

void TextBoxView::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (box_.on_mouse_down)
        box_.on_mouse_down();
}

void TextBoxView::refresh()
{
    if (text().toStdString() != box_.text())
        setText(QString::fromStdString(box_.text()));
    style_text(*this, box_);
}

MultiLineTextView::MultiLineTextView(TextBox& box, QWidget* parent) : QPlainTextEdit(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    refresh();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        // Only what the learner typed: a refresh has already set the model.
        const std::string typed = toPlainText().toStdString();
        if (typed != box_.text())
            box_.user_edit(typed);
    });
}

void MultiLineTextView::mousePressEvent(QMouseEvent* event)
{
    QPlainTextEdit::mousePressEvent(event);
    if (box_.on_mouse_down)
        box_.on_mouse_down();
}

void MultiLineTextView::refresh()
{
    if (toPlainText().toStdString() != box_.text())
        setPlainText(QString::fromStdString(box_.text()));
    style_text(*this, box_);
}

ButtonView::ButtonView(Button& button, QWidget* parent)
    : QPushButton(QString::fromStdString(button.caption()), parent)
{
    setObjectName(QString::fromStdString(button.name()));
    connect(this, &QPushButton::clicked, this, [&button] { button.click(); });
}

} // namespace quorrel::ui
