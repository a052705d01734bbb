#pragma once

#include "ui/rounding.h"

#include <QPoint>

#include <string>
#include <vector>

// Where the fraction pictures go, as plain numbers: computed apart from any
// canvas so that a test can check a picture without looking at pixels.
// Every computed coordinate is rounded to the nearest whole pixel, halves to
// even.
namespace quorrel::fractions {

inline int to_pixel(double value) { return static_cast<int>(ui::round_even(value)); }

// Which side of the stick carries the unit numbers.
enum class RulerSide { above = 1, below = -1 };

inline constexpr int row_height = 51;
inline constexpr int bar_height = 15;
inline constexpr int unit_tick_height = 30;
inline constexpr int part_tick_height = 15;
// Narrower parts get no ticks: packed closer, the ticks would merge into a
// black bar that hides the fill and the unit ticks.
inline constexpr double min_part_width = 3;
// Pictures are built for at most this many whole units.
inline constexpr int max_units = 16;
// Rows of a stick are never wider than on the 1024-pixel screen the lesson
// texts were written for, so "continues on the next line" holds everywhere.
inline constexpr double max_row_width = 512;

// The number of unit lengths a stick of n/d spans (at least one).
int stick_units(int n, int d);
// Whole units that fit across a row; 0 when not even one does.
int units_per_row(double row_width, double unit_length);

struct StickInput {
    int n = 0;
    int d = 1;
    double unit_length = 120;
    double row_width = 640; // half the window's inner width
    RulerSide side = RulerSide::above;
    bool mixed = false;     // subdivide only the last, partial unit
    int number_height = 0;  // line height of the unit numbers' font
};

// Which edge of a unit number touches its tick.
enum class Anchor { left, right };

struct UnitTick {
    int x;
    int pen_width;
    int number;
    Anchor anchor;
};

struct StickRow {
    int y_base;          // bottom line of the bar
    int bar_top;         // top of the bar and of the part ticks
    int unit_tick_top;
    int number_top;      // top of the unit numbers
    int base_line_top;   // the 2-pixel base line covers this and y_base
    int fill_end;   // the bar covers columns 1..fill_end (none when below 1)
    int base_end;   // the base line runs from x = 0 to here
    std::vector<UnitTick> units;
    std::vector<int> parts; // x of the part ticks, ascending and apart
};

// Rows top to bottom; none when the input is not a picture (d < 1, n < 0,
// more than max_units units) or no unit fits across a row. A row is at most
// max_row_width wide, whatever `row_width` offers.
std::vector<StickRow> stick_rows(const StickInput& in);

// Where the pizzas of one slot go: to the right of the message box, rows
// stacking upwards from the slot's numerator slider.
struct PizzaFrame {
    int left;        // right edge of the message box
    int slider_top;  // top of the numerator slider
    int cell_top;    // top of the numerator box; a pizza's cell is a quarter of it
    double row_width; // half the window's inner width
};

struct Pizza {
    int x;
    int y;
    int radius;
    int shaded; // slices shaded out of `slices`
    int slices;
    bool whole;
    std::string label;
    int label_x; // top left of the label
    int label_y;
};

// One whole pizza per whole unit, then the partial one (also for n = 0).
// Empty when the cell would be empty or no pizza fits across a row. Cells
// shrink where that many rows would run above the window's top.
std::vector<Pizza> pizza_row(int n, int d, const PizzaFrame& frame, bool mixed);

// A pizza's shading: radial segments at k * ray_step for k below this count,
// one full turn at most.
inline constexpr double ray_step = 0.00314159;
inline constexpr int rays_per_turn = 2000;
int shading_rays(long long c, long long e);
std::vector<double> ray_angles(int rays);
// Angles of the spokes cutting a pizza into e slices (none unless b * e > 0).
std::vector<double> spoke_angles(long long b, long long e);
// Where segments from (x, y) at these angles end at radius r; a tip shared
// with the one before is left out, as its segment would paint the same pixels.
std::vector<QPoint> tips(int x, int y, long long r, const std::vector<double>& angles);

} // namespace quorrel::fractions
