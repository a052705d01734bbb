#include "ui/views/control_views.h"

#include "ui/views/picture_access.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QStyleOptionSlider>

#include <algorithm>
#include <utility>

namespace quorrel::ui {

namespace {

void style_text(QWidget& view, const TextBox& box, bool hovered = false)
{
    QFont font = to_qfont(box.font());
    font.setUnderline(box.font().underline);
    view.setFont(font);
    QPalette p = view.palette();
    p.setColor(QPalette::Base, hovered ? QColor(Qt::white) : to_qcolor(box.background()));
    p.setColor(QPalette::Text, to_qcolor(box.fore_color()));
    view.setPalette(p);
}

} // namespace

FocusFrame::FocusFrame(QWidget* parent) : QWidget(parent)
{
    setObjectName("focus_frame");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusFrame::follow(const QWidget* control)
{
    if (!control) {
        hide();
        return;
    }
    setGeometry(control->geometry());
    show();
    raise();
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(QColor(0, 0, 255));
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

QString mnemonic_text(const std::string& caption, char mnemonic)
{
    const QString plain = QString::fromStdString(caption);
    const QChar wanted = QChar(mnemonic).toLower();
    // A word's first letter reads best underlined; any other one will do.
    qsizetype at = -1;
    for (qsizetype k = 0; mnemonic && k < plain.size() && at < 0; ++k)
        if (plain[k].toLower() == wanted && (k == 0 || plain[k - 1] == u' '))
            at = k;
    if (at < 0 && mnemonic)
        at = plain.indexOf(wanted, 0, Qt::CaseInsensitive);
    QString text;
    for (qsizetype k = 0; k < plain.size(); ++k) {
        if (plain[k] == u'&' || k == at)
            text += u'&';
        text += plain[k];
    }
    return text;
}

PictureView::PictureView(PictureBox& box, QWidget* parent) : QWidget(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    install_picture_access();
    if (box.holds_text)
        setFocusPolicy(Qt::StrongFocus);
    read_text_ = QString::fromStdString(box.accessible_text());
}

void PictureView::set_caret(int position)
{
    position = std::clamp(position, 0, static_cast<int>(read_text_.size()));
    if (position == caret_)
        return;
    caret_ = position;
    QAccessibleTextCursorEvent moved(this, caret_);
    QAccessible::updateAccessibility(&moved);
}

void PictureView::text_changed()
{
    const QString now = QString::fromStdString(box_.accessible_text());
    const TextChange change = text_change(std::exchange(read_text_, now), now);
    if (change.removed.isEmpty() && change.added.isEmpty())
        return;
    if (change.removed.isEmpty()) {
        QAccessibleTextInsertEvent event(this, change.position, change.added);
        QAccessible::updateAccessibility(&event);
    } else if (change.added.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, change.position, change.removed);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, change.position, change.removed, change.added);
        QAccessible::updateAccessibility(&event);
    }
    // The caret goes to the start of the newest line, where a reader moving
    // back starts; told of it, a screen reader may read the line there.
    caret_ = static_cast<int>(now.lastIndexOf(u'\n') + 1);
    QAccessibleTextCursorEvent moved(this, caret_);
    QAccessible::updateAccessibility(&moved);
    // With nothing else holding the keyboard, the lesson's text takes it, so
    // a screen reader reads along; a control the learner is using keeps it.
    const QWidget* focus = window()->focusWidget();
    if (focusPolicy() != Qt::NoFocus && isVisible() && (!focus || focus == parentWidget() || !focus->isVisible()))
        setFocus(Qt::OtherFocusReason);
}

void PictureView::keyPressEvent(QKeyEvent* event)
{
    const bool up = event->key() == Qt::Key_Up;
    if (!box_.holds_text || (!up && event->key() != Qt::Key_Down) || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The caret steps to the start of the line before or after its own.
    const qsizetype line_start = caret_ > 0 ? read_text_.lastIndexOf(u'\n', caret_ - 1) + 1 : 0;
    if (up && line_start > 0)
        set_caret(static_cast<int>(line_start > 1 ? read_text_.lastIndexOf(u'\n', line_start - 2) + 1 : 0));
    else if (!up)
        if (const qsizetype next = read_text_.indexOf(u'\n', caret_); next >= 0)
            set_caret(static_cast<int>(next + 1));
    event->accept();
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paint_picture(painter, event->rect(), box_.canvas().image());
}

void PictureView::mousePressEvent(QMouseEvent* event)
{
    // The second press of a double-click is no press of its own: a learner
    // who double-clicks has not read two lines or asked for a page twice.
    const QStyleHints& hints = *QGuiApplication::styleHints();
    const bool second = first_press_ &&
                        event->timestamp() - first_press_->first < quint64(hints.mouseDoubleClickInterval()) &&
                        (event->position() - first_press_->second).manhattanLength() <= hints.mouseDoubleClickDistance();
    if (second)
        first_press_.reset();
    else
        first_press_.emplace(event->timestamp(), event->position());
    pressed_ = !second;
    if (second)
        return;
    // A click elsewhere ends typing in a numeral box (and applies it) first,
    // as a click on a control that takes the focus would.
    if (auto* typing = qobject_cast<QLineEdit*>(window()->focusWidget()))
        typing->clearFocus();
    if (box_.on_mouse_down)
        box_.on_mouse_down(event->position().x(), event->position().y());
}

void PictureView::mouseReleaseEvent(QMouseEvent* event)
{
    if (!std::exchange(pressed_, false))
        return;
    if (box_.on_click && rect().contains(event->position().toPoint()))
        box_.on_click(event->position().x(), event->position().y());
}

// Follows the double-click's second press, already set aside.
void PictureView::mouseDoubleClickEvent(QMouseEvent*) {}

void PictureView::mouseMoveEvent(QMouseEvent* event)
{
    if (box_.on_mouse_move)
        box_.on_mouse_move(event->position().x(), event->position().y());
}

void PictureView::leaveEvent(QEvent*)
{
    if (box_.on_mouse_leave)
        box_.on_mouse_leave();
}

namespace {

// Old-style scroll bar: a white trough, a grey raised button, grey arrow
// buttons at both ends.
constexpr const char* slider_style = R"(
QScrollBar:horizontal { background: white; border: 1px solid rgb(160,160,160); margin: 0 16px; }
QScrollBar::handle:horizontal { background: rgb(192,192,192); min-width: 12px;
    border: 1px solid; border-color: rgb(240,240,240) rgb(96,96,96) rgb(96,96,96) rgb(240,240,240); }
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal { background: rgb(192,192,192); width: 16px;
    subcontrol-origin: margin; border: 1px solid;
    border-color: rgb(240,240,240) rgb(96,96,96) rgb(96,96,96) rgb(240,240,240); }
QScrollBar::add-line:horizontal { subcontrol-position: right; }
QScrollBar::sub-line:horizontal { subcontrol-position: left; }
QScrollBar::left-arrow:horizontal, QScrollBar::right-arrow:horizontal { width: 0; height: 0; }
QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }
QScrollBar:horizontal:disabled { background: rgb(240,240,240); border-color: rgb(200,200,200); }
QScrollBar::handle:horizontal:disabled, QScrollBar::add-line:horizontal:disabled,
QScrollBar::sub-line:horizontal:disabled { background: rgb(224,224,224);
    border-color: rgb(240,240,240) rgb(176,176,176) rgb(176,176,176) rgb(240,240,240); }
)";

} // namespace

SliderView::SliderView(Slider& slider, QWidget* parent) : QScrollBar(Qt::Horizontal, parent), slider_(slider)
{
    setObjectName(QString::fromStdString(slider.name()));
    setStyleSheet(slider_style);
    setSingleStep(1);
    setPageStep(1);
    // Without tracking the value changes on release, as one change, like an
    // arrow click; meanwhile the model is shown each value the button passes,
    // which leaves the range as it is under the pointer.
    setTracking(false);
    // Reached by a click or the window's own Tab order; never given the
    // focus on its own when the window opens.
    setFocusPolicy(Qt::ClickFocus);
    refresh();
    connect(this, &QScrollBar::valueChanged, this, [this](int value) {
        slider_.user_change(value);
        // A model that took no input (hidden, disabled) shows its own value.
        if (slider_.value() != value)
            refresh();
    });
    connect(this, &QScrollBar::sliderMoved, this, [this](int value) {
        dragged_ = true;
        slider_.user_drag(value);
    });
    // Let go where it began, a drag changes no value: the model hears the
    // value again, so what it showed during the drag gives way.
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (std::exchange(dragged_, false) && sliderPosition() == value())
            slider_.user_change(value());
    });
}

void SliderView::refresh()
{
    setEnabled(slider_.enabled());
    // The range and value wait until the drag ends, so the button stays
    // under the pointer.
    if (isSliderDown()) {
        stale_ = true;
        return;
    }
    stale_ = false;
    const QSignalBlocker block(this);
    setRange(std::min(slider_.min(), slider_.max()), std::max(slider_.min(), slider_.max()));
    setValue(slider_.value());
}

void SliderView::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    // The arrows on the end buttons, drawn here as style sheets draw none.
    QStyleOptionSlider option;
    initStyleOption(&option);
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? Qt::black : Qt::gray);
    for (const auto part : {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine}) {
        const QPointF c = QRectF(style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this)).center();
        const double point = part == QStyle::SC_ScrollBarSubLine ? -1 : 1;
        const QPointF tip(c.x() + 2.5 * point, c.y());
        painter.drawPolygon(QPolygonF{tip, QPointF(c.x() - 2.5 * point, c.y() - 4), QPointF(c.x() - 2.5 * point, c.y() + 4)});
    }
}

void SliderView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        triggerAction(SliderSingleStepAdd);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        triggerAction(SliderSingleStepSub);
        break;
    default:
        // Paging and Home/End are no slider steps here.
        event->ignore();
        return;
    }
    event->accept();
}

void SliderView::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    if (stale_)
        refresh();
}

TextBoxView::TextBoxView(TextBox& box, QWidget* parent) : QLineEdit(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setFrame(false);
    // As the sliders: no box takes the focus when the window opens, where
    // Space would type instead of going on.
    setFocusPolicy(Qt::ClickFocus);
    if (box.numeral)
        setAlignment(Qt::AlignCenter);
    refresh();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        edited_ = true;
        box_.user_edit(text.toStdString());
    });
}

void TextBoxView::apply()
{
    edited_ = false;
    if (box_.on_mouse_down)
        box_.on_mouse_down();
}

void TextBoxView::mousePressEvent(QMouseEvent* event)
{
    // A click places the caret, as in any text field; only the keyboard
    // selects the number for typing over.
    keyboard_focus_ = false;
    QLineEdit::mousePressEvent(event);
    if (!box_.on_mouse_down)
        return;
    clicked_caret_ = cursorPosition();
    apply();
    clicked_caret_.reset();
}

void TextBoxView::refresh()
{
    const bool takes = box_.takes_typing();
    setReadOnly(!takes);
    setFocusPolicy(takes ? Qt::ClickFocus : Qt::NoFocus);
    if (!takes) {
        hovered_ = false;
        if (hasFocus())
            clearFocus();
    }
    if (text().toStdString() != box_.text()) {
        edited_ = false;
        setText(QString::fromStdString(box_.text()));
        // The program has shown a new value: a caret or selection left from
        // the learner's typing would sit inside a number no one is typing.
        if (box_.numeral && hasFocus()) {
            if (clicked_caret_)
                setCursorPosition(std::min<int>(*clicked_caret_, int(text().size())));
            else if (keyboard_focus_)
                selectAll();
            else
                clearFocus();
        }
    }
    style_text(*this, box_, hovered_);
}

MultiLineTextView::MultiLineTextView(TextBox& box, QWidget* parent) : QPlainTextEdit(parent), box_(box)
{
    setObjectName(QString::fromStdString(box.name()));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::ClickFocus);
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

// A numeral box looks like part of the picture until the pointer is on it:
// then a white field with a frame says it takes typing.
void TextBoxView::enterEvent(QEnterEvent* event)
{
    QLineEdit::enterEvent(event);
    if (box_.numeral && !isReadOnly()) {
        hovered_ = true;
        refresh();
    }
}

void TextBoxView::leaveEvent(QEvent* event)
{
    QLineEdit::leaveEvent(event);
    if (std::exchange(hovered_, false))
        refresh();
}

void TextBoxView::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (hovered_ && !hasFocus()) {
        QPainter painter(this);
        painter.setPen(QColor(96, 96, 96));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TextBoxView::focusInEvent(QFocusEvent* event)
{
    keyboard_focus_ = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QLineEdit::focusInEvent(event);
}

void TextBoxView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    keyboard_focus_ = true;
    apply();
    selectAll();
}

void TextBoxView::commit_typing()
{
    if (!edited_)
        return;
    keyboard_focus_ = true;
    apply();
    selectAll();
}

void TextBoxView::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A menu or another window only borrows the focus: the typing goes on
    // when it comes back.
    const Qt::FocusReason reason = event->reason();
    if (edited_ && box_.numeral && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
        apply();
}

ButtonView::ButtonView(Button& button, QWidget* parent)
    : QPushButton(mnemonic_text(button.caption(), button.mnemonic), parent)
{
    setObjectName(QString::fromStdString(button.name()));
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QPushButton::clicked, this, [&button] { button.click(); });
}

} // namespace quorrel::ui
