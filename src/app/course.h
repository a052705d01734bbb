#pragma once

#include "app/runner.h"
#include "pages/page_bar.h"
#include "pages/page_table.h"
#include "text/writer.h"
#include "ui/controls.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quorrel::app {

// Which lesson runs, from which page, and how the learner moves between
// lessons and pages. A lesson script is an ordinary function that blocks in
// the runner's waits; starting another lesson from inside one nests it.
class Course {
public:
    using Script = std::function<void()>;

    Course(Runner& runner, text::Writer& writer, pages::PageBar& bar, ui::PictureBox& text_box);

    void add_lesson(std::string code, Script script);

    const std::string& current_lesson() const { return current_lesson_; }
    void set_current_lesson(std::string code) { current_lesson_ = std::move(code); }
    int current_page() const { return current_page_; }
    void set_current_page(int page) { current_page_ = page; }
    // The page a script of `page_count` pages starts at: the current page if
    // it is one of pages 2 and up, otherwise the first.
    int start_page(int page_count) const;

    const pages::PageTable& table() const { return table_; }

    void show_lesson();
    // Runs lesson `code` from the current page, as a menu choice does.
    void run_lesson(std::string_view code);
    // The hand-over at the end of a lesson: asks for a click, then runs `code`.
    void new_lesson(std::string_view code);
    void next_page();
    void prev_page();
    // Runs the lesson holding course-wide page `global_page`; pages beyond the
    // table are ignored.
    void display_page(int global_page);
    // Starts page k of the running lesson: empties the message box and shows
    // the lesson's title and course-wide page number.
    void page(int k);

private:
    void restart_from_current();

    Runner& runner_;
    text::Writer& writer_;
    pages::PageBar& bar_;
    ui::PictureBox& text_box_;
    pages::PageTable table_;
    std::map<std::string, Script, std::less<>> scripts_;
    std::string current_lesson_;
    int current_page_ = 1;
};

} // namespace quorrel::app
