#include "fractions/chocolate.h"

#include <string>

namespace quorrel::fractions {

namespace {

constexpr int bars = 3;
constexpr int children = 8;
constexpr int bar_length = 120;
constexpr int top = 24; // the labels go above, 10 from the picture's top
constexpr int thickness = 22;

int gap(Chocolate kind) { return kind == Chocolate::end_to_end ? 0 : 10; }

} // namespace

QSize chocolate_size(Chocolate kind) { return {bars * (bar_length + gap(kind)) + 20, 51}; }

void draw_chocolate(ui::Canvas& c, Chocolate kind)
{
    const int pieces_per_bar = kind == Chocolate::cut_in_eighths ? 8 : 1;
    const int piece = bar_length / pieces_per_bar;
    // Where piece p of all the bars starts, counted along the bars in order.
    auto piece_x = [&](int p) {
        return 10 + (p / pieces_per_bar) * (bar_length + gap(kind)) + (p % pieces_per_bar) * piece;
    };

    c.clear();
    c.set_draw_width(1);
    for (int b = 0; b < bars; ++b) {
        const int x = piece_x(b * pieces_per_bar);
        c.box(x, top, x + bar_length, top + thickness, ui::Color::rgb(255, 255, 100), true);
        if (kind != Chocolate::end_to_end)
            c.box(x, top, x + bar_length, top + thickness, ui::colors::black, false);
    }
    if (kind == Chocolate::end_to_end)
        c.box(10, top, 10 + bars * bar_length, top + thickness, ui::colors::black, false);
    // Where bars meet end to end the joint is only faint: the shares matter.
    const ui::Color joint = kind == Chocolate::end_to_end ? ui::Color::rgb(150, 150, 150) : ui::colors::black;
    for (int p = 1; p < bars * pieces_per_bar; ++p)
        ui::line(c, piece_x(p), top, piece_x(p), top + thickness, joint);
    if (kind == Chocolate::whole_bars)
        return;

    c.set_font({"Arial", 8});
    const int span = bars * bar_length / children; // one child's share
    for (int child = 0; child < children; ++child) {
        // A share is three pieces in a row, even where they run on into the
        // next bar, or an eighth of the bars laid end to end.
        const int left = kind == Chocolate::cut_in_eighths ? piece_x(child * 3) : 10 + child * span;
        const int right = kind == Chocolate::cut_in_eighths ? piece_x(child * 3 + 2) + piece : left + span;
        if (child > 0) {
            c.set_draw_width(2);
            ui::line(c, left, top, left, top + thickness, ui::colors::black);
            c.set_draw_width(1);
        }
        const std::string label = "Child " + std::to_string(child + 1);
        c.set_pen((left + right - ui::text_width(c, label)) / 2, 10);
        c.print(label);
    }
}

std::string chocolate_in_words(Chocolate kind)
{
    const std::string shares = std::to_string(children) + " children";
    switch (kind) {
    case Chocolate::whole_bars:
        return std::to_string(bars) + " whole chocolate bars";
    case Chocolate::cut_in_eighths:
        return std::to_string(bars) + " chocolate bars, each cut into " + std::to_string(children) +
               " pieces, shared among " + shares + ": " + std::to_string(bars) + " pieces each";
    case Chocolate::end_to_end:
        return std::to_string(bars) + " chocolate bars end to end, cut into " + std::to_string(children) +
               " equal shares for " + shares;
    }
    return {};
}

} // namespace quorrel::fractions
