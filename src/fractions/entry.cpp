#include "fractions/entry.h"

#include "fractions/geometry.h"

#include <QFontMetricsF>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

namespace quorrel::fractions {

EntryBoxes::EntryBoxes(ui::Form& form) : form_(form)
{
    for (int k = 0; k < count; ++k) {
        ui::TextBox& box = form.add<ui::TextBox>("inbox(" + std::to_string(k) + ")");
        box.numeral = true;
        const bool numerator = k % 2 == 0;
        box.describe((numerator ? "Numerator of " : "Denominator of ") + slot_label(k / 2),
                     "Type a number and press Return to set it");
        box.tab_place = tab_place(k / 2, numerator ? TabPart::num_box : TabPart::den_box);
        boxes_[std::size_t(k)] = &box;
    }
}

std::string slot_label(int i)
{
    static constexpr const char* ordinals[] = {"first",   "second", "third", "fourth", "fifth",   "sixth",
                                               "seventh", "eighth", "ninth", "tenth",  "eleventh"};
    if (i < 0 || i >= static_cast<int>(std::size(ordinals)))
        return "fraction " + std::to_string(i + 1);
    return std::string("the ") + ordinals[i] + " fraction";
}

int numeral_box_width(const ui::Font& font)
{
    // Digits are as wide as each other in the fonts numerals are shown in,
    // but measuring each keeps a font where they are not on the safe side.
    const QFontMetricsF metrics(ui::to_qfont(font));
    double digit = 0;
    for (char c = '0'; c <= '9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QChar(c)));
    return static_cast<int>(std::ceil(widest_numeral_digits * digit)) + numeral_box_margin;
}

ui::TextBox* EntryBoxes::inbox(int index)
{
    return index >= 0 && index < count ? boxes_[std::size_t(index)] : nullptr;
}

const ui::TextBox* EntryBoxes::inbox(int index) const
{
    return index >= 0 && index < count ? boxes_[std::size_t(index)] : nullptr;
}

bool EntryBoxes::input_setup(int index, double size)
{
    ui::TextBox* box = inbox(index);
    ui::Canvas& window = form_.canvas();
    if (!box || !ui::set_font_size(window, size))
        return false;
    box->set_background(window.background());
    ui::Font font = box->font();
    font.size = size;
    box->set_font(font);
    box->set_text("0");
    // Two digits of the window's font, as the boxes were first drawn, or
    // more: a box never clips the largest number its slider can hold.
    const int width = std::max(to_pixel(2 * ui::text_width(window, "0") + 3), numeral_box_width(font));
    box->move(box->left(), box->top(), width, to_pixel(ui::text_height(window) * 1.1));
    return true;
}

void EntryBoxes::Form_MouseMove()
{
    for (ui::TextBox* box : boxes_)
        box->set_background(form_.canvas().background());
}

std::optional<int> parse_entry(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value > ui::Slider::highest)
        return std::nullopt;
    return value;
}

} // namespace quorrel::fractions
