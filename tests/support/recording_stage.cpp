#include "support/recording_stage.h"

#include "fractions/geometry.h"

namespace quorrel::testing {

namespace {
std::string part_name(lessons::SlotPart part)
{
    switch (part) {
    case lessons::SlotPart::slider_fracnum:
        return "num";
    case lessons::SlotPart::slider_fracden:
        return "den";
    case lessons::SlotPart::pbox_fracbar:
        return "bar";
    }
    return "?";
}
} // namespace

std::vector<std::string> RecordingStage::calls(const std::string& verb) const
{
    std::vector<std::string> found;
    for (const auto& line : log)
        if (line == verb || line.starts_with(verb + " "))
            found.push_back(line);
    return found;
}

RecordingStage::Slot* RecordingStage::slot(int i)
{
    return i >= 0 && i < static_cast<int>(slots.size()) ? &slots[static_cast<std::size_t>(i)] : nullptr;
}

void RecordingStage::set_current_lesson(std::string_view code) { record("set_current_lesson " + std::string(code)); }
void RecordingStage::page(int k) { record("page " + std::to_string(k)); }
void RecordingStage::new_Lesson(std::string_view code) { record("new_Lesson " + std::string(code)); }
void RecordingStage::reset_screen() { record("reset_screen"); }
void RecordingStage::hide_controls() { record("hide_controls"); }
void RecordingStage::write_line(std::string_view text) { record("write_line " + std::string(text)); }
void RecordingStage::write_text(std::string_view text) { record("write_text " + std::string(text)); }
void RecordingStage::draw(std::string_view text) { record("draw " + std::string(text)); }
void RecordingStage::clear_scene(std::string_view title) { record("clear_scene " + std::string(title)); }
void RecordingStage::lesson_title(std::string_view code) { record("lesson_title " + std::string(code)); }
void RecordingStage::clear_text() { record("clear_text"); }
void RecordingStage::print_text(std::string_view text, const ui::Font&) { record("print_text " + std::string(text)); }
void RecordingStage::new_text_line() { record("new_text_line"); }

void RecordingStage::wait()
{
    if (click_pending)
        ++waits_returned_at_once;
    click_pending = false;
    record("wait");
}

void RecordingStage::delay(double seconds) { record("delay " + std::to_string(seconds)); }

void RecordingStage::click()
{
    click_pending = true;
    record("click");
}

void RecordingStage::message_box(std::string_view text)
{
    messages.emplace_back(text);
    record("message_box " + std::string(text));
}

void RecordingStage::make_slot(int i) { record("make_slot " + std::to_string(i)); }
void RecordingStage::place_slot(int i, int left, int top)
{
    record("place_slot " + std::to_string(i) + " " + std::to_string(left) + " " + std::to_string(top));
}
void RecordingStage::show_slot(int i) { record("show_slot " + std::to_string(i)); }
void RecordingStage::hide_slot(int i) { record("hide_slot " + std::to_string(i)); }

bool RecordingStage::show_fraction(int i, int n, int d)
{
    Slot* s = slot(i);
    if (!s || n < 0 || d < 1 || n > 32767 || d > 32767 || n > fractions::max_units * d)
        return false;
    s->num = n;
    s->den = d;
    s->num_max = s->den_max = 2 * std::max(n, d);
    record("show_fraction " + std::to_string(i) + " " + std::to_string(n) + "/" + std::to_string(d));
    return true;
}

std::optional<fractions::Fraction> RecordingStage::value(int i) const
{
    if (i < 0 || i >= static_cast<int>(slots.size()))
        return std::nullopt;
    const Slot& s = slots[static_cast<std::size_t>(i)];
    return fractions::Fraction::make(s.num, s.den);
}

void RecordingStage::hold_fraction(int i, int n, int d)
{
    if (Slot* s = slot(i)) {
        s->num = n;
        s->den = d;
    }
    record("hold_fraction " + std::to_string(i) + " " + std::to_string(n) + "/" + std::to_string(d));
}

void RecordingStage::set_slider_range(int i, lessons::SlotPart slider, int min, int max)
{
    record("set_slider_range " + std::to_string(i) + " " + part_name(slider) + " " + std::to_string(min) + " " +
           std::to_string(max));
}

void RecordingStage::set_slider_value(int i, lessons::SlotPart slider, int value)
{
    if (Slot* s = slot(i))
        (slider == lessons::SlotPart::slider_fracnum ? s->num : s->den) = value;
    record("set_slider_value " + std::to_string(i) + " " + part_name(slider) + " " + std::to_string(value));
}

void RecordingStage::set_slider_max(int i, lessons::SlotPart slider, int max)
{
    if (Slot* s = slot(i))
        (slider == lessons::SlotPart::slider_fracnum ? s->num_max : s->den_max) = max;
    record("set_slider_max " + std::to_string(i) + " " + part_name(slider) + " " + std::to_string(max));
}

void RecordingStage::exercise(std::string_view condition, std::string_view prompt, exercises::Restate restate)
{
    record("exercise " + std::string(condition) + "|" + std::string(prompt) +
           (restate == exercises::Restate::nothing ? "|extra" : ""));
}

void RecordingStage::quiz(int slot, std::string_view condition, std::string_view, std::string_view, int, int, int,
                          int, std::string_view, exercises::Restate)
{
    record("quiz " + std::to_string(slot) + " " + std::string(condition));
}

} // namespace quorrel::testing
