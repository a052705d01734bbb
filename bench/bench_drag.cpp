// Times one step of a slider drag on a slot whose stick spans 16 units: the
// slot draws the value under the button (picture, numeral, pizzas), and the
// window paints what changed. Goal: under 4 ms a step.
#include "fractions/slots.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "ui/views/form_view.h"
#include "support/fakes.h"
#include "support/slot_parts.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace quorrel;

namespace {

struct Drag {
    const char* what;
    int den; // the numerator is dragged down from 16 * den
    bool pizzas;
    bool mixed;
};

void report(const char* what, const char* part, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (const double m : ms)
        total += m;
    std::printf("%-34s %-16s median %7.3f  mean %7.3f  slowest %7.3f ms a step\n", what, part, ms[ms.size() / 2],
                total / double(ms.size()), ms.back());
}

// Drags the numerator down from 16 units and back, `steps` values each way,
// timing the slot's redraw and, with the window shown, its repaint.
void drag(const Drag& d, int steps)
{
    ui::Form form{"Quorrel", 1280, 1000, ui::colors::window_back};
    ui::PictureBox& pbox_text = form.add<ui::PictureBox>("pbox_text", ui::colors::yellow);
    pbox_text.move(0, 20, 640, 975);
    ui::Random random = ui::Random::fixed(1);
    fractions::Slots slots{form, pbox_text, random};
    slots.place_slot(0, pbox_text.right_edge() + 10, form.height() - 5 * fractions::row_height);
    slots.set_pizza(0, d.pizzas);
    slots.set_mixed(0, d.mixed);
    const int top = 16 * d.den;
    slots.show_fraction(0, top, d.den);
    ui::FormView view(form);
    view.show();
    QApplication::processEvents();

    ui::Slider& num = *testing::slider_fracnum(slots, 0);
    std::vector<double> redraw;
    std::vector<double> paint;
    QElapsedTimer timer;
    for (int k = 0; k < 2 * steps; ++k) {
        const int n = top - (k < steps ? k : 2 * steps - 1 - k);
        timer.start();
        num.user_drag(n);
        redraw.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        view.repaint();
        paint.push_back(timer.nsecsElapsed() / 1e6);
    }
    report(d.what, "slot redraw", redraw);
    report(d.what, "window repaint", paint);
    std::vector<double> both(redraw.size());
    std::transform(redraw.begin(), redraw.end(), paint.begin(), both.begin(), [](double a, double b) { return a + b; });
    report(d.what, "together", both);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const Drag drags[] = {{"16 units of halves", 2, false, false},
                          {"16 units of twelfths", 12, false, false},
                          {"16 units of sixtieths", 60, false, false},
                          {"16 units of twelfths, pizzas", 12, true, false},
                          {"16 units of twelfths, mixed", 12, false, true}};
    for (const Drag& d : drags)
        drag(d, 50);
    return 0;
}
