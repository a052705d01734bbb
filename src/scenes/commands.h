#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorrel::scenes {

// The commands of a scene script. A script is split at every "#" into
// commands and each command at every "&" into its name and fields; the text
// is parsed once into the forms below, and playback dispatches on them.

// "wait" (or "wait "): blocks until the learner clicks.
struct Wait {};

// "nw": a bulleted line, then a click or a pause.
struct WriteLine {
    std::string text;
};

// "clear": starts a scene under a heading.
struct ClearScene {
    std::string title;
};

// "write": marked-up text drawn at the message box's pen.
struct Draw {
    std::string text;
};

// "setfraction": a slot and a fraction text such as "3/4" or "1..3/4",
// evaluated when played (a range draws a new number every time).
struct SetFraction {
    std::optional<int> slot; // empty when the slot field names no slot
    std::string slot_text;
    std::string fraction;
};

// "exercise": a condition and a prompt; a third field, whatever it holds,
// keeps the prompt from being written again once it is answered.
struct Exercise {
    std::string condition;
    std::string prompt;
    bool restate = true;
};

using Command = std::variant<Wait, WriteLine, ClearScene, Draw, SetFraction, Exercise>;

// Every command of `script` in order; unknown or empty names, exercises
// without two or three fields, and commands missing a field they need are
// left out. Linear in the length of the text.
std::vector<Command> parse_script(std::string_view script);
// The commands of `script` as played from byte `from` on (from the first
// command that starts there or later): of those before, only the
// set-fraction commands, so that the fractions are as they would be.
std::vector<Command> parse_script_from(std::string_view script, std::size_t from);

// The slot numbers a scene may address.
inline constexpr int max_slot = 10;

} // namespace quorrel::scenes
