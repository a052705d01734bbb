#include "demos/multiplication.h"

#include "fractions/geometry.h"
#include "fractions/pizza.h"
#include "text/markup.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace quorrel::demos {

namespace {

using fractions::ray_step;
using fractions::rays_per_turn;
using fractions::to_pixel;

constexpr ui::Color ink = ui::colors::black;
// Beyond any screen: keeps every tip inside an int.
constexpr long long max_radius = 1 << 16;
// Numerators beyond 32 bits would let a*c wrap.
constexpr long long max_numerator = 1LL << 31;

enum class Snap { truncate, round };

int snap(double offset, Snap how)
{
    return how == Snap::truncate ? static_cast<int>(std::trunc(offset)) : to_pixel(offset);
}

// Tips of rays at t = first, first + 1, ... (in angle steps), `count` of
// them; a tip equal to the one before is left out, as its ray paints the
// same pixels.
std::vector<QPoint> sweep(int x, int y, long long r, double first, long long count, Snap how)
{
    std::vector<QPoint> ends;
    const double reach = double(r);
    for (long long k = 0; k < count; ++k) {
        const double angle = (first + double(k)) * ray_step;
        const QPoint end(x + snap(reach * std::cos(angle), how), y + snap(reach * std::sin(angle), how));
        if (ends.empty() || end != ends.back())
            ends.push_back(end);
    }
    return ends;
}

// Rays t = 0, 1, ... while t <= n * rays_per_turn / m, at most one full turn
// (a second turn paints the same pixels).
long long rays_upto(long long n, long long m)
{
    if (n < 0)
        return 0;
    if (n >= m)
        return rays_per_turn + 1;
    return n * rays_per_turn / m + 1;
}

void paint_fan(ui::Canvas& canvas, QPoint centre, const std::vector<QPoint>& tips, ui::Color color)
{
    if (tips.empty())
        return;
    // Rays one step apart leave no gap: a fan through their tips paints the
    // same sector in one pass, and the two edge rays keep their width.
    std::vector<QPoint> fan{centre};
    fan.insert(fan.end(), tips.begin(), tips.end());
    canvas.polygon(fan, color);
    ui::line(canvas, centre.x(), centre.y(), tips.front().x(), tips.front().y(), color);
    ui::line(canvas, centre.x(), centre.y(), tips.back().x(), tips.back().y(), color);
}

void paint_cuts(ui::Canvas& canvas, QPoint centre, const std::vector<Cut>& cuts)
{
    for (const int width : {1, 2}) {
        std::vector<QLineF> lines;
        for (const Cut& cut : cuts)
            if (cut.width == width)
                lines.emplace_back(centre, cut.tip);
        canvas.set_draw_width(width);
        canvas.lines(lines, ink);
    }
    canvas.set_draw_width(2);
}

bool drawable(long long a, long long b, long long c, long long d, long long r)
{
    return b >= 1 && d >= 1 && b <= max_pieces && d <= max_pieces && b * d <= max_pieces && r >= 0 &&
           r <= max_radius && a >= 0 && a < max_numerator && c >= 0 && c < max_numerator;
}

std::string n(long long value) { return std::to_string(value); }

} // namespace

std::vector<Cut> piece_cuts(long long b, long long d, int x, int y, long long r)
{
    std::vector<Cut> cuts;
    if (b < 1 || d < 1 || b > max_pieces || d > max_pieces || b * d > max_pieces || r < 0 || r > max_radius)
        return cuts;
    const long long pieces = b * d;
    const double reach = double(r);
    cuts.reserve(static_cast<std::size_t>(pieces));
    for (long long i = 0; i < pieces; ++i) {
        const double angle = double(i) * rays_per_turn * ray_step / double(pieces);
        cuts.push_back({QPoint(x + to_pixel(reach * std::cos(angle)), y + to_pixel(reach * std::sin(angle))),
                        i % b == 0 ? 2 : 1});
    }
    return cuts;
}

std::optional<ProductCircle> product_circle(long long a, long long b, long long c, long long d, int x, int y,
                                            long long r)
{
    if (!drawable(a, b, c, d, r))
        return std::nullopt;
    ProductCircle circle;
    circle.centre = QPoint(x, y);
    circle.radius = static_cast<int>(r);
    circle.blue = sweep(x, y, r, 0, rays_upto(c, d), Snap::truncate);
    // Parts past the first turn would lie on the first ones.
    const long long parts = std::min(c, d);
    const long long rays = rays_upto(a, b * d);
    for (long long j = 0; j < parts; ++j)
        circle.green.push_back(sweep(x, y, r, double(j * rays_per_turn) / double(d), rays, Snap::round));
    circle.cuts = piece_cuts(b, d, x, y, r);
    return circle;
}

void paint(const ProductCircle& circle, ui::Canvas& canvas)
{
    const QPoint centre = circle.centre;
    canvas.set_fill(unit_yellow);
    canvas.set_draw_width(2);
    canvas.circle(centre.x(), centre.y(), circle.radius, ink);
    paint_fan(canvas, centre, circle.blue, part_blue);
    for (const auto& fan : circle.green)
        paint_fan(canvas, centre, fan, product_green);
    paint_cuts(canvas, centre, circle.cuts);
    canvas.set_fill(std::nullopt);
    canvas.set_draw_width(2);
    canvas.circle(centre.x(), centre.y(), circle.radius, ink);
}

bool cmult2(ui::Canvas& canvas, long long a, long long b, long long c, long long d, int x, int y, long long r)
{
    const auto circle = product_circle(a, b, c, d, x, y, r);
    if (!circle)
        return false;
    paint(*circle, canvas);
    return true;
}

std::optional<DemoLayout> lay_out_demo(long long a, long long b, long long c, long long d, int message_box_right,
                                       long long r)
{
    if (!drawable(a, b, c, d, r))
        return std::nullopt;
    DemoLayout layout;
    layout.radius = static_cast<int>(r);
    layout.x = message_box_right + 2 * layout.radius;
    layout.cuts = piece_cuts(b, d, layout.x, circle_rows[1], r);
    layout.product = *product_circle(a, b, c, d, layout.x, circle_rows[2], r);
    return layout;
}

DemoText demo_text(long long a, long long b, long long c, long long d)
{
    const std::string pb(text::para_break);
    const std::string ab = n(a) + "/" + n(b);
    const std::string cd = n(c) + "/" + n(d);
    DemoText out;
    out.unit_and_part = "Figuring out " + ab + " * " + cd + "  is the same as finding " + ab + " OF " + cd +
                        " .  The yellow circle represents the unit. " + pb +
                        "In the second picture, the unit has been split into " + n(d) + " parts, of which " + n(c) +
                        " part" + (c == 1 ? " has" : "s have") + " been shaded blue to show the fraction " + cd +
                        " .";
    out.pieces = "Look again at the second picture. Each of the " + n(d) + " parts of the unit has now been split into " +
                 n(b) + " pieces." + pb + "Therefore, the unit has been split into " + n(b) + "*" + n(d) + " = " +
                 n(b * d) + " equal pieces.";
    out.product = {
        "Look at the new picture on the bottom.   ",
        "In each of the " + n(c) + " blue " + n(d) + "ths of the unit, " + n(a) + " of the " + n(b) + " pieces " +
            (a == 1 ? "has" : "have") + " been colored green. Therefore the green pieces show the product " + ab +
            " OF " + cd + " .",
        "We saw earlier that the unit has been split into " + n(b * d) + " equal pieces.",
        "How many pieces are colored green? That's easy. ",
        "In each of the " + n(c) + " blue parts, " + n(a) + " pieces have been  colored green.",
        "That's a total of " + n(a) + "*" + n(c) + " = " + n(a * c) + " green pieces.",
        "Since the unit has been split into " + n(b * d) + " pieces, it follows that the product " + ab + " * " + cd +
            " equals " + n(a * c) + "/" + n(b * d) + " . Therefore" + pb + "FontSize__28 " + ab + " * " + cd +
            "   = " + n(a) + "*" + n(c) + "/" + n(b) + "*" + n(d) + "   = " + n(a * c) + "/" + n(b * d) +
            " FontSize__14 ",
    };
    return out;
}

std::string demo_in_words(long long a, long long b, long long c, long long d)
{
    if (!drawable(a, b, c, d, 0))
        return {};
    return "Three circles: the yellow unit; the unit in " + n(d) + " parts, " + n(c) + " of them blue: " + n(c) +
           "/" + n(d) + "; the unit in " + n(b * d) + " pieces, " + n(a * c) + " of " + n(b * d) + " pieces green: " +
           n(a) + "/" + n(b) + " of " + n(c) + "/" + n(d);
}

bool multdemo(ui::Canvas& window, Narrator& narrator, int message_box_right, long long a, long long b, long long c,
              long long d, long long r)
{
    const auto layout = lay_out_demo(a, b, c, d, message_box_right, r);
    if (!layout)
        return false;
    const DemoText text = demo_text(a, b, c, d);
    const int x = layout->x;

    window.clear();
    window.set_fill(unit_yellow);
    window.set_draw_width(2);
    window.circle(x, circle_rows[0], layout->radius, ink);
    // The yellow fill is still set, so the pizza is drawn on a yellow disc.
    // Its radius was checked above, so it always draws.
    (void)fractions::cmult1(window, a, b, c, d, x, circle_rows[1], r);
    narrator.say(text.unit_and_part);

    paint_cuts(window, QPoint(x, circle_rows[1]), layout->cuts);
    narrator.say(text.pieces);

    paint(layout->product, window);
    for (const std::string& sentence : text.product)
        narrator.say(sentence);
    return true;
}

} // namespace quorrel::demos
