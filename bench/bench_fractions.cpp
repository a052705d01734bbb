// Times the redraw of one fraction slot: the stick picture, the numeral and,
// in pizza mode, the pizzas. Goals: under 1 ms typically, under 4 ms at worst.
#include "fractions/slots.h"
#include "ui/form.h"
#include "ui/platform.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace quorrel;

namespace {

class SilentDialogs final : public ui::Dialogs {
public:
    void message_box(const std::string&) override {}
};

// The start-up screen: 1280 wide, the message box 640 wide at the left,
// slot 0 placed where the screen reset puts it (5 rows above the bottom).
struct Screen {
    Screen()
    {
        pbox_text.move(0, 20, 640, 975);
        fracs.place_slot(0, pbox_text.right_edge() + 10, form.height() - 5 * fractions::row_height);
    }
    ui::Form form{"Quorrel", 1280, 1000, ui::colors::window_back};
    ui::PictureBox& pbox_text = form.add<ui::PictureBox>("pbox_text", ui::colors::yellow);
    ui::TextBox& tbox_message = form.add<ui::TextBox>("tbox_message");
    SilentDialogs dialogs;
    ui::Random random = ui::Random::fixed(1);
    fractions::Slots fracs{form, pbox_text, tbox_message, dialogs, random};
};

struct Timing {
    double mean_ms;
    double worst_ms;
};

Timing time(int repeats, const std::function<void()>& redraw)
{
    redraw(); // warm the font caches
    double total = 0;
    double worst = 0;
    QElapsedTimer timer;
    for (int k = 0; k < repeats; ++k) {
        timer.start();
        redraw();
        const double ms = timer.nsecsElapsed() / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }
    return {total / repeats, worst};
}

void report(const char* what, Timing t)
{
    std::printf("%-44s mean %7.3f ms   slowest %7.3f ms\n", what, t.mean_ms, t.worst_ms);
}

void redraw(const char* what, int n, int d, bool pizzas = false)
{
    Screen s;
    s.fracs.set_circle_mode(0, pizzas);
    report(what, time(200, [&] { s.fracs.show_fraction(0, n, d); }));
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

    Screen s;
    s.fracs.show_fraction(0, 0, 12);
    ui::Slider& num = *s.fracs.slider_fracnum(0);
    double total = 0;
    double worst = 0;
    QElapsedTimer timer;
    for (int n = 1; n <= 100; ++n) {
        timer.start();
        num.user_scroll(n);
        const double ms = timer.nsecsElapsed() / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf("%-44s total %7.3f ms   slowest %7.3f ms\n", "drag numerator 1..100 over 12", total, worst);
    return 0;
}
