#include "ui/views/form_view.h"

#include "ui/views/control_views.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace quorrel::ui {

namespace {

QWidget* make_view(Control& control, QWidget* parent)
{
    if (auto* box = dynamic_cast<PictureBox*>(&control))
        return new PictureView(*box, parent);
    if (auto* slider = dynamic_cast<Slider*>(&control))
        return new SliderView(*slider, parent);
    if (auto* text = dynamic_cast<TextBox*>(&control)) {
        if (text->multi_line)
            return new MultiLineTextView(*text, parent);
        return new TextBoxView(*text, parent);
    }
    if (auto* button = dynamic_cast<Button*>(&control))
        return new ButtonView(*button, parent);
    return nullptr; // lines are painted on the form itself
}

void describe_view(QWidget& view, const Control& control)
{
    view.setAccessibleName(QString::fromStdString(control.accessible_name()));
    view.setAccessibleDescription(QString::fromStdString(control.accessible_description()));
}

} // namespace

FormView::FormView(Form& form, QWidget* parent) : QWidget(parent), form_(form), frame_(new FocusFrame(this))
{
    setObjectName("lessonform");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(form.width(), form.height());
    for (const auto& control : form.controls())
        add_view(*control);
    restack();
    form.on_added = [this](Control& control) {
        add_view(control);
        restack();
    };
    form.on_order_changed = [this] { restack(); };
    form.on_drawing_described = [this] { setAccessibleDescription(QString::fromStdString(form_.drawing_description())); };
    form.canvas().on_change = [this](const QRect& rect) {
        if (rect.isEmpty())
            update();
        else
            update(rect);
    };
}

FormView::~FormView()
{
    // The form may outlive its view: leave it no way to reach dead widgets.
    for (const auto& control : form_.controls())
        control->set_listener(nullptr);
    form_.on_added = nullptr;
    form_.on_order_changed = nullptr;
    form_.on_drawing_described = nullptr;
    form_.canvas().on_change = nullptr;
}

QWidget* FormView::widget_for(const Control& control) const
{
    const auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second;
}

void FormView::add_view(Control& control)
{
    QWidget* view = make_view(control, this);
    if (view) {
        views_[&control] = view;
        view->installEventFilter(this);
        view->setGeometry(control.left(), control.top(), control.width(), control.height());
        view->setVisible(control.visible());
        describe_view(*view, control);
    }
    control.set_listener([this, &control, view](Aspect aspect) {
        if (!view) {
            update(); // a line moved or changed visibility
            return;
        }
        switch (aspect) {
        case Aspect::geometry:
            view->setGeometry(control.left(), control.top(), control.width(), control.height());
            break;
        case Aspect::visibility:
            view->setVisible(control.visible());
            break;
        case Aspect::content:
        case Aspect::order:
            if (auto* shown = dynamic_cast<ControlView*>(view))
                shown->refresh();
            break;
        case Aspect::description:
            describe_view(*view, control);
            break;
        case Aspect::text:
            if (auto* picture = dynamic_cast<PictureView*>(view))
                picture->text_changed();
            break;
        }
    });
}

std::vector<QWidget*> FormView::focus_chain() const
{
    std::vector<const Control*> places;
    for (const auto& control : form_.controls())
        if (control->tab_place >= 0 && control->visible())
            places.push_back(control.get());
    std::stable_sort(places.begin(), places.end(),
                     [](const Control* a, const Control* b) { return a->tab_place < b->tab_place; });
    std::vector<QWidget*> chain;
    for (const Control* control : places)
        if (QWidget* view = widget_for(*control); view && view->isEnabled() && view->focusPolicy() != Qt::NoFocus)
            chain.push_back(view);
    return chain;
}

bool FormView::step_focus(bool forward)
{
    const std::vector<QWidget*> chain = focus_chain();
    if (chain.empty())
        return false;
    const auto n = static_cast<std::ptrdiff_t>(chain.size());
    const auto at = std::find(chain.begin(), chain.end(), window()->focusWidget()) - chain.begin();
    std::ptrdiff_t next = 0;
    if (at == n) // nothing of the chain has the focus: start at an end
        next = forward ? 0 : n - 1;
    else
        next = (at + (forward ? 1 : n - 1)) % n;
    chain[std::size_t(next)]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool FormView::focusNextPrevChild(bool)
{
    // Reached when the focused control hides, as a page or lesson changes
    // (the keys' Tab never comes here). Stepping on along the chain would
    // put the focus into a numeral box, its number selected for typing
    // over, where the learner's next Space or digit would not be meant for
    // it: the focus waits on the form until the new screen shows.
    hold_focus();
    return true;
}

void FormView::hold_focus()
{
    setFocus(Qt::OtherFocusReason);
    if (!std::exchange(regaining_, true))
        QTimer::singleShot(0, this, [this] { regain_focus(); });
}

void FormView::regain_focus()
{
    if (!std::exchange(regaining_, false) || !hasFocus())
        return; // the learner has put the focus somewhere already
    for (QWidget* view : focus_chain())
        if (dynamic_cast<SliderView*>(view)) {
            view->setFocus(Qt::OtherFocusReason);
            return;
        }
}

bool FormView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
        update_frame();
        break;
    case QEvent::Hide:
        // Shown scaled, the form is told of no focused control hiding.
        if (auto* view = qobject_cast<QWidget*>(watched); view && view->hasFocus())
            hold_focus();
        update_frame();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FormView::update_frame()
{
    for (const auto& [control, view] : views_)
        if (view->hasFocus() && view->isVisible() &&
            (dynamic_cast<SliderView*>(view) || dynamic_cast<TextBoxView*>(view))) {
            frame_->follow(view);
            return;
        }
    frame_->follow(nullptr);
}

void FormView::restack()
{
    for (const auto& control : form_.controls())
        if (QWidget* view = widget_for(*control))
            view->raise();
    frame_->raise();
}

void FormView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paint_picture(painter, event->rect(), form_.canvas().image());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& control : form_.controls()) {
        const auto* line = dynamic_cast<const LineControl*>(control.get());
        if (!line || !line->visible())
            continue;
        QPen pen(to_qcolor(line->color()));
        pen.setWidth(line->line_width());
        painter.setPen(pen);
        painter.drawLine(QPointF(line->x1(), line->y1()), QPointF(line->x2(), line->y2()));
    }
}

void FormView::mouseMoveEvent(QMouseEvent*)
{
    if (form_.on_mouse_move)
        form_.on_mouse_move();
}

} // namespace quorrel::ui
