#include "scenes/terms.h"

#include "fractions/geometry.h"
#include "ui/platform.h"
#include "ui/rounding.h"

#include <charconv>

namespace quorrel::scenes {

namespace {

constexpr double slider_limit = 32767;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool in_range(double value) { return value >= 0 && value <= slider_limit; }

std::optional<int> whole(double value)
{
    if (!in_range(value))
        return std::nullopt;
    const long rounded = ui::round_even(value);
    if (rounded > static_cast<long>(slider_limit))
        return std::nullopt;
    return static_cast<int>(rounded);
}

} // namespace

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> parse_number(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Digits with at most one point: from_chars alone would also take
    // "inf", "nan" and exponents.
    int digits = 0;
    int points = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<int> random_term(std::string_view text, ui::Random& random)
{
    const auto dots = text.find("..");
    if (dots == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = text.substr(dots + 2);
    const auto lo = parse_number(text.substr(0, dots));
    const auto hi = parse_number(rest.substr(0, rest.find("..")));
    if (!lo || !hi || !in_range(*lo) || !in_range(*hi) || *hi < *lo)
        return std::nullopt;
    return whole(*lo + static_cast<double>(ui::round_even((*hi - *lo) * random.next())));
}

std::optional<int> term_value(std::string_view text, ui::Random& random)
{
    if (const auto number = parse_number(text))
        return whole(*number);
    return random_term(text, random);
}

FractionRequest resolve_fraction(std::string_view text, ui::Random& random)
{
    const auto slash = text.find('/');
    if (slash == std::string_view::npos || text.find('/', slash + 1) != std::string_view::npos)
        return NoFraction{};
    const std::string_view top = text.substr(0, slash);
    const std::string_view bottom = text.substr(slash + 1);
    const auto num = term_value(top, random);
    if (!num)
        return BadValue{trimmed(top)};
    const auto den = term_value(bottom, random);
    if (!den)
        return BadValue{trimmed(bottom)};
    const long long reach = static_cast<long long>(*num) + *den;
    if (*den < 1 || *num > static_cast<long long>(fractions::max_units) * *den ||
        reach > static_cast<long long>(slider_limit))
        return BadValue{trimmed(text)};
    return FractionValue{*num, *den};
}

} // namespace quorrel::scenes
