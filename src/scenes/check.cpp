#include "scenes/check.h"

#include "exercises/conditions.h"
#include "scenes/authoring.h"
#include "scenes/commands.h"
#include "scenes/terms.h"
#include "text/markup.h"
#include "ui/platform.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quorrel::scenes {

namespace {

constexpr std::array<std::string_view, 6> names = {"clear", "exercise", "nw", "setfraction", "wait", "write"};

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The known name a slip of one or two letters, or of case, was meant to be.
std::optional<std::string_view> meant(std::string_view name)
{
    const auto distance = [](std::string_view a, std::string_view b) {
        std::vector<std::size_t> row(b.size() + 1);
        for (std::size_t j = 0; j <= b.size(); ++j)
            row[j] = j;
        for (std::size_t i = 1; i <= a.size(); ++i) {
            std::size_t diagonal = row[0];
            row[0] = i;
            for (std::size_t j = 1; j <= b.size(); ++j) {
                const std::size_t above = row[j];
                const bool same = (a[i - 1] | 0x20) == (b[j - 1] | 0x20);
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
                diagonal = above;
            }
        }
        return row[b.size()];
    };
    if (name.size() > 16)
        return std::nullopt;
    for (const std::string_view known : names)
        if (distance(name, known) <= 2)
            return known;
    return std::nullopt;
}

struct Piece {
    std::string_view name;
    std::array<std::string_view, 3> field{}; // the first fields after the name
    std::size_t count = 0;                   // all fields after the name
};

Piece split(std::string_view text)
{
    Piece piece;
    auto amp = text.find('&');
    piece.name = text.substr(0, amp);
    while (amp != std::string_view::npos) {
        text.remove_prefix(amp + 1);
        amp = text.find('&');
        if (piece.count < piece.field.size())
            piece.field[piece.count] = text.substr(0, amp);
        ++piece.count;
    }
    return piece;
}

std::optional<std::string> markup_problem(std::string_view text)
{
    if (const auto word = text::markup_fault(text))
        return "the markup word " + quoted(*word) + " is unknown or has no number; the text stops there";
    return std::nullopt;
}

std::optional<std::string> fraction_problem(std::string_view slot, std::string_view fraction)
{
    const auto number = parse_number(slot);
    if (!number || *number != static_cast<int>(*number) || *number < 0 || *number > Authoring::updown_max)
        return "slot " + quoted(trimmed(slot)) + " is not one a scene shows (0, 1 or 2)";
    auto random = ui::Random::fixed(1);
    const auto slash = fraction.find('/');
    if (slash == std::string_view::npos || fraction.find('/', slash + 1) != std::string_view::npos)
        return "the fraction " + quoted(trimmed(fraction)) + " is not two numbers parted by \"/\"; nothing changes";
    // Both ends of a range must be values the sliders take.
    const auto ends = [](std::string_view term) {
        const auto dots = term.find("..");
        if (dots == std::string_view::npos)
            return std::array{term, term};
        const std::string_view rest = term.substr(dots + 2);
        return std::array{term.substr(0, dots), rest.substr(0, rest.find(".."))};
    };
    const std::string_view top = fraction.substr(0, slash);
    const std::string_view bottom = fraction.substr(slash + 1);
    for (const std::string_view term : {top, bottom})
        if (!term_value(term, random))
            return "the sliders cannot take " + quoted(trimmed(term));
    for (const std::string_view n : ends(top))
        for (const std::string_view d : ends(bottom))
            if (std::holds_alternative<BadValue>(resolve_fraction(std::string(n) + "/" + std::string(d), random)))
                return "the sliders cannot take " + quoted(trimmed(fraction));
    return std::nullopt;
}

std::optional<std::string> condition_problem(std::string_view text)
{
    const auto condition = exercises::parse_condition(text);
    if (!condition)
        return "the condition " + quoted(trimmed(text)) +
               " cannot be read (\"condition\", result slot, first slot, + - * or /, second slot); it never holds";
    if (const auto* c = std::get_if<exercises::Arithmetic>(&*condition))
        for (const int slot : {c->result, c->left, c->right})
            if (slot > Authoring::updown_max)
                return "the condition names slot " + std::to_string(slot) + ", which a scene does not show";
    return std::nullopt;
}

std::optional<std::string> problem(std::string_view text)
{
    const Piece p = split(text);
    const std::string_view name = p.name;
    if (name.empty())
        return std::string("no command name after \"#\"; the line is skipped");
    if (std::ranges::find(names, trimmed(name)) == names.end() && name != "wait ") {
        const auto guess = meant(trimmed(name));
        return "unknown command " + quoted(trimmed(name)) + (guess ? ", perhaps " + quoted(*guess) : "") +
               "; the line is skipped";
    }
    if (std::ranges::find(names, name) == names.end() && name != "wait ")
        return "the command " + quoted(trimmed(name)) + " must be followed by \"&\"; the line is skipped";
    if (name == "wait" || name == "wait ")
        return std::nullopt;
    if (name == "exercise") {
        if (p.count != 2 && p.count != 3)
            return "an exercise needs a condition and a prompt, parted by \"&\" (it has " + std::to_string(p.count) +
                   " fields); the line is skipped";
        if (auto c = condition_problem(p.field[0]))
            return c;
        return markup_problem(p.field[1]);
    }
    if (name == "setfraction") {
        if (p.count < 2)
            return std::string("a set-fraction line needs a slot and a fraction: \"#setfraction&0&1/2\"");
        return fraction_problem(p.field[0], p.field[1]);
    }
    if (p.count < 1)
        return "the command " + quoted(name) + " needs \"&\" and its text; the line is skipped";
    return markup_problem(p.field[0]);
}

} // namespace

std::vector<Finding> check_script(std::string_view script)
{
    std::vector<Finding> findings;
    int line = 1;
    std::size_t line_start = 0;
    std::size_t counted = 0; // line breaks are counted up to here
    const auto line_text = [&] {
        const auto end = std::min(script.find_first_of("\r\n", line_start), script.size());
        return std::string(script.substr(line_start, end - line_start));
    };
    const auto count_to = [&](std::size_t at) {
        for (; counted < at; ++counted) {
            const char c = script[counted];
            if (c == '\n' || (c == '\r' && (counted + 1 >= script.size() || script[counted + 1] != '\n'))) {
                ++line;
                line_start = counted + 1;
            }
        }
    };
    const auto first = script.find('#');
    if (trimmed(script.substr(0, first)).size() > 0) {
        count_to(script.substr(0, first).find_first_not_of(" \t\r\n"));
        findings.push_back({line, line_text(), "text before the first \"#\" is no command; it is skipped"});
    }
    for (auto hash = first; hash != std::string_view::npos;) {
        const auto next = script.find('#', hash + 1);
        const auto end = next == std::string_view::npos ? script.size() : next;
        const std::string_view piece = script.substr(hash + 1, end - hash - 1);
        count_to(hash);
        if (!piece.empty())
            if (auto p = problem(piece))
                findings.push_back({line, line_text(), std::move(*p)});
        hash = next;
    }
    return findings;
}

} // namespace quorrel::scenes
