#include "fractions/geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>

namespace quorrel::fractions {

int stick_units(int n, int d)
{
    const int units = n / d + (n % d == 0 ? 0 : 1);
    return std::max(units, 1);
}

int units_per_row(double row_width, double unit_length)
{
    if (!(unit_length > 0) || !(row_width >= 0))
        return 0;
    return static_cast<int>(std::min(std::floor(row_width / unit_length), double(INT_MAX)));
}

namespace {

// Part ticks p = first..last at p * unit_length / d; none for parts too
// narrow to keep their ticks apart.
std::vector<int> part_ticks(std::int64_t first, std::int64_t last, int d, double unit_length)
{
    std::vector<int> xs;
    if (first > last || unit_length / d < min_part_width)
        return xs;
    for (std::int64_t p = first; p <= last; ++p)
        xs.push_back(to_pixel(double(p) * unit_length / d));
    return xs;
}

StickRow stick_row(const StickInput& in, int units, int per_row, int row)
{
    const int last_row = (units - 1) / per_row;
    const double ul = in.unit_length;
    StickRow r{};
    // The bar's base is exact here; each coordinate taken from it is rounded
    // once, so a base half-way between pixels shifts nothing by a pixel.
    const double y_base = in.side == RulerSide::above ? double(row_height) * (row + 1)
                                                      : row_height * row + row_height / 2.0;
    r.y_base = to_pixel(y_base);
    r.bar_top = to_pixel(y_base - bar_height);
    r.unit_tick_top = to_pixel(y_base - unit_tick_height);
    r.number_top = in.side == RulerSide::above ? to_pixel(row_height * row + 10.0) : to_pixel(y_base + 3);
    // A 2-pixel line drawn on y_base covers y_base - 1 too: with numbers
    // above, y_base is the first line below the row, and the line still
    // shows under the last row.
    r.base_line_top = r.y_base - 1;

    const double full = per_row * ul;
    r.fill_end = to_pixel(row >= last_row ? double(in.n) * ul / in.d - full * row : full);

    const int ticks = row >= units / per_row ? units % per_row : per_row;
    const int first = per_row * row;
    for (int k = 0; k <= ticks; ++k)
        r.units.push_back({to_pixel(k * ul), k == 0 ? 3 : 2, first + k, k == 0 ? Anchor::left : Anchor::right});
    r.base_end = to_pixel(ticks * ul);

    const std::int64_t d = in.d;
    const std::int64_t last_part = d * ticks;
    std::int64_t first_part = 1;
    if (in.mixed) {
        const bool goes_on = in.n > d * per_row * (row + 1);
        first_part = !goes_on && in.n % in.d > 0 ? d * (ticks - 1) : last_part;
    }
    r.parts = part_ticks(first_part, last_part, in.d, ul);
    return r;
}

struct PizzaGrid {
    double cell;
    int per_row;
};

// Cells of a quarter of the numerator box's top, as many to a row as fit,
// rows stacking upwards from the slider. Where that many rows would run
// above the window, the cells shrink until every row fits below its top,
// leaving room at the row's end for the last pizza's label.
std::optional<PizzaGrid> pizza_grid(int count, const PizzaFrame& f)
{
    const double cell = f.cell_top / 4.0;
    if (!(cell > 0) || !(std::floor(f.row_width / cell) >= 1))
        return std::nullopt;
    const int per_row = static_cast<int>(std::min(std::floor(f.row_width / cell), double(INT_MAX)));
    const double room = f.slider_top - 2;
    if ((std::int64_t(count) + per_row - 1) / per_row * cell <= room)
        return PizzaGrid{cell, per_row};
    constexpr double label_room = 40;
    PizzaGrid best{0, 1};
    for (int rows = 1; rows <= count; ++rows) {
        const int across = (count + rows - 1) / rows;
        const double u = std::min({cell, (f.row_width - label_room) / across, room / rows});
        if (u > best.cell)
            best = {u, across};
    }
    if (!(best.cell > 0))
        return std::nullopt;
    return best;
}

} // namespace

std::vector<StickRow> stick_rows(const StickInput& in)
{
    if (in.d < 1 || in.n < 0 || in.n > std::int64_t(max_units) * in.d)
        return {};
    const int per_row = units_per_row(std::min(in.row_width, max_row_width), in.unit_length);
    if (per_row < 1)
        return {};
    const int units = stick_units(in.n, in.d);
    std::vector<StickRow> rows;
    for (int row = 0; row <= (units - 1) / per_row; ++row)
        rows.push_back(stick_row(in, units, per_row, row));
    return rows;
}

std::vector<Pizza> pizza_row(int n, int d, const PizzaFrame& f, bool mixed)
{
    if (d < 1 || n < 0 || n > std::int64_t(max_units) * d)
        return {};
    const int wholes = n / d;
    const auto grid = pizza_grid(wholes + (n == 0 || n % d > 0 ? 1 : 0), f);
    if (!grid)
        return {};
    const double u = grid->cell;
    const int per_row = grid->per_row;
    const int radius = to_pixel(u * 0.8 / 2);

    std::vector<Pizza> pizzas;
    const auto place = [&](int k, int shaded, bool whole) {
        const int row = (k - 1) / per_row;
        const int column = (k - 1) % per_row + 1;
        Pizza p{};
        p.x = to_pixel(f.left + 2 + u * (2 * column - 1) / 2);
        p.y = to_pixel(f.slider_top - 2 - u * (2 * row + 1) / 2);
        p.radius = radius;
        p.shaded = shaded;
        p.slices = d;
        p.whole = whole;
        if (whole) {
            p.label = std::to_string(k);
            // The first column's label would start under the message box.
            p.label_x = std::max(to_pixel(mixed ? f.left + u * (column - 0.5) - 5 : f.left + u * (column - 1) - 5),
                                 f.left + 2);
            p.label_y = to_pixel(f.slider_top - u * (row + (mixed ? 0.6 : 0.9)));
        } else {
            p.label = std::to_string(shaded) + "/" + std::to_string(d);
            p.label_x = to_pixel(f.left + u * (column - 0.1) + 2);
            p.label_y = to_pixel(f.slider_top - u * (row + 0.8));
        }
        pizzas.push_back(std::move(p));
    };
    for (int k = 1; k <= wholes; ++k)
        place(k, d, true);
    if (n == 0 || n % d > 0)
        place(wholes + 1, n % d, false);
    return pizzas;
}

int shading_rays(long long c, long long e)
{
    if (e == 0)
        return 0;
    const double last = std::clamp(double(c) / double(e) * rays_per_turn - 1, -1.0, rays_per_turn - 1.0);
    return to_pixel(last) + 1;
}

std::vector<double> ray_angles(int rays)
{
    std::vector<double> angles;
    for (int k = 0; k < rays; ++k)
        angles.push_back(k * ray_step);
    return angles;
}

std::vector<QPoint> tips(int x, int y, long long r, const std::vector<double>& angles)
{
    std::vector<QPoint> ends;
    const double reach = double(r);
    for (const double angle : angles) {
        const QPoint end(to_pixel(x + reach * std::cos(angle)), to_pixel(y + reach * std::sin(angle)));
        if (ends.empty() || end != ends.back())
            ends.push_back(end);
    }
    return ends;
}

std::vector<double> spoke_angles(long long b, long long e)
{
    std::vector<double> angles;
    // Of the b * e steps only every b-th draws a spoke: e spokes, 1/e of a
    // turn apart.
    if (b == 0 || e == 0 || (b < 0) != (e < 0))
        return angles;
    const long long spokes = e < 0 ? -e : e;
    angles.reserve(static_cast<std::size_t>(spokes));
    for (long long j = 0; j < spokes; ++j)
        angles.push_back(double(j) * rays_per_turn * ray_step / double(spokes));
    return angles;
}

} // namespace quorrel::fractions
