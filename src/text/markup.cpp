#include "text/markup.h"

#include "ui/rounding.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace quorrel::text {

Pen pen_of(const ui::Canvas& canvas)
{
    return {canvas.pen_x(), canvas.pen_y(), canvas.font(), canvas.fore_color()};
}

namespace {

// Lesson text uses a handful of fonts and a few thousand words; the bounds
// keep a text full of invented names from growing the cache.
constexpr std::size_t font_limit = 32;
constexpr std::size_t word_limit = 4096;


// The canvas draws underlines itself, so they never change a measure.
bool same_face(const ui::Font& a, const ui::Font& b)
{
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic && a.name == b.name;
}

} // namespace

QtMetrics::Entry& QtMetrics::entry(const ui::Font& font) const
{
    for (Entry& entry : cache_)
        if (same_face(entry.font, font))
            return entry;
    if (cache_.size() == font_limit)
        cache_.clear();
    return cache_.emplace_back(Entry{font, QFontMetricsF(ui::to_qfont(font)), {}});
}

double QtMetrics::width(const ui::Font& font, std::string_view text) const
{
    Entry& cached = entry(font);
    if (const auto found = cached.widths.find(text); found != cached.widths.end())
        return found->second;
    if (cached.widths.size() == word_limit)
        cached.widths.clear();
    const double width =
        cached.metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    cached.widths.emplace(text, width);
    return width;
}

double QtMetrics::height(const ui::Font& font) const { return std::round(entry(font).metrics.height()); }

namespace {

enum class WordKind {
    font_size,
    fore_color,
    bold,
    underline,
    italic,
    font_name,
    bullet,
    unknown_token,
    fraction,
    literal,
    plain,
};

struct Word {
    WordKind kind = WordKind::plain;
    std::string_view text;        // the word, a token's value or a numerator
    std::string_view denominator; // fractions only
    std::string_view closing;     // marks after a fraction: "." of "5/12."
};

// Marks that end a clause or a bracket: lesson text puts them straight after
// a fraction ("7/30.", "96/6,"), and they belong to the sentence, not to the
// denominator.
constexpr std::string_view closing_marks = ".,;:!?)";

constexpr std::pair<std::string_view, WordKind> token_names[] = {
    {"FontSize", WordKind::font_size},   {"ForeColor", WordKind::fore_color}, {"Fontbold", WordKind::bold},
    {"FontUnderline", WordKind::underline}, {"FontItalic", WordKind::italic}, {"FontName", WordKind::font_name},
    {"Bullet", WordKind::bullet},
};

// The text before the first separator and the text between it and the next.
std::pair<std::string_view, std::string_view> first_two(std::string_view text, std::string_view separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return {text, {}};
    const std::string_view rest = text.substr(at + separator.size());
    return {text.substr(0, at), rest.substr(0, rest.find(separator))};
}

Word classify(std::string_view word)
{
    if (word.find("__") != std::string_view::npos) {
        const auto parts = first_two(word, "__");
        const auto* known = std::find_if(std::begin(token_names), std::end(token_names),
                                         [&parts](const auto& entry) { return entry.first == parts.first; });
        return {known == std::end(token_names) ? WordKind::unknown_token : known->second, parts.second, {}, {}};
    }
    // Lesson text quotes these to show the notation itself.
    if (word == "'/'" || word == "'5/12'")
        return {WordKind::literal, word, {}, {}};
    if (word.find('/') != std::string_view::npos) {
        const auto [numerator, denominator] = first_two(word, "/");
        const std::size_t last = denominator.find_last_not_of(closing_marks);
        if (last == std::string_view::npos) // nothing but marks: keep them as written
            return {WordKind::fraction, numerator, denominator, {}};
        return {WordKind::fraction, numerator, denominator.substr(0, last + 1), denominator.substr(last + 1)};
    }
    return {WordKind::plain, word, {}, {}};
}

std::optional<double> number(std::string_view text)
{
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

int to_pixel(double value)
{
    // Far beyond any box, but keeps the conversion defined for absurd text.
    constexpr double reach = 1 << 30;
    return static_cast<int>(ui::round_even(std::clamp(value, -reach, reach)));
}

std::optional<double> font_size(std::string_view text)
{
    const auto size = number(text);
    if (!size || *size < ui::Canvas::min_font_size || *size > ui::Canvas::max_font_size)
        return std::nullopt;
    return size;
}

std::optional<ui::Color> color(std::string_view text)
{
    const auto value = number(text);
    if (!value || *value < -0.5 || *value > 0xFFFFFF + 0.5)
        return std::nullopt;
    return ui::Color::from_packed(ui::round_even(*value));
}

std::size_t characters(std::string_view utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

class Layouter {
public:
    Layouter(const Pen& start, double box_width, const ui::Font& main_font, const Metrics& metrics,
             const Style& style)
        : pen_(start), line_font_(start.font), line_color_(start.color), line_height_(start.line_height),
          box_width_(box_width), main_font_(main_font), metrics_(metrics), style_(style)
    {
    }

    Layout lay_out(std::string_view text) &&
    {
        if (!text.empty()) {
            layout_.line_count = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
            for (std::size_t begin = 0;;) {
                const std::size_t next = text.find('\n', begin);
                std::string_view line = text.substr(begin, next == std::string_view::npos ? next : next - begin);
                if (next != std::string_view::npos && line.ends_with('\r'))
                    line.remove_suffix(1);
                if (!lay_out_line(line, begin) || next == std::string_view::npos)
                    break;
                begin = next + 1;
            }
        }
        // The last line's markup ends with it, as every line's does.
        pen_.font = line_font_;
        pen_.color = line_color_;
        pen_.line_height = line_height_;
        layout_.end = std::move(pen_);
        return std::move(layout_);
    }

private:
    bool lay_out_line(std::string_view line, std::size_t offset)
    {
        // A fresh box prints its first line at the top.
        if (!(pen_.y <= 6 && pen_.x <= 0))
            end_line();
        // Markup lasts to the end of its line: each line starts in the font
        // and colour the text started with, so the newest line stays the
        // only blue one.
        pen_.font = line_font_;
        pen_.color = line_color_;
        if (line.empty())
            return true;
        for (std::size_t begin = 0;;) {
            const std::size_t blank = line.find(' ', begin);
            if (!lay_out_word(line.substr(begin, blank == std::string_view::npos ? blank : blank - begin))) {
                layout_.malformed_at = offset + begin;
                return false;
            }
            if (blank == std::string_view::npos)
                return true;
            begin = blank + 1;
        }
    }

    bool lay_out_word(std::string_view text)
    {
        const Word word = classify(text);
        switch (word.kind) {
        case WordKind::font_size: {
            // A bare "FontSize__" returns to the size the line started with.
            const auto size = word.text.empty() ? std::optional(line_font_.size) : font_size(word.text);
            if (!size)
                return false;
            pen_.font.size = *size;
            break;
        }
        case WordKind::fore_color: {
            const auto value = word.text.empty() ? std::optional(line_color_) : color(word.text);
            if (!value)
                return false;
            if (style_.colour_words)
                pen_.color = *value;
            break;
        }
        case WordKind::bold:
            pen_.font.bold = word.text == "True";
            break;
        case WordKind::underline:
            pen_.font.underline = word.text == "True";
            break;
        case WordKind::italic:
            pen_.font.italic = word.text == "True";
            break;
        case WordKind::font_name:
            pen_.font.name = word.text;
            break;
        case WordKind::bullet:
            bullet();
            break;
        case WordKind::unknown_token:
            break;
        case WordKind::fraction:
            fraction(word.text, word.denominator, word.closing);
            break;
        case WordKind::literal:
            off_the_edge(word.text);
            print(word.text);
            break;
        case WordKind::plain:
            off_the_edge(word.text);
            if (pen_.x + width(std::string(word.text) + "W") > box_width_) {
                end_line();
                pen_.x = margin;
                ++layout_.line_count;
            }
            print(std::string(word.text) + " ");
            break;
        }
        return true;
    }

    // A line this text broke to does not start flush against the box's
    // edge ("Step 1:" before a prompt), just as a wrapped line does not.
    void off_the_edge(std::string_view word)
    {
        if (broke_line_ && !word.empty() && pen_.x <= 0)
            pen_.x = style_.line_margin;
    }

    // Moves what this line holds so far down by a fraction's rise, once.
    void lower_line()
    {
        if (!broke_line_ || lowered_)
            return;
        lowered_ = true;
        constexpr int rise = static_cast<int>(fraction_rise);
        for (auto run = layout_.runs.begin() + static_cast<std::ptrdiff_t>(line_runs_); run != layout_.runs.end(); ++run)
            run->y += rise;
        for (auto bullet = layout_.bullets.begin() + static_cast<std::ptrdiff_t>(line_bullets_);
             bullet != layout_.bullets.end(); ++bullet)
            bullet->y += rise;
        pen_.y += rise;
    }

    // The numerator is underlined and padded to the denominator's length in
    // a fixed-width font: its underline is the fraction bar.
    void fraction(std::string_view numerator, std::string_view denominator, std::string_view closing)
    {
        const ui::Font noted = pen_.font;
        pen_.font.name = "Courier New";
        print(" ");
        double x0 = pen_.x;
        // The closing marks go with the fraction onto the next line.
        if (x0 + std::max(width(numerator), width(denominator)) + width("H") + metrics_.width(noted, closing) >
            box_width_) {
            end_line();
            ++layout_.line_count;
            pen_.x = x0 = 20;
        }
        lower_line();
        const double y = pen_.y;
        pen_.font.size = pen_.font.size / 2 + 2;
        pen_.font.underline = true;
        pen_.font.bold = true;
        pen_.y = y - fraction_rise;
        const std::size_t padding = characters(denominator) - std::min(characters(denominator), characters(numerator));
        print(std::string(numerator) + std::string(padding, ' '));
        const double numerator_end = pen_.x;
        pen_.y = y + height() - 5;
        pen_.x = x0;
        pen_.font.underline = false;
        print(denominator);
        // The next word keeps a blank's distance from the numerals, even
        // where 0.7 of their width in the window's font would run into them
        // ("13/12," before "even").
        const double drawn_end = std::max(numerator_end, pen_.x) + width(" ");
        pen_.font.bold = noted.bold;
        pen_.font.size = noted.size;
        pen_.y = y;
        pen_.x = std::max(drawn_end, x0 + 0.7 * std::max(metrics_.width(main_font_, numerator),
                                                         metrics_.width(main_font_, denominator)));
        pen_.font.name = noted.name;
        // Where a word after a blank would go: "5/12." as "5/12 .".
        if (!closing.empty())
            print(std::string(closing) + " ");
    }

    void bullet()
    {
        layout_.bullets.push_back({to_pixel(pen_.x), to_pixel(pen_.y + height() / 2), pen_.color});
        pen_.x += 10;
    }

    void print(std::string_view text)
    {
        const double advance = width(text);
        if (continues_run(text)) {
            layout_.runs.back().text += text;
        } else {
            layout_.runs.push_back({std::string(text), to_pixel(pen_.x), to_pixel(pen_.y), pen_.font, pen_.color});
            run_end_ = layout_.runs.back().x;
        }
        run_end_ += advance;
        pen_.x += advance;
        line_height_ = std::max(line_height_, height());
    }

    // Printing word by word costs a paint call each; words that one print of
    // the joined text puts exactly where their own prints would share a run.
    bool continues_run(std::string_view text) const
    {
        if (layout_.runs.empty() || layout_.runs.back().text.empty() || text.empty())
            return false;
        const Run& last = layout_.runs.back();
        return run_end_ == to_pixel(pen_.x) && last.y == to_pixel(pen_.y) && last.font == pen_.font &&
               last.color == pen_.color && !kerned(last.text.back(), text.front());
    }

    // Whether the font moves this pair of characters closer or apart.
    bool kerned(char left, char right) const
    {
        if (static_cast<unsigned char>(left) >= 0x80 || static_cast<unsigned char>(right) >= 0x80)
            return true; // not worth judging for the odd non-ASCII glyph
        const char pair[] = {left, right};
        return width({pair, 2}) != width({&left, 1}) + width({&right, 1});
    }

    // The next line starts below the tallest text of this one, so a formula
    // at size 30 followed by a bare "FontSize__" does not run into it.
    void end_line()
    {
        pen_.x = 0;
        pen_.y += std::max(height(), line_height_);
        line_height_ = 0;
        broke_line_ = true;
        lowered_ = false;
        line_runs_ = layout_.runs.size();
        line_bullets_ = layout_.bullets.size();
    }

    double width(std::string_view text) const { return metrics_.width(pen_.font, text); }
    double height() const { return metrics_.height(pen_.font); }

    Layout layout_;
    Pen pen_;
    ui::Font line_font_;
    ui::Color line_color_;
    double line_height_;
    double run_end_ = 0; // where the last run's next glyph would go
    double box_width_;
    const ui::Font& main_font_;
    const Metrics& metrics_;
    Style style_;
    // The line the pen is on: whether this text broke to it (rather than
    // going on with a line drawn before), whether a fraction lowered it, and
    // where its runs and bullets begin.
    bool broke_line_ = false;
    bool lowered_ = false;
    std::size_t line_runs_ = 0;
    std::size_t line_bullets_ = 0;
};

bool shows_nothing(const Run& run)
{
    return !run.font.underline && run.text.find_first_not_of(' ') == std::string::npos;
}

// Arithmetic read as words; the rest as it stands.
void read_symbols(std::string_view text, std::string& out)
{
    for (const char c : text) {
        if (c == '*')
            out += " times ";
        else if (c == '+')
            out += " plus ";
        else if (c == '=')
            out += " equals ";
        else
            out += c;
    }
}

// Single blanks between words, none before a mark that ends a clause.
std::string tidy(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
            continue;
        }
        // A lone '?' stands for a number ("2* ? = 30") and keeps its blank.
        if (std::string_view(".,;:!").find(c) != std::string_view::npos && out.ends_with(' '))
            out.pop_back();
        out += c;
    }
    if (out.ends_with(' '))
        out.pop_back();
    return out;
}

} // namespace

std::string spoken(std::string_view text)
{
    std::string out;
    bool sentence_ends = false; // a line break since the last word
    const auto say = [&](std::string_view words) {
        if (sentence_ends) {
            // A new line reads as a new sentence, unless a mark already ends a clause.
            const std::string so_far = tidy(out);
            if (!so_far.empty() && std::string_view(".,;:!?").find(so_far.back()) == std::string_view::npos)
                out = so_far + '.';
            sentence_ends = false;
        }
        out += ' ';
        read_symbols(words, out);
    };
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t next = std::min(text.find('\n', begin), text.size());
        std::string_view line = text.substr(begin, next - begin);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        for (std::size_t at = 0; at <= line.size();) {
            const std::size_t blank = std::min(line.find(' ', at), line.size());
            const Word word = classify(line.substr(at, blank - at));
            at = blank + 1;
            switch (word.kind) {
            case WordKind::font_size:
                if (!word.text.empty() && !font_size(word.text))
                    return tidy(out);
                break;
            case WordKind::fore_color:
                if (!word.text.empty() && !color(word.text))
                    return tidy(out);
                break;
            case WordKind::literal: {
                // The notation itself, as one would spell it out.
                std::string spelled;
                for (const char c : word.text)
                    if (c != '\'')
                        spelled += c == '/' ? std::string(" slash ") : std::string(1, c);
                say(spelled);
                break;
            }
            case WordKind::fraction:
                say(std::string(word.text) + " over " + std::string(word.denominator) + std::string(word.closing));
                break;
            case WordKind::plain:
                if (word.text == "-")
                    say("minus"); // a lone dash only ever stands between numbers
                else if (!word.text.empty())
                    say(word.text);
                break;
            default: // the other tokens and bullets are not read
                break;
            }
        }
        if (out.find_first_not_of(' ') != std::string::npos)
            sentence_ends = true;
        begin = next + 1;
    }
    return tidy(out);
}

std::optional<std::string_view> markup_fault(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of(" \r\n", at), text.size());
        const std::string_view raw = text.substr(at, end - at);
        at = end + 1;
        const Word word = classify(raw);
        const bool bad = word.kind == WordKind::unknown_token ||
                         (word.kind == WordKind::font_size && !word.text.empty() && !font_size(word.text)) ||
                         (word.kind == WordKind::fore_color && !word.text.empty() && !color(word.text));
        if (bad)
            return raw;
    }
    return std::nullopt;
}

Layout lay_out(std::string_view text, const Pen& start, double box_width, const ui::Font& main_font,
               const Metrics& metrics, const Style& style)
{
    return Layouter(start, box_width, main_font, metrics, style).lay_out(text);
}

void paint(const Layout& layout, ui::Canvas& canvas)
{
    for (const Run& run : layout.runs) {
        if (shows_nothing(run))
            continue;
        canvas.set_font(run.font);
        canvas.set_fore_color(run.color);
        canvas.set_pen(run.x, run.y);
        canvas.print(run.text);
    }
    if (!layout.bullets.empty()) {
        const std::optional<ui::Color> fill = canvas.fill();
        for (const Bullet& bullet : layout.bullets) {
            canvas.set_fill(bullet.color);
            canvas.circle(bullet.x, bullet.y, Bullet::radius, bullet.color);
        }
        canvas.set_fill(fill);
    }
    canvas.set_font(layout.end.font);
    canvas.set_fore_color(layout.end.color);
    canvas.set_pen(layout.end.x, layout.end.y);
}

Layout draw(ui::Canvas& canvas, std::string_view text, const ui::Font& main_font, const Metrics& metrics)
{
    Layout layout = lay_out(text, pen_of(canvas), canvas.width(), main_font, metrics);
    paint(layout, canvas);
    return layout;
}

} // namespace quorrel::text
