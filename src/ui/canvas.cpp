#include "ui/canvas.h"

#include "ui/rounding.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quorrel::ui {

namespace {

// Pixels, like every coordinate the program computes, round halves to even.
int to_int(double value) { return static_cast<int>(round_even(value)); }
double round_half_even(double value) { return static_cast<double>(round_even(value)); }

} // namespace

int pixel_size(double point_size)
{
    return std::max(1, to_int(point_size * 96.0 / 72.0));
}

QFont to_qfont(const Font& font)
{
    QFont q(QString::fromStdString(font.name));
    q.setPixelSize(pixel_size(font.size));
    q.setBold(font.bold);
    q.setItalic(font.italic);
    // Underlines are drawn by the canvas itself so that they span trailing
    // blanks exactly (a fraction's bar is an underlined, padded numerator).
    q.setUnderline(false);
    q.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    q.setHintingPreference(QFont::PreferFullHinting);
    return q;
}

QColor to_qcolor(Color color) { return QColor(color.r, color.g, color.b); }

double device_pixel_ratio()
{
    const auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    return application ? std::max(1.0, application->devicePixelRatio()) : 1.0;
}

void paint_picture(QPainter& painter, const QRect& rect, const QImage& image)
{
    const double r = image.devicePixelRatio();
    if (r == 1) {
        painter.drawImage(rect.topLeft(), image, rect);
        return;
    }
    painter.drawImage(QRectF(rect), image, QRectF(rect.x() * r, rect.y() * r, rect.width() * r, rect.height() * r));
}

namespace {

QImage blank_image(int width, int height, double ratio, Color background)
{
    QImage image(static_cast<int>(std::ceil(std::max(width, 1) * ratio)),
                 static_cast<int>(std::ceil(std::max(height, 1) * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(to_qcolor(background));
    return image;
}

void prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

} // namespace

Canvas::Canvas(int width, int height, Color background)
    : ratio_(device_pixel_ratio()),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      image_(blank_image(width, height, ratio_, background)),
      background_(background),
      qfont_(to_qfont(font_)),
      metrics_(qfont_)
{
}

void Canvas::resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    if (blank_) {
        // Let go of the old one first: a window sized twice at start-up
        // would otherwise hold two full-screen images at once.
        image_ = QImage();
        image_ = blank_image(width, height, ratio_, background_);
    } else {
        QImage grown = blank_image(width, height, ratio_, background_);
        {
            QPainter painter(&grown);
            painter.drawImage(0, 0, image_);
        }
        image_ = std::move(grown);
    }
    changed({});
}

QImage& Canvas::surface()
{
    blank_ = false;
    return image_;
}

void Canvas::set_background(Color color)
{
    background_ = color;
    image_.fill(to_qcolor(color));
    blank_ = true;
    changed({});
}

void Canvas::clear()
{
    image_.fill(to_qcolor(background_));
    blank_ = true;
    pen_x_ = 0;
    pen_y_ = 0;
    changed({});
}

bool Canvas::set_font(const Font& font)
{
    if (!(font.size >= min_font_size && font.size <= max_font_size))
        return false;
    if (font == font_)
        return true;
    const bool same_face = font.name == font_.name && font.size == font_.size && font.bold == font_.bold &&
                           font.italic == font_.italic;
    font_ = font;
    // Underlining is drawn by print, not by the face.
    if (!same_face)
        font_changed();
    return true;
}

bool set_font_size(Canvas& canvas, double size)
{
    Font font = canvas.font();
    font.size = size;
    return canvas.set_font(font);
}

void Canvas::font_changed()
{
    qfont_ = to_qfont(font_);
    metrics_ = QFontMetricsF(qfont_);
}

double text_width(const Canvas& canvas, std::string_view text)
{
    return canvas.metrics().horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double text_height(const Canvas& canvas) { return round_half_even(canvas.metrics().height()); }

void Canvas::print(std::string_view text)
{
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double width = metrics_.horizontalAdvance(s);
    const int x = to_int(pen_x_);
    const int y = to_int(pen_y_);
    if (!s.isEmpty()) {
        QPainter painter(&surface());
        prepare(painter);
        painter.setFont(qfont_);
        const QColor ink = to_qcolor(text_ink(fore_color_, background_));
        painter.setPen(ink);
        painter.drawText(QPointF(x, y + round_half_even(metrics_.ascent())), s);
        if (font_.underline) {
            const int thickness = std::max(1, to_int(metrics_.lineWidth()));
            const int uy = y + static_cast<int>(round_half_even(metrics_.ascent() + metrics_.underlinePos()));
            painter.fillRect(QRect(x, uy, to_int(width), thickness), ink);
        }
    }
    changed(QRect(x, y, static_cast<int>(std::ceil(width)) + 2, static_cast<int>(text_height(*this)) + 2));
    pen_x_ += width;
}

void new_line(Canvas& canvas) { canvas.set_pen(0, canvas.pen_y() + ui::text_height(canvas)); }

void line(Canvas& canvas, double x1, double y1, double x2, double y2, Color color)
{
    canvas.lines({QLineF(x1, y1, x2, y2)}, color);
}

void Canvas::lines(const std::vector<QLineF>& segments, Color color)
{
    if (segments.empty())
        return;
    const int w = draw_width_;
    const int before = (w - 1) / 2; // pixels of a wide line left of (or above) its centre line
    QPainter painter(&surface());
    prepare(painter);
    const QColor c = to_qcolor(color);
    QPen pen(c);
    pen.setWidth(w);
    pen.setCapStyle(w == 1 ? Qt::SquareCap : Qt::RoundCap);
    painter.setPen(pen);
    QRect touched;
    for (const QLineF& segment : segments) {
        const int x1 = to_int(segment.x1());
        const int y1 = to_int(segment.y1());
        const int x2 = to_int(segment.x2());
        const int y2 = to_int(segment.y2());
        // Axis-parallel lines are laid out by hand so their pixels are exact:
        // both end points are included, and a width-w line covers w pixels.
        QRect rect;
        if (x1 == x2) {
            rect = QRect(QPoint(x1 - before, std::min(y1, y2)), QPoint(x1 - before + w - 1, std::max(y1, y2)));
            painter.fillRect(rect, c);
        } else if (y1 == y2) {
            rect = QRect(QPoint(std::min(x1, x2), y1 - before), QPoint(std::max(x1, x2), y1 - before + w - 1));
            painter.fillRect(rect, c);
        } else {
            painter.drawLine(x1, y1, x2, y2);
            rect = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
                       .adjusted(-w, -w, w, w);
        }
        touched |= rect;
    }
    changed(touched);
}

void Canvas::circle(double x, double y, double radius, Color color)
{
    if (!(radius >= 0))
        return;
    QPainter painter(&surface());
    prepare(painter);
    QPen pen(to_qcolor(color));
    pen.setWidth(draw_width_);
    painter.setPen(pen);
    if (fill_)
        painter.setBrush(to_qcolor(*fill_));
    const QPointF centre(round_half_even(x), round_half_even(y));
    painter.drawEllipse(centre, radius, radius);
    const int reach = static_cast<int>(std::ceil(radius)) + draw_width_ + 1;
    changed(QRect(static_cast<int>(centre.x()) - reach, static_cast<int>(centre.y()) - reach, 2 * reach + 1,
                  2 * reach + 1));
}

void Canvas::box(double x1, double y1, double x2, double y2, Color color, bool filled)
{
    const QRect rect(QPoint(to_int(std::min(x1, x2)), to_int(std::min(y1, y2))),
                     QPoint(to_int(std::max(x1, x2)), to_int(std::max(y1, y2))));
    QPainter painter(&surface());
    prepare(painter);
    if (filled) {
        painter.fillRect(rect, to_qcolor(color));
    } else {
        QPen pen(to_qcolor(color));
        pen.setWidth(draw_width_);
        painter.setPen(pen);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    changed(rect.adjusted(-draw_width_, -draw_width_, draw_width_, draw_width_));
}

void Canvas::boxes(const std::vector<QRect>& rects, Color color)
{
    if (rects.empty())
        return;
    QPainter painter(&surface());
    prepare(painter);
    const QColor c = to_qcolor(color);
    QRect touched;
    for (const QRect& rect : rects) {
        painter.fillRect(rect, c);
        touched |= rect;
    }
    changed(touched);
}

void Canvas::polygon(const std::vector<QPoint>& corners, Color color)
{
    if (corners.size() < 3)
        return;
    QPainter painter(&surface());
    prepare(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(to_qcolor(color));
    const QPolygon shape(QList<QPoint>(corners.begin(), corners.end()));
    painter.drawPolygon(shape);
    changed(shape.boundingRect().adjusted(-1, -1, 1, 1));
}

Color Canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return background_;
    const auto device = [this](int c) { return static_cast<int>((c + 0.5) * ratio_); };
    const QRgb p = image_.pixel(std::min(device(x), image_.width() - 1), std::min(device(y), image_.height() - 1));
    return Color::rgb(qRed(p), qGreen(p), qBlue(p));
}

void Canvas::changed(const QRect& rect)
{
    if (on_change)
        on_change(rect);
}

} // namespace quorrel::ui
