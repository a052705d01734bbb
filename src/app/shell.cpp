#include "app/shell.h"

#include "fractions/chocolate.h"

#include <initializer_list>

namespace quorrel::app {

using lessons::Control;
using lessons::SlotPart;

void Shell::set_current_lesson(std::string_view code) { p_.course.set_current_lesson(std::string(code)); }

int Shell::start_page(int page_count) const { return p_.course.start_page(page_count); }

void Shell::page(int k) { p_.course.page(k); }

void Shell::new_Lesson(std::string_view code) { p_.course.new_Lesson(code); }

void Shell::reset_screen()
{
    LessonForm& form = p_.form;
    fractions::Slots& slots = p_.slots;
    ui::Canvas& text_box = form.pbox_text.canvas();
    text_box.set_font({"Arial Narrow", 14});
    form.canvas().clear();
    form.hide_controls();
    form.move_arrow(5000, 5000);
    form.pbox_text.show();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&form.cmd_checksum, &form.cmd_checkproduct,
                                                              &form.cmd_checkquotient, &form.cmd_checkreduced,
                                                              &form.tbox_message, &form.cmd_newprob})
        c->hide();
    for (int i = 1; i <= 10; ++i) {
        if (ui::TextBox* entry = slots.inbox(i)) {
            entry->set_font({"Times New Roman", 12});
            slots.input_setup(i, 12);
            entry->hide();
        }
    }
    form.form().bring_to_front(form.pbox_text);
    text_box.set_background(ui::colors::yellow);
    slots.show_slot(0);
    slots.hide_slot(1);
    slots.hide_slot(2);
    // Measured on the one-row picture of 2/5 the slot is about to show: a
    // picture left tall by a long stick would lift the slot, numerals and
    // all, off the top of the window.
    slots.show_fraction(0, 2, 5);
    const int picture_height = slots.pbox_fracbar(0) ? slots.pbox_fracbar(0)->height() : 51;
    slots.place_slot(0, form.pbox_text.right_edge() + 10, form.form().height() - 5 * picture_height);
    slots.make_slot(0);
    slots.show_fraction(0, 2, 5);
    form.cmd_stop.move(form.pbox_text.width() / 2 - 40, form.form().height() - 40, 80, 30);
    form.form().bring_to_front(form.cmd_stop);
    form.pbox_go_on.hide();
    slots.design();
}

void Shell::hide_controls() { p_.form.hide_controls(); }

void Shell::write_line(std::string_view text) { p_.writer.write_line(text); }

void Shell::write_text(std::string_view text) { p_.writer.write_text(text); }

void Shell::draw(std::string_view text) { p_.writer.draw_new(text); }

void Shell::clear_scene(std::string_view title) { p_.writer.clear_scene(title); }

void Shell::lesson_title(std::string_view code) { p_.writer.lesson_title(code); }

void Shell::clear_text()
{
    p_.form.pbox_text.canvas().clear();
    p_.form.pbox_text.set_accessible_description("");
    p_.writer.clear_history();
}

void Shell::print_text(std::string_view text, const ui::Font& font)
{
    ui::Canvas& box = p_.form.pbox_text.canvas();
    box.set_font(font);
    box.print(std::string(text));
    p_.writer.announce(text);
}

void Shell::new_text_line() { p_.form.pbox_text.canvas().new_line(); }

namespace {
// Where wrapped lesson text starts in the message box.
constexpr int left_margin = 10;
} // namespace

void Shell::to_left_margin() { p_.form.pbox_text.canvas().set_pen_x(left_margin); }

void Shell::draw_at_margin(std::string_view text)
{
    ui::Canvas& box = p_.form.pbox_text.canvas();
    static const text::QtMetrics metrics;
    text::Layout layout = text::lay_out(text, text::pen_of(box), box.width() - left_margin,
                                        text::Writer::main_font, metrics);
    for (text::Run& run : layout.runs)
        run.x += left_margin;
    for (text::Bullet& bullet : layout.bullets)
        bullet.x += left_margin;
    text::paint(layout, box);
    p_.writer.announce(text);
}

void Shell::set_text_font(const ui::Font& font) { p_.form.pbox_text.canvas().set_font(font); }

void Shell::set_text_color(ui::Color color) { p_.form.pbox_text.canvas().set_fore_color(color); }

void Shell::wait() { p_.waits.wait(); }

void Shell::delay(double seconds) { p_.waits.delay(seconds); }

void Shell::click() { p_.waits.click(); }

void Shell::message_box(std::string_view text) { p_.dialogs.message_box(std::string(text)); }

void Shell::make_slot(int i) { p_.slots.make_slot(i); }

void Shell::place_slot(int i, int left, int top) { p_.slots.place_slot(i, left, top); }

void Shell::show_slot(int i) { p_.slots.show_slot(i); }

void Shell::hide_slot(int i) { p_.slots.hide_slot(i); }

void Shell::showslide(int i)
{
    if (!p_.slots.showslide(i))
        return;
    // Sliders shown by a lesson are for the learner: nothing may cover them.
    p_.form.form().bring_to_front(*p_.slots.slider_fracnum(i));
    p_.form.form().bring_to_front(*p_.slots.slider_fracden(i));
}

void Shell::hideslide(int i) { p_.slots.hideslide(i); }

bool Shell::show_fraction(int i, int n, int d) { return p_.slots.show_fraction(i, n, d); }

std::optional<fractions::Fraction> Shell::value(int i) const { return p_.slots.value(i); }

void Shell::hold_fraction(int i, int n, int d) { p_.slots.hold_fraction(i, n, d); }

void Shell::show_picture(int i)
{
    if (ui::PictureBox* box = p_.slots.pbox_fracbar(i))
        box->show();
}

void Shell::show_numeral(int i)
{
    if (auto* line = p_.slots.fracline(i))
        line->show();
    for (int box : {2 * i, 2 * i + 1})
        if (auto* entry = p_.slots.inbox(box))
            entry->show();
}

void Shell::hide_numeral(int i)
{
    if (auto* line = p_.slots.fracline(i))
        line->hide();
    for (int box : {2 * i, 2 * i + 1})
        if (auto* entry = p_.slots.inbox(box))
            entry->hide();
}

void Shell::set_pizza(int i, bool on)
{
    p_.slots.set_circle_mode(i, on);
    if (i >= 0 && i < 3)
        p_.form.mnu_circle[static_cast<std::size_t>(i)]->set_checked(on);
}

void Shell::set_mixed(int i, bool on)
{
    p_.slots.set_mixed_mode(i, on);
    if (i >= 0 && i < 3)
        p_.form.mnu_mixed[static_cast<std::size_t>(i)]->set_checked(on);
}

void Shell::set_ruler_side(int i, fractions::RulerSide side) { p_.slots.set_ruler_side(i, side); }

void Shell::set_bar_color(int i, ui::Color color) { p_.slots.set_bar_color(i, color); }

void Shell::set_unit_length(double length) { p_.slots.set_unit_length(length); }

ui::Slider* Shell::slider(int i, SlotPart which) const
{
    switch (which) {
    case SlotPart::slider_fracnum:
        return p_.slots.slider_fracnum(i);
    case SlotPart::slider_fracden:
        return p_.slots.slider_fracden(i);
    case SlotPart::pbox_fracbar:
        break;
    }
    return nullptr;
}

ui::Control* Shell::part(int i, SlotPart which) const
{
    if (which == SlotPart::pbox_fracbar)
        return p_.slots.pbox_fracbar(i);
    return slider(i, which);
}

void Shell::set_slider_range(int i, SlotPart which, int min, int max)
{
    if (ui::Slider* s = slider(i, which)) {
        s->set_min(min);
        s->set_max(max);
    }
}

void Shell::set_slider_value(int i, SlotPart which, int value)
{
    if (ui::Slider* s = slider(i, which))
        s->set_value(value);
}

void Shell::set_slider_max(int i, SlotPart which, int max)
{
    if (ui::Slider* s = slider(i, which))
        s->set_max(max);
}

QRect Shell::rect(int i, SlotPart which) const
{
    const ui::Control* c = part(i, which);
    return c ? QRect(c->left(), c->top(), c->width(), c->height()) : QRect();
}

void Shell::move_part(int i, SlotPart which, const QRect& to)
{
    if (ui::Control* c = part(i, which))
        c->move(to.left(), to.top(), to.width(), to.height());
}

void Shell::keep_below(int follower, int leader, int gap) { p_.slots.keep_below(follower, leader, gap); }

void Shell::stop_following(int follower) { p_.slots.stop_following(follower); }

void Shell::lock_slot(int i, bool locked) { p_.slots.lock_slot(i, locked); }

void Shell::design() { p_.slots.design(); }

void Shell::clear_drawing() { p_.form.canvas().clear(); }

void Shell::show_chocolate(int i, fractions::Chocolate kind)
{
    ui::PictureBox* box = p_.slots.pbox_fracbar(i);
    if (!box)
        return;
    const QSize size = fractions::chocolate_size(kind);
    box->move(box->left(), box->top(), size.width(), size.height());
    fractions::draw_chocolate(box->canvas(), kind);
}

ui::Canvas& Shell::window_canvas() { return p_.form.canvas(); }

ui::Control& Shell::control(Control which) const
{
    LessonForm& f = p_.form;
    switch (which) {
    case Control::pbox_text:
        return f.pbox_text;
    case Control::pbox_go_on:
        return f.pbox_go_on;
    case Control::cmd_stop:
        return f.cmd_stop;
    case Control::cmd_newprob:
        return f.cmd_newprob;
    case Control::cmd_checksum:
        return f.cmd_checksum;
    case Control::cmd_checkproduct:
        return f.cmd_checkproduct;
    case Control::cmd_checkquotient:
        return f.cmd_checkquotient;
    case Control::cmd_checkreduced:
        return f.cmd_checkreduced;
    case Control::tbox_message:
        return f.tbox_message;
    }
    return f.pbox_text;
}

QRect Shell::rect(Control which) const
{
    const ui::Control& c = control(which);
    return {c.left(), c.top(), c.width(), c.height()};
}

void Shell::place(Control which, const QRect& to) { control(which).move(to.left(), to.top(), to.width(), to.height()); }

void Shell::show(Control which)
{
    ui::Control& c = control(which);
    c.show();
    p_.form.form().bring_to_front(c);
}

void Shell::hide(Control which) { control(which).hide(); }

void Shell::move_arrow(double x, double y) { p_.form.move_arrow(x, y); }

void Shell::turn_arrow(double angle) { p_.form.turn_arrow(angle); }

void Shell::show_arrow() { p_.form.show_arrow(); }

void Shell::exercise(std::string_view condition, std::string_view prompt, exercises::Restate restate)
{
    p_.exercises.exercise(condition, prompt, restate);
}

void Shell::quiz(int slot, std::string_view condition, std::string_view intro, std::string_view turn_prefix,
                 int num_low, int num_count, int den_low, int den_count, std::string_view prompt,
                 exercises::Restate restate)
{
    p_.exercises.quiz(slot, condition, intro, turn_prefix, num_low, num_count, den_low, den_count, prompt, restate);
}

void Shell::set_prompt_prefix(std::string_view text) { p_.exercises.prompt_prefix = std::string(text); }

std::string_view Shell::prompt_prefix() const { return p_.exercises.prompt_prefix; }

bool Shell::quit_marked() const { return p_.exercises.quit_mark(); }

void Shell::clear_quit_mark() { p_.exercises.set_quit_mark(false); }

ui::Random& Shell::random() { return p_.random; }

} // namespace quorrel::app
