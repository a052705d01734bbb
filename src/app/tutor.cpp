#include "app/tutor.h"

#include "lessons/library.h"

namespace quorrel::app {

Tutor::Tutor(Services services, int width, int height)
    : dialogs(services.dialogs),
      random(std::move(services.random)),
      form(width, height),
      runner(services.pump, services.clock),
      writer(form.pbox_text, form.pbox_go_on, form.mnu_waitt, runner),
      page_bar(form.pbox_title, form.pbox_pages),
      course(runner, writer, page_bar, form.pbox_text),
      slots(form.form(), form.pbox_text, form.tbox_message, dialogs, random),
      readings(slots),
      exercises({form.form(), form.pbox_text, form.pbox_go_on, form.cmd_stop, form.mnu_auto}, writer, runner, slots,
                readings, dialogs, random),
      practice(readings, form.tbox_message, random, [this](int slot, int n, int d) { slots.show_fraction(slot, n, d); }),
      lessons_(lessons::make_library(*this))
{
    wire_handlers();
}

Tutor::~Tutor() = default;

std::optional<exercises::Numerals> SlotReadings::numerals(int slot) const
{
    const ui::Slider* num = slots_.slider_fracnum(slot);
    const ui::Slider* den = slots_.slider_fracden(slot);
    if (!num || !den)
        return std::nullopt;
    return exercises::Numerals{static_cast<std::int16_t>(num->value()), static_cast<std::int16_t>(den->value())};
}

void Tutor::wire_handlers()
{
    form.pbox_text.on_click = [this](double, double) { runner.click(); };
    form.pbox_text.on_mouse_move = [this](double, double y) {
        if (y <= 100)
            page_bar.draw_strip();
    };
    form.pbox_go_on.on_click = [this](double, double) { go_on_clicked(); };
    form.cmd_stop.on_click = [this] { runner.set_stop_mark(true); };

    form.pbox_pages.on_mouse_move = [this](double x, double) { page_bar.draw_strip(pages::PageBar::cell_at(x)); };
    form.pbox_pages.on_mouse_down = [this](double x, double) {
        const int page = pages::PageBar::cell_at(x) + 1;
        runner.defer([this, page] { course.display_page(page); });
    };

    form.mnu_Lessons.on_choose = [this] { course.set_current_page(1); };
    form.mnu_1.on_choose = [this] { reset_screen(); };
    for (const char* code : {"1a", "1b", "1c", "1d", "1e", "1f", "2a", "2b", "2c", "3a", "3b", "3c", "4"}) {
        form.lesson_item(code)->on_choose = [this, lesson = std::string(code)] {
            runner.defer([this, lesson] { course.run_lesson(lesson); });
        };
    }
    form.mnu_next.on_choose = [this] { runner.defer([this] { course.next_page(); }); };
    form.mnu_prev.on_choose = [this] { runner.defer([this] { course.prev_page(); }); };
    form.mnu_waitt.on_choose = [this] { form.mnu_waitt.toggle(); };
    form.mnu_auto.on_choose = [this] { form.mnu_auto.toggle(); };
    form.mnu_exit.on_choose = [this] { runner.request_quit(); };
    for (int slot = 0; slot < 3; ++slot) {
        ui::MenuItem& circle = *form.mnu_circle[static_cast<std::size_t>(slot)];
        ui::MenuItem& mixed = *form.mnu_mixed[static_cast<std::size_t>(slot)];
        circle.on_choose = [this, &circle, slot] { toggle_mode(circle, slot, &fractions::Slots::toggle_circle); };
        mixed.on_choose = [this, &mixed, slot] { toggle_mode(mixed, slot, &fractions::Slots::toggle_mixed); };
    }

    form.cmd_newprob.on_click = [this] { practice.cmd_newprob_Click(); };
    form.cmd_checksum.on_click = [this] { practice.cmd_checksum_Click(); };
    form.cmd_checkproduct.on_click = [this] { practice.cmd_checkproduct_Click(); };
    form.cmd_checkquotient.on_click = [this] { practice.cmd_checkquotient_Click(); };
    form.cmd_checkreduced.on_click = [this] { practice.cmd_checkreduced_Click(); };
    form.form().on_mouse_move = [this] { slots.Form_MouseMove(); };
}

void Tutor::toggle_mode(ui::MenuItem& item, int slot, void (fractions::Slots::*toggle)(int))
{
    item.toggle();
    (slots.*toggle)(slot);
}

void Tutor::go_on_clicked()
{
    runner.set_go_on_mark(true);
    runner.click();
    writer.write_text("");
    // The next line goes where the empty line and the one before it were.
    ui::Canvas& box = form.pbox_text.canvas();
    box.set_pen_y(box.pen_y() - 2 * box.text_height());
}

void Tutor::start()
{
    ui::Canvas& window = form.canvas();
    form.tbox_message.set_text("");
    form.mnu_auto.set_checked(false);
    window.set_background(ui::colors::window_back);
    runner.set_go_on_mark(false);
    form.hide_controls();

    ui::Canvas& go_on = form.pbox_go_on.canvas();
    go_on.set_pen_x((go_on.width() - go_on.text_width("here!")) / 2);

    slots.set_unit_length(120);
    slots.init_tables();
    // The first numerator box is laid out like those the reset prepares.
    if (ui::TextBox* first = slots.inbox(0)) {
        first->set_font({"Times New Roman", 12});
        slots.input_setup(0, 12);
    }
    window.set_font({"Arial", 14});
    const int half = form.form().width() / 2;
    ui::Canvas& title = form.pbox_title.canvas();
    title.set_font({"Arial Narrow", 12});
    form.move_arrow(1200, 1200);
    const int h = static_cast<int>(window.text_height());
    form.pbox_text.move(0, h + 20, half, form.form().height() - h - 2);
    form.form().bring_to_front(form.pbox_text);
    form.pbox_text.canvas().set_background(ui::colors::yellow);
    window.set_draw_width(2);

    reset_screen();
    form.save_arrow_shape();

    form.pbox_title.move(0, 0, half, static_cast<int>(title.text_height()) + 4);
    form.pbox_pages.move(0, form.pbox_title.height(), half, 20);
    // The message box starts under the strip, never over its last row.
    if (const int strip_end = form.pbox_pages.bottom_edge(); form.pbox_text.top() < strip_end)
        form.pbox_text.move(0, strip_end, half, form.pbox_text.bottom_edge() - strip_end);
    ui::Canvas& strip = form.pbox_pages.canvas();
    strip.set_font({"Times New Roman", 7});
    form.form().bring_to_front(form.pbox_pages);
    strip.set_background(ui::colors::page_strip);
    form.pbox_pages.show();
    page_bar.draw_strip();

    title.set_background(ui::colors::green);
    form.pbox_title.show();
    form.form().bring_to_front(form.pbox_title);

    course.run_lesson("1a");
}

void Tutor::reset_screen()
{
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
    const int picture_height = slots.pbox_fracbar(0) ? slots.pbox_fracbar(0)->height() : 51;
    slots.place_slot(0, form.pbox_text.right_edge() + 10, form.form().height() - 5 * picture_height);
    slots.make_slot(0);
    slots.show_fraction(0, 2, 5);
    form.cmd_stop.move(form.pbox_text.width() / 2 - 40, form.form().height() - 40, 80, 30);
    form.form().bring_to_front(form.cmd_stop);
    form.pbox_go_on.hide();
    slots.design();
}

} // namespace quorrel::app
