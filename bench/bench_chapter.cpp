// The scripted learner walks chapter 1 from start-up and chapter 3 from its menu, with "Wait" on and the
// clock injected: how long the whole walk takes and how much memory it needs.
#include "support/harness.h"
#include "support/learner.h"
#include "support/memory.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace quorrel;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int runs = 5;
    double best = 1e9;
    double worst = 0;
    int turns = 0;
    for (int run = 0; run < runs; ++run) {
        testing::Harness h(static_cast<std::uint64_t>(run + 1));
        testing::Walker walker;
        h.set_learner([&](testing::Harness& l) { walker(l); });
        const auto start = std::chrono::steady_clock::now();
        h.start();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, s);
        worst = std::max(worst, s);
        turns = h.pump.turns;
    }
    std::printf("chapter 1 walk (%d learner turns): best %.3f s, worst %.3f s over %d runs\n", turns, best, worst,
                runs);

    // Chapter 3 from its menu item: 3a, 3b with both demonstrations, 3c's drills.
    best = 1e9;
    worst = 0;
    for (int run = 0; run < runs; ++run) {
        testing::Harness h(static_cast<std::uint64_t>(run + 1));
        testing::Walker walker;
        h.set_learner([&](testing::Harness& l) { walker(l); });
        const auto start = std::chrono::steady_clock::now();
        h.tutor().reset_screen();
        h.choose("mnu_3a");
        h.settle();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, s);
        worst = std::max(worst, s);
        turns = h.pump.turns;
    }
    std::printf("chapter 3 walk (%d learner turns): best %.3f s, worst %.3f s over %d runs\n", turns, best, worst,
                runs);
    std::printf("peak resident memory: %.1f MiB\n", testing::peak_rss_kib() / 1024.0);
    return 0;
}
