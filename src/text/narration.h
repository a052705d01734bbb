#pragma once

#include "ui/canvas.h"
#include "ui/color.h"

#include <string_view>

namespace quorrel::text {

// What a lesson says, and how it paces the learner: text into the message
// box, then a click or a pause.
class Narration {
public:
    virtual ~Narration() = default;

    // A bulleted line, then a click or a pause. An empty line gets neither.
    virtual void write_line(std::string_view text) = 0;
    // The newest line, without bullet or pause. False when a malformed word
    // cut it short; only what was drawn joins the history.
    virtual bool write_text(std::string_view text) = 0;
    // Marked-up text new to the learner at the box's pen: no history, no
    // pause. False when a malformed word stopped it.
    virtual bool draw(std::string_view text) = 0;
    // Starts a scene under `title`; the next line redraws from the title on.
    virtual void clear_scene(std::string_view title) = 0;
    // Empties the box and writes the heading of lesson `code`.
    virtual void lesson_title(std::string_view code) = 0;
    // Empties the message box and the page's history.
    virtual void clear_text() = 0;

    // The welcome screen's own lettering: plain text at the pen in `font`,
    // and marked-up text with the box's left margin before every line.
    virtual void print_text(std::string_view text, const ui::Font& font) = 0;
    virtual void draw_at_margin(std::string_view text) = 0;
    virtual void new_text_line() = 0;
    virtual void to_left_margin() = 0;
    virtual void set_text_font(const ui::Font& font) = 0;
    virtual void set_text_color(ui::Color color) = 0;

    // Until the learner clicks to go on.
    virtual void wait() = 0;
    virtual void delay(double seconds) = 0;
    // A "go on" click made for the learner: the next wait returns at once.
    virtual void click() = 0;
};

} // namespace quorrel::text
