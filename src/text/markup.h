#pragma once

#include "ui/canvas.h"
#include "ui/color.h"

#include <QFontMetricsF>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorrel::text {

// A line break followed by six blanks: starts an indented paragraph.
inline constexpr std::string_view para_break = "\r\n      ";

// The part of a box's state that marked-up text reads and changes. It carries
// over from one draw to the next: that is how grey history and a blue new
// line share one page.
struct Pen {
    double x = 0;
    double y = 0;
    ui::Font font;
    ui::Color color;
    // How far the line the pen is on already reaches down: a line with
    // larger text on it pushes the next line down by that much.
    double line_height = 0;

    friend bool operator==(const Pen&, const Pen&) = default;
};

Pen pen_of(const ui::Canvas& canvas);

// Text measurement, kept apart so layout can be checked with made-up widths.
class Metrics {
public:
    virtual ~Metrics() = default;
    virtual double width(const ui::Font& font, std::string_view text) const = 0;
    // The height of one line, as the canvas advances by it.
    virtual double height(const ui::Font& font) const = 0;
};

// Measures as the canvas prints. Every line redraws the whole page, so the
// same words are measured again and again: their widths are kept.
class QtMetrics final : public Metrics {
public:
    double width(const ui::Font& font, std::string_view text) const override;
    double height(const ui::Font& font) const override;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    struct Entry {
        ui::Font font;
        QFontMetricsF metrics;
        std::unordered_map<std::string, double, Hash, std::equal_to<>> widths;
    };
    Entry& entry(const ui::Font& font) const;

    mutable std::vector<Entry> cache_;
};

// Text printed with its top left at (x, y). Consecutive words share a run
// when printing them together places every glyph as printing them one by
// one would.
struct Run {
    std::string text;
    int x = 0;
    int y = 0;
    ui::Font font;
    ui::Color color;
};

// A filled dot in front of a line.
struct Bullet {
    static constexpr double radius = 3;
    int x = 0; // centre
    int y = 0;
    ui::Color color;
};

struct Layout {
    std::vector<Run> runs;
    std::vector<Bullet> bullets;
    Pen end;
    // Lines of the text minus one (-1 for empty text, which has none), plus
    // one for every wrap.
    int line_count = -1;
    // Where the word that stopped the layout starts: a size or colour that
    // is no number, or out of range. Nothing from there on is laid out.
    std::optional<std::size_t> malformed_at;

    bool complete() const { return !malformed_at; }
};

// How far a fraction's numerator starts above its line. A line holding a
// fraction sits that much lower, so its numerators clear the line above.
inline constexpr double fraction_rise = 3;

// Where wrapped words start, and a new line that starts with a word.
inline constexpr double margin = 10;

// How a layout treats what the text asks of the pen.
struct Style {
    // Off, every word takes the start pen's colour, whatever colour words
    // the text holds: history is one grey.
    bool colour_words = true;
    // Where a line the text breaks to puts a first word that would touch
    // the box's edge; lines led by blanks keep their blanks.
    double line_margin = margin;
};

// Lays out marked-up text: lines at line breaks, words at single blanks,
// tokens like "FontSize__10", built-up fractions like "5/12", wrapping before
// `box_width`. Fractions advance by widths measured in `main_font`; marks
// that close a clause ("5/12." or "2/3),") follow the fraction on the line as
// a word of their own. A token's effect ends with its line: every line
// starts in the start pen's font and colour, a bare "FontSize__" or
// "ForeColor__" returns to them, and the end pen has them too.
Layout lay_out(std::string_view text, const Pen& start, double box_width, const ui::Font& main_font,
               const Metrics& metrics, const Style& style = {});

// Paints a layout and leaves the canvas's pen, font and colour at its end.
void paint(const Layout& layout, ui::Canvas& canvas);

// Lays out `text` from the canvas's pen and paints it there.
Layout draw(ui::Canvas& canvas, std::string_view text, const ui::Font& main_font, const Metrics& metrics);

// What a voice reading marked-up text aloud says: the words without their
// tokens or bullets, "5/12" as "5 over 12", the signs of arithmetic as
// words ("times", "plus", "minus", "equals"), a line break as the end of a
// sentence. Like the layout, it stops at a malformed size or colour.
std::string spoken(std::string_view text);

// The first word of marked-up text that does nothing or stops the drawing:
// a token of an unknown name ("Font_Italic__True"), or a size or colour that
// is no number. Empty when there is none.
std::optional<std::string_view> markup_fault(std::string_view text);

} // namespace quorrel::text
