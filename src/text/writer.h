#pragma once

#include "text/markup.h"
#include "text/narration.h"
#include "ui/controls.h"
#include "ui/waits.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrel::text {

// Writes lesson text into the message box: every line redraws the page's
// history in grey and the new line in blue, then waits for the learner's
// click (or pauses, when "Wait" is unchecked). Text drawn after the newest
// line (an exercise's prompt) takes over as the newest: what was new turns
// grey, so only one thing in the box is ever blue.
class Writer final : public Narration {
public:
    Writer(ui::PictureBox& box, ui::PictureBox& go_on, const ui::MenuItem& wait_item, ui::Waits& waits);
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Fractions in running text advance by their numerals' width in the
    // main window's own font at the size lessons are written in, whatever
    // font the pictures last left on the window.
    static inline const ui::Font main_font{"Arial", 14};

    void write_line(std::string_view text) override;
    bool write_text(std::string_view text) override;
    bool draw(std::string_view text) override;
    void clear_scene(std::string_view title) override;
    void lesson_title(std::string_view code) override;
    void clear_text() override;
    void print_text(std::string_view text, const ui::Font& font) override;
    void draw_at_margin(std::string_view text) override;
    void new_text_line() override;
    void to_left_margin() override;
    void set_text_font(const ui::Font& font) override;
    void set_text_color(ui::Color color) override;
    void wait() override { waits_.wait(); }
    void delay(double seconds) override { waits_.delay(seconds); }
    void click() override { waits_.click(); }

    const std::string& message_history() const { return history_; }
    void clear_history() { history_.clear(); }
    const std::string& scene_title() const { return scene_title_; }

    // As `draw`, for text the learner has seen already (a flashing "Please
    // try again"): nothing is announced, nothing turns grey.
    bool redraw(std::string_view text);
    // The page's history at the pen, all in `color` whatever colour words
    // its lines hold.
    void redraw_history(ui::Color color);
    // Hands text new to the learner, shown some other way, to `on_new_text`.
    void announce(std::string_view text);

    // Hears every message as it first appears, marked up: new lines, titles,
    // prompts; not the history redrawn in grey nor a flashing "Try again".
    std::function<void(std::string_view)> on_new_text;

    double line_delay = 0.5;

private:
    Layout render(std::string_view text, const Style& style = {});
    // Repaints in grey what was new, while the box still shows it as drawn.
    void fade_newest();
    // The box's text for a screen reader follows what the box shows: the
    // history alone after a redraw of it, and each text new to the learner
    // added as it is drawn.
    void reread_history();
    void add_to_page(std::string_view text);

    ui::PictureBox& box_;
    ui::PictureBox& go_on_;
    const ui::MenuItem& wait_item_;
    ui::Waits& waits_;
    QtMetrics metrics_;
    std::string history_;
    std::string scene_title_;
    Pen last_end_; // where the last text drawn left the pen
    // What is drawn in the newest line's colours since the history was.
    std::vector<Layout> newest_;
    std::string page_words_; // the words of the page, a line each
};

} // namespace quorrel::text
