#include "fractions/stick.h"

#include <string>

namespace quorrel::fractions {

namespace {

constexpr ui::Color ink = ui::colors::black;

void paint_part_ticks(ui::Canvas& canvas, const std::vector<int>& xs, int top, int y_base)
{
    std::vector<QRect> ticks;
    for (const int x : xs)
        ticks.emplace_back(QPoint(x, top), QPoint(x, y_base));
    canvas.boxes(ticks, ink);
}

} // namespace

void paint_stick(ui::Canvas& canvas, const std::vector<StickRow>& rows, ui::Color bar)
{
    canvas.set_fore_color(ink);
    ui::Font bold = canvas.font();
    bold.bold = true;
    canvas.set_font(bold);
    for (const StickRow& row : rows) {
        // One box paints exactly the columns x = 1..fill_end of the bar.
        if (row.fill_end >= 1)
            canvas.box(1, row.bar_top, row.fill_end, row.y_base, bar, true);
        for (const UnitTick& tick : row.units) {
            canvas.set_draw_width(tick.pen_width);
            ui::line(canvas, tick.x, row.unit_tick_top, tick.x, row.y_base, ink);
            const std::string number = std::to_string(tick.number);
            const int x = tick.anchor == Anchor::left ? tick.x : to_pixel(tick.x - ui::text_width(canvas, number));
            canvas.set_pen(x, row.number_top);
            canvas.print(number);
        }
        canvas.set_draw_width(2);
        ui::line(canvas, 0, row.base_line_top, row.base_end, row.base_line_top, ink);
        canvas.set_draw_width(1);
        paint_part_ticks(canvas, row.parts, row.bar_top, row.y_base);
    }
}

} // namespace quorrel::fractions
