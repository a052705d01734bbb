// Start-up to the first painted window, and peak resident memory, over
// several runs. Each run is a fresh process (this program started again with
// --once), so no run profits from another's warm caches inside the process.
#include "app/program.h"
#include "support/memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace quorrel;

namespace {

// Paints once, then ends the program from inside whatever wait runs.
class FirstPaint final : public QObject {
public:
    FirstPaint(QElapsedTimer& timer, app::Tutor& tutor) : timer_(timer), tutor_(tutor) {}
    double ms = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && ms < 0) {
            const bool done = QObject::eventFilter(watched, event);
            ms = static_cast<double>(timer_.nsecsElapsed()) / 1e6;
            tutor_.quit();
            return done;
        }
        return false;
    }

private:
    QElapsedTimer& timer_;
    app::Tutor& tutor_;
};

int run_once(int argc, char* argv[])
{
    QElapsedTimer timer;
    timer.start();
    QApplication application(argc, argv);
    app::Program program(ui::Random::fixed(1));
    FirstPaint probe(timer, program.tutor());
    program.window().form_view().installEventFilter(&probe);
    program.exec();
    std::printf("%.3f %ld\n", probe.ms, testing::peak_rss_kib());
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::string(argv[1]) == "--once")
        return run_once(argc, argv);

    QCoreApplication application(argc, argv);
    constexpr int runs = 7;
    std::vector<double> ms;
    std::vector<long> rss;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--once"});
        child.waitForFinished(60000);
        double t = 0;
        long kib = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld", &t, &kib) == 2) {
            ms.push_back(t);
            rss.push_back(kib);
        }
    }
    if (ms.empty()) {
        std::puts("no run finished");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start-up to first paint over %zu runs: median %.1f ms, best %.1f ms, worst %.1f ms\n", ms.size(),
                ms[ms.size() / 2], ms.front(), ms.back());
    std::printf("peak resident memory: %.1f MiB at most\n", *std::max_element(rss.begin(), rss.end()) / 1024.0);
    return 0;
}
