#include "fractions/slots.h"

#include "fractions/design.h"
#include "fractions/stick.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace quorrel::fractions {

namespace {

constexpr ui::Color picture_grey = ui::Color::rgb(150, 150, 150);
constexpr int picture_font_size = 8;
constexpr int whole_part_font_size = 18;

bool in_range(int i) { return i >= 0 && i < Slots::count; }

void set_visible(ui::Control* control, bool visible)
{
    if (control)
        control->set_visible(visible);
}

} // namespace

Slots::Slots(ui::Form& form, const ui::PictureBox& pbox_text, ui::TextBox& tbox_message, ui::Dialogs& dialogs,
             ui::Random& random)
    : form_(form),
      pbox_text_(pbox_text),
      random_(random),
      entries_(form),
      pizza_pen_(form.canvas(), pbox_text, tbox_message, dialogs)
{
    for (int k = 0; k < EntryBoxes::count; ++k)
        entries_.inbox(k)->on_mouse_down = [this, k] { inbox_MouseDown(k); };
    make_slot(0);
}

void Slots::init_tables() { states_.fill(SlotState{}); }

SlotControls* Slots::slot(int i) { return in_range(i) && slots_[std::size_t(i)] ? &*slots_[std::size_t(i)] : nullptr; }

const SlotControls* Slots::slot(int i) const
{
    return in_range(i) && slots_[std::size_t(i)] ? &*slots_[std::size_t(i)] : nullptr;
}

const SlotState& Slots::state(int i) const
{
    static const SlotState start_up{};
    return in_range(i) ? states_[std::size_t(i)] : start_up;
}

SlotState* Slots::mutable_state(int i) { return in_range(i) ? &states_[std::size_t(i)] : nullptr; }

bool Slots::make_slot(int i)
{
    if (!in_range(i))
        return false;
    auto& entry = slots_[std::size_t(i)];
    if (!entry) {
        const std::string index = "(" + std::to_string(i) + ")";
        auto& num = form_.add<ui::Slider>("slider_fracnum" + index);
        auto& den = form_.add<ui::Slider>("slider_fracden" + index);
        auto& picture = form_.add<ui::PictureBox>("pbox_fracbar" + index, form_.canvas().background());
        auto& line = form_.add<ui::LineControl>("fracline" + index);
        auto& whole = form_.add<ui::TextBox>("wholepart" + index);
        den.set_min(1);
        entry.emplace(SlotControls{num, den, picture, line, whole, entries_.inbox(2 * i), entries_.inbox(2 * i + 1)});
        const auto moved = [this, i] { slider_moved(i); };
        num.on_change = num.on_scroll = den.on_change = den.on_scroll = moved;
    }
    SlotControls& s = *entry;
    s.fracline.show();
    s.slider_fracnum.show();
    s.slider_fracden.show();
    s.wholepart.hide();
    s.pbox_fracbar.show();
    s.pbox_fracbar.set_height(row_height);
    s.pbox_fracbar.canvas().set_background(form_.canvas().background());
    s.pbox_fracbar.canvas().set_font_size(picture_font_size);
    for (const int k : {2 * i, 2 * i + 1}) {
        if (ui::TextBox* box = entries_.inbox(k)) {
            entries_.input_setup(k, box->font().size);
            box->show();
        }
    }
    return true;
}

bool Slots::place_slot(int i, int left, int top)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    s->pbox_fracbar.move(left, top + 30);
    const int x = s->pbox_fracbar.left() + 10;
    const int y = s->pbox_fracbar.top();
    s->slider_fracnum.move(x, y - 40, 100, s->slider_fracnum.height());
    s->slider_fracden.move(x, y - 20, 100, s->slider_fracden.height());
    const double m = (s->slider_fracnum.bottom_edge() + s->slider_fracden.top()) / 2.0;
    const int box_left = s->slider_fracnum.right_edge() + 10;
    if (s->num_box)
        s->num_box->move(box_left, to_pixel(m - 6 - s->num_box->height()));
    if (s->den_box)
        s->den_box->move(box_left, to_pixel(m + 3));
    s->wholepart.move(s->slider_fracnum.right_edge(), to_pixel(m + 3));
    if (s->num_box && s->den_box) {
        const double bar = (s->num_box->bottom_edge() + s->den_box->top()) / 2.0;
        s->fracline.set_points(s->num_box->left(), bar, s->num_box->right_edge(), bar);
    }
    return true;
}

bool Slots::show_slot(int i)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&s->pbox_fracbar, &s->slider_fracnum, &s->slider_fracden,
                                                             s->num_box, s->den_box, &s->fracline})
        set_visible(c, true);
    s->wholepart.set_visible(state(i).mixed_mode);
    return true;
}

bool Slots::hide_slot(int i)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&s->pbox_fracbar, &s->fracline, &s->slider_fracnum,
                                                             &s->slider_fracden, s->num_box, s->den_box, &s->wholepart})
        set_visible(c, false);
    return true;
}

bool Slots::showslide(int i) { return set_sliders_visible(i, true); }

bool Slots::hideslide(int i) { return set_sliders_visible(i, false); }

bool Slots::set_sliders_visible(int i, bool visible)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    s->slider_fracnum.set_visible(visible);
    s->slider_fracden.set_visible(visible);
    return true;
}

bool Slots::show_fraction(int i, int n, int d)
{
    SlotControls* s = slot(i);
    if (!s || d < 1 || n < 0 || n > ui::Slider::highest || d > ui::Slider::highest ||
        std::int64_t(n) > std::int64_t(max_units) * d)
        return false;
    const SlotState& st = states_[std::size_t(i)];

    // Only a change of colour wipes the window, so the design and the
    // pizzas stay through redraws that do not draw pizzas.
    ui::Canvas& window = form_.canvas();
    if (window.background() != ui::colors::window_back)
        window.set_background(ui::colors::window_back);
    set_visible(s->num_box, true);
    set_visible(s->den_box, true);
    ui::Canvas& picture = s->pbox_fracbar.canvas();
    picture.set_background(window.background()); // wipes the old picture
    picture.set_fore_color(picture_grey);

    // Room to double either number; a slider cannot hold more than 32767.
    const int reach = static_cast<int>(std::min<std::int64_t>(2 * std::int64_t(std::max(n, d)), ui::Slider::highest));
    s->slider_fracnum.set_max(reach);
    s->slider_fracden.set_max(reach);
    s->slider_fracden.set_min(1);
    s->slider_fracnum.set_min(0);

    const bool outer = std::exchange(setting_fraction_, true);
    s->slider_fracnum.set_value(n);
    s->slider_fracden.set_value(d);
    if (s->num_box)
        s->num_box->set_text(std::to_string(n));
    if (s->den_box)
        s->den_box->set_text(std::to_string(d));

    picture.set_bold(true);
    const StickInput input{n, d, unit_length_, form_.width() / 2.0, st.ruler_side, st.mixed_mode,
                           static_cast<int>(picture.text_height())};
    const std::vector<StickRow> rows = stick_rows(input);
    s->pbox_fracbar.move(s->pbox_fracbar.left(), s->pbox_fracbar.top(), to_pixel(form_.width() / 2.0),
                         row_height * std::max<int>(1, static_cast<int>(rows.size())));
    paint_stick(picture, rows, st.bar_color);
    place_numeral(*s, st, n, d);

    if (st.circle_mode && s->num_box) {
        const PizzaFrame frame{pbox_text_.right_edge(), s->slider_fracnum.top(), s->num_box->top(),
                               form_.width() / 2.0};
        pizza_pen_.paint_row(pizza_row(n, d, frame, st.mixed_mode), !st.mixed_mode);
    }
    setting_fraction_ = outer;
    return true;
}

void Slots::place_numeral(SlotControls& s, const SlotState& st, int n, int d)
{
    if (!st.mixed_mode)
        s.wholepart.hide();
    if (!s.num_box || !s.den_box)
        return;
    const double offset = st.mixed_mode ? show_whole_part(s, n, d) + 6 : 4;
    const int left = to_pixel(s.slider_fracden.right_edge() + offset + 6);
    s.num_box->set_left(left);
    s.den_box->set_left(left);
    const double y = (s.num_box->bottom_edge() + s.den_box->top()) / 2.0;
    s.fracline.set_points(s.num_box->left(), y, s.num_box->right_edge(), y);
}

// Shows n/d as whole part and proper fraction; returns the whole part's width.
double Slots::show_whole_part(SlotControls& s, int n, int d)
{
    ui::Canvas& window = form_.canvas();
    window.set_font_name("Arial Narrow");
    window.set_font_size(whole_part_font_size);
    const int whole = n / d;
    const std::string whole_text = std::to_string(whole);
    const double width = window.text_width(whole_text);

    s.num_box->set_text(std::to_string(n % d));
    // A whole number reads as its whole part alone: 6/6 is "1", not 1 0/6.
    const bool fraction_shown = n % d != 0 || n < d;
    s.num_box->set_visible(fraction_shown);
    s.den_box->set_visible(fraction_shown);
    s.fracline.set_visible(fraction_shown);

    const double top = s.num_box->top() + window.text_height() / 3;
    s.wholepart.show();
    s.wholepart.set_font(window.font());
    s.wholepart.move(s.slider_fracden.right_edge() + 4, to_pixel(top), to_pixel(width),
                     to_pixel(window.text_height()));
    s.wholepart.set_text(whole == 0 ? "" : whole_text);
    return width;
}

int Slots::num(int i) const
{
    const SlotControls* s = slot(i);
    return s ? s->slider_fracnum.value() : 0;
}

int Slots::den(int i) const
{
    const SlotControls* s = slot(i);
    return s ? s->slider_fracden.value() : 1;
}

void Slots::slider_moved(int i)
{
    if (setting_fraction_)
        return;
    if (const SlotControls* s = slot(i))
        propose(i, s->slider_fracnum.value(), s->slider_fracden.value());
}

void Slots::propose(int i, int n, int d)
{
    SlotControls& s = *slot(i);
    s.pbox_fracbar.canvas().clear();
    if (d < 1)
        return;
    SlotState& st = states_[std::size_t(i)];
    if (n >= 0 && std::int64_t(n) <= std::int64_t(max_units) * d && show_fraction(i, n, d)) {
        st.last_num = n;
        st.last_den = d;
        return;
    }
    // Shown outright rather than written back into the sliders, whose bounds
    // a lesson may since have narrowed below the pair.
    show_fraction(i, st.last_num, st.last_den);
}

void Slots::inbox_MouseDown(int index)
{
    const ui::TextBox* box = entries_.inbox(index);
    SlotControls* s = slot(index / 2);
    if (!box || !s)
        return;
    const int i = index / 2;
    int n = s->slider_fracnum.value();
    int d = s->slider_fracden.value();
    // A refused text gives way to the slot's own numeral again: the box never
    // shows a number the slot does not hold.
    const auto refuse = [&] { show_fraction(i, n, d); };
    const std::optional<int> typed = parse_entry(box->text());
    if (!typed)
        return refuse();
    if (index % 2 == 0) {
        // A mixed number's box holds only the numerator of its proper part.
        const std::int64_t wanted = state(i).mixed_mode && d >= 1 ? std::int64_t(n / d) * d + *typed : *typed;
        if (wanted > ui::Slider::highest)
            return refuse();
        n = static_cast<int>(wanted);
    } else {
        if (*typed == 0)
            return refuse();
        d = *typed;
    }
    if (n != s->slider_fracnum.value() || d != s->slider_fracden.value())
        propose(i, n, d);
    else
        refuse(); // the same value, written as the slot writes it
}

void Slots::toggle_circle(int i)
{
    if (SlotState* st = mutable_state(i)) {
        st->circle_mode = !st->circle_mode;
        show_fraction(i, num(i), den(i));
    }
}

void Slots::toggle_mixed(int i)
{
    set_mixed_mode(i, !mixed_mode(i));
    show_fraction(i, num(i), den(i));
}

void Slots::cmult1(long long a, long long b, long long c, long long e, int x, int y, long long r,
                   std::optional<int> pen1, std::optional<int> pen2)
{
    pizza_pen_.cmult1(a, b, c, e, x, y, r, pen1, pen2, !states_[0].mixed_mode);
}

void Slots::design()
{
    paint_design(form_.canvas(), random_, design_rings(form_.width(), slot(0)->slider_fracnum.top()));
}

ui::Slider* Slots::slider_fracnum(int i) { return slot(i) ? &slot(i)->slider_fracnum : nullptr; }
ui::Slider* Slots::slider_fracden(int i) { return slot(i) ? &slot(i)->slider_fracden : nullptr; }
ui::PictureBox* Slots::pbox_fracbar(int i) { return slot(i) ? &slot(i)->pbox_fracbar : nullptr; }
ui::LineControl* Slots::fracline(int i) { return slot(i) ? &slot(i)->fracline : nullptr; }
ui::TextBox* Slots::wholepart(int i) { return slot(i) ? &slot(i)->wholepart : nullptr; }
const ui::Slider* Slots::slider_fracnum(int i) const { return slot(i) ? &slot(i)->slider_fracnum : nullptr; }
const ui::Slider* Slots::slider_fracden(int i) const { return slot(i) ? &slot(i)->slider_fracden : nullptr; }
const ui::PictureBox* Slots::pbox_fracbar(int i) const { return slot(i) ? &slot(i)->pbox_fracbar : nullptr; }

void Slots::set_circle_mode(int i, bool on)
{
    if (SlotState* st = mutable_state(i))
        st->circle_mode = on;
}

void Slots::set_mixed_mode(int i, bool on)
{
    SlotState* st = mutable_state(i);
    if (!st)
        return;
    // A whole number in mixed mode hid the bar; the plain numeral needs it.
    if (st->mixed_mode && !on)
        if (SlotControls* s = slot(i))
            s->fracline.show();
    st->mixed_mode = on;
}

void Slots::set_ruler_side(int i, RulerSide side)
{
    if (SlotState* st = mutable_state(i))
        st->ruler_side = side;
}

void Slots::set_bar_color(int i, ui::Color color)
{
    if (SlotState* st = mutable_state(i))
        st->bar_color = color;
}

bool Slots::set_unit_length(double length)
{
    if (!(length > 0) || !std::isfinite(length))
        return false;
    unit_length_ = length;
    return true;
}

} // namespace quorrel::fractions
