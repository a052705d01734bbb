#pragma once

#include "app/course.h"
#include "app/lessonform.h"
#include "app/probe.h"
#include "app/reader.h"
#include "app/lesson_screen.h"
#include "exercises/exercise.h"
#include "exercises/practice.h"
#include "fractions/slots.h"
#include "lessons/library.h"
#include "pages/page_bar.h"
#include "progress/events.h"
#include "progress/store.h"
#include "scenes/authoring.h"
#include "scenes/script_files.h"
#include "text/writer.h"
#include "ui/platform.h"
#include "ui/waits.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace quorrel::app {

// What the tutor needs from the machine it runs on; tests hand in fakes.
struct Services {
    // Runs a script in place of the course's lesson `code` (a test's stand-in
    // lesson), or returns false to let the course's own run.
    using Scripts = std::function<bool(std::string_view code, const lessons::Stage& stage)>;

    ui::EventPump& pump;
    const ui::Clock& clock;
    ui::Dialogs& dialogs;
    ui::Random random;
    ui::Speech& speech;
    Scripts stand_ins = {};
    // Where the course's events go; none are kept without one.
    progress::Recorder* recorder = nullptr;
};

// The program's composition root: builds the parts in dependency order and
// wires the window's handlers to them. It hands out no part: lessons see the
// lesson roles, views and tests the window as a learner works it, and what
// they read comes through the probe.
class Tutor {
public:
    Tutor(Services services, int width, int height);
    Tutor(const Tutor&) = delete;
    Tutor& operator=(const Tutor&) = delete;

    // Where the learner goes on: `place` with `greeting` as its first line,
    // or lesson 1a when there is none. Before Form_Load it is where the
    // course starts.
    void resume_at(std::optional<progress::Place> place, std::string greeting);
    // Marks the learner's finished pages on the page strip.
    void show_finished(const std::set<progress::Place>& pages);

    // Lays the window out and starts the first lesson (start-up). The
    // lesson runs once one of the loops below runs.
    void Form_Load();
    // The program's loop: returns once the program is to end.
    void run_until_quit() { waits_.run_until_quit(); }
    // Runs the lessons started until none is left (a headless tutor); throws
    // ui::QuitRequested when the program is to end.
    void run_until_idle() { waits_.run_until_idle(); }

    // The window as the learner works it: its controls and menus, by name.
    ui::Form& window() { return form_.form(); }
    // The authoring window's script and fields; the window itself is a view.
    scenes::Authoring& authoring_model() { return authoring_; }
    // Offers "Test", "Playback" and "1f", which learners are not offered;
    // "Test" calls `open_authoring`. "Exit" and closing the window end the
    // program only once `may_end` agrees (unsaved work is settled);
    // `before_play` runs as each playback starts (to check the script).
    void offer_authoring(std::function<void()> open_authoring, std::function<bool()> may_end = {},
                         std::function<void()> before_play = {});
    // Plays the authoring window's script from byte `from` on, as
    // "Playback" plays it whole: of the commands before, only those that set
    // fractions run.
    void play_scene(std::size_t from = 0);
    // Ends the scene being played, if one is; the screen stays as it is.
    void stop_scene();

    // What the learner does from the keyboard, as the matching click does.
    void go_on() { pbox_text_Click(); }
    void next_page() { mnu_next_Click(); }
    void prev_page() { mnu_prev_Click(); }
    // "Stop", while a drill offers it; false when none does.
    bool stop_drill();
    // The "here" link, while an exercise shows it; false when none does.
    bool continue_reading();
    void quit() { mnu_exit_Click(); }

    // The pages of the course, numbered as on the page strip: how many, the
    // one on screen, and going to one as a click on the strip does.
    int page_count() const;
    int global_page() const;
    void go_to_page(int page) { course_.displaypage(page); }
    // Gives the window a new inside: the message box, title bar and page
    // strip follow it, and the page on screen starts again laid out for it.
    void refit(int width, int height);

    const Probe& probe() const { return probe_; }

private:
    void wire_handlers();
    // The message box down the left half, under the title bar and the strip.
    void place_panels();

    // The window's handlers, as the learner triggers them.
    void pbox_text_Click()
    {
        recorder_.record(progress::Activity{});
        waits_.click();
    }
    void pbox_go_on_Click();
    void pbox_text_MouseMove(double y);
    void pbox_pages_MouseMove(double x);
    void pbox_pages_MouseDown(double x);
    void mnu_next_Click() { course_.mnu_next_Click(); }
    void mnu_prev_Click() { course_.mnu_prev_Click(); }
    // mnu_circle0_Click ... mnu_mixed2_Click.
    void mnu_circle_Click(int slot);
    void mnu_mixed_Click(int slot);
    void mnu_exit_Click();
    // Plays the authoring window's script in place of the running lesson.
    void mnu_playback_Click();
    // Runs a lesson: the one the services put in its place, if any.
    bool run_lesson(std::string_view code);

    ui::Dialogs& dialogs_;
    ui::Random random_;
    LessonForm form_;
    ui::Waits waits_;
    text::Writer writer_;
    Reader reader_;
    pages::PageBar page_bar_;
    Course course_;
    fractions::Slots slots_;
    exercises::ExerciseRunner exercises_;
    exercises::Practice practice_;
    LessonScreen screen_;
    lessons::Stage stage_;
    lessons::Library lessons_;
    Services::Scripts stand_ins_;
    std::function<bool()> may_end_;
    std::function<void()> before_play_;
    bool playing_scene_ = false;
    progress::NullRecorder no_recorder_;
    progress::Recorder& recorder_;
    std::optional<std::pair<progress::Place, std::string>> resume_;
    bool loaded_ = false;
    scenes::DiskScriptFiles script_files_;
    scenes::Authoring authoring_;
    Probe probe_;
};

} // namespace quorrel::app
