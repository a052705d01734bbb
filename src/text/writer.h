#pragma once

#include "ui/waits.h"
#include "text/markup.h"
#include "ui/controls.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorrel::text {

// Writes lesson text into the message box: every line redraws the page's
// history in grey and the new line in blue, then waits for the learner's
// click (or pauses, when "Wait" is unchecked).
class Writer {
public:
    Writer(ui::PictureBox& box, ui::PictureBox& go_on, const ui::MenuItem& wait_item, ui::Waits& waits);
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Fractions in running text advance by their numerals' width in the
    // main window's own font at the size lessons are written in, whatever
    // font the pictures last left on the window.
    static inline const ui::Font main_font{"Arial", 14};

    // A bulleted line, then a click or a pause. An empty line gets neither.
    void write_line(std::string_view text);
    // The newest line, without bullet or pause. False when a malformed word
    // cut it short; only what was drawn joins the history.
    bool write_text(std::string_view text);
    // Starts a scene under `title`; the next line redraws from the title on.
    void clear_scene(std::string_view title);
    // Empties the box and writes the heading of lesson `code`.
    void lesson_title(std::string_view code);

    const std::string& message_history() const { return history_; }
    void clear_history() { history_.clear(); }
    const std::string& scene_title() const { return scene_title_; }

    // Draws marked-up text at the box's pen (no history, no pause). False
    // when a malformed word stopped it.
    bool draw(std::string_view text);

    double line_delay = 0.5;
    // Told each line as write_text draws it (markup and all), before any wait.
    std::function<void(std::string_view line)> on_line;

private:
    Layout render(std::string_view text);

    ui::PictureBox& box_;
    ui::PictureBox& go_on_;
    const ui::MenuItem& wait_item_;
    ui::Waits& waits_;
    QtMetrics metrics_;
    std::string history_;
    std::string scene_title_;
    Pen last_end_; // where the last text drawn left the pen
};

} // namespace quorrel::text
