#include "app/course.h"

#include "pages/catalogue.h"

#include <algorithm>

namespace quorrel::app {

Course::Course(ui::Waits& waits, text::Writer& writer, pages::PageBar& bar)
    : waits_(waits), writer_(writer), bar_(bar)
{
}

int Course::first_page() const
{
    const auto lesson = pages::find_lesson(current_lesson_);
    return lesson && current_page_ >= 2 && current_page_ <= lesson->pages ? current_page_ : 1;
}

void Course::hand_over()
{
    // Read to the end: the last page and the lesson are done.
    if (page_in_run_ > 0) {
        recorder_->record(progress::PageFinished{current_lesson_, page_in_run_});
        bar_.mark_finished(table_.global_page(current_lesson_, page_in_run_));
        recorder_->record(progress::LessonFinished{current_lesson_});
        page_in_run_ = 0;
    }
    if (const auto lesson = pages::find_lesson(current_lesson_); lesson && !lesson->next.empty())
        new_Lesson(lesson->next);
}

namespace {

// One lesson's run: nothing it left behind reaches the next, however it ends.
class LessonScope {
public:
    explicit LessonScope(const Course::Clear& clear) : clear_(clear) { run(Course::Edge::start); }
    ~LessonScope() { run(Course::Edge::end); }
    LessonScope(const LessonScope&) = delete;
    LessonScope& operator=(const LessonScope&) = delete;

private:
    void run(Course::Edge edge) const
    {
        if (clear_)
            clear_(edge);
    }
    const Course::Clear& clear_;
};

} // namespace

void Course::show_Lesson()
{
    run_scoped([this] {
        if (scripts_)
            scripts_(current_lesson_);
    });
}

void Course::play(std::function<void()> scene)
{
    waits_.start([this, scene = std::move(scene)] { run_scoped(scene); });
}

void Course::run_scoped(const std::function<void()>& body)
{
    const auto frame = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    shallowest_start_ = std::min(shallowest_start_, frame);
    deepest_start_ = std::max(deepest_start_, frame);
    // The lesson's own face too: the welcome screen leaves its serif face on
    // the box, and a lesson reached from there must read as it does when
    // reached by reading on.
    writer_.set_text_font({"Arial Narrow", 14});
    page_in_run_ = 0;
    const LessonScope scope(clear_);
    body();
}

void Course::new_Lesson(std::string_view code)
{
    writer_.write_line("");
    writer_.write_line("Please click to go on to lesson " + std::string(code));
    start_lesson(code);
}

void Course::page(int k)
{
    // Reading on from the page before finishes it; a jump finishes nothing.
    if (page_in_run_ > 0 && page_in_run_ < k) {
        recorder_->record(progress::PageFinished{current_lesson_, page_in_run_});
        bar_.mark_finished(table_.global_page(current_lesson_, page_in_run_));
    }
    page_in_run_ = k;
    current_page_ = k;
    recorder_->record(progress::PageReached{current_lesson_, k});
    if (on_page_)
        on_page_();
    writer_.clear_text();
    bar_.show_title(std::string(pages::lesson_name(current_lesson_)), table_.global_page(current_lesson_, k));
    if (!greeting_.empty())
        writer_.write_line(std::exchange(greeting_, {}));
}

void Course::start_lesson(std::string_view code)
{
    // A lesson chosen from the menu starts at its first page.
    waits_.forget_click();
    waits_.start([this, lesson = std::string(code)] {
        current_lesson_ = lesson;
        current_page_ = 1;
        show_Lesson();
    });
}

void Course::resume(std::string lesson, int page, std::string greeting)
{
    greeting_ = std::move(greeting);
    restart(std::move(lesson), page, false);
}

void Course::mnu_next_Click()
{
    std::string lesson = current_lesson_;
    int page = current_page_;
    const int i = table_.lesson_index(lesson).value_or(0);
    if (table_.pages(i) != page) {
        ++page;
    } else {
        const int last = table_.size() - 1;
        if (i == last)
            return;
        page = 1;
        lesson = table_.code(i + 1);
    }
    restart(std::move(lesson), page, true);
}

void Course::mnu_prev_Click()
{
    std::string lesson = current_lesson_;
    int page = current_page_;
    if (page == 1) {
        const int i = table_.lesson_index(lesson).value_or(0);
        if (i == 0)
            return;
        page = table_.pages(i - 1);
        lesson = table_.code(i - 1);
    } else {
        --page;
    }
    restart(std::move(lesson), page, false);
}

void Course::displaypage(int global_page)
{
    const auto location = table_.locate(global_page);
    if (!location)
        return;
    restart(location->lesson, location->page, false);
}

void Course::restart(std::string lesson, int page, bool wait_after)
{
    // The page to show is noted at once, so a second NextPage before the
    // running lesson has unwound steps on from it.
    current_lesson_ = std::move(lesson);
    current_page_ = page;
    waits_.forget_click();
    waits_.start([this, wait_after] {
        writer_.clear_text();
        show_Lesson();
        if (wait_after)
            waits_.wait();
    });
}

} // namespace quorrel::app
