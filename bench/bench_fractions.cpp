// Times the redraw of one fraction slot: the stick picture, the numeral and,
// in pizza mode, the pizzas. Goals: under 1 ms typically, under 4 ms at worst.
#include "fractions/slots.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "support/fakes.h"
#include "support/slot_parts.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quorrel;

namespace {

// The start-up screen: 1280 wide, the message box 640 wide at the left,
// slot 0 placed where the screen reset puts it (5 rows above the bottom).
struct Screen {
    Screen()
    {
        pbox_text.move(0, 20, 640, 975);
        slots.place_slot(0, pbox_text.right_edge() + 10, form.height() - 5 * fractions::row_height);
    }
    ui::Form form{"Quorrel", 1280, 1000, ui::colors::window_back};
    ui::PictureBox& pbox_text = form.add<ui::PictureBox>("pbox_text", ui::colors::yellow);
    testing::RecordingDialogs dialogs;
    ui::Random random = ui::Random::fixed(1);
    fractions::Slots slots{form, pbox_text, random};
};

// Milliseconds of each call; the median shows the cost, the slowest what a
// busy machine made of it.
std::vector<double> time(int repeats, const std::function<void()>& redraw)
{
    redraw(); // warm the font caches
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int k = 0; k < repeats; ++k) {
        timer.start();
        redraw();
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (const double m : ms)
        total += m;
    std::printf("%-46s median %7.3f  mean %7.3f  slowest %7.3f ms\n", what, ms[ms.size() / 2], total / ms.size(),
                ms.back());
}

void redraw(const char* what, int n, int d, bool pizzas = false)
{
    Screen s;
    s.slots.set_pizza(0, pizzas);
    report(what, time(200, [&] { s.slots.show_fraction(0, n, d); }));
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    redraw("show_fraction 2/5", 2, 5);
    redraw("show_fraction 39/12", 39, 12);
    redraw("show_fraction 96/6, pizza mode", 96, 6, true);
    redraw("show_fraction 95/6, pizza mode (5/6 shaded)", 95, 6, true);
    redraw("show_fraction 1/32767 (largest denominator)", 1, 32767);
    redraw("show_fraction 32767/32767", 32767, 32767);
    redraw("show_fraction 960/60 (a tick every 2 px)", 960, 60);
    redraw("show_fraction 1/32767, pizza mode", 1, 32767, true);

    // Arrow clicks: every step of the numerator redraws the slot.
    Screen s;
    s.slots.show_fraction(0, 0, 12);
    ui::Slider& num = *testing::slider_fracnum(s.slots, 0);
    std::vector<double> steps;
    QElapsedTimer timer;
    for (int n = 1; n <= 100; ++n) {
        timer.start();
        num.user_change(n);
        steps.push_back(timer.nsecsElapsed() / 1e6);
    }
    double total = 0;
    for (const double m : steps)
        total += m;
    std::printf("%-46s total %7.3f ms  slowest step %7.3f ms\n", "step numerator 1..100 over 12", total,
                *std::max_element(steps.begin(), steps.end()));
    return 0;
}
