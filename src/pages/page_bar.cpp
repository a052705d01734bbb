#include "pages/page_bar.h"

#include "pages/page_table.h"

#include <cmath>

#include "ui/rounding.h"

#include <string>
#include <utility>

namespace quorrel::pages {

PageBar::PageBar(ui::PictureBox& title, ui::PictureBox& strip) : title_(title), strip_(strip)
{
    strip_.on_mouse_leave = [this] { draw_strip(); };
}

void PageBar::show_title(std::string_view lesson_title, int global_page)
{
    ui::Canvas& c = title_.canvas();
    c.clear();
    shown_title_ = std::string(lesson_title) + "  ";
    c.print(shown_title_);
    shown_label_ = "Page " + std::to_string(global_page) + "  ";
    c.set_pen(c.width() - ui::text_width(c, shown_label_) - 10, 0);
    c.print(shown_label_);
    current_page_ = global_page;
    std::string_view heading = lesson_title;
    while (!heading.empty() && (heading.back() == '.' || heading.back() == ' '))
        heading.remove_suffix(1);
    title_.set_accessible_description(std::string(heading) + ", page " + std::to_string(global_page));
    draw_strip();
}

void PageBar::draw_strip(std::optional<int> highlighted_cell)
{
    ui::Canvas& c = strip_.canvas();
    c.box(0, 0, c.width(), c.height(), c.background(), true);
    const auto fill_cell = [&c](int cell, ui::Color color) {
        c.box(cell_width * cell, 0, cell_width * cell + cell_width - 1, c.height() - 1, color, true);
    };
    if (current_page_ && *current_page_ >= 1 && *current_page_ <= strip_pages)
        fill_cell(*current_page_ - 1, current_page_mark);
    // The highlight spans the strip's own height, so it shows over the cell.
    if (highlighted_cell)
        fill_cell(*highlighted_cell, ui::colors::yellow);
    for (int j = 0; j < strip_pages; ++j) {
        c.set_pen(cell_width * j, 0);
        c.print(std::to_string(j + 1));
    }
    for (const int page : finished_)
        if (page >= 1 && page <= strip_pages)
            c.box(cell_width * (page - 1) + 1, c.height() - 3, cell_width * page - 2, c.height() - 2,
                  finished_page_mark, true);
    static const PageTable table;
    std::string description(strip_description);
    if (const auto opens = highlighted_cell ? table.locate(*highlighted_cell + 1) : std::nullopt)
        description += "; under the pointer: page " + std::to_string(*highlighted_cell + 1) + " (lesson " +
                       opens->lesson + ", page " + std::to_string(opens->page) + ")";
    strip_.set_accessible_description(std::move(description));
}

void PageBar::set_finished(std::set<int> global_pages)
{
    finished_ = std::move(global_pages);
    draw_strip();
}

void PageBar::mark_finished(int global_page)
{
    if (finished_.insert(global_page).second)
        draw_strip();
}

// The cell the pointer is in, as the number drawn in it reads: rounding
// would give the right half of each number to the page after it.
int PageBar::cell_at(double x) { return static_cast<int>(std::floor(x / cell_width)); }

} // namespace quorrel::pages
