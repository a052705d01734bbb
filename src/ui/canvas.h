#pragma once

#include "ui/color.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QRect>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace quorrel::ui {

struct Font {
    std::string name = "Arial";
    double size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const Font&, const Font&) = default;
};


// A drawing surface that keeps what was drawn on it (a picture box or the
// window's own background), with a pen in the old style: a current position,
// a font, a text colour, a line width and fill settings. All coordinates are
// pixels; drawing is aliased so pictures are exact to the pixel. On a
// high-density screen the picture holds that many more pixels per pixel, so
// text and lines are drawn at the screen's own resolution.
class Canvas {
public:
    // Font sizes outside this range are refused, so a stray size in lesson
    // text can neither crash the renderer nor allocate a giant glyph cache.
    static constexpr double min_font_size = 1;
    static constexpr double max_font_size = 1638;

    Canvas(int width, int height, Color background);

    int width() const { return width_; }
    int height() const { return height_; }
    // Keeps the drawing in the part that stays; new area gets the background.
    void resize(int width, int height);

    Color background() const { return background_; }
    // Like the old picture boxes, a new background wipes the drawing.
    void set_background(Color color);
    // Fills with the background and returns the pen to the top left.
    void clear();

    double pen_x() const { return pen_x_; }
    double pen_y() const { return pen_y_; }
    void set_pen(double x, double y)
    {
        pen_x_ = x;
        pen_y_ = y;
    }

    const Font& font() const { return font_; }
    // False, and no change, for a size outside the range above.
    bool set_font(const Font& font);

    Color fore_color() const { return fore_color_; }
    void set_fore_color(Color color) { fore_color_ = color; }
    // Every drawing routine sets the width it draws with.
    void set_draw_width(int width) { draw_width_ = width < 1 ? 1 : width; }
    // The colour circles are filled with; none leaves them open.
    std::optional<Color> fill() const { return fill_; }
    void set_fill(std::optional<Color> fill) { fill_ = fill; }

    // The current font's measures, in pixels.
    const QFontMetricsF& metrics() const { return metrics_; }

    // Prints at the pen (the pen marks the text's top left); the pen moves
    // to the end of the text.
    void print(std::string_view text);

    // Many lines of the current width in one pass.
    void lines(const std::vector<QLineF>& segments, Color color);
    // Outline in `color`, filled with the fill colour when there is one.
    void circle(double x, double y, double radius, Color color);
    void box(double x1, double y1, double x2, double y2, Color color, bool filled);
    // Many filled rectangles, or one filled polygon without an outline, in a
    // single pass: for pictures of thousands of parts.
    void boxes(const std::vector<QRect>& rects, Color color);
    void polygon(const std::vector<QPoint>& corners, Color color);

    // In device pixels; its device pixel ratio maps them to the coordinates.
    const QImage& image() const { return image_; }
    // The colour at the middle of pixel (x, y).
    Color pixel(int x, int y) const;

    // Told of every change, with the rectangle that changed.
    std::function<void(const QRect&)> on_change;

private:
    void font_changed();
    void changed(const QRect& rect);
    // The image, to be drawn on: from now it holds more than its background.
    QImage& surface();

    double ratio_;
    int width_;
    int height_;
    QImage image_;
    bool blank_ = true; // all background: a new size need not keep it
    Color background_;
    double pen_x_ = 0;
    double pen_y_ = 0;
    Font font_;
    QFont qfont_;
    QFontMetricsF metrics_;
    Color fore_color_ = colors::black;
    int draw_width_ = 1;
    std::optional<Color> fill_;
};

// The pen's font at another size; false, and no change, when out of range.
bool set_font_size(Canvas& canvas, double size);
double text_width(const Canvas& canvas, std::string_view text);
// The height of one line in the current font.
double text_height(const Canvas& canvas);
// Ends the printed line: the pen goes to the left edge, one line lower.
void new_line(Canvas& canvas);
void line(Canvas& canvas, double x1, double y1, double x2, double y2, Color color);

// The pixel size a point size takes on the 96 dpi screens the tutor is drawn for.
int pixel_size(double point_size);
QFont to_qfont(const Font& font);
QColor to_qcolor(Color color);
// The pixels per coordinate of the screens the program draws for.
double device_pixel_ratio();
// Paints the part `rect` (in coordinates) of a canvas picture at `rect`.
void paint_picture(QPainter& painter, const QRect& rect, const QImage& image);

} // namespace quorrel::ui
