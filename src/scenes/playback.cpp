#include "scenes/playback.h"

#include "lessons/stage.h"
#include "scenes/terms.h"

#include <string>

namespace quorrel::scenes {

namespace {

void refuse(lessons::Stage& stage, std::string_view offending)
{
    stage.message_box("error in " + std::string(offending));
}

struct Dispatch {
    lessons::Stage& stage;

    void operator()(Wait) const { stage.wait(); }
    void operator()(const WriteLine& c) const { stage.write_line(c.text); }
    void operator()(const ClearScene& c) const { stage.clear_scene(c.title); }
    void operator()(const Draw& c) const { stage.draw(c.text); }
    void operator()(const SetFraction& c) const { setfraction(stage, c); }
    void operator()(const Exercise& c) const
    {
        stage.exercise(c.condition, c.prompt, c.restate ? exercises::Restate::prompt : exercises::Restate::nothing);
    }
};

} // namespace

void setfraction(lessons::Stage& stage, const SetFraction& command)
{
    // A slot the screen has not made is refused like one that cannot be.
    if (!command.slot || !stage.value(*command.slot)) {
        refuse(stage, trimmed(command.slot_text));
        return;
    }
    const FractionRequest request = resolve_fraction(command.fraction, stage.random());
    if (std::holds_alternative<NoFraction>(request))
        return;
    if (const auto* bad = std::get_if<BadValue>(&request)) {
        refuse(stage, bad->offending);
        return;
    }
    const auto [num, den] = std::get<FractionValue>(request);
    const int slot = *command.slot;
    if (!stage.show_fraction(slot, num, den)) {
        refuse(stage, trimmed(command.fraction));
        return;
    }
    // After the fraction, so the sliders never reach below their values.
    stage.set_slider_max(slot, lessons::SlotPart::slider_fracnum, num + den);
    stage.set_slider_max(slot, lessons::SlotPart::slider_fracden, num + den);
}

void play_command(lessons::Stage& stage, const Command& command) { std::visit(Dispatch{stage}, command); }

void play(lessons::Stage& stage, std::span<const Command> commands, const std::function<void()>& layout)
{
    stage.reset_screen();
    if (layout)
        layout();
    stage.click();
    for (const Command& command : commands)
        play_command(stage, command);
}

void play(lessons::Stage& stage, std::string_view script, const std::function<void()>& layout)
{
    const std::vector<Command> commands = parse_script(script);
    play(stage, commands, layout);
}

} // namespace quorrel::scenes
