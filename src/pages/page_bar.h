#pragma once

#include "ui/controls.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace quorrel::pages {

// The title bar (lesson title left, "Page n" right) and the strip of page
// numbers under it that the learner clicks to jump.
class PageBar {
public:
    static constexpr int cell_width = 12;
    static constexpr int strip_pages = 41;
    // What a screen reader says of the strip; with the pointer on a number,
    // the page a click there opens follows.
    static constexpr std::string_view strip_description = "Page strip: click a number to open that page";

    // The strip loses its highlight when the pointer leaves it.
    PageBar(ui::PictureBox& title, ui::PictureBox& strip);
    PageBar(const PageBar&) = delete;
    PageBar& operator=(const PageBar&) = delete;

    // Also marks the page's number on the strip, and tells a screen reader
    // the lesson and page ("Lesson 1b: Setting up fraction pictures, page 7").
    void show_title(std::string_view lesson_title, int global_page);
    // Redraws the strip: the current page's cell marked, the cell under the
    // pointer highlighted if given.
    void draw_strip(std::optional<int> highlighted_cell = std::nullopt);

    // Pages the learner has finished (course-wide numbers) carry a mark
    // under their number, whatever else marks their cell.
    void set_finished(std::set<int> global_pages);
    void mark_finished(int global_page);
    const std::set<int>& finished() const { return finished_; }

    // The cell under strip position x (0 is page 1's cell).
    static int cell_at(double x);

    // What the title bar shows now.
    const std::string& shown_title() const { return shown_title_; }
    const std::string& shown_label() const { return shown_label_; }

private:
    ui::PictureBox& title_;
    ui::PictureBox& strip_;
    std::string shown_title_;
    std::string shown_label_;
    std::optional<int> current_page_;
    std::set<int> finished_;
};

// The current page's cell on the strip.
inline constexpr ui::Color current_page_mark = ui::colors::white;
// The bar under a finished page's number.
inline constexpr ui::Color finished_page_mark = ui::Color::rgb(0, 128, 0);

} // namespace quorrel::pages
