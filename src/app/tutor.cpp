#include "app/tutor.h"

#include "pages/catalogue.h"
#include "scenes/playback.h"


namespace quorrel::app {

Tutor::Tutor(Services services, int width, int height)
    : dialogs_(services.dialogs),
      random_(std::move(services.random)),
      form_(width, height),
      waits_(services.pump, services.clock),
      writer_(form_.pbox_text, form_.pbox_go_on, form_.mnu_waitt, waits_),
      reader_(services.speech, form_.mnu_read, waits_),
      page_bar_(form_.pbox_title, form_.pbox_pages),
      course_(waits_, writer_, page_bar_),
      slots_(form_.form(), form_.pbox_text, random_),
      exercises_({form_.form(), form_.pbox_text, form_.pbox_go_on, form_.cmd_stop, form_.mnu_auto}, writer_, waits_,
                 slots_, dialogs_, random_),
      practice_(slots_, form_.tbox_message, random_,
                [this](int slot, fractions::Fraction value) { fractions::show_value(slots_, slot, value); }),
      screen_(form_, slots_),
      stage_{writer_, slots_, screen_, exercises_, course_, random_},
      lessons_(stage_),
      stand_ins_(std::move(services.stand_ins)),
      recorder_(services.recorder ? *services.recorder : no_recorder_),
      authoring_(script_files_, dialogs_, [this] { mnu_playback_Click(); }),
      probe_({form_.form(), slots_, writer_, course_, page_bar_, exercises_, practice_, waits_})
{
    course_.set_scripts([this](std::string_view code) { return run_lesson(code); });
    course_.set_recorder(recorder_);
    exercises_.set_recorder(recorder_);
    practice_.set_recorder(recorder_);
    // A lesson never inherits a Stop meant for an earlier drill, the "here"
    // link of an exercise it cut short, a drill's locked question or the
    // verdict of an earlier visit to the practice screen.
    course_.set_clear([this](Course::Edge edge) {
        exercises_.end_lesson();
        for (int i = 0; i < fractions::Slots::count; ++i)
            slots_.lock_slot(i, false);
        reader_.stop();
        // The practice screen outlives its lesson's last line, until another
        // lesson starts; a new visit starts with no problem and no verdict.
        if (edge == Course::Edge::start)
            practice_.clear();
    });
    course_.set_on_page([this] { reader_.stop(); });
    // A screen reader reads the message box as what is newest in it: the
    // messages since the learner last moved on, as a voice would say them.
    writer_.on_new_text = [this](std::string_view text) {
        reader_.hear(text);
        if (!reader_.newest().empty())
            form_.pbox_text.set_accessible_description(reader_.newest());
    };
    // The menu's check marks follow the slots' modes, however they are set.
    slots_.on_modes_changed = [this](int slot) {
        if (slot < 0 || slot >= 3)
            return;
        const fractions::SlotState& state = slots_.modes().state(slot);
        form_.mnu_circle[static_cast<std::size_t>(slot)]->set_checked(state.circle_mode);
        form_.mnu_mixed[static_cast<std::size_t>(slot)]->set_checked(state.mixed_mode);
    };
    wire_handlers();
}


void Tutor::wire_handlers()
{
    form_.pbox_text.on_click = [this](double, double) { pbox_text_Click(); };
    form_.pbox_text.on_mouse_move = [this](double, double y) { pbox_text_MouseMove(y); };
    form_.pbox_go_on.on_click = [this](double, double) { pbox_go_on_Click(); };
    form_.cmd_stop.on_click = [this] { exercises_.stop(); };
    form_.pbox_pages.on_mouse_move = [this](double x, double) { pbox_pages_MouseMove(x); };
    form_.pbox_pages.on_mouse_down = [this](double x, double) { pbox_pages_MouseDown(x); };

    // Opening a submenu does nothing: a learner who looks and cancels leaves
    // the lesson as it was. Each lesson lays out its own chapter's screen.
    for (const pages::LessonInfo& info : pages::catalogue) {
        if (ui::MenuItem* item = form_.lesson_item(std::string(info.code)))
            item->on_choose = [this, code = info.code] { course_.start_lesson(code); };
    }
    form_.mnu_next.on_choose = [this] { mnu_next_Click(); };
    form_.mnu_prev.on_choose = [this] { mnu_prev_Click(); };
    form_.mnu_waitt.on_choose = [this] { form_.mnu_waitt.toggle(); };
    form_.mnu_auto.on_choose = [this] { form_.mnu_auto.toggle(); };
    form_.mnu_read.on_choose = [this] { reader_.toggle(); };
    form_.mnu_exit.on_choose = [this] { mnu_exit_Click(); };
    form_.mnu_playback.on_choose = [this] { mnu_playback_Click(); };
    for (int slot = 0; slot < 3; ++slot) {
        form_.mnu_circle[static_cast<std::size_t>(slot)]->on_choose = [this, slot] { mnu_circle_Click(slot); };
        form_.mnu_mixed[static_cast<std::size_t>(slot)]->on_choose = [this, slot] { mnu_mixed_Click(slot); };
    }

    form_.cmd_newprob.on_click = [this] { practice_.cmd_newprob_Click(); };
    form_.cmd_checksum.on_click = [this] { practice_.cmd_checksum_Click(); };
    form_.cmd_checkproduct.on_click = [this] { practice_.cmd_checkproduct_Click(); };
    form_.cmd_checkquotient.on_click = [this] { practice_.cmd_checkquotient_Click(); };
    form_.cmd_checkreduced.on_click = [this] { practice_.cmd_checkreduced_Click(); };
}

void Tutor::pbox_text_MouseMove(double y)
{
    // Near the top of the box the pointer has just left the page strip.
    if (y <= 100)
        page_bar_.draw_strip();
}

void Tutor::pbox_pages_MouseMove(double x) { page_bar_.draw_strip(pages::PageBar::cell_at(x)); }

void Tutor::pbox_pages_MouseDown(double x) { course_.displaypage(pages::PageBar::cell_at(x) + 1); }

void Tutor::mnu_circle_Click(int slot)
{
    slots_.set_pizza(slot, !slots_.modes().state(slot).circle_mode);
    fractions::redraw(slots_, slot);
}

void Tutor::mnu_mixed_Click(int slot)
{
    slots_.set_mixed(slot, !slots_.modes().state(slot).mixed_mode);
    fractions::redraw(slots_, slot);
}

void Tutor::mnu_playback_Click() { play_scene(0); }

void Tutor::play_scene(std::size_t from)
{
    if (before_play_)
        before_play_();
    // The script as it is now: editing it while it plays changes nothing.
    course_.play([this, commands = scenes::parse_script_from(authoring_.writestring(), from)] {
        const auto layout = [this] {
            screen_.reset_screen();
            lessons_.Lesson3_setup();
        };
        playing_scene_ = true;
        struct Done {
            bool& playing;
            ~Done() { playing = false; }
        } done{playing_scene_};
        scenes::play({writer_, slots_, exercises_, dialogs_, random_}, commands, layout,
                     [this] { waits_.keep_answering(); });
    });
}

void Tutor::stop_scene()
{
    if (playing_scene_)
        waits_.start([] {});
}

void Tutor::mnu_exit_Click()
{
    if (!may_end_ || may_end_())
        waits_.request_quit();
}

void Tutor::offer_authoring(std::function<void()> open_authoring, std::function<bool()> may_end,
                            std::function<void()> before_play)
{
    may_end_ = std::move(may_end);
    before_play_ = std::move(before_play);
    form_.mnu_test.on_choose = std::move(open_authoring);
    form_.mnu_test.set_enabled(true);
    form_.mnu_playback.set_enabled(true);
    if (ui::MenuItem* item = form_.lesson_item("1f"))
        item->set_enabled(true);
}

bool Tutor::stop_drill()
{
    if (!form_.cmd_stop.visible())
        return false;
    form_.cmd_stop.click();
    return true;
}

bool Tutor::run_lesson(std::string_view code)
{
    if (stand_ins_ && stand_ins_(code, stage_))
        return true;
    return lessons_.run(code);
}

namespace {

// A lesson of the course's page table (the authoring lesson is not).
bool paged(std::string_view code)
{
    const auto lesson = pages::find_lesson(code);
    return lesson && lesson->paged;
}

} // namespace

void Tutor::resume_at(std::optional<progress::Place> place, std::string greeting)
{
    if (place && !paged(place->lesson))
        place.reset();
    if (!loaded_) {
        if (place)
            resume_.emplace(std::move(*place), std::move(greeting));
        else
            resume_.reset();
    } else if (place) {
        course_.resume(place->lesson, place->page, std::move(greeting));
    } else {
        course_.start_lesson("1a");
    }
}

void Tutor::show_finished(const std::set<progress::Place>& pages)
{
    std::set<int> global;
    for (const progress::Place& place : pages)
        if (paged(place.lesson))
            global.insert(course_.table().global_page(place.lesson, place.page));
    page_bar_.set_finished(std::move(global));
}

void Tutor::pbox_go_on_Click()
{
    recorder_.record(progress::Activity{});
    exercises_.give_up();
    waits_.click();
    writer_.write_text("");
    // The next line goes where the empty line and the one before it were.
    ui::Canvas& box = form_.pbox_text.canvas();
    box.set_pen(box.pen_x(), box.pen_y() - 2 * ui::text_height(box));
}

void Tutor::place_panels()
{
    ui::Canvas& window = form_.canvas();
    const ui::Font font = window.font();
    window.set_font({"Arial", 14});
    const int h = static_cast<int>(ui::text_height(window));
    window.set_font(font);
    const int half = form_.form().width() / 2;
    form_.pbox_text.move(0, h + 20, half, form_.form().height() - h - 2);
    form_.pbox_title.move(0, 0, half, static_cast<int>(ui::text_height(form_.pbox_title.canvas())) + 4);
    form_.pbox_pages.move(0, form_.pbox_title.height(), half, 20);
    // The message box starts under the strip, never over its last row.
    if (const int strip_end = form_.pbox_pages.bottom_edge(); form_.pbox_text.top() < strip_end)
        form_.pbox_text.move(0, strip_end, half, form_.pbox_text.bottom_edge() - strip_end);
    // A drill's Stop sits at the foot of the window, whatever its size now.
    form_.place_stop();
}

void Tutor::refit(int width, int height)
{
    if (width == form_.form().width() && height == form_.form().height())
        return;
    form_.form().resize(width, height);
    if (course_.current_lesson().empty())
        return; // start-up lays the window out
    place_panels();
    go_to_page(global_page());
}

int Tutor::page_count() const { return course_.table().total_pages(); }

int Tutor::global_page() const { return course_.table().global_page(course_.current_lesson(), course_.current_page()); }

bool Tutor::continue_reading()
{
    if (!form_.pbox_go_on.visible())
        return false;
    pbox_go_on_Click();
    return true;
}

void Tutor::Form_Load()
{
    ui::Canvas& window = form_.canvas();
    form_.tbox_message.set_text("");
    form_.mnu_auto.set_checked(false);
    window.set_background(ui::colors::window_back);
    form_.hide_controls();

    ui::Canvas& go_on = form_.pbox_go_on.canvas();
    go_on.set_pen((go_on.width() - ui::text_width(go_on, "here!")) / 2, go_on.pen_y());

    slots_.set_unit_length(120);
    // The first numerator box is laid out like those the reset prepares.
    if (ui::TextBox* first = slots_.entries().inbox(0)) {
        first->set_font({"Times New Roman", 12});
        slots_.entries().input_setup(0, 12);
    }
    window.set_font({"Arial", 14});
    ui::Canvas& title = form_.pbox_title.canvas();
    title.set_font({"Arial Narrow", 12});
    form_.move_arrow(1200, 1200);
    place_panels();
    form_.form().bring_to_front(form_.pbox_text);
    form_.pbox_text.canvas().set_background(ui::colors::yellow);
    window.set_draw_width(2);

    screen_.reset_screen();
    lessons_.Lesson3_setup();
    form_.save_arrow_shape();

    ui::Canvas& strip = form_.pbox_pages.canvas();
    strip.set_font({"Times New Roman", 7});
    form_.form().bring_to_front(form_.pbox_pages);
    strip.set_background(ui::colors::page_strip);
    form_.pbox_pages.show();
    page_bar_.draw_strip();

    title.set_background(ui::colors::green);
    form_.pbox_title.show();
    form_.form().bring_to_front(form_.pbox_title);

    loaded_ = true;
    if (resume_)
        course_.resume(resume_->first.lesson, resume_->first.page, resume_->second);
    else
        course_.start_lesson("1a");
}

} // namespace quorrel::app
