#pragma once

#include "ui/canvas.h"
#include "ui/color.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorrel::ui {

// What a view must refresh after a control changed.
enum class Aspect { geometry, visibility, content, order, description, text };

// One control of a form, as the program sees it: a name, a place, a size and
// whether it shows. Widgets in the view mirror these; the program never
// touches a widget directly, so every lesson can run without a window.
class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int right_edge() const { return left_ + width_; }
    int bottom_edge() const { return top_ + height_; }
    void move(int left, int top);
    void move(int left, int top, int width, int height);
    void set_left(int left) { move(left, top_); }
    void set_top(int top) { move(left_, top); }
    void set_width(int width) { move(left_, top_, width, height_); }
    void set_height(int height) { move(left_, top_, width_, height); }

    bool visible() const { return visible_; }
    void set_visible(bool visible);
    void show() { set_visible(true); }
    void hide() { set_visible(false); }

    // What a screen reader says about the control: a short name and what it
    // does (or, for the message box, its newest line).
    const std::string& accessible_name() const { return accessible_name_; }
    const std::string& accessible_description() const { return accessible_description_; }
    void describe(std::string name, std::string description);
    void set_accessible_description(std::string description);

    // Place in the keyboard's Tab order, smaller first; -1 takes no Tab focus.
    int tab_place = -1;

    // The view listens here; only one view watches a control.
    void set_listener(std::function<void(Aspect)> listener) { listener_ = std::move(listener); }

protected:
    void notify(Aspect aspect)
    {
        if (listener_)
            listener_(aspect);
    }
    virtual void resized() {}

private:
    std::string name_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 100;
    int height_ = 20;
    bool visible_ = true;
    std::string accessible_name_;
    std::string accessible_description_;
    std::function<void(Aspect)> listener_;
};

// A picture box: a control whose drawing persists (its canvas is its backing
// image, so a repaint shows exactly what was drawn).
class PictureBox final : public Control {
public:
    explicit PictureBox(std::string name, Color background = colors::white);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

    // A double-click is one click: its second press raises nothing.
    std::function<void(double x, double y)> on_click;
    std::function<void(double x, double y)> on_mouse_down;
    std::function<void(double x, double y)> on_mouse_move;
    std::function<void()> on_mouse_leave;

    // The words of the lines drawn in the box, one line each and the newest
    // last, for a screen reader to read as text.
    const std::string& accessible_text() const { return accessible_text_; }
    void set_accessible_text(std::string text);
    // A box of text: read as text, and a place the keyboard focus can rest
    // (set before the box is shown).
    bool holds_text = false;

private:
    void resized() override;
    Canvas canvas_;
    std::string accessible_text_;
};

// A horizontal slider holding a 16-bit value between its bounds.
class Slider final : public Control {
public:
    static constexpr int lowest = -32768;
    static constexpr int highest = 32767;

    explicit Slider(std::string name) : Control(std::move(name)) { move(0, 0, 100, 17); }

    int value() const { return value_; }
    int min() const { return min_; }
    int max() const { return max_; }

    // A value outside the bounds is refused (false), as the old scroll bars
    // refused it; a new value raises on_change at once, inside the call.
    bool set_value(int value);
    // Bounds beyond 16 bits are refused. A value left outside the new bounds
    // is pulled inside them without raising on_change.
    bool set_min(int min);
    bool set_max(int max);

    // The learner moved the slider: an arrow click or a released drag (a
    // release where the drag began reports that value again). Refused while
    // the slider is hidden or disabled, or for a value outside the bounds.
    void user_change(int value);
    // The learner drags the button over `value`: it is shown, not yet taken,
    // so the value and bounds stay as they are until the release.
    void user_drag(int value);

    // A disabled slider shows but takes no input.
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);

    std::function<void()> on_change;
    std::function<void(int value)> on_drag;

private:
    bool in_bounds(int value) const;
    bool set_bound(int& bound, int value);
    bool takes_input() const { return enabled_ && visible(); }
    int value_ = 0;
    int min_ = 0;
    int max_ = 32767;
    bool enabled_ = true;
};

class TextBox final : public Control {
public:
    explicit TextBox(std::string name) : Control(std::move(name)) {}

    const std::string& text() const { return text_; }
    void set_text(std::string text);
    // What the learner typed: the view already shows it, so it is not echoed.
    // Ignored while the box takes no typing.
    void user_edit(std::string text)
    {
        if (takes_typing_)
            text_ = std::move(text);
    }
    // A box that takes no typing shows its text as usual but takes neither
    // keys nor the focus.
    bool takes_typing() const { return takes_typing_; }
    void set_takes_typing(bool takes);

    const Font& font() const { return font_; }
    void set_font(const Font& font);
    Color background() const { return background_; }
    void set_background(Color color);
    Color fore_color() const { return fore_color_; }
    void set_fore_color(Color color);
    bool multi_line = false;
    // A numeral the learner may type over: centred, and marked as a place
    // for typing while the pointer is on it.
    bool numeral = false;

    std::function<void()> on_mouse_down;

private:
    std::string text_;
    bool takes_typing_ = true;
    Font font_{"Arial", 8};
    Color background_ = colors::white;
    Color fore_color_ = colors::black;
};

class Button final : public Control {
public:
    Button(std::string name, std::string caption) : Control(std::move(name)), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }
    void click()
    {
        if (on_click)
            on_click();
    }

    std::function<void()> on_click;
    // The letter of the caption that Alt chooses it by; 0 for none.
    char mnemonic = 0;

private:
    std::string caption_;
};

// A straight line drawn on the form's surface (the pointer arrow, the bar of a
// numeral). Its place is its two end points, not a box.
class LineControl final : public Control {
public:
    explicit LineControl(std::string name, Color color = colors::black, int width = 1);

    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }
    void set_points(double x1, double y1, double x2, double y2);
    Color color() const { return color_; }
    int line_width() const { return line_width_; }

private:
    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Color color_;
    int line_width_;
};

class MenuItem {
public:
    MenuItem(std::string name, std::string caption) : name_(std::move(name)), caption_(std::move(caption)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }

    bool checked() const { return checked_; }
    void set_checked(bool checked);
    void toggle() { set_checked(!checked_); }
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    // Shown when the pointer rests on the item: why it is greyed out, say.
    const std::string& tooltip() const { return tooltip_; }
    void set_tooltip(std::string tooltip);
    bool checkable = false;
    // The letter of the caption that chooses the item from the keyboard (Alt
    // with it on the menu bar); 0 lets the menu pick a free one.
    char mnemonic = 0;
    // Keys that choose the item from anywhere in the window, as portable
    // key names ("Ctrl+G"); the first is the one the menu shows.
    std::vector<std::string> shortcuts;

    MenuItem& add(std::string name, std::string caption);
    // Empties a menu whose items change (the views build it again as it
    // opens, after `on_open`).
    void remove_items() { items_.clear(); }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    const MenuItem* find(const std::string& name) const;
    MenuItem* find(const std::string& name) { return const_cast<MenuItem*>(std::as_const(*this).find(name)); }

    // The learner chose the item (a leaf; opening a submenu chooses nothing).
    void choose()
    {
        if (enabled_ && on_choose)
            on_choose();
    }
    std::function<void()> on_choose;
    // A menu that fills itself: run as it opens, before its items are shown.
    std::function<void()> on_open;

    void set_listener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    std::string name_;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    std::string tooltip_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    std::function<void()> listener_;
};

} // namespace quorrel::ui
