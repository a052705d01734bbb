#pragma once

#include "exercises/asking.h"
#include "fractions/board.h"
#include "scenes/commands.h"
#include "text/narration.h"

#include <functional>
#include <span>
#include <string_view>

namespace quorrel::ui {
class Dialogs;
class Random;
} // namespace quorrel::ui

namespace quorrel::scenes {

// What a scene plays on: the lesson roles it uses, and the message boxes
// that refuse its bad values.
struct Stage {
    text::Narration& say;
    fractions::Board& board;
    exercises::Asking& ask;
    ui::Dialogs& dialogs;
    ui::Random& random;
};

// Sets a slot as a set-fraction line asks: both sliders reach to
// numerator + denominator and hold the fraction. A value the sliders cannot
// take shows "error in " and the offending text and changes nothing; a text
// that is not two pieces parted by "/" changes nothing.
void setfraction(const Stage& stage, const SetFraction& command);

// Runs one command through the stage, blocking as a lesson does.
void play_command(const Stage& stage, const Command& command);

// A scene in the main window: the empty lesson screen with the three
// fractions (`layout`), a pending click so that a first wait returns at
// once, then every command in order, `between` called after each (to keep
// the window answering through commands that never pause).
void play(const Stage& stage, std::span<const Command> commands, const std::function<void()>& layout,
          const std::function<void()>& between = {});
void play(const Stage& stage, std::string_view script, const std::function<void()>& layout,
          const std::function<void()>& between = {});

} // namespace quorrel::scenes
