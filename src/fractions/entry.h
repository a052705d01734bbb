#pragma once

#include "ui/form.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorrel::fractions {

// The numeral boxes inbox(0) to inbox(10): box 2i shows and takes the
// numerator of slot i, box 2i + 1 its denominator. All exist from the start.
class EntryBoxes {
public:
    static constexpr int count = 11;

    explicit EntryBoxes(ui::Form& form);

    // nullptr outside 0..10.
    ui::TextBox* inbox(int index);
    const ui::TextBox* inbox(int index) const;

    // Gives the box the window's background, `size` and the text "0", and
    // sizes it for two digits of the window's font at `size` (which it also
    // gives the window), or wider if its own font needs more room for the
    // five digits of 32767. False, and nothing changed, for a size no font
    // has.
    bool input_setup(int index, double size);
    // The mouse moved over the bare window: every box loses any highlight.
    void Form_MouseMove();

private:
    ui::Form& form_;
    std::array<ui::TextBox*, count> boxes_{};
};

// How the keyboard and a screen reader tell slot i apart: "the first
// fraction" ... "the eleventh fraction".
std::string slot_label(int i);

// Where each part of slot i stands in the Tab order: the numeral as it is
// read (whole part, numerator, denominator), each box before its slider.
enum class TabPart { wholepart, num_box, num_slider, den_box, den_slider };
constexpr int tab_place(int slot, TabPart part) { return 5 * slot + static_cast<int>(part); }

// A slider holds at most 32767: five digits.
inline constexpr int widest_numeral_digits = 5;
// Room beside the digits for the box's inner margins and its caret.
inline constexpr int numeral_box_margin = 7;
// The width of a numeral box showing its digits in `font`, unclipped.
int numeral_box_width(const ui::Font& font);

// A typed numeral: a whole number from 0 to 32767 (a slider's reach), blanks
// around it allowed; nothing for any other text.
std::optional<int> parse_entry(std::string_view text);

} // namespace quorrel::fractions
