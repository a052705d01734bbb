#include "fractions/pizza.h"

#include <string>

namespace quorrel::fractions {

namespace {
constexpr ui::Color ink = ui::colors::black;
constexpr ui::Color shading = ui::colors::fraction_blue;
} // namespace

PizzaPen::PizzaPen(ui::Canvas& window, const ui::PictureBox& pbox_text, ui::TextBox& tbox_message,
                   ui::Dialogs& dialogs)
    : window_(window), pbox_text_(pbox_text), tbox_message_(tbox_message), dialogs_(dialogs)
{
}

bool cmult1(ui::Canvas& canvas, long long a, long long b, long long c, long long e, int x, int y, long long r,
            std::optional<int> rim, std::optional<int> spokes, bool whole_spokes)
{
    // 64-bit: the product of two slider-sized values cannot wrap.
    if (b * e == 0)
        return true;
    if (r < 0)
        return false;
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
        canvas.set_fill_color(shading);
        canvas.set_fill_style(ui::FillStyle::solid);
        canvas.circle(x, y, radius, ink);
    } else if (const auto ends = tips(x, y, r, ray_angles(shading_rays(c, e))); !ends.empty()) {
        // The rays sweep a sector with no gap between them: one fan through
        // their tips paints it, and the two edge rays keep their width.
        std::vector<QPoint> fan{centre};
        fan.insert(fan.end(), ends.begin(), ends.end());
        canvas.polygon(fan, shading);
        canvas.line(x, y, ends.front().x(), ends.front().y(), shading);
        canvas.line(x, y, ends.back().x(), ends.back().y(), shading);
    }
    canvas.set_fill_style(ui::FillStyle::transparent);
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

void PizzaPen::cmult1(long long a, long long b, long long c, long long e, int x, int y, long long r,
                      std::optional<int> rim, std::optional<int> spokes, bool whole_spokes)
{
    if (b * e == 0)
        return;
    tbox_message_.set_text("   " + std::to_string(pbox_text_.canvas().fore_color().packed()));
    if (!fractions::cmult1(window_, a, b, c, e, x, y, r, rim, spokes, whole_spokes))
        dialogs_.message_box("error in cmult1: r = " + std::to_string(r));
}

void PizzaPen::paint_row(const std::vector<Pizza>& pizzas, bool whole_spokes)
{
    window_.clear();
    window_.set_font_size(10);
    for (const Pizza& p : pizzas) {
        const long long slices = p.slices;
        if (p.whole)
            cmult1(slices, slices, slices, slices, p.x, p.y, p.radius, 2, 1, whole_spokes);
        else
            cmult1(p.shaded, slices, p.shaded, slices, p.x, p.y, p.radius, 2, 1, whole_spokes);
        window_.set_pen(p.label_x, p.label_y);
        window_.print(p.label);
    }
}

} // namespace quorrel::fractions
