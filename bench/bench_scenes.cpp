// Parsing and checking a 1 MiB scene script, playing 10,000 commands with "Wait" off and
// the clock injected, and playing long runs of commands that never pause.
#include "scenes/check.h"
#include "scenes/commands.h"
#include "scenes/playback.h"
#include "support/harness.h"
#include "support/recording_stage.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace quorrel;

namespace {

// A script as the authoring window writes it, all kinds of line mixed.
std::string script_of(std::size_t bytes)
{
    const std::string lines[] = {
        "\r\n#wait&",
        "\r\n#write&FontSize__20 Two thirds FontSize__14 and a half",
        "\r\n#nw&The blue stick is two thirds of a unit long.&",
        "\r\n#setfraction&1&1..3/4",
        "\r\n#exercise&condition 2 0 + 1&set the yellow fraction to the sum",
        "\r\n#clear&A new scene&",
    };
    std::string script;
    for (std::size_t i = 0; script.size() < bytes; ++i)
        script += lines[i % std::size(lines)];
    return script;
}

template <typename Body>
double best_ms(int runs, Body body)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        body();
        best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                                  .count());
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const std::string mib = script_of(1 << 20);
    std::size_t commands = 0;
    const double parse_ms = best_ms(10, [&] { commands = scenes::parse_script(mib).size(); });
    std::printf("parse a 1 MiB script (%zu commands): best %.2f ms over 10 runs (goal < 20 ms)\n", commands, parse_ms);
    std::size_t findings = 0;
    const double check_ms = best_ms(10, [&] { findings = scenes::check_script(mib).size(); });
    std::printf("check a 1 MiB script (%zu lines reported): best %.2f ms over 10 runs\n", findings, check_ms);

    std::string ten_thousand;
    for (int i = 0; i < 10000; ++i)
        ten_thousand += i % 2 ? "\r\n#nw&A line of the scene.&" : "\r\n#setfraction&1&1..3/4";
    const double play_ms = best_ms(5, [&] {
        testing::RecordingStage stage;
        scenes::play(stage.stage(), ten_thousand, {});
    });
    std::printf("play 10,000 commands on a recording stage: best %.2f ms over 5 runs\n", play_ms);

    // The whole tutor: the writer redraws the page's history on every line,
    // and the slot redraws its stick.
    std::string mixed;
    const std::string lines[] = {"\r\n#nw&The blue stick is two thirds of a unit long.&", "\r\n#setfraction&0&1..7/8",
                                 "\r\n#write&FontSize__20 Look FontSize__14 here", "\r\n#clear&A new scene&"};
    for (int i = 0; i < 10000; ++i)
        mixed += lines[i % std::size(lines)];
    double seconds = 0;
    const double tutor_ms = best_ms(3, [&] {
        testing::Harness h;
        h.menu("mnu_waitt").set_checked(false);
        h.tutor().offer_authoring({});
        h.tutor().authoring_model().set_writestring(mixed);
        h.menu("mnu_playback").choose();
        h.settle();
        seconds = h.pump.paused;
    });
    std::printf("play 10,000 commands in the tutor, Wait off, clock injected (%.0f s of pauses): best %.0f ms over "
                "3 runs (goal < 1 s)\n",
                seconds, tutor_ms);

    // Headings and drawn text never pause: nothing may go over what came
    // before again, so twice the commands take twice the time.
    for (const int count : {10000, 50000}) {
        std::string unpaused;
        for (int i = 0; i < count; ++i)
            unpaused += i % 2 ? "\r\n#clear&A heading&" : "\r\n#write&Some FontSize__20 text";
        const double ms = best_ms(3, [&] {
            testing::Harness h;
            h.menu("mnu_waitt").set_checked(false);
            h.tutor().offer_authoring({});
            h.tutor().authoring_model().set_writestring(unpaused);
            h.menu("mnu_playback").choose();
            h.settle();
        });
        std::printf("play %d commands that never pause in the tutor, Wait off: best %.0f ms over 3 runs "
                    "(%.1f us a command)\n",
                    count, ms, 1000 * ms / count);
    }
    return 0;
}
