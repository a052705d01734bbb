#include "fractions/slots.h"

#include "fractions/design.h"
#include "fractions/pizza.h"
#include "fractions/slot_words.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

namespace quorrel::fractions {

namespace {

constexpr ui::Color picture_grey = ui::Color::rgb(150, 150, 150);

} // namespace

Slots::Slots(ui::Form& form, const ui::PictureBox& pbox_text, ui::Random& random)
    : form_(form),
      pbox_text_(pbox_text),
      decoration_(random.split()),
      layout_(form),
      pizzas_(form.canvas())
{
    for (int k = 0; k < EntryBoxes::count; ++k)
        layout_.entries().inbox(k)->on_mouse_down = [this, k] { inbox_MouseDown(k); };
    // Leaving an entry box for the form applies what was typed into it.
    form.on_mouse_move = [this] { layout_.entries().Form_MouseMove(); };
    make_slot(0);
}

bool Slots::make_slot(int i)
{
    if (layout_.create(i)) {
        SlotControls& s = *layout_.slot(i);
        s.slider_fracnum.on_change = [this, i] { slider_Change(i); };
        s.slider_fracden.on_change = [this, i] { slider_Change(i); };
        s.slider_fracnum.on_drag = [this, i](int n) { slider_Drag(i, n, std::nullopt); };
        s.slider_fracden.on_drag = [this, i](int d) { slider_Drag(i, std::nullopt, d); };
        s.wholepart.on_mouse_down = [this, i] { wholepart_MouseDown(i); };
    }
    if (!layout_.slot(i))
        return false;
    layout_.reset(i);
    sync_input(i);
    describe_picture(i);
    return true;
}

bool Slots::show_slot(int i)
{
    const bool was_hidden = !layout_.shown(i);
    const SlotState& st = modes_.state(i);
    if (!layout_.show_slot(i, st.mixed_mode))
        return false;
    sync_input(i);
    refit();
    // A mixed number shows as one: a whole number keeps its fraction hidden.
    if (st.mixed_mode) {
        const auto [n, d] = numerals(i);
        place_numeral(*layout_.slot(i), st, n, d, form_.canvas(), true);
    }
    if (was_hidden && st.circle_mode) {
        const auto [n, d] = numerals(i);
        paint_pizzas(i, n, d);
    }
    describe_picture(i);
    return true;
}

bool Slots::hide_slot(int i)
{
    if (!layout_.hide_slot(i))
        return false;
    sync_input(i);
    refit();
    describe_picture(i);
    return true;
}

bool Slots::showslide(int i)
{
    SlotControls* s = layout_.slot(i);
    if (!s || !layout_.set_sliders_visible(i, true))
        return false;
    form_.bring_to_front(s->slider_fracnum);
    form_.bring_to_front(s->slider_fracden);
    sync_input(i);
    return true;
}

bool Slots::hideslide(int i)
{
    const bool hidden = layout_.set_sliders_visible(i, false);
    sync_input(i);
    return hidden;
}

bool Slots::open_to_learner(int i) const
{
    const SlotControls* s = layout_.slot(i);
    return s && s->slider_fracnum.visible() && !modes_.state(i).locked;
}

void Slots::sync_input(int i)
{
    SlotControls* s = layout_.slot(i);
    if (!s)
        return;
    // Hidden sliders freeze a fraction, so its numerals take no typing
    // either; a lock leaves the sliders in sight but greyed.
    const bool locked = modes_.state(i).locked.has_value();
    s->slider_fracnum.set_enabled(!locked);
    s->slider_fracden.set_enabled(!locked);
    const bool open = open_to_learner(i);
    for (ui::TextBox* box : {s->num_box, s->den_box, &s->wholepart})
        if (box)
            box->set_takes_typing(open);
}

void Slots::show_picture(int i, bool shown)
{
    if (SlotControls* s = layout_.slot(i))
        s->pbox_fracbar.set_visible(shown);
    describe_picture(i);
}

void Slots::show_numeral(int i, bool shown)
{
    SlotControls* s = layout_.slot(i);
    if (!s)
        return;
    s->fracline.set_visible(shown);
    for (ui::TextBox* box : {s->num_box, s->den_box})
        if (box)
            box->set_visible(shown);
    sync_input(i);
}

void Slots::set_slider(int i, SlotPart part, SliderSetting setting)
{
    SlotControls* s = layout_.slot(i);
    if (!s || part == SlotPart::pbox_fracbar)
        return;
    ui::Slider& slider = part == SlotPart::slider_fracnum ? s->slider_fracnum : s->slider_fracden;
    if (setting.min)
        slider.set_min(*setting.min);
    if (setting.max)
        slider.set_max(*setting.max);
    if (setting.value)
        slider.set_value(*setting.value);
}

void redraw(Board& board, int i)
{
    if (const auto value = board.value(i))
        show_value(board, i, *value);
}

bool show_value(Board& board, int i, Fraction value)
{
    constexpr std::int64_t widest = std::numeric_limits<int>::max();
    if (value.num() > widest || value.num() < 0 || value.den() > widest)
        return false;
    return board.show_fraction(i, static_cast<int>(value.num()), static_cast<int>(value.den()));
}

bool Slots::show_fraction(int i, int n, int d)
{
    SlotControls* s = layout_.slot(i);
    if (!s || !slot_holds(n, d))
        return false;
    SlotState& st = *modes_.mutable_state(i);
    // A lock keeps the learner out, not the program: it holds what was set.
    if (st.locked)
        st.locked = Fraction::make(n, d);

    // Only a change of colour wipes the window, so the design and the
    // pizzas stay through redraws that do not draw pizzas.
    ui::Canvas& window = form_.canvas();
    if (window.background() != ui::colors::window_back) {
        window.set_background(ui::colors::window_back);
        pizzas_.forget();
    }
    // A hidden slot shows nothing of itself until show_slot: a numeral
    // alone, without its picture or whole part, would read as another number.
    const bool shown = layout_.shown(i);
    if (shown)
        for (ui::TextBox* box : {s->num_box, s->den_box})
            if (box)
                box->show();
    sync_input(i);

    // Room to double either number; a slider cannot hold more than 32767.
    const int reach = static_cast<int>(std::min<std::int64_t>(2 * std::int64_t(std::max(n, d)), ui::Slider::highest));
    s->slider_fracnum.set_max(reach);
    s->slider_fracden.set_max(reach);
    s->slider_fracden.set_min(1);
    s->slider_fracnum.set_min(0);

    const bool outer = std::exchange(setting_fraction_, true);
    s->slider_fracnum.set_value(n);
    s->slider_fracden.set_value(d);
    draw(i, n, d);
    setting_fraction_ = outer;
    return true;
}

void Slots::draw(int i, int n, int d)
{
    SlotControls& s = *layout_.slot(i);
    const SlotState& st = modes_.state(i);
    if (s.num_box)
        s.num_box->set_text(std::to_string(n));
    if (s.den_box)
        s.den_box->set_text(std::to_string(d));
    const bool shown = layout_.shown(i);
    const Drawn drawn{i, n, d};
    // A new unit redraws the slots on show, this one among them if it is.
    if (!refit(drawn) || !shown)
        draw_stick(drawn);
    place_numeral(s, st, n, d, form_.canvas(), shown);
    // A hidden slot's pizzas wait for show_slot.
    if (st.circle_mode && shown)
        paint_pizzas(i, n, d);
    describe_picture(i, n, d);
}

void Slots::describe_picture(int i)
{
    const auto [n, d] = numerals(i);
    describe_picture(i, n, d);
}

void Slots::describe_picture(int i, int n, int d)
{
    SlotControls* s = layout_.slot(i);
    if (!s)
        return;
    const std::string label = "Picture of " + slot_label(i);
    if (!s->pbox_fracbar.visible()) {
        s->pbox_fracbar.describe(label, "");
        return;
    }
    // A slot hidden but for its picture shows a bare stick.
    const SlotState& st = modes_.state(i);
    const bool whole_slot = layout_.shown(i);
    const std::string words = slot_in_words(n, d, st.circle_mode && whole_slot, st.mixed_mode && whole_slot);
    s->pbox_fracbar.describe(label + ": " + words.substr(0, words.find(':')), words);
}

void Slots::draw_stick(Drawn drawn)
{
    const auto [i, n, d] = drawn;
    SlotControls& s = *layout_.slot(i);
    // Parts placed under the picture (their tops below its middle, as a
    // rounded numeral may start a pixel above its foot) stay under it.
    const int old_bottom = s.pbox_fracbar.bottom_edge();
    const int middle = s.pbox_fracbar.top() + s.pbox_fracbar.height() / 2;
    ui::Canvas& picture = s.pbox_fracbar.canvas();
    picture.set_background(form_.canvas().background()); // wipes the old picture
    picture.set_fore_color(picture_grey);
    draw_stick_picture(s, modes_.state(i), n, d, drawn_unit_, form_.width() / 2.0);
    layout_.shift_below(i, middle, s.pbox_fracbar.bottom_edge() - old_bottom);
    keep_followers_below(i);
}

bool Slots::refit(std::optional<Drawn> drawn)
{
    const auto pair_of = [&](int j) {
        if (drawn && drawn->slot == j)
            return *drawn;
        const auto [n, d] = numerals(j);
        return Drawn{j, n, d};
    };
    double unit = modes_.unit_length();
    if (const std::optional<int> rows = modes_.most_rows()) {
        int longest = 1;
        for (int j = 0; j < count; ++j)
            if (layout_.shown(j)) {
                const Drawn p = pair_of(j);
                longest = std::max(longest, stick_units(p.n, p.d));
            }
        const double row = std::min(form_.width() / 2.0, max_row_width);
        while (unit > 1 && std::int64_t(units_per_row(row, unit)) * *rows < longest)
            unit /= 2;
    }
    if (unit == drawn_unit_)
        return false;
    drawn_unit_ = unit;
    for (int j = 0; j < count; ++j)
        if (layout_.shown(j))
            draw_stick(pair_of(j));
    return true;
}

void Slots::keep_below(int follower, int leader, int gap)
{
    if (!layout_.slot(follower) || !layout_.slot(leader) || follower == leader)
        return;
    followers_.erase(follower);
    followers_.emplace(follower, Follow{leader, gap});
    keep_followers_below(leader);
}

void Slots::keep_followers_below(int leader)
{
    const SlotControls* above = layout_.slot(leader);
    if (!above)
        return;
    for (const auto& [follower, follow] : followers_) {
        if (follow.leader != leader)
            continue;
        // A stick that wraps onto more rows pushes the slot under it down,
        // numeral and sliders with its picture, so nothing of it is covered.
        if (const SlotControls* below = layout_.slot(follower))
            layout_.shift(follower, above->pbox_fracbar.bottom_edge() + follow.gap - below->pbox_fracbar.top());
    }
}

void Slots::paint_pizzas(int i, int n, int d)
{
    const SlotControls* s = layout_.slot(i);
    if (!s || !s->num_box)
        return;
    const PizzaFrame frame{pbox_text_.right_edge(), s->slider_fracnum.top(), s->num_box->top(), form_.width() / 2.0};
    const bool mixed = modes_.state(i).mixed_mode;
    pizzas_.paint(i, pizza_row(n, d, frame, mixed), !mixed);
}

std::optional<Fraction> Slots::value(int i) const
{
    const SlotControls* s = layout_.slot(i);
    if (!s)
        return std::nullopt;
    return Fraction::make(s->slider_fracnum.value(), s->slider_fracden.value());
}

std::pair<int, int> Slots::numerals(int i) const
{
    const SlotControls* s = layout_.slot(i);
    return s ? std::pair{s->slider_fracnum.value(), s->slider_fracden.value()} : std::pair{0, 1};
}

void Slots::slider_Change(int i)
{
    if (setting_fraction_)
        return;
    const SlotControls* s = layout_.slot(i);
    if (!s)
        return;
    if (const auto& held = modes_.state(i).locked) {
        // A question the learner must not change: the slider goes back.
        show_value(*this, i, *held);
        return;
    }
    propose(i, s->slider_fracnum.value(), s->slider_fracden.value());
}

void Slots::slider_Drag(int i, std::optional<int> n, std::optional<int> d)
{
    if (setting_fraction_ || !open_to_learner(i))
        return;
    const auto [held_n, held_d] = numerals(i);
    const int shown_n = n.value_or(held_n);
    const int shown_d = d.value_or(held_d);
    // A pair too long to show leaves the last one in sight; the release
    // decides, as an arrow click would.
    if (slot_holds(shown_n, shown_d))
        draw(i, shown_n, shown_d);
}

void Slots::lock_slot(int i, bool locked)
{
    SlotState* st = modes_.mutable_state(i);
    if (!st || !layout_.slot(i))
        return;
    if (locked)
        st->locked = value(i);
    else
        st->locked.reset();
    sync_input(i);
}

void Slots::hold_fraction(int i, int n, int d)
{
    SlotControls* s = layout_.slot(i);
    if (!s || d < 1 || n < 0)
        return;
    const bool outer = std::exchange(setting_fraction_, true);
    for (auto [slider, value] : {std::pair{&s->slider_fracnum, n}, std::pair{&s->slider_fracden, d}}) {
        slider->set_max(value);
        slider->set_value(value);
    }
    setting_fraction_ = outer;
    SlotState& st = *modes_.mutable_state(i);
    st.last_num = n;
    st.last_den = d;
    if (st.locked)
        st.locked = Fraction::make(n, d);
}

void Slots::propose(int i, int n, int d)
{
    SlotControls& s = *layout_.slot(i);
    s.pbox_fracbar.canvas().clear();
    if (d < 1)
        return;
    SlotState& st = *modes_.mutable_state(i);
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
    const ui::TextBox* box = layout_.entries().inbox(index);
    const int i = index / 2;
    if (!box || !layout_.slot(i))
        return;
    const auto [n, d] = numerals(i);
    const std::optional<int> typed = parse_entry(box->text());
    if (!typed)
        return take_entry(i, std::nullopt);
    if (index % 2 == 1)
        return take_entry(i, std::pair<std::int64_t, std::int64_t>{n, *typed});
    // A mixed number's box holds only the numerator of its proper part.
    const std::int64_t whole = modes_.state(i).mixed_mode && d >= 1 ? n / d : 0;
    take_entry(i, std::pair{whole * d + *typed, std::int64_t(d)});
}

void Slots::wholepart_MouseDown(int i)
{
    const SlotControls* s = layout_.slot(i);
    if (!s)
        return;
    const auto [n, d] = numerals(i);
    // The box is blank for a whole part of 0.
    const std::string& text = s->wholepart.text();
    const bool blank = text.find_first_not_of(" \t") == std::string::npos;
    const std::optional<int> whole = blank ? std::optional<int>(0) : parse_entry(text);
    if (!whole || d < 1)
        return take_entry(i, std::nullopt);
    take_entry(i, std::pair{std::int64_t(*whole) * d + n % d, std::int64_t(d)});
}

void Slots::take_entry(int i, std::optional<std::pair<std::int64_t, std::int64_t>> wanted)
{
    const std::pair<int, int> held = numerals(i);
    const auto [n, d] = held;
    // A refused text gives way to the slot's own numerals again: no box
    // shows a number the slot does not hold.
    const auto refuse = [this, i, held] { show_fraction(i, held.first, held.second); };
    if (!wanted || !open_to_learner(i))
        return refuse();
    const auto [wanted_n, wanted_d] = *wanted;
    // A pair the sliders cannot hold changes nothing: unlike a slider moved
    // too far, the slot still holds its value, so nothing need snap back.
    const auto within = [](std::int64_t v) { return v >= 0 && v <= ui::Slider::highest; };
    if (!within(wanted_n) || !within(wanted_d) || !slot_holds(int(wanted_n), int(wanted_d)))
        return refuse();
    if (wanted_n == n && wanted_d == d)
        return refuse(); // the same value, written as the slot writes it
    propose(i, static_cast<int>(wanted_n), static_cast<int>(wanted_d));
}

void Slots::design()
{
    // The rings end above every slider on show, so no slot's picture box,
    // which spans the window's width, cuts them off.
    int top = layout_.slot(0)->slider_fracnum.top();
    for (int i = 0; i < count; ++i)
        if (const SlotControls* c = layout_.slot(i); c && c->slider_fracnum.visible())
            top = std::min(top, c->slider_fracnum.top());
    paint_design(form_.canvas(), decoration_, design_rings(form_.width(), top));
    pizzas_.forget();
}

void Slots::set_pizza(int i, bool on)
{
    SlotState* st = modes_.mutable_state(i);
    if (!st)
        return;
    const bool was_on = std::exchange(st->circle_mode, on);
    if (was_on && !on)
        pizzas_.erase(i);
    // Turned on, the pizzas show at once, not at the slot's next change.
    if (on && !was_on && layout_.shown(i)) {
        const auto [n, d] = numerals(i);
        paint_pizzas(i, n, d);
    }
    describe_picture(i);
    if (on_modes_changed)
        on_modes_changed(i);
}

void Slots::set_mixed(int i, bool on)
{
    SlotState* st = modes_.mutable_state(i);
    if (!st)
        return;
    // A whole number in mixed mode hid the bar; the plain numeral needs it.
    if (st->mixed_mode && !on && layout_.shown(i))
        layout_.slot(i)->fracline.show();
    st->mixed_mode = on;
    describe_picture(i);
    if (on_modes_changed)
        on_modes_changed(i);
}

void Slots::set_ruler_side(int i, RulerSide side)
{
    if (SlotState* st = modes_.mutable_state(i))
        st->ruler_side = side;
}

void Slots::set_bar_color(int i, ui::Color color)
{
    if (SlotState* st = modes_.mutable_state(i))
        st->bar_color = color;
}

} // namespace quorrel::fractions
