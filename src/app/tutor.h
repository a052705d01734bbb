#pragma once

#include "app/course.h"
#include "app/lessonform.h"
#include "app/reader.h"
#include "app/shell.h"
#include "exercises/exercise.h"
#include "exercises/practice.h"
#include "fractions/slots.h"
#include "lessons/library.h"
#include "pages/page_bar.h"
#include "scenes/authoring.h"
#include "scenes/script_files.h"
#include "text/writer.h"
#include "ui/platform.h"
#include "ui/waits.h"

namespace quorrel::app {

// What the tutor needs from the machine it runs on; tests hand in fakes.
struct Services {
    ui::EventPump& pump;
    const ui::Clock& clock;
    ui::Dialogs& dialogs;
    ui::Random random;
    ui::Speech& speech;
};

// The program's composition root: builds the parts in dependency order and
// wires the window's handlers to them. Lessons see only the shell's lesson
// interface; the views and the tests reach the parts from here.
class Tutor {
public:
    Tutor(Services services, int width, int height);
    Tutor(const Tutor&) = delete;
    Tutor& operator=(const Tutor&) = delete;

    // Lays the window out and starts the first lesson (start-up). The
    // lesson runs once the caller enters `waits.run_until_quit()`.
    void Form_Load();
    void reset_screen() { shell.reset_screen(); }

    // The window's handlers, as the learner triggers them.
    void pbox_text_Click() { waits.click(); }
    void pbox_go_on_Click();
    void cmd_stop_Click() { exercises.set_quit_mark(true); }
    void pbox_text_MouseMove(double y);
    void pbox_pages_MouseMove(double x);
    void pbox_pages_MouseDown(double x);
    void mnu_Lessons_Click() { course.set_current_page(1); }
    void mnu_1_Click() { reset_screen(); }
    void mnu_2_Click() { lessons.Lesson2_setup(); }
    void mnu_3_Click() { lessons.Lesson3_setup(); }
    // mnu_1a_Click ... mnu_4_Click: every lesson item of the menu.
    void mnu_lesson_Click(std::string_view code) { course.start_lesson(code); }
    void mnu_next_Click() { course.mnu_next_Click(); }
    void mnu_prev_Click() { course.mnu_prev_Click(); }
    void mnu_waitt_Click() { form.mnu_waitt.toggle(); }
    void mnu_auto_Click() { form.mnu_auto.toggle(); }
    void mnu_read_Click() { reader.toggle(); }
    // mnu_circle0_Click ... mnu_mixed2_Click.
    void mnu_circle_Click(int slot);
    void mnu_mixed_Click(int slot);
    void mnu_exit_Click() { waits.request_quit(); }
    // Plays the authoring window's script in place of the running lesson.
    void mnu_playback_Click();
    // Offers "Test", "Playback" and "1f", which learners are not offered.
    void offer_authoring();

    ui::Dialogs& dialogs;
    ui::Random random;
    LessonForm form;
    ui::Waits waits;
    text::Writer writer;
    Reader reader;
    pages::PageBar page_bar;
    Course course;
    fractions::Slots slots;
    exercises::ExerciseRunner exercises;
    exercises::Practice practice;
    Shell shell;
    lessons::Library lessons;
    scenes::DiskScriptFiles script_files;
    // The authoring window's script and fields; the window itself is a view.
    scenes::Authoring authoring;

private:
    void wire_handlers();
};

} // namespace quorrel::app
