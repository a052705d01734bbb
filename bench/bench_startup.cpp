// Start-up to the first painted window, and peak resident memory, over
// several runs, against a bare Qt Widgets window measured in the same way in
// the same run. Each run is a fresh process (this program started again with
// --once or --bare), so no run profits from another's warm caches inside the
// process. Run it on the platform to judge (QT_QPA_PLATFORM=xcb for X11).
#include "app/program.h"
#include "support/memory.h"

#include <QApplication>
#include <QMainWindow>
#include <QProcess>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <cstdio>
#include <string>
#include <vector>

using namespace quorrel;

namespace {

// Milliseconds since the kernel started this process: loading the libraries
// counts, as it does for a learner waiting for the window.
double since_process_start_ms()
{
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    std::ifstream uptime("/proc/uptime");
    double up = 0;
    uptime >> up;
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return (up - std::stod(field) / ticks) * 1000.0;
}

// Paints once, then ends the program from inside whatever wait runs.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(app::Tutor& tutor) : tutor_(tutor) {}
    double ms = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && ms < 0) {
            const bool done = QObject::eventFilter(watched, event);
            ms = since_process_start_ms();
            tutor_.quit();
            return done;
        }
        return false;
    }

private:
    app::Tutor& tutor_;
};

int run_once(int argc, char* argv[])
{
    QApplication application(argc, argv);
    app::Program program(ui::Random::fixed(1));
    FirstPaint probe(program.tutor());
    program.window().form_view().installEventFilter(&probe);
    program.exec();
    std::printf("%.3f %ld\n", probe.ms, testing::peak_rss_kib());
    return 0;
}

// The least a Qt Widgets program does: a main window, shown and painted.
class BarePaint final : public QMainWindow {
public:
    BarePaint() = default;
    double ms = -1;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QMainWindow::paintEvent(event);
        if (ms < 0) {
            ms = since_process_start_ms();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
    }

};

int run_bare(int argc, char* argv[])
{
    QApplication application(argc, argv);
    BarePaint window;
    window.showMaximized();
    QApplication::exec();
    std::printf("%.3f %ld\n", window.ms, testing::peak_rss_kib());
    return 0;
}

struct Runs {
    std::vector<double> ms;
    std::vector<long> kib;
    double median_ms() { return median(ms); }
    double median_mib() { return median(kib) / 1024.0; }
    template <typename T>
    static double median(std::vector<T> v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : double(v[v.size() / 2]);
    }
};

Runs measure(const QString& mode, int runs)
{
    Runs out;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {mode});
        child.waitForFinished(60000);
        double t = 0;
        long kib = 0;
        if (std::sscanf(child.readAllStandardOutput().constData(), "%lf %ld", &t, &kib) == 2) {
            out.ms.push_back(t);
            out.kib.push_back(kib);
        }
    }
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && std::string(argv[1]) == "--once")
        return run_once(argc, argv);

    if (argc > 1 && std::string(argv[1]) == "--bare")
        return run_bare(argc, argv);

    QCoreApplication application(argc, argv);
    constexpr int runs = 7;
    // Taken in turns, so a busy moment of the machine falls on both alike.
    Runs tutor;
    Runs bare;
    for (int i = 0; i < runs; ++i) {
        const Runs one_bare = measure("--bare", 1);
        const Runs one_tutor = measure("--once", 1);
        bare.ms.insert(bare.ms.end(), one_bare.ms.begin(), one_bare.ms.end());
        bare.kib.insert(bare.kib.end(), one_bare.kib.begin(), one_bare.kib.end());
        tutor.ms.insert(tutor.ms.end(), one_tutor.ms.begin(), one_tutor.ms.end());
        tutor.kib.insert(tutor.kib.end(), one_tutor.kib.begin(), one_tutor.kib.end());
    }
    if (tutor.ms.empty() || bare.ms.empty()) {
        std::puts("no run finished");
        return 1;
    }
    std::printf("from process start to first paint, median of %zu runs: tutor %.1f ms, bare Qt window %.1f ms (%.2fx)\n",
                tutor.ms.size(), tutor.median_ms(), bare.median_ms(), tutor.median_ms() / bare.median_ms());
    std::printf("peak resident memory, median: tutor %.1f MiB, bare Qt window %.1f MiB\n", tutor.median_mib(),
                bare.median_mib());
    return 0;
}
