// Times one drawing of the multiplication demonstration's three circles, with
// its sentences going nowhere. Goal: under 8 ms (half a 60 Hz frame).
#include "demos/multiplication.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quorrel;

namespace {

class Silent final : public demos::Narrator {
public:
    void say(std::string_view) override {}
};

void run(const char* what, long long a, long long b, long long c, long long d)
{
    ui::Canvas window(1280, 1000, ui::colors::window_back);
    Silent narrator;
    (void)demos::multdemo(window, narrator, 640, a, b, c, d); // warm up
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int k = 0; k < 200; ++k) {
        timer.start();
        (void)demos::multdemo(window, narrator, 640, a, b, c, d);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (const double m : ms)
        total += m;
    std::printf("%-40s median %7.3f  mean %7.3f  slowest %7.3f ms\n", what, ms[ms.size() / 2], total / ms.size(),
                ms.back());
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    run("multdemo 2/3 * 2/5", 2, 3, 2, 5);
    run("multdemo 3/4 * 5/6", 3, 4, 5, 6);
    run("multdemo 7/8 * 8/9 (72 pieces)", 7, 8, 8, 9);
    return 0;
}
