#pragma once

#include "ui/canvas.h"
#include "ui/controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorrel::ui {

// A window as the program sees it: its own drawing surface, the controls on
// it in z-order (the last is in front) and its menu bar.
class Form {
public:
    Form(std::string caption, int width, int height, Color background);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& caption() const { return caption_; }

    // The inner size, in pixels, that the program lays itself out in.
    int width() const { return canvas_.width(); }
    int height() const { return canvas_.height(); }
    void resize(int width, int height);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

    template <typename T, typename... Args>
    T& add(Args&&... args)
    {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *control;
        controls_.push_back(std::move(control));
        if (on_added)
            on_added(ref);
        return ref;
    }

    Control* find(const std::string& name) const;
    // Front to back is the reverse of this order.
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    void bring_to_front(Control& control);
    // Position in the z-order; larger is nearer the front.
    int z_index(const Control& control) const;

    MenuItem& menu_bar() { return menu_bar_; }
    const MenuItem& menu_bar() const { return menu_bar_; }

    // What a screen reader says of the pictures drawn on the form itself;
    // empty when none need words.
    const std::string& drawing_description() const { return drawing_description_; }
    void describe_drawing(std::string words);

    std::function<void(Control&)> on_added;
    std::function<void()> on_order_changed;
    std::function<void()> on_mouse_move;
    std::function<void()> on_drawing_described;

private:
    std::string caption_;
    Canvas canvas_;
    std::vector<std::unique_ptr<Control>> controls_;
    MenuItem menu_bar_{"menu_bar", ""};
    std::string drawing_description_;
};

} // namespace quorrel::ui
