#include "fractions/design.h"

#include "fractions/geometry.h"

#include <algorithm>

namespace quorrel::fractions {

DesignRings design_rings(int inner_width, int slider_top)
{
    DesignRings rings{to_pixel(0.75 * inner_width), to_pixel(slider_top / 2.0), {}};
    const double largest = std::min(inner_width / 5.0, slider_top * 0.9 / 2);
    for (int r = 1; r <= largest; r += 10)
        rings.radii.push_back(r);
    return rings;
}

void paint_design(ui::Canvas& window, ui::Random& random, const DesignRings& rings)
{
    random.reseed_from_clock();
    window.clear();
    window.set_draw_width(2);
    const auto channel = [&random] { return to_pixel(random.next() * 255); };
    for (const int r : rings.radii) {
        const int red = channel();
        const int green = channel();
        const int blue = channel();
        window.circle(rings.x, rings.y, r, ui::Color::rgb(red, green, blue));
    }
}

} // namespace quorrel::fractions
