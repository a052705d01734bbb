#pragma once

#include "app/runner.h"
#include "ui/controls.h"

#include <string>
#include <string_view>

namespace quorrel::text {

// Writes lesson text into the message box: every line redraws the page's
// history in grey and the new line in blue, then waits for the learner's
// click (or pauses, when "Wait" is unchecked).
class Writer {
public:
    // `window` is the main window's surface, whose font measures fractions.
    Writer(ui::PictureBox& box, ui::PictureBox& go_on, const ui::MenuItem& wait_item, const ui::Canvas& window,
           app::Runner& runner);

    void write_line(std::string_view text);
    void write_text(std::string_view text);
    void clear_scene(std::string_view title);
    void lesson_title(std::string_view code);

    const std::string& message_history() const { return history_; }
    void clear_history() { history_.clear(); }
    const std::string& scene_title() const { return scene_title_; }

    // Draws marked-up text at the box's pen (no history, no pause).
    void draw(std::string_view text);

    double line_delay = 0.5;

private:
    ui::PictureBox& box_;
    ui::PictureBox& go_on_;
    const ui::MenuItem& wait_item_;
    const ui::Canvas& window_;
    app::Runner& runner_;
    std::string history_;
    std::string scene_title_;
};

// The title of a lesson ("Lesson 1b: Setting up fraction pictures"), or empty.
std::string lesson_name(std::string_view code);

// A line break followed by six blanks: starts an indented paragraph.
inline constexpr std::string_view para_break = "\r\n      ";

} // namespace quorrel::text
