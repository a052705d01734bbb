#pragma once

#include "app/tutor.h"
#include "exercises/exercise.h"

#include <functional>
#include <initializer_list>
#include <string_view>

namespace quorrel::lessons {

// The moves every lesson script makes, so that the scripts themselves read
// as a teacher's script: what is said, what is shown, what is asked.
class Script {
public:
    explicit Script(app::Tutor& tutor) : t(tutor) {}

protected:
    // Names the running lesson and brings back the empty lesson screen.
    void begin(std::string_view code);
    // Runs the pages from the one the learner asked for, then hands over to
    // lesson `next` (none when empty).
    void run_pages(std::initializer_list<std::function<void()>> pages, std::string_view next);
    void page(int k) { t.course.page(k); }

    void line(std::string_view text) { t.writer.write_line(text); }
    void text(std::string_view text) { t.writer.write_text(text); }
    void title(std::string_view code) { t.writer.lesson_title(code); }
    void wait() { t.runner.wait(); }

    // Slot i shows n/d with its sliders and numeral.
    void set(int slot, int n, int d) { t.slots.show_fraction(slot, n, d); }
    // Slot i shows n/d as a picture alone: no sliders, no numeral.
    void picture(int slot, int n, int d);
    // Shows the numeral (and its bar) of a slot without its sliders.
    void show_numeral(int slot);
    void pizza(int slot, bool on);
    void mixed(int slot, bool on);

    void exercise(std::string_view condition, std::string_view prompt,
                  exercises::Restate restate = exercises::Restate::prompt)
    {
        t.exercises.exercise(condition, prompt, restate);
    }

    app::Tutor& t;
};

// Joins pieces of lesson text into one line.
std::string join(std::initializer_list<std::string_view> pieces);

// A colour as the markup's "ForeColor__" token takes it.
std::string fore_color(ui::Color color);

} // namespace quorrel::lessons
