#pragma once

#include "exercises/asking.h"
#include "fractions/board.h"
#include "scenes/playback.h"
#include "support/fakes.h"
#include "text/narration.h"
#include "ui/platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorrel::testing {

// What a scene plays on, without a window: each verb is recorded as one line
// of text ("write_line nice", "show_fraction 2 3/4") and the slots keep their
// values and slider maxima, so a test reads what a script did in order.
class RecordingStage final : public text::Narration, public fractions::Board, public exercises::Asking {
public:
    explicit RecordingStage(std::uint64_t seed = 1) : random_(ui::Random::fixed(seed)) {}

    // The stage a scene plays on.
    scenes::Stage stage() { return {*this, *this, *this, dialogs, random_}; }

    std::vector<std::string> log;
    RecordingDialogs dialogs;
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

    // What scenes say and how they wait.
    void write_line(std::string_view text) override { record("write_line " + std::string(text)); }
    bool write_text(std::string_view text) override;
    bool draw(std::string_view text) override;
    void clear_scene(std::string_view title) override { record("clear_scene " + std::string(title)); }
    void wait() override;
    void delay(double seconds) override { record("delay " + std::to_string(seconds)); }
    void click() override;
    // What they set on the board.
    bool show_fraction(int i, int n, int d) override;
    std::optional<fractions::Fraction> value(int i) const override;
    void set_slider(int i, fractions::SlotPart slider, fractions::SliderSetting setting) override;
    // What they ask.
    void exercise(const exercises::Condition& condition, std::string_view prompt,
                  exercises::Restate restate) override;

    // Never used by a scene.
    void lesson_title(std::string_view) override {}
    void clear_text() override {}
    void print_text(std::string_view, const ui::Font&) override {}
    void draw_at_margin(std::string_view) override {}
    void new_text_line() override {}
    void to_left_margin() override {}
    void set_text_font(const ui::Font&) override {}
    void set_text_color(ui::Color) override {}
    bool make_slot(int) override { return true; }
    bool place_slot(int, int, int) override { return true; }
    bool show_slot(int) override { return true; }
    bool hide_slot(int) override { return true; }
    bool showslide(int) override { return true; }
    bool hideslide(int) override { return true; }
    void show_picture(int, bool) override {}
    void show_numeral(int, bool) override {}
    void hold_fraction(int, int, int) override {}
    void lock_slot(int, bool) override {}
    void set_pizza(int, bool) override {}
    void set_mixed(int, bool) override {}
    void set_ruler_side(int, fractions::RulerSide) override {}
    void set_bar_color(int, ui::Color) override {}
    bool set_unit_length(double, std::optional<int>) override { return true; }
    void keep_below(int, int, int) override {}
    void design() override {}
    void quiz(const exercises::Drill&) override {}
    void set_prompt_prefix(std::string_view) override {}
    std::string_view prompt_prefix() const override { return {}; }
    bool quit_marked() const override { return false; }
    void clear_quit_mark() override {}

private:
    Slot* slot(int i);
    void record(std::string line) { log.push_back(std::move(line)); }

    ui::Random random_;
};

} // namespace quorrel::testing
