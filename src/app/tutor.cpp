#include "app/tutor.h"

#include "pages/catalogue.h"
#include "scenes/playback.h"
#include "text/markup.h"


namespace quorrel::app {

Tutor::Tutor(Services services, int width, int height)
    : dialogs(services.dialogs),
      random(std::move(services.random)),
      form(width, height),
      waits(services.pump, services.clock),
      writer(form.pbox_text, form.pbox_go_on, form.mnu_waitt, waits),
      reader(services.speech, form.mnu_read, waits),
      page_bar(form.pbox_title, form.pbox_pages),
      course(waits, writer, page_bar, form.pbox_text),
      slots(form.form(), form.pbox_text, dialogs, random),
      exercises({form.form(), form.pbox_text, form.pbox_go_on, form.cmd_stop, form.mnu_auto}, writer, waits, slots,
                slots, dialogs, random),
      practice(slots, form.tbox_message, random,
               [this](int slot, fractions::Fraction value) { slots.show_fraction(slot, value); }),
      shell({form, waits, writer, course, slots, exercises, dialogs, random}),
      lessons(shell),
      authoring(script_files, dialogs, [this] { mnu_playback_Click(); })
{
    course.set_scripts([this](std::string_view code) { return lessons.run(code); });
    // A lesson never inherits a Stop meant for an earlier drill, the "here"
    // link of an exercise it cut short, a drill's locked question or the
    // verdict of an earlier visit to the practice screen.
    course.set_clear([this](Course::Edge edge) {
        exercises.end_lesson();
        for (int i = 0; i < fractions::Slots::count; ++i)
            slots.lock_slot(i, false);
        reader.stop();
        // The practice screen outlives its lesson's last line, until another
        // lesson starts; a new visit starts with no problem and no verdict.
        if (edge == Course::Edge::start)
            practice.clear();
    });
    course.on_page = [this] { reader.stop(); };
    // A screen reader reads the message box as what is newest in it: the
    // messages since the learner last moved on, as a voice would say them.
    writer.on_new_text = [this](std::string_view text) {
        reader.hear(text);
        if (std::string words = text::spoken(reader.newest()); !words.empty())
            form.pbox_text.set_accessible_description(std::move(words));
    };
    wire_handlers();
}


void Tutor::wire_handlers()
{
    form.pbox_text.on_click = [this](double, double) { pbox_text_Click(); };
    form.pbox_text.on_mouse_move = [this](double, double y) { pbox_text_MouseMove(y); };
    form.pbox_go_on.on_click = [this](double, double) { pbox_go_on_Click(); };
    form.cmd_stop.on_click = [this] { cmd_stop_Click(); };
    form.pbox_pages.on_mouse_move = [this](double x, double) { pbox_pages_MouseMove(x); };
    form.pbox_pages.on_mouse_down = [this](double x, double) { pbox_pages_MouseDown(x); };

    form.mnu_Lessons.on_choose = [this] { mnu_Lessons_Click(); };
    form.mnu_1.on_choose = [this] { mnu_1_Click(); };
    form.mnu_2.on_choose = [this] { mnu_2_Click(); };
    form.mnu_3.on_choose = [this] { mnu_3_Click(); };
    for (const pages::LessonInfo& info : pages::catalogue) {
        if (ui::MenuItem* item = form.lesson_item(std::string(info.code)))
            item->on_choose = [this, code = info.code] { mnu_lesson_Click(code); };
    }
    form.mnu_next.on_choose = [this] { mnu_next_Click(); };
    form.mnu_prev.on_choose = [this] { mnu_prev_Click(); };
    form.mnu_waitt.on_choose = [this] { mnu_waitt_Click(); };
    form.mnu_auto.on_choose = [this] { mnu_auto_Click(); };
    form.mnu_read.on_choose = [this] { mnu_read_Click(); };
    form.mnu_exit.on_choose = [this] { mnu_exit_Click(); };
    form.mnu_playback.on_choose = [this] { mnu_playback_Click(); };
    for (int slot = 0; slot < 3; ++slot) {
        form.mnu_circle[static_cast<std::size_t>(slot)]->on_choose = [this, slot] { mnu_circle_Click(slot); };
        form.mnu_mixed[static_cast<std::size_t>(slot)]->on_choose = [this, slot] { mnu_mixed_Click(slot); };
    }

    form.cmd_newprob.on_click = [this] { practice.cmd_newprob_Click(); };
    form.cmd_checksum.on_click = [this] { practice.cmd_checksum_Click(); };
    form.cmd_checkproduct.on_click = [this] { practice.cmd_checkproduct_Click(); };
    form.cmd_checkquotient.on_click = [this] { practice.cmd_checkquotient_Click(); };
    form.cmd_checkreduced.on_click = [this] { practice.cmd_checkreduced_Click(); };
    form.form().on_mouse_move = [this] { slots.Form_MouseMove(); };
}

void Tutor::pbox_text_MouseMove(double y)
{
    // Near the top of the box the pointer has just left the page strip.
    if (y <= 100)
        page_bar.draw_strip();
}

void Tutor::pbox_pages_MouseMove(double x) { page_bar.draw_strip(pages::PageBar::cell_at(x)); }

void Tutor::pbox_pages_MouseDown(double x) { course.displaypage(pages::PageBar::cell_at(x) + 1); }

void Tutor::mnu_circle_Click(int slot)
{
    form.mnu_circle[static_cast<std::size_t>(slot)]->toggle();
    slots.toggle_circle(slot);
}

void Tutor::mnu_mixed_Click(int slot)
{
    form.mnu_mixed[static_cast<std::size_t>(slot)]->toggle();
    slots.toggle_mixed(slot);
}

void Tutor::mnu_playback_Click()
{
    // The script as it is now: editing it while it plays changes nothing.
    course.play([this, script = authoring.writestring()] {
        scenes::play(shell, script, [this] { lessons.Lesson3_setup(); });
    });
}

void Tutor::offer_authoring()
{
    form.mnu_test.set_enabled(true);
    form.mnu_playback.set_enabled(true);
    if (ui::MenuItem* item = form.lesson_item("1f"))
        item->set_enabled(true);
}

void Tutor::pbox_go_on_Click()
{
    exercises.set_go_on_mark(true);
    waits.click();
    writer.write_text("");
    // The next line goes where the empty line and the one before it were.
    ui::Canvas& box = form.pbox_text.canvas();
    box.set_pen_y(box.pen_y() - 2 * box.text_height());
}

void Tutor::Form_Load()
{
    ui::Canvas& window = form.canvas();
    form.tbox_message.set_text("");
    form.mnu_auto.set_checked(false);
    window.set_background(ui::colors::window_back);
    exercises.set_go_on_mark(false);
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
    lessons.Lesson3_setup();
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

    course.start_lesson("1a");
}

} // namespace quorrel::app
