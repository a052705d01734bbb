#include "app/lesson_screen.h"

#include "demos/multiplication.h"
#include "fractions/chocolate.h"

#include <initializer_list>

namespace quorrel::app {

using lessons::Control;
using fractions::SlotPart;

void LessonScreen::reset_screen()
{
    LessonForm& form = form_;
    ui::Canvas& text_box = form.pbox_text.canvas();
    text_box.set_font({"Arial Narrow", 14});
    form.canvas().clear();
    form.form().describe_drawing("");
    form.hide_controls();
    form.move_arrow(5000, 5000);
    form.pbox_text.show();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&form.cmd_checksum, &form.cmd_checkproduct,
                                                              &form.cmd_checkquotient, &form.cmd_checkreduced,
                                                              &form.tbox_message, &form.cmd_newprob})
        c->hide();
    fractions::EntryBoxes& entries = slots_.entries();
    for (int i = 1; i <= 10; ++i) {
        if (ui::TextBox* entry = entries.inbox(i)) {
            entry->set_font({"Times New Roman", 12});
            entries.input_setup(i, 12);
            entry->hide();
        }
    }
    form.form().bring_to_front(form.pbox_text);
    text_box.set_background(ui::colors::yellow);
    slots_.show_slot(0);
    slots_.hide_slot(1);
    slots_.hide_slot(2);
    // Sticks of the usual unit, whatever the last screen drew them at.
    slots_.set_unit_length(120);
    // Measured on the one-row picture of 2/5 the slot is about to show: a
    // picture left tall by a long stick would lift the slot, numerals and
    // all, off the top of the window.
    slots_.show_fraction(0, 2, 5);
    const fractions::SlotControls* first = slots_.controls(0);
    const int picture_height = first ? first->pbox_fracbar.height() : 51;
    slots_.place_slot(0, form.pbox_text.right_edge() + 10, form.form().height() - 5 * picture_height);
    slots_.make_slot(0);
    slots_.show_fraction(0, 2, 5);
    form.place_stop();
    form.form().bring_to_front(form.cmd_stop);
    form.pbox_go_on.hide();
    slots_.design();
}

ui::Control& LessonScreen::control_of(Control which) const
{
    LessonForm& f = form_;
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

QRect LessonScreen::rect(Control which) const
{
    const ui::Control& c = control_of(which);
    return {c.left(), c.top(), c.width(), c.height()};
}

void LessonScreen::place(Control which, const QRect& to)
{
    control_of(which).move(to.left(), to.top(), to.width(), to.height());
}

void LessonScreen::show(Control which)
{
    ui::Control& c = control_of(which);
    c.show();
    form_.form().bring_to_front(c);
}

ui::Control* LessonScreen::part_of(int slot, SlotPart which) const
{
    fractions::SlotControls* s = slots_.controls(slot);
    if (!s)
        return nullptr;
    switch (which) {
    case SlotPart::slider_fracnum:
        return &s->slider_fracnum;
    case SlotPart::slider_fracden:
        return &s->slider_fracden;
    case SlotPart::pbox_fracbar:
        return &s->pbox_fracbar;
    }
    return nullptr;
}

QRect LessonScreen::rect(int slot, SlotPart which) const
{
    const ui::Control* c = part_of(slot, which);
    return c ? QRect(c->left(), c->top(), c->width(), c->height()) : QRect();
}

void LessonScreen::move_part(int slot, SlotPart which, const QRect& to)
{
    if (ui::Control* c = part_of(slot, which))
        c->move(to.left(), to.top(), to.width(), to.height());
}

void LessonScreen::show_chocolate(int slot, fractions::Chocolate kind)
{
    fractions::SlotControls* s = slots_.controls(slot);
    if (!s)
        return;
    ui::PictureBox& box = s->pbox_fracbar;
    const QSize size = fractions::chocolate_size(kind);
    box.move(box.left(), box.top(), size.width(), size.height());
    fractions::draw_chocolate(box.canvas(), kind);
    box.describe("Chocolate bars", fractions::chocolate_in_words(kind));
}

void LessonScreen::demonstrate_product(long long a, long long b, long long c, long long d,
                                       demos::Narrator& narrator)
{
    // Said before the demonstration, which runs to its end inside the call.
    form_.form().describe_drawing(demos::demo_in_words(a, b, c, d));
    if (!demos::multdemo(form_.canvas(), narrator, form_.pbox_text.right_edge(), a, b, c, d))
        form_.form().describe_drawing("");
}

} // namespace quorrel::app
