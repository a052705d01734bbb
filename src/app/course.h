#pragma once

#include "lessons/stage.h"
#include "pages/page_bar.h"
#include "pages/page_table.h"
#include "progress/events.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/waits.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorrel::app {

// Which lesson runs, from which page, and how the learner moves between
// lessons and pages. Every lesson starts the same way, from the idle loop of
// the waits: chosen by the learner, reached by paging, or handed over by the
// lesson before it, it replaces the running one and never nests inside it.
class Course final : public lessons::Pages {
public:
    // Runs the script of a lesson code; false when there is none.
    using Scripts = std::function<bool(std::string_view code)>;
    // Clears what a lesson may leave behind (drill marks, locks, links, the
    // voice): run as every lesson starts and on every way out of it,
    // unwinding included.
    enum class Edge { start, end };
    using Clear = std::function<void(Edge)>;

    Course(ui::Waits& waits, text::Writer& writer, pages::PageBar& bar);
    Course(const Course&) = delete;
    Course& operator=(const Course&) = delete;

    void set_scripts(Scripts scripts) { scripts_ = std::move(scripts); }
    void set_clear(Clear clear) { clear_ = std::move(clear); }
    // Called as each page of the running lesson starts.
    void set_on_page(std::function<void()> on_page) { on_page_ = std::move(on_page); }

    // Where pages reached and finished are reported.
    void set_recorder(progress::Recorder& recorder) { recorder_ = &recorder; }

    const std::string& current_lesson() const { return current_lesson_; }
    void set_current_lesson(std::string code) { current_lesson_ = std::move(code); }
    int current_page() const { return current_page_; }
    void set_current_page(int page) { current_page_ = page; }
    // The current page if the running lesson has it, otherwise the first.
    int first_page() const override;
    // Starts page k of the running lesson: empties the message box and shows
    // the lesson's title and course-wide page number.
    void page(int k) override;
    // Hands over to the lesson after the running one in the catalogue.
    void hand_over() override;

    const pages::PageTable& table() const { return table_; }
    // How far apart on the stack lessons have started: 0 while each starts
    // from the same frame, however long the chain of hand-overs.
    std::uintptr_t start_depth_spread() const { return deepest_start_ - shallowest_start_; }

    // Runs the script of the current lesson from the current page.
    void show_Lesson();
    // Plays a scene in place of the running lesson, started as a lesson is.
    void play(std::function<void()> scene);
    // The hand-over at the end of a lesson: asks for a click, then starts
    // `code` once the running lesson has returned.
    void new_Lesson(std::string_view code);

    // What the learner starts; each replaces the running lesson.
    void start_lesson(std::string_view code);
    // Starts at page `page` of `lesson`, with `greeting` as the page's first line.
    void resume(std::string lesson, int page, std::string greeting);
    void mnu_next_Click();
    void mnu_prev_Click();
    // The lesson holding course-wide page `global_page`; pages beyond the
    // table are ignored.
    void displaypage(int global_page);

private:
    void run_scoped(const std::function<void()>& body);
    // Runs from the idle loop once the running lesson has unwound.
    void restart(std::string lesson, int page, bool wait_after);

    ui::Waits& waits_;
    text::Writer& writer_;
    pages::PageBar& bar_;
    pages::PageTable table_;
    Scripts scripts_;
    Clear clear_;
    std::function<void()> on_page_;
    progress::NullRecorder no_recorder_;
    progress::Recorder* recorder_ = &no_recorder_;
    // The page the running lesson last started, while it runs.
    int page_in_run_ = 0;
    std::string greeting_;
    std::uintptr_t shallowest_start_ = UINTPTR_MAX;
    std::uintptr_t deepest_start_ = 0;
    std::string current_lesson_;
    int current_page_ = 1;
};

} // namespace quorrel::app
