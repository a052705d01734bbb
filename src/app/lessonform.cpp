#include "app/lessonform.h"

#include "pages/catalogue.h"
#include "pages/page_bar.h"

#include <cmath>
#include <utility>

namespace quorrel::app {

namespace {

// Each chapter's submenu offers the catalogue's lessons of that chapter,
// each chosen from the keyboard by the letter of its code ("1a" by a).
void add_lessons(ui::MenuItem& chapter_menu, int chapter)
{
    for (const pages::LessonInfo& info : pages::catalogue)
        if (info.chapter == chapter)
            chapter_menu.add("mnu_" + std::string(info.code), std::string(info.menu_caption)).mnemonic =
                info.code.back();
}

const std::pair<const char*, const char*> learner_items[] = {
    {"mnu_newlearner", "New learner…"},
    {"mnu_renamelearner", "Rename…"},
    {"mnu_forgetlearner", "Forget this learner…"},
    {"mnu_progress", "Progress…"},
};

std::string caption_of(std::string_view code)
{
    const auto info = pages::find_lesson(code);
    return info ? std::string(info->menu_caption) : std::string();
}

ui::MenuItem& checkable(ui::MenuItem& item)
{
    item.checkable = true;
    return item;
}

} // namespace

LessonForm::LessonForm(int width, int height)
    : form_(caption, width, height, ui::colors::window_back),
      pbox_title(form_.add<ui::PictureBox>("pbox_title", ui::colors::green)),
      pbox_pages(form_.add<ui::PictureBox>("pbox_pages", ui::colors::page_strip)),
      pbox_text(form_.add<ui::PictureBox>("pbox_text", ui::colors::yellow)),
      pbox_go_on(form_.add<ui::PictureBox>("pbox_go_on", ui::colors::yellow)),
      tbox_message(form_.add<ui::TextBox>("tbox_message")),
      cmd_stop(form_.add<ui::Button>("cmd_stop", "Stop")),
      cmd_newprob(form_.add<ui::Button>("cmd_newprob", "Click here for a New Problem")),
      cmd_checksum(form_.add<ui::Button>("cmd_checksum", "Check Sum")),
      cmd_checkproduct(form_.add<ui::Button>("cmd_checkproduct", "Check Product")),
      cmd_checkquotient(form_.add<ui::Button>("cmd_checkquotient", "Check Quotient")),
      cmd_checkreduced(form_.add<ui::Button>("cmd_checkreduced", "Is it reduced?")),
      mnu_Lessons(form_.menu_bar().add("mnu_Lessons", "Lessons")),
      mnu_1(mnu_Lessons.add("mnu_1", "Lesson 1: Fraction Basics")),
      mnu_2(mnu_Lessons.add("mnu_2", "Lesson 2: Rewriting fractions")),
      mnu_3(mnu_Lessons.add("mnu_3", "Lesson 3: Fraction Arithmetic")),
      mnu_4(mnu_Lessons.add("mnu_4", caption_of("4"))),
      mnu_goto(mnu_Lessons.add("mnu_goto", "Go to page…")),
      mnu_modes(form_.menu_bar().add("mnu_modes", "Choices")),
      mnu_auto(checkable(mnu_modes.add("mnu_auto", "Answer auto"))),
      mnu_waitt(checkable(mnu_modes.add("mnu_waitt", "Wait"))),
      mnu_circle0(checkable(mnu_modes.add("mnu_circle0", "Frac 0 Circle"))),
      mnu_mixed0(checkable(mnu_modes.add("mnu_mixed0", "Frac 0 Mixed"))),
      mnu_circle1(checkable(mnu_modes.add("mnu_circle1", "Frac 1 Circle"))),
      mnu_mixed1(checkable(mnu_modes.add("mnu_mixed1", "Frac 1 mixed"))),
      mnu_circle2(checkable(mnu_modes.add("mnu_circle2", "Frac 2 Circle"))),
      mnu_mixed2(checkable(mnu_modes.add("mnu_mixed2", "Frac 2 Mixed"))),
      mnu_read(checkable(mnu_modes.add("mnu_read", "Read aloud"))),
      mnu_view(form_.menu_bar().add("mnu_view", "View")),
      mnu_larger(mnu_view.add("mnu_larger", "Larger")),
      mnu_smaller(mnu_view.add("mnu_smaller", "Smaller")),
      mnu_normalsize(mnu_view.add("mnu_normalsize", "Normal size")),
      mnu_contrast(checkable(mnu_view.add("mnu_contrast", "High contrast"))),
      mnu_learner(form_.menu_bar().add("mnu_learner", "Learner")),
      mnu_next(form_.menu_bar().add("mnu_next", "NextPage")),
      mnu_prev(form_.menu_bar().add("mnu_prev", "PrevPage")),
      mnu_exit(form_.menu_bar().add("mnu_exit", "Exit")),
      mnu_test(form_.menu_bar().add("mnu_test", "Test")),
      mnu_playback(form_.menu_bar().add("mnu_playback", "Playback"))
{
    add_lessons(mnu_1, 1);
    add_lessons(mnu_2, 2);
    add_lessons(mnu_3, 3);
    for (const auto& [name, text] : learner_items)
        mnu_learner.add(name, text);
    mnu_waitt.set_checked(true);
    // The learner is not offered these; the features behind them still work.
    lesson_item("1f")->set_enabled(false);
    mnu_test.set_enabled(false);
    mnu_playback.set_enabled(false);
    set_mnemonics();
    describe_controls();

    pbox_go_on.move(0, 0, 40, 22);
    tbox_message.move(0, 0, 240, 56);
    tbox_message.multi_line = true;

    // The arrow's tip is the start of line 0. It points left; a quarter turn
    // makes it point down at a slider from the free space above it.
    const ui::Color arrow_blue = ui::colors::blue;
    arrow_[0] = &form_.add<ui::LineControl>("Line1(0)", arrow_blue, 3);
    arrow_[1] = &form_.add<ui::LineControl>("Line1(1)", arrow_blue, 3);
    arrow_[2] = &form_.add<ui::LineControl>("Line1(2)", arrow_blue, 3);
    arrow_[0]->set_points(0, 0, 80, 0);
    arrow_[1]->set_points(0, 0, 16, -10);
    arrow_[2]->set_points(0, 0, 16, 10);
    save_arrow_shape();
}

// The keys of the menus: Alt with the letter on the menu bar, the letter
// alone inside an open menu. The captions themselves stay as they are.
void LessonForm::set_mnemonics()
{
    LessonForm& f = *this;
    const std::pair<ui::MenuItem*, char> table[] = {
        {&f.mnu_Lessons, 'L'}, {&f.mnu_modes, 'C'},    {&f.mnu_learner, 'e'}, {&f.mnu_next, 'N'},     {&f.mnu_prev, 'P'},
        {&f.mnu_exit, 'x'},    {&f.mnu_test, 'T'},     {&f.mnu_playback, 'b'}, {&f.mnu_1, '1'},
        {&f.mnu_2, '2'},       {&f.mnu_3, '3'},        {&f.mnu_4, '4'},        {&f.mnu_auto, 'A'},
        {&f.mnu_waitt, 'W'},   {&f.mnu_circle0, '0'},  {&f.mnu_mixed0, 'M'},   {&f.mnu_circle1, '1'},
        {&f.mnu_mixed1, 'i'},  {&f.mnu_circle2, '2'},  {&f.mnu_mixed2, 'x'},   {&f.mnu_goto, 'G'},
        {&f.mnu_view, 'V'},    {&f.mnu_larger, 'L'},   {&f.mnu_smaller, 'S'},  {&f.mnu_normalsize, 'N'},
        {&f.mnu_contrast, 'H'},
    };
    for (const auto& [item, key] : table)
        item->mnemonic = key;
    // Keys that work without opening the menus; the page strip and the
    // view's size are reached from the keyboard this way.
    f.mnu_goto.shortcuts = {"Ctrl+G"};
    f.mnu_larger.shortcuts = {"Ctrl++", "Ctrl+="};
    f.mnu_smaller.shortcuts = {"Ctrl+-"};
    f.mnu_normalsize.shortcuts = {"Ctrl+0"};
    // No clash with the menu bar's letters; Stop has Escape.
    f.cmd_newprob.mnemonic = 'w';
    f.cmd_checksum.mnemonic = 'S';
    f.cmd_checkproduct.mnemonic = 'd';
    f.cmd_checkquotient.mnemonic = 'Q';
    f.cmd_checkreduced.mnemonic = 'r';
}

// What a screen reader says of each control.
void LessonForm::describe_controls()
{
    LessonForm& f = *this;
    f.pbox_title.describe("Lesson title", "The lesson and the page you are on");
    f.pbox_pages.describe("Page strip", std::string(pages::PageBar::strip_description));
    f.pbox_text.describe("Lesson text", "");
    // The lesson's text is read as text, and the keyboard rests on it between
    // visits to the fractions: last in the Tab order, so Tab from it goes to
    // the first fraction.
    f.pbox_text.holds_text = true;
    f.pbox_text.tab_place = 1000;
    f.pbox_go_on.describe("Continue reading (H)", "Leaves the exercise and goes on with the lesson");
    f.tbox_message.describe("Practice message", "What the tutor says about your answer");
    f.cmd_stop.describe("Stop the drill", "Ends the drill after this problem (Escape)");
    f.cmd_newprob.describe("New problem", "Sets a new practice problem");
    f.cmd_checksum.describe("Check Sum", "Checks whether the answer is the sum of the two fractions");
    f.cmd_checkproduct.describe("Check Product", "Checks whether the answer is the product of the two fractions");
    f.cmd_checkquotient.describe("Check Quotient",
                                 "Checks whether the answer is the quotient of the two fractions");
    f.cmd_checkreduced.describe("Is it reduced?", "Checks whether the answer is in lowest terms");
}

ui::MenuItem* LessonForm::lesson_item(const std::string& code) { return form_.menu_bar().find("mnu_" + code); }

void LessonForm::hide_controls()
{
    for (const auto& control : form_.controls()) {
        const std::string& name = control->name();
        if (name == "pbox_pages" || name.rfind("mnu", 0) == 0)
            continue;
        control->hide();
    }
    pbox_title.show();
}

void LessonForm::move_arrow(double x, double y)
{
    const double dx = x - arrow_[0]->x1();
    const double dy = y - arrow_[0]->y1();
    for (auto* line : arrow_)
        line->set_points(line->x1() + dx, line->y1() + dy, line->x2() + dx, line->y2() + dy);
}

void LessonForm::turn_arrow(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (std::size_t i = 0; i < arrow_.size(); ++i) {
        const Shape& start = arrow_shape_[i];
        auto* line = arrow_[i];
        const double dx = start.x2 - start.x1;
        const double dy = start.y2 - start.y1;
        line->set_points(line->x1(), line->y1(), line->x1() + dx * c + dy * s, line->y1() + dy * c - dx * s);
    }
}

void LessonForm::show_arrow()
{
    for (auto* line : arrow_)
        line->show();
}

void LessonForm::save_arrow_shape()
{
    for (std::size_t i = 0; i < arrow_.size(); ++i)
        arrow_shape_[i] = {arrow_[i]->x1(), arrow_[i]->y1(), arrow_[i]->x2(), arrow_[i]->y2()};
}

void LessonForm::place_stop()
{
    cmd_stop.move(pbox_text.width() / 2 - 40, form_.height() - 40, 80, 30);
}

} // namespace quorrel::app
