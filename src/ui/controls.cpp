#include "ui/controls.h"

#include <algorithm>

namespace quorrel::ui {

void Control::move(int left, int top) { move(left, top, width_, height_); }

void Control::move(int left, int top, int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool size_changed = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (size_changed)
        resized();
    notify(Aspect::geometry);
}

void Control::set_visible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    notify(Aspect::visibility);
}

void Control::describe(std::string name, std::string description)
{
    if (name == accessible_name_ && description == accessible_description_)
        return;
    accessible_name_ = std::move(name);
    accessible_description_ = std::move(description);
    notify(Aspect::description);
}

void Control::set_accessible_description(std::string description)
{
    describe(accessible_name_, std::move(description));
}

PictureBox::PictureBox(std::string name, Color background)
    : Control(std::move(name)), canvas_(width(), height(), background)
{
    canvas_.on_change = [this](const QRect&) { notify(Aspect::content); };
}

void PictureBox::resized() { canvas_.resize(width(), height()); }

void PictureBox::set_accessible_text(std::string text)
{
    if (text == accessible_text_)
        return;
    accessible_text_ = std::move(text);
    notify(Aspect::text);
}

bool Slider::in_bounds(int value) const
{
    return value >= std::min(min_, max_) && value <= std::max(min_, max_);
}

bool Slider::set_value(int value)
{
    if (!in_bounds(value))
        return false;
    if (value == value_)
        return true;
    value_ = value;
    notify(Aspect::content);
    if (on_change)
        on_change();
    return true;
}

bool Slider::set_min(int min) { return set_bound(min_, min); }

bool Slider::set_max(int max) { return set_bound(max_, max); }

bool Slider::set_bound(int& bound, int value)
{
    if (value < lowest || value > highest)
        return false;
    bound = value;
    if (!in_bounds(value_))
        value_ = std::clamp(value_, std::min(min_, max_), std::max(min_, max_));
    notify(Aspect::content);
    return true;
}

void Slider::user_change(int value)
{
    if (!takes_input() || !in_bounds(value))
        return;
    value_ = value;
    if (on_change)
        on_change();
}

void Slider::user_drag(int value)
{
    if (takes_input() && in_bounds(value) && on_drag)
        on_drag(value);
}

void Slider::set_enabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    notify(Aspect::content);
}

void TextBox::set_text(std::string text)
{
    if (text == text_)
        return;
    text_ = std::move(text);
    notify(Aspect::content);
}

void TextBox::set_takes_typing(bool takes)
{
    if (takes == takes_typing_)
        return;
    takes_typing_ = takes;
    notify(Aspect::content);
}

void TextBox::set_font(const Font& font)
{
    if (font == font_)
        return;
    font_ = font;
    notify(Aspect::content);
}

void TextBox::set_background(Color color)
{
    if (color == background_)
        return;
    background_ = color;
    notify(Aspect::content);
}

void TextBox::set_fore_color(Color color)
{
    if (color == fore_color_)
        return;
    fore_color_ = color;
    notify(Aspect::content);
}

LineControl::LineControl(std::string name, Color color, int width)
    : Control(std::move(name)), color_(color), line_width_(width)
{
}

void LineControl::set_points(double x1, double y1, double x2, double y2)
{
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_)
        return;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    notify(Aspect::geometry);
}

void MenuItem::set_checked(bool checked)
{
    if (checked == checked_)
        return;
    checked_ = checked;
    if (listener_)
        listener_();
}

void MenuItem::set_tooltip(std::string tooltip)
{
    if (tooltip == tooltip_)
        return;
    tooltip_ = std::move(tooltip);
    if (listener_)
        listener_();
}

void MenuItem::set_enabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (listener_)
        listener_();
}

MenuItem& MenuItem::add(std::string name, std::string caption)
{
    items_.push_back(std::make_unique<MenuItem>(std::move(name), std::move(caption)));
    return *items_.back();
}

const MenuItem* MenuItem::find(const std::string& name) const
{
    if (name == name_)
        return this;
    for (const auto& item : items_)
        if (const MenuItem* found = item->find(name))
            return found;
    return nullptr;
}

} // namespace quorrel::ui
