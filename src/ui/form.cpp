#include "ui/form.h"

#include <algorithm>
#include <utility>

namespace quorrel::ui {

Form::Form(std::string caption, int width, int height, Color background)
    : caption_(std::move(caption)), canvas_(width, height, background)
{
}

void Form::resize(int width, int height) { canvas_.resize(width, height); }

Control* Form::find(const std::string& name) const
{
    for (const auto& control : controls_)
        if (control->name() == name)
            return control.get();
    return nullptr;
}

void Form::bring_to_front(Control& control)
{
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](const auto& c) { return c.get() == &control; });
    if (it == controls_.end() || it + 1 == controls_.end())
        return;
    std::rotate(it, it + 1, controls_.end());
    if (on_order_changed)
        on_order_changed();
}

int Form::z_index(const Control& control) const
{
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == &control)
            return static_cast<int>(i);
    return -1;
}

void Form::describe_drawing(std::string words)
{
    if (words == drawing_description_)
        return;
    drawing_description_ = std::move(words);
    if (on_drawing_described)
        on_drawing_described();
}

} // namespace quorrel::ui
