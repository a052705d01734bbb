#include "scenes/playback.h"

#include "exercises/conditions.h"
#include "ui/platform.h"
#include "scenes/terms.h"

#include <string>

namespace quorrel::scenes {

namespace {

void refuse(const Stage& stage, std::string_view offending)
{
    stage.dialogs.message_box("error in " + std::string(offending));
}

struct Dispatch {
    const Stage& stage;

    void operator()(Wait) const { stage.say.wait(); }
    void operator()(const WriteLine& c) const { stage.say.write_line(c.text); }
    void operator()(const ClearScene& c) const { stage.say.clear_scene(c.title); }
    void operator()(const Draw& c) const { stage.say.draw(c.text); }
    void operator()(const SetFraction& c) const { setfraction(stage, c); }
    void operator()(const Exercise& c) const
    {
        // A condition that is no condition never holds: the learner gives up
        // with the "here" link.
        const exercises::Condition condition = exercises::parse_condition(c.condition).value_or(exercises::Never{});
        stage.ask.exercise(condition, c.prompt, c.restate ? exercises::Restate::prompt : exercises::Restate::nothing);
    }
};

} // namespace

void setfraction(const Stage& stage, const SetFraction& command)
{
    // A slot the screen has not made is refused like one that cannot be.
    if (!command.slot || !stage.board.value(*command.slot)) {
        refuse(stage, trimmed(command.slot_text));
        return;
    }
    const FractionRequest request = resolve_fraction(command.fraction, stage.random);
    if (std::holds_alternative<NoFraction>(request))
        return;
    if (const auto* bad = std::get_if<BadValue>(&request)) {
        refuse(stage, bad->offending);
        return;
    }
    const auto [num, den] = std::get<FractionValue>(request);
    const int slot = *command.slot;
    if (!stage.board.show_fraction(slot, num, den)) {
        refuse(stage, trimmed(command.fraction));
        return;
    }
    // After the fraction, so the sliders never reach below their values.
    for (const auto part : {fractions::SlotPart::slider_fracnum, fractions::SlotPart::slider_fracden})
        stage.board.set_slider(slot, part, {.max = num + den});
}

void play_command(const Stage& stage, const Command& command) { std::visit(Dispatch{stage}, command); }

void play(const Stage& stage, std::span<const Command> commands, const std::function<void()>& layout,
          const std::function<void()>& between)
{
    if (layout)
        layout();
    stage.say.click();
    for (const Command& command : commands) {
        play_command(stage, command);
        if (between)
            between();
    }
}

void play(const Stage& stage, std::string_view script, const std::function<void()>& layout,
          const std::function<void()>& between)
{
    const std::vector<Command> commands = parse_script(script);
    play(stage, commands, layout, between);
}

} // namespace quorrel::scenes
