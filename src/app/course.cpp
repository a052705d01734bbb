#include "app/course.h"

namespace quorrel::app {

Course::Course(Runner& runner, text::Writer& writer, pages::PageBar& bar, ui::PictureBox& text_box)
    : runner_(runner), writer_(writer), bar_(bar), text_box_(text_box)
{
}

void Course::add_lesson(std::string code, Script script) { scripts_[std::move(code)] = std::move(script); }

int Course::start_page(int page_count) const
{
    return current_page_ >= 2 && current_page_ <= page_count ? current_page_ : 1;
}

void Course::show_lesson()
{
    text_box_.canvas().set_font_size(14);
    if (auto it = scripts_.find(current_lesson_); it != scripts_.end()) {
        // The script may replace itself in the table while it runs; run a copy.
        const Script script = it->second;
        script();
    }
}

void Course::run_lesson(std::string_view code)
{
    current_lesson_ = std::string(code);
    show_lesson();
}

void Course::new_lesson(std::string_view code)
{
    writer_.write_line("");
    writer_.write_line("Please click to go on to lesson " + std::string(code));
    current_lesson_ = std::string(code);
    current_page_ = 1;
    show_lesson();
}

void Course::next_page()
{
    const int i = table_.lesson_index(current_lesson_).value_or(0);
    if (table_.pages(i) != current_page_) {
        ++current_page_;
    } else {
        const int last = table_.size() - 1;
        if (i == last)
            return;
        current_page_ = 1;
        current_lesson_ = table_.code(i + 1);
    }
    restart_from_current();
    runner_.wait();
}

void Course::prev_page()
{
    if (current_page_ == 1) {
        const int i = table_.lesson_index(current_lesson_).value_or(0);
        if (i == 0)
            return;
        current_page_ = table_.pages(i - 1);
        current_lesson_ = table_.code(i - 1);
    } else {
        --current_page_;
    }
    restart_from_current();
}

void Course::display_page(int global_page)
{
    const auto location = table_.locate(global_page);
    if (!location)
        return;
    current_lesson_ = location->lesson;
    current_page_ = location->page;
    show_lesson();
}

void Course::page(int k)
{
    current_page_ = k;
    text_box_.canvas().clear();
    writer_.clear_history();
    bar_.show_title(text::lesson_name(current_lesson_), table_.global_page(current_lesson_, k));
}

void Course::restart_from_current()
{
    text_box_.canvas().clear();
    writer_.clear_history();
    show_lesson();
}

} // namespace quorrel::app
