#include "support/recording_stage.h"

#include "fractions/geometry.h"
#include "support/learner.h"

namespace quorrel::testing {

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

bool RecordingStage::write_text(std::string_view text)
{
    record("write_text " + std::string(text));
    return true;
}

bool RecordingStage::draw(std::string_view text)
{
    record("draw " + std::string(text));
    return true;
}

void RecordingStage::wait()
{
    if (click_pending)
        ++waits_returned_at_once;
    click_pending = false;
    record("wait");
}

void RecordingStage::click()
{
    click_pending = true;
    record("click");
}

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

void RecordingStage::set_slider(int i, fractions::SlotPart slider, fractions::SliderSetting setting)
{
    const bool numerator = slider == fractions::SlotPart::slider_fracnum;
    std::string line = "set_slider " + std::to_string(i) + (numerator ? " num" : " den");
    if (setting.max) {
        if (Slot* s = slot(i))
            (numerator ? s->num_max : s->den_max) = *setting.max;
        line += " max " + std::to_string(*setting.max);
    }
    record(line);
}

void RecordingStage::exercise(const exercises::Condition& condition, std::string_view prompt,
                              exercises::Restate restate)
{
    record("exercise " + describe(condition) + "|" + std::string(prompt) +
           (restate == exercises::Restate::nothing ? "|extra" : ""));
}

} // namespace quorrel::testing
