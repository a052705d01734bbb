#include "ui/color.h"

#include <algorithm>
#include <cmath>

namespace quorrel::ui {

namespace {

bool contrast_on = false;

double linear(std::uint8_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// `ink` moved towards black (towards white for `lighten`) by `k` of the way.
Color shade(Color ink, double k, bool lighten)
{
    const auto move = [k, lighten](std::uint8_t c) {
        const double v = lighten ? c + (255 - c) * k : c * (1 - k);
        return static_cast<int>(lighten ? std::ceil(v) : std::floor(v));
    };
    return Color::rgb(move(ink.r), move(ink.g), move(ink.b));
}

} // namespace

double luminance(Color color)
{
    return 0.2126 * linear(color.r) + 0.7152 * linear(color.g) + 0.0722 * linear(color.b);
}

double contrast(Color a, Color b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void set_high_contrast(bool on) { contrast_on = on; }

bool high_contrast() { return contrast_on; }

Color text_ink(Color ink, Color paper)
{
    if (!contrast_on || contrast(ink, paper) >= strong_contrast)
        return ink;
    // Black reads best on light paper, white on dark.
    const bool lighten = contrast(paper, colors::black) < contrast(paper, colors::white);
    if (contrast(shade(ink, 1, lighten), paper) < strong_contrast)
        return shade(ink, 1, lighten);
    // The least change that reads strongly keeps the ink's hue recognisable.
    double weak = 0;
    double strong = 1;
    for (int step = 0; step < 12; ++step) {
        const double k = (weak + strong) / 2;
        (contrast(shade(ink, k, lighten), paper) >= strong_contrast ? strong : weak) = k;
    }
    return shade(ink, strong, lighten);
}

} // namespace quorrel::ui
