// Times write_line at its heaviest: the message box filled with lesson text
// to just under the point where it empties itself, so the whole history is
// redrawn. Delays run on a fake clock and cost nothing.

#include "ui/waits.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "support/fakes.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <iterator>

using namespace quorrel;

namespace {

constexpr const char* lesson_lines[] = {
    "Fractions are needed to describe lengths that are not an exact whole number of units. ",
    "You can glue unit sticks together to form longer sticks. For example, the stick at the right is 3 units long.",
    "In the picture at the right, the unit has been split into 12 equal parts. Each part is called a 12 FontSize__10 "
    "th FontSize__14 ( read 'twelfth') of a unit.",
    "The blue stick's length is written above it as the FRACTION  5/12 .",
    "Remember: a FontItalic__True mixed number FontItalic__False is a whole number followed by a fraction.",
    "The picture at the right shows the topheavy fraction 17/6 .",
    "This time we will cut each 3rd of a unit into 5 equal pieces. Look at the picture at the right. Then click "
    "anywhere to continue.",
    "Let's try another way of expanding the fraction 2/3 .",
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    testing::FakeClock clock;
    testing::ScriptedPump pump(clock);
    ui::Waits runner(pump, clock);
    ui::PictureBox box("pbox_text", ui::colors::yellow);
    box.move(0, 0, 640, 950);
    ui::PictureBox go_on("pbox_go_on");
    ui::MenuItem wait("mnu_waitt", "Wait");
    text::Writer writer(box, go_on, wait, runner);

    const auto start_page = [&] {
        box.canvas().set_font({"Arial Narrow", 14});
        writer.lesson_title("1a");
    };
    const auto line = [](std::size_t i) { return lesson_lines[i % std::size(lesson_lines)]; };
    const double limit = 0.8 * box.height();

    // How many lines a page holds before the next line would empty it.
    start_page();
    std::size_t filled = 0;
    while (box.canvas().pen_y() <= limit)
        writer.write_line(line(filled++));
    filled -= 1;

    // Processor time beside wall time: on a busy machine the wall clock also
    // counts other programs.
    using milliseconds = std::chrono::duration<double, std::milli>;
    const auto cpu_ms = [] { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; };
    constexpr int iterations = 200;
    double wall_total = 0;
    double wall_worst = 0;
    double cpu_total = 0;
    for (int i = 0; i < iterations; ++i) {
        start_page();
        for (std::size_t k = 0; k < filled; ++k)
            writer.write_line(line(k));
        const auto begin = std::chrono::steady_clock::now();
        const double cpu_begin = cpu_ms();
        writer.write_line(line(filled));
        cpu_total += cpu_ms() - cpu_begin;
        const double wall = milliseconds(std::chrono::steady_clock::now() - begin).count();
        wall_total += wall;
        wall_worst = std::max(wall_worst, wall);
    }
    std::printf("write_line into a %d x %d box holding %zu lines (limit %.0f px), %d lines timed:\n"
                "  wall mean %.3f ms, worst %.3f ms; processor mean %.3f ms (goal: under 5 ms)\n",
                box.width(), box.height(), filled, limit, iterations, wall_total / iterations, wall_worst,
                cpu_total / iterations);
    return 0;
}
