#include "fractions/pizza.h"

namespace quorrel::fractions {

namespace {
constexpr ui::Color ink = ui::colors::black;
constexpr ui::Color shading = ui::colors::fraction_blue;
constexpr double label_size = 10;
} // namespace

bool cmult1(ui::Canvas& canvas, long long a, long long b, long long c, long long e, int x, int y, long long r,
            std::optional<int> rim, std::optional<int> spokes, bool whole_spokes)
{
    if (r < 0)
        return false;
    // 64-bit: the product of two slider-sized values cannot wrap.
    if (b * e == 0)
        return true;
    const bool whole = a == b;
    const bool disc = whole && c == e;
    const double radius = double(r);
    const QPoint centre(x, y);
    canvas.set_draw_width(2);
    // A disc paints over every pixel of this outline, and its own outline is
    // the rim when the rim is 2 wide: circles are the dearest strokes here.
    if (!disc)
        canvas.circle(x, y, radius, ink);
    if (disc) {
        canvas.set_fill(shading);
        canvas.circle(x, y, radius, ink);
    } else if (const auto ends = tips(x, y, r, ray_angles(shading_rays(c, e))); !ends.empty()) {
        // The rays sweep a sector with no gap between them: one fan through
        // their tips paints it, and the two edge rays keep their width.
        std::vector<QPoint> fan{centre};
        fan.insert(fan.end(), ends.begin(), ends.end());
        canvas.polygon(fan, shading);
        ui::line(canvas, x, y, ends.front().x(), ends.front().y(), shading);
        ui::line(canvas, x, y, ends.back().x(), ends.back().y(), shading);
    }
    canvas.set_fill(std::nullopt);
    const int rim_width = rim.value_or(3);
    canvas.set_draw_width(rim_width);
    if (!disc || rim_width != 2)
        canvas.circle(x, y, radius, ink);
    if (whole && !whole_spokes)
        return true;
    canvas.set_draw_width(spokes.value_or(2));
    std::vector<QLineF> lines;
    for (const QPoint end : tips(x, y, r, spoke_angles(b, e)))
        lines.emplace_back(centre, end);
    canvas.lines(lines, ink);
    return true;
}

void paint_pizza_row(ui::Canvas& canvas, const std::vector<Pizza>& pizzas, bool whole_spokes)
{
    const ui::Font saved = canvas.font();
    ui::set_font_size(canvas, label_size);
    for (const Pizza& p : pizzas) {
        const long long slices = p.slices;
        const long long shaded = p.whole ? slices : p.shaded;
        // Radii come from pizza_row, never negative.
        (void)cmult1(canvas, shaded, slices, shaded, slices, p.x, p.y, p.radius, 2, 1, whole_spokes);
        canvas.set_pen(p.label_x, p.label_y);
        canvas.print(p.label);
    }
    canvas.set_font(saved);
}

} // namespace quorrel::fractions
