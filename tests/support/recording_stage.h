#pragma once

#include "lessons/stage.h"
#include "ui/canvas.h"
#include "ui/platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorrel::testing {

// A stage without a window: it records every verb as one line of text
// ("write_line nice", "show_fraction 2 3/4") and keeps the slots' values and
// slider maxima, so a test reads what a script did in the order it did it.
class RecordingStage final : public lessons::Stage {
public:
    explicit RecordingStage(std::uint64_t seed = 1) : random_(ui::Random::fixed(seed)) {}

    std::vector<std::string> log;
    std::vector<std::string> messages;
    struct Slot {
        int num = 1;
        int den = 1;
        int num_max = 2;
        int den_max = 2;
    };
    std::array<Slot, 11> slots{};
    bool click_pending = false;
    int waits_returned_at_once = 0;

    // Only the lines starting with `verb`.
    std::vector<std::string> calls(const std::string& verb) const;

    void set_current_lesson(std::string_view code) override;
    int start_page(int) const override { return 1; }
    void page(int k) override;
    void new_Lesson(std::string_view code) override;
    void reset_screen() override;
    void hide_controls() override;
    void write_line(std::string_view text) override;
    void write_text(std::string_view text) override;
    void draw(std::string_view text) override;
    void clear_scene(std::string_view title) override;
    void lesson_title(std::string_view code) override;
    void clear_text() override;
    void print_text(std::string_view text, const ui::Font&) override;
    void new_text_line() override;
    void to_left_margin() override {}
    void draw_at_margin(std::string_view text) override { draw(text); }
    void set_text_font(const ui::Font&) override {}
    void set_text_color(ui::Color) override {}
    void wait() override;
    void delay(double seconds) override;
    void click() override;
    void message_box(std::string_view text) override;
    void make_slot(int i) override;
    void place_slot(int i, int left, int top) override;
    void show_slot(int i) override;
    void hide_slot(int i) override;
    void showslide(int) override {}
    void hideslide(int) override {}
    bool show_fraction(int i, int n, int d) override;
    std::optional<fractions::Fraction> value(int i) const override;
    void hold_fraction(int i, int n, int d) override;
    void show_picture(int) override {}
    void show_numeral(int) override {}
    void hide_numeral(int) override {}
    void set_pizza(int, bool) override {}
    void set_mixed(int, bool) override {}
    void set_ruler_side(int, fractions::RulerSide) override {}
    void set_bar_color(int, ui::Color) override {}
    void set_unit_length(double) override {}
    void set_slider_range(int i, lessons::SlotPart slider, int min, int max) override;
    void set_slider_value(int i, lessons::SlotPart slider, int value) override;
    void set_slider_max(int i, lessons::SlotPart slider, int max) override;
    QRect rect(int, lessons::SlotPart) const override { return {}; }
    void move_part(int, lessons::SlotPart, const QRect&) override {}
    void keep_below(int, int, int) override {}
    void stop_following(int) override {}
    void lock_slot(int, bool) override {}
    void design() override {}
    void clear_drawing() override {}
    void show_chocolate(int, fractions::Chocolate) override {}
    ui::Canvas& window_canvas() override { return canvas_; }
    QRect rect(lessons::Control) const override { return {}; }
    void place(lessons::Control, const QRect&) override {}
    void show(lessons::Control) override {}
    void hide(lessons::Control) override {}
    void move_arrow(double, double) override {}
    void turn_arrow(double) override {}
    void show_arrow() override {}
    void exercise(std::string_view condition, std::string_view prompt, exercises::Restate restate) override;
    void quiz(int slot, std::string_view condition, std::string_view, std::string_view, int, int, int, int,
              std::string_view, exercises::Restate) override;
    void set_prompt_prefix(std::string_view text) override { prefix_ = text; }
    std::string_view prompt_prefix() const override { return prefix_; }
    bool quit_marked() const override { return false; }
    void clear_quit_mark() override {}
    ui::Random& random() override { return random_; }

private:
    Slot* slot(int i);
    void record(std::string line) { log.push_back(std::move(line)); }

    ui::Random random_;
    ui::Canvas canvas_{64, 64, ui::Color{}};
    std::string prefix_;
};

} // namespace quorrel::testing
