#pragma once

#include <optional>
#include <string_view>
#include <variant>

namespace quorrel::ui {
class Random;
}

namespace quorrel::scenes {

// The numbers of a set-fraction line: a whole number ("3", "2.5" rounds to
// 2) or a range "lo..hi" drawn at random. Only values a fraction slider can
// hold are accepted (0 to 32767).

// The text without the blanks, tabs and line breaks around it.
std::string_view trimmed(std::string_view text);

// A plain decimal ("12", "+3", "2.50", ".5"), blanks around it allowed; empty
// for anything else.
std::optional<double> parse_number(std::string_view text);

// lo + (hi - lo) * r rounded halves to even, with r the generator's next
// draw; the two ends come up half as often as the numbers between. Empty when
// an end is not a number, is out of range, or hi < lo.
std::optional<int> random_term(std::string_view text, ui::Random& random);

// A number rounded halves to even, or else a range; empty when neither.
std::optional<int> term_value(std::string_view text, ui::Random& random);

// What a set-fraction text asks for.
struct NoFraction {};  // not two pieces parted by "/": nothing changes
struct BadValue {      // refused: "error in " and this text
    std::string_view offending;
};
struct FractionValue {
    int num;
    int den;
};
using FractionRequest = std::variant<NoFraction, BadValue, FractionValue>;

// Resolves "n/d" to a value a slot's sliders can take: denominator at least
// 1, at most 16 units, and numerator + denominator (the sliders' reach) at
// most 32767.
FractionRequest resolve_fraction(std::string_view text, ui::Random& random);

} // namespace quorrel::scenes
