#pragma once

#include <cstdint>
#include <optional>

namespace quorrel::ui {

// An opaque RGB colour. Lesson text names colours as one packed number,
// red + 256 * green + 65536 * blue, so the type converts both ways.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    static constexpr Color rgb(int red, int green, int blue)
    {
        return Color{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                     static_cast<std::uint8_t>(blue)};
    }

    // Refuses numbers that name no colour instead of wrapping them.
    static constexpr std::optional<Color> from_packed(long long value)
    {
        if (value < 0 || value > 0xFFFFFF)
            return std::nullopt;
        return rgb(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                   static_cast<int>((value >> 16) & 0xFF));
    }

    constexpr long packed() const { return r + 256L * g + 65536L * b; }

    friend constexpr bool operator==(Color, Color) = default;
};

namespace colors {
inline constexpr Color black = Color::rgb(0, 0, 0);
inline constexpr Color white = Color::rgb(255, 255, 255);
inline constexpr Color yellow = Color::rgb(255, 255, 0);
inline constexpr Color green = Color::rgb(0, 255, 0);
inline constexpr Color blue = Color::rgb(0, 0, 255);
inline constexpr Color red = Color::rgb(255, 0, 0);
inline constexpr Color magenta = Color::rgb(255, 0, 255);
inline constexpr Color window_back = Color::rgb(240, 255, 255);  // the window's background
inline constexpr Color fraction_blue = Color::rgb(120, 120, 255); // default fill of a fraction
inline constexpr Color history_grey = Color::rgb(120, 120, 120);
// The page's history as redrawn under a right answer: a shade lighter.
inline constexpr Color answered_grey = Color::rgb(150, 150, 150);
inline constexpr Color page_strip = Color::rgb(180, 180, 255);
} // namespace colors

// Relative luminance (0 black to 1 white) and the contrast ratio of two
// colours (1 to 21), as accessibility guidelines measure them.
double luminance(Color color);
double contrast(Color a, Color b);

// The contrast every text keeps against its paper in high contrast.
inline constexpr double strong_contrast = 7.0;

// High contrast, for the whole program: text is drawn in inks strong enough
// to read on its paper. Off, every colour stays as the lessons chose it.
void set_high_contrast(bool on);
bool high_contrast();

// The ink text of colour `ink` is drawn in on `paper`: `ink` itself, or in
// high contrast, when `ink` reads weakly there, the lightest shade of its hue
// (on dark paper the darkest tint) that reads strongly.
Color text_ink(Color ink, Color paper);

} // namespace quorrel::ui
