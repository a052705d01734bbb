#include "scenes/commands.h"

#include "scenes/terms.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quorrel::scenes {

namespace {

enum class Kind { clear, exercise, nw, setfraction, wait, write };

struct Name {
    std::string_view name;
    Kind kind;
};

// Compared exactly; sorted by name for a binary search.
constexpr auto command_names = std::to_array<Name>({
    {"clear", Kind::clear},
    {"exercise", Kind::exercise},
    {"nw", Kind::nw},
    {"setfraction", Kind::setfraction},
    {"wait", Kind::wait},
    {"wait ", Kind::wait},
    {"write", Kind::write},
});
static_assert(std::ranges::is_sorted(command_names, {}, &Name::name));

std::optional<Kind> kind_of(std::string_view name)
{
    const auto* const found = std::ranges::lower_bound(command_names, name, {}, &Name::name);
    if (found == command_names.end() || found->name != name)
        return std::nullopt;
    return found->kind;
}

// A command's name, its first fields and how many fields follow the name.
// Only the first few fields are ever used, so a command of a million "&"s
// costs a count, not a list.
struct Fields {
    static constexpr std::size_t kept = 4;
    std::array<std::string_view, kept> field{};
    std::size_t count = 0; // fields after the name

    std::string_view name() const { return field[0]; }
    // Field i after the name (1-based, as written).
    std::string_view operator[](std::size_t i) const { return field[i]; }
    bool has(std::size_t i) const { return count >= i; }
};

Fields split_fields(std::string_view piece)
{
    Fields fields;
    std::size_t index = 0;
    while (true) {
        const auto amp = piece.find('&');
        if (index < Fields::kept)
            fields.field[index] = piece.substr(0, amp);
        if (amp == std::string_view::npos)
            break;
        piece.remove_prefix(amp + 1);
        ++index;
    }
    fields.count = index;
    return fields;
}

std::optional<int> parse_slot(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int slot = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), slot);
    if (error != std::errc{} || end != text.data() + text.size() || slot > max_slot)
        return std::nullopt;
    return slot;
}

std::optional<Command> to_command(const Fields& f)
{
    const auto kind = kind_of(f.name());
    if (!kind)
        return std::nullopt;
    switch (*kind) {
    case Kind::wait:
        return Wait{};
    case Kind::nw:
        if (!f.has(1))
            return std::nullopt;
        return WriteLine{std::string(f[1])};
    case Kind::clear:
        if (!f.has(1))
            return std::nullopt;
        return ClearScene{std::string(f[1])};
    case Kind::write:
        if (!f.has(1))
            return std::nullopt;
        return Draw{std::string(f[1])};
    case Kind::setfraction:
        if (!f.has(2))
            return std::nullopt;
        return SetFraction{parse_slot(f[1]), std::string(f[1]), std::string(f[2])};
    case Kind::exercise:
        if (f.count != 2 && f.count != 3)
            return std::nullopt;
        return Exercise{std::string(f[1]), std::string(f[2]), f.count == 2};
    }
    return std::nullopt;
}

} // namespace

std::vector<Command> parse_script(std::string_view script)
{
    std::vector<Command> commands;
    // "#wait" is the shortest command: a run of bare "#"s reserves no more
    // than a script of real commands would.
    const auto pieces = static_cast<std::size_t>(std::ranges::count(script, '#')) + 1;
    commands.reserve(std::min(pieces, script.size() / 5 + 1));
    while (!script.empty()) {
        const auto hash = script.find('#');
        const std::string_view piece = script.substr(0, hash);
        script.remove_prefix(hash == std::string_view::npos ? script.size() : hash + 1);
        if (piece.empty())
            continue;
        const Fields fields = split_fields(piece);
        if (fields.name().empty())
            continue;
        if (auto command = to_command(fields))
            commands.push_back(std::move(*command));
    }
    return commands;
}

std::vector<Command> parse_script_from(std::string_view script, std::size_t from)
{
    if (from == 0)
        return parse_script(script);
    const std::size_t cut = std::min(script.find('#', std::min(from, script.size())), script.size());
    std::vector<Command> commands = parse_script(script.substr(0, cut));
    std::erase_if(commands, [](const Command& c) { return !std::holds_alternative<SetFraction>(c); });
    std::vector<Command> rest = parse_script(script.substr(cut));
    commands.insert(commands.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
    return commands;
}

} // namespace quorrel::scenes
