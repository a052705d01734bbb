// The scripted learner walks the whole course from start-up to the end of
// lesson 3c, with "Wait" on and the clock injected: how long the walk takes
// (and the part from chapter 2 on) and how much memory it needs.
#include "pages/catalogue.h"
#include "support/harness.h"
#include "support/learner.h"
#include "support/memory.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

using namespace quorrel;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double>(to - from).count();
    };
    const std::string chapter2_title(pages::lesson_name("2a"));
    constexpr int runs = 5;
    double best = 1e9;
    double worst = 0;
    double best_chapter2 = 1e9;
    int turns = 0;
    for (int run = 0; run < runs; ++run) {
        testing::Harness h(static_cast<std::uint64_t>(run + 1));
        testing::Walker walker(2);
        std::optional<Clock::time_point> chapter2_start;
        h.set_learner([&](testing::Harness& l) {
            if (!chapter2_start && l.probe().title_shown().starts_with(chapter2_title))
                chapter2_start = Clock::now();
            walker(l);
        });
        const auto start = Clock::now();
        h.start();
        const auto end = Clock::now();
        const double s = seconds(start, end);
        best = std::min(best, s);
        worst = std::max(worst, s);
        if (chapter2_start)
            best_chapter2 = std::min(best_chapter2, seconds(*chapter2_start, end));
        turns = h.pump.turns;
    }
    std::printf("whole-course walk (%d learner turns): best %.3f s, worst %.3f s over %d runs; from chapter 2 on "
                "best %.3f s\n",
                turns, best, worst, runs, best_chapter2);
    std::printf("peak resident memory: %.1f MiB\n", testing::peak_rss_kib() / 1024.0);
    return 0;
}
