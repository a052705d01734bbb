#include "app/learner_keys.h"

#include "ui/views/control_views.h"

#include <QApplication>
#include <QStyleHints>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>

#include <algorithm>

namespace quorrel::app {

namespace {

// X servers repeat 25 times a second unless told otherwise.
constexpr int minimum_repeat_interval_ms = 40;

// The widget the keys go to: on a small or enlarged screen the form sits
// scaled in a graphics view, which holds the window's focus while the
// control inside it has the scene's.
QWidget* key_target(QWidget* focus)
{
    if (const auto* stage = qobject_cast<const QGraphicsView*>(focus); stage && stage->scene())
        if (const auto* proxy = dynamic_cast<const QGraphicsProxyWidget*>(stage->scene()->focusItem());
            proxy && proxy->widget())
            return proxy->widget()->focusWidget();
    return focus;
}

} // namespace

LearnerKeys::LearnerKeys(QWidget& window, ui::FormView& view, Tutor& tutor)
    : QObject(&window), window_(window), view_(view), tutor_(tutor)
{
}

bool LearnerKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (event->type() == QEvent::KeyPress)
        return press(key);
    released_key_ = key.key();
    released_at_ = key.timestamp();
    return false;
}

bool LearnerKeys::repeated(const QKeyEvent& key) const
{
    if (key.isAutoRepeat())
        return true;
    // An X server repeats a held key as a release and a press together,
    // which the toolkit does not always mark. A finger lifted and pressed
    // again takes far longer than the server's repeat interval.
    const int rate = std::max(1, QGuiApplication::styleHints()->keyboardAutoRepeatRate());
    const quint64 interval = static_cast<quint64>(std::max(1000 / rate, minimum_repeat_interval_ms));
    // An event without a time stamp (made by a program, not a keyboard) is
    // judged by its mark alone.
    return key.key() == released_key_ && released_at_ != 0 && key.timestamp() >= released_at_ &&
           key.timestamp() - released_at_ < interval;
}

bool LearnerKeys::press(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    const bool plain = (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    const bool once = !repeated(key);
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!plain)
            return false;
        view_.step_focus(key.key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (!plain)
            return false;
        QWidget* target = key_target(QApplication::focusWidget());
        // A numeral box keeps Return, which applies the number typed; Space
        // goes on from there too, with what was typed applied first, as a
        // click on the text applies it.
        auto* box = dynamic_cast<ui::TextBoxView*>(target);
        if (box && key.key() != Qt::Key_Space)
            return false;
        if (once) {
            if (box)
                box->commit_typing();
            tutor_.go_on();
        }
        return true;
    }
    case Qt::Key_H:
        if (!plain || !tutor_.probe().find("pbox_go_on")->visible())
            return false;
        if (once)
            tutor_.continue_reading();
        return true;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (!plain)
            return false;
        if (once) {
            if (key.key() == Qt::Key_PageDown)
                tutor_.next_page();
            else
                tutor_.prev_page();
        }
        return true;
    case Qt::Key_Escape:
        if (!plain || !tutor_.probe().find("cmd_stop")->visible())
            return false;
        if (once)
            tutor_.stop_drill();
        return true;
    case Qt::Key_Q:
        if (mods != Qt::ControlModifier)
            return false;
        if (once)
            tutor_.quit();
        return true;
    default:
        return false;
    }
}

} // namespace quorrel::app
