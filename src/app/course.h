#pragma once

#include "pages/page_bar.h"
#include "pages/page_table.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/waits.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorrel::app {

// Which lesson runs, from which page, and how the learner moves between
// lessons and pages. A lesson started by the learner replaces the running
// one; a lesson's own hand-over (`new_Lesson`) runs the next one inside it.
class Course {
public:
    // Runs the script of a lesson code; false when there is none.
    using Scripts = std::function<bool(std::string_view code)>;
    // Called whenever a lesson or page starts (the drill marks are emptied).
    using Starting = std::function<void()>;

    Course(ui::Waits& waits, text::Writer& writer, pages::PageBar& bar, ui::PictureBox& text_box);

    void set_scripts(Scripts scripts) { scripts_ = std::move(scripts); }
    void set_starting(Starting starting) { starting_ = std::move(starting); }
    // Called as page k of the running lesson starts, after `starting` for
    // the lesson's first page.
    std::function<void()> on_page;

    const std::string& current_lesson() const { return current_lesson_; }
    void set_current_lesson(std::string code) { current_lesson_ = std::move(code); }
    int current_page() const { return current_page_; }
    void set_current_page(int page) { current_page_ = page; }
    // The page a script of `page_count` pages starts at: the current page if
    // it is one of pages 2 and up, otherwise the first.
    int start_page(int page_count) const;

    const pages::PageTable& table() const { return table_; }

    // Runs the script of the current lesson from the current page.
    void show_Lesson();
    // The hand-over at the end of a lesson: asks for a click, then runs `code`.
    void new_Lesson(std::string_view code);
    // Starts page k of the running lesson: empties the message box and shows
    // the lesson's title and course-wide page number.
    void page(int k);

    // What the learner starts; each replaces the running lesson.
    void start_lesson(std::string_view code);
    void mnu_next_Click();
    void mnu_prev_Click();
    // The lesson holding course-wide page `global_page`; pages beyond the
    // table are ignored.
    void displaypage(int global_page);

private:
    // Runs from the idle loop once the running lesson has unwound.
    void restart(std::string lesson, int page, bool wait_after);

    ui::Waits& waits_;
    text::Writer& writer_;
    pages::PageBar& bar_;
    ui::PictureBox& text_box_;
    pages::PageTable table_;
    Scripts scripts_;
    Starting starting_;
    std::string current_lesson_;
    int current_page_ = 1;
};

} // namespace quorrel::app
