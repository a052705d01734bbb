#include "fractions/slot_layout.h"

#include "fractions/geometry.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <string>

namespace quorrel::fractions {

namespace {

constexpr int picture_font_size = 8;

void set_visible(ui::Control* control, bool visible)
{
    if (control)
        control->set_visible(visible);
}

// The parts of a slot but its picture; a slot may lack its numeral boxes.
std::array<ui::Control*, 5> parts_beside_picture(SlotControls& s)
{
    return {&s.slider_fracnum, &s.slider_fracden, &s.wholepart, s.num_box, s.den_box};
}

} // namespace

SlotLayout::SlotLayout(ui::Form& form) : form_(form), entries_(form) {}

SlotControls* SlotLayout::slot(int i)
{
    return SlotModes::in_range(i) && slots_[std::size_t(i)] ? &*slots_[std::size_t(i)] : nullptr;
}

const SlotControls* SlotLayout::slot(int i) const
{
    return SlotModes::in_range(i) && slots_[std::size_t(i)] ? &*slots_[std::size_t(i)] : nullptr;
}

bool SlotLayout::shown(int i) const { return slot(i) && shown_[std::size_t(i)]; }

bool SlotLayout::create(int i)
{
    if (!SlotModes::in_range(i) || slots_[std::size_t(i)])
        return false;
    const std::string index = "(" + std::to_string(i) + ")";
    auto& num = form_.add<ui::Slider>("slider_fracnum" + index);
    auto& den = form_.add<ui::Slider>("slider_fracden" + index);
    auto& picture = form_.add<ui::PictureBox>("pbox_fracbar" + index, form_.canvas().background());
    auto& line = form_.add<ui::LineControl>("fracline" + index);
    auto& whole = form_.add<ui::TextBox>("wholepart" + index);
    whole.numeral = true; // the learner may type a whole part into it
    den.set_min(1);
    const std::string label = slot_label(i);
    num.describe("Numerator slider of " + label, "Arrow keys make the numerator one smaller or larger");
    den.describe("Denominator slider of " + label, "Arrow keys make the denominator one smaller or larger");
    picture.describe("Picture of " + label, ""); // the slot's value is described as it is drawn
    whole.describe("Whole number of " + label, "Type a whole number and press Return to set it");
    num.tab_place = tab_place(i, TabPart::num_slider);
    den.tab_place = tab_place(i, TabPart::den_slider);
    whole.tab_place = tab_place(i, TabPart::wholepart);
    slots_[std::size_t(i)].emplace(
        SlotControls{num, den, picture, line, whole, entries_.inbox(2 * i), entries_.inbox(2 * i + 1)});
    return true;
}

void SlotLayout::reset(int i)
{
    SlotControls* s = slot(i);
    if (!s)
        return;
    shown_[std::size_t(i)] = true;
    s->fracline.show();
    s->slider_fracnum.show();
    s->slider_fracden.show();
    s->wholepart.hide();
    s->pbox_fracbar.show();
    s->pbox_fracbar.set_height(row_height);
    s->pbox_fracbar.canvas().set_background(form_.canvas().background());
    ui::set_font_size(s->pbox_fracbar.canvas(), picture_font_size);
    for (const int k : {2 * i, 2 * i + 1}) {
        if (ui::TextBox* box = entries_.inbox(k)) {
            entries_.input_setup(k, box->font().size);
            box->show();
        }
    }
}

bool SlotLayout::place_slot(int i, int left, int top)
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

bool SlotLayout::show_slot(int i, bool mixed)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    shown_[std::size_t(i)] = true;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&s->pbox_fracbar, &s->slider_fracnum, &s->slider_fracden,
                                                             s->num_box, s->den_box, &s->fracline})
        set_visible(c, true);
    s->wholepart.set_visible(mixed);
    return true;
}

bool SlotLayout::hide_slot(int i)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    shown_[std::size_t(i)] = false;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&s->pbox_fracbar, &s->fracline, &s->slider_fracnum,
                                                             &s->slider_fracden, s->num_box, s->den_box, &s->wholepart})
        set_visible(c, false);
    return true;
}

bool SlotLayout::set_sliders_visible(int i, bool visible)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    s->slider_fracnum.set_visible(visible);
    s->slider_fracden.set_visible(visible);
    return true;
}

bool SlotLayout::shift(int i, int dy)
{
    SlotControls* s = slot(i);
    if (!s)
        return false;
    s->pbox_fracbar.set_top(s->pbox_fracbar.top() + dy);
    shift_below(i, std::numeric_limits<int>::min(), dy);
    return true;
}

void SlotLayout::shift_below(int i, int y, int dy)
{
    SlotControls* s = slot(i);
    if (!s || dy == 0)
        return;
    for (ui::Control* c : parts_beside_picture(*s))
        if (c && c->top() >= y)
            c->set_top(c->top() + dy);
    ui::LineControl& bar = s->fracline;
    if (std::min(bar.y1(), bar.y2()) >= y)
        bar.set_points(bar.x1(), bar.y1() + dy, bar.x2(), bar.y2() + dy);
}

} // namespace quorrel::fractions
