#include "fractions/slot_painter.h"

#include "fractions/pizza.h"
#include "fractions/stick.h"

#include <algorithm>
#include <string>

namespace quorrel::fractions {

namespace {

constexpr int whole_part_font_size = 18;

// Shows n/d as whole part and proper fraction; returns the whole part's width.
double show_whole_part(SlotControls& s, int n, int d, ui::Canvas& window, bool shown)
{
    const ui::Font saved = window.font();
    ui::Font font = saved;
    font.name = "Arial Narrow";
    font.size = whole_part_font_size;
    window.set_font(font);
    const int whole = n / d;
    const std::string whole_text = std::to_string(whole);
    const double width = ui::text_width(window, whole_text);
    const double height = ui::text_height(window);
    window.set_font(saved);

    s.num_box->set_text(std::to_string(n % d));
    if (shown) {
        // A whole number reads as its whole part alone: 6/6 is "1", not 1 0/6.
        const bool fraction_shown = n % d != 0 || n < d;
        s.num_box->set_visible(fraction_shown);
        s.den_box->set_visible(fraction_shown);
        s.fracline.set_visible(fraction_shown);
    }
    s.wholepart.set_visible(shown);

    const double top = s.num_box->top() + height / 3;
    s.wholepart.set_font(font);
    // Part of the picture, as the numeral boxes are, until the pointer is on it.
    s.wholepart.set_background(window.background());
    // Wider than the number by a numeral box's margins, centred on it: a box
    // only as wide as its text scrolls it, and a number shown after a longer
    // typed text would stay scrolled, cut off on the left.
    const int margin = numeral_box_margin;
    s.wholepart.move(s.slider_fracden.right_edge() + 4 - margin / 2, to_pixel(top), to_pixel(width) + margin,
                     to_pixel(height));
    s.wholepart.set_text(whole == 0 ? "" : whole_text);
    return width;
}

} // namespace

void draw_stick_picture(SlotControls& s, const SlotState& st, int n, int d, double unit_length, double row_width)
{
    ui::Canvas& picture = s.pbox_fracbar.canvas();
    ui::Font bold = picture.font();
    bold.bold = true;
    picture.set_font(bold);
    const StickInput input{n, d, unit_length, row_width, st.ruler_side, st.mixed_mode,
                           static_cast<int>(ui::text_height(picture))};
    const std::vector<StickRow> rows = stick_rows(input);
    s.pbox_fracbar.move(s.pbox_fracbar.left(), s.pbox_fracbar.top(), to_pixel(row_width),
                        row_height * std::max<int>(1, static_cast<int>(rows.size())));
    paint_stick(picture, rows, st.bar_color);
}

void place_numeral(SlotControls& s, const SlotState& st, int n, int d, ui::Canvas& window, bool shown)
{
    if (!st.mixed_mode)
        s.wholepart.hide();
    if (!s.num_box || !s.den_box)
        return;
    const double offset = st.mixed_mode ? show_whole_part(s, n, d, window, shown) + 6 : 4;
    const int left = to_pixel(s.slider_fracden.right_edge() + offset + 6);
    s.num_box->set_left(left);
    s.den_box->set_left(left);
    const double y = (s.num_box->bottom_edge() + s.den_box->top()) / 2.0;
    s.fracline.set_points(s.num_box->left(), y, s.num_box->right_edge(), y);
}

void PizzaLayer::paint(int slot, const std::vector<Pizza>& pizzas, bool whole_spokes)
{
    window_.clear();
    paint_pizza_row(window_, pizzas, whole_spokes);
    owner_ = slot;
}

void PizzaLayer::erase(int slot)
{
    if (owner_ != slot)
        return;
    window_.clear();
    owner_.reset();
}

} // namespace quorrel::fractions
