#pragma once

#include "scenes/commands.h"

#include <functional>
#include <span>
#include <string_view>

namespace quorrel::lessons {
class Stage;
}

namespace quorrel::scenes {

// Sets a slot as a set-fraction line asks: both sliders reach to
// numerator + denominator and hold the fraction. A value the sliders cannot
// take shows "error in " and the offending text and changes nothing; a text
// that is not two pieces parted by "/" changes nothing.
void setfraction(lessons::Stage& stage, const SetFraction& command);

// Runs one command through the stage, blocking as a lesson does.
void play_command(lessons::Stage& stage, const Command& command);

// A scene in the main window: the empty lesson screen, the three-fraction
// layout (`layout`), a pending click so that a first wait returns at once,
// then every command in order.
void play(lessons::Stage& stage, std::span<const Command> commands, const std::function<void()>& layout);
void play(lessons::Stage& stage, std::string_view script, const std::function<void()>& layout);

} // namespace quorrel::scenes
