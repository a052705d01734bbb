#pragma once

#include "ui/canvas.h"

#include <QPoint>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Why a/b * c/d = (a*c)/(b*d), shown with three circles beside the message
// box: the unit, c/d of it in blue, and a/b of every blue part in green with
// the unit cut into b*d pieces.
namespace quorrel::demos {

// Where the demonstration's sentences go. Each sentence is one bulleted line
// followed by a click or a pause.
class Narrator {
public:
    virtual ~Narrator() = default;
    virtual void say(std::string_view sentence) = 0;
};

inline constexpr long long demo_radius = 90;
// The centres' heights: the unit, c/d, and a/b OF c/d.
inline constexpr std::array<int, 3> circle_rows{150, 370, 570};
inline constexpr ui::Color unit_yellow = ui::colors::yellow;
inline constexpr ui::Color part_blue = ui::colors::fraction_blue;
inline constexpr ui::Color product_green = ui::colors::green;
// More pieces than this would only blacken the disc; such a product is not drawn.
inline constexpr long long max_pieces = 20000;

// A black line from a circle's centre to `tip`.
struct Cut {
    QPoint tip;
    int width;

    friend bool operator==(const Cut&, const Cut&) = default;
};

// The lines cutting a circle into b*d equal pieces, the first at 3 o'clock
// and turning clockwise; every b-th is 2 wide, the others 1.
std::vector<Cut> piece_cuts(long long b, long long d, int x, int y, long long r);

// The circle showing a/b OF c/d, as plain geometry. A sector is a fan of
// rays from the centre; its tips are listed in turning order.
struct ProductCircle {
    QPoint centre;
    int radius = 0;
    std::vector<QPoint> blue;
    std::vector<std::vector<QPoint>> green; // the first a of b pieces of each blue part
    std::vector<Cut> cuts;
};

// Empty when there is nothing to draw: b or d below 1, a negative radius, a
// radius larger than any screen, or more than max_pieces pieces.
std::optional<ProductCircle> product_circle(long long a, long long b, long long c, long long d, int x, int y,
                                            long long r);
void paint(const ProductCircle& circle, ui::Canvas& canvas);

// Lays out and paints the product circle; false when nothing was drawn.
bool cmult2(ui::Canvas& canvas, long long a, long long b, long long c, long long d, int x, int y, long long r);

// The whole demonstration's geometry: three circles one above the other,
// centred 2r right of the message box's right edge.
struct DemoLayout {
    int x = 0;
    int radius = 0;
    std::vector<Cut> cuts; // the middle circle cut into b*d pieces
    ProductCircle product;
};
std::optional<DemoLayout> lay_out_demo(long long a, long long b, long long c, long long d, int message_box_right,
                                       long long r);

// What the demonstration says, in order: the unit and c/d, the cut into b*d
// pieces, then the product sentence by sentence (the last one ends with the
// formula in large type).
struct DemoText {
    std::string unit_and_part;
    std::string pieces;
    std::vector<std::string> product;
};
DemoText demo_text(long long a, long long b, long long c, long long d);
// What the three circles show, for a screen reader: "... 4 of 15 pieces
// green: 2/3 of 2/5".
std::string demo_in_words(long long a, long long b, long long c, long long d);

// Runs the demonstration: wipes the window's own drawing (the message box
// keeps its text), draws each circle and says its sentences. False, with
// nothing drawn or said, when there is nothing to draw.
bool multdemo(ui::Canvas& window, Narrator& narrator, int message_box_right, long long a, long long b, long long c,
              long long d, long long r = demo_radius);

} // namespace quorrel::demos
