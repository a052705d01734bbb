#pragma once

#include "app/course.h"
#include "app/lessonform.h"
#include "exercises/exercise.h"
#include "fractions/slots.h"
#include "lessons/stage.h"
#include "text/writer.h"
#include "ui/platform.h"
#include "ui/waits.h"

namespace quorrel::app {

// The main window as lessons and scenes see it: every verb of the lesson
// interface carried out on the window's parts.
class Shell final : public lessons::Stage {
public:
    struct Parts {
        LessonForm& form;
        ui::Waits& waits;
        text::Writer& writer;
        Course& course;
        fractions::Slots& slots;
        exercises::ExerciseRunner& exercises;
        ui::Dialogs& dialogs;
        ui::Random& random;
    };

    explicit Shell(Parts parts) : p_(parts) {}

    void set_current_lesson(std::string_view code) override;
    int start_page(int page_count) const override;
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
    void print_text(std::string_view text, const ui::Font& font) override;
    void new_text_line() override;
    void to_left_margin() override;
    void draw_at_margin(std::string_view text) override;
    void set_text_font(const ui::Font& font) override;
    void set_text_color(ui::Color color) override;

    void wait() override;
    void delay(double seconds) override;
    void click() override;
    void message_box(std::string_view text) override;

    void make_slot(int i) override;
    void place_slot(int i, int left, int top) override;
    void show_slot(int i) override;
    void hide_slot(int i) override;
    void showslide(int i) override;
    void hideslide(int i) override;
    bool show_fraction(int i, int n, int d) override;
    std::optional<fractions::Fraction> value(int i) const override;
    void hold_fraction(int i, int n, int d) override;
    void show_picture(int i) override;
    void show_numeral(int i) override;
    void hide_numeral(int i) override;
    void set_pizza(int i, bool on) override;
    void set_mixed(int i, bool on) override;
    void set_ruler_side(int i, fractions::RulerSide side) override;
    void set_bar_color(int i, ui::Color color) override;
    void set_unit_length(double length) override;
    void set_slider_range(int i, lessons::SlotPart slider, int min, int max) override;
    void set_slider_value(int i, lessons::SlotPart slider, int value) override;
    void set_slider_max(int i, lessons::SlotPart slider, int max) override;
    QRect rect(int i, lessons::SlotPart part) const override;
    void move_part(int i, lessons::SlotPart part, const QRect& to) override;
    void keep_below(int follower, int leader, int gap) override;
    void stop_following(int follower) override;
    void lock_slot(int i, bool locked) override;
    void design() override;
    void clear_drawing() override;
    void show_chocolate(int i, fractions::Chocolate kind) override;

    ui::Canvas& window_canvas() override;
    QRect rect(lessons::Control control) const override;
    void place(lessons::Control control, const QRect& to) override;
    void show(lessons::Control control) override;
    void hide(lessons::Control control) override;

    void move_arrow(double x, double y) override;
    void turn_arrow(double angle) override;
    void show_arrow() override;

    void exercise(std::string_view condition, std::string_view prompt, exercises::Restate restate) override;
    void quiz(int slot, std::string_view condition, std::string_view intro, std::string_view turn_prefix, int num_low,
              int num_count, int den_low, int den_count, std::string_view prompt,
              exercises::Restate restate) override;
    void set_prompt_prefix(std::string_view text) override;
    std::string_view prompt_prefix() const override;
    bool quit_marked() const override;
    void clear_quit_mark() override;
    ui::Random& random() override;

private:
    // Adds text drawn into the message box to what a screen reader reads there.
    void describe_drawn_text(std::string_view text);
    ui::Control& control(lessons::Control which) const;
    ui::Control* part(int i, lessons::SlotPart which) const;
    ui::Slider* slider(int i, lessons::SlotPart which) const;

    Parts p_;
};

} // namespace quorrel::app
