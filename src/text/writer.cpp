#include "text/writer.h"

#include "pages/catalogue.h"

#include <algorithm>
#include <utility>

namespace quorrel::text {

namespace {

constexpr std::string_view line_break = para_break.substr(0, 2);
constexpr std::string_view indent = para_break.substr(2);

// The part of `text` that a layout of `lead` + `text` drew. A malformed word
// and all after it stay out of the history, so later redraws stop nowhere.
std::string_view drawn_part(std::string_view text, std::size_t lead, const Layout& layout)
{
    if (layout.complete())
        return text;
    const std::size_t stop = *layout.malformed_at;
    text = text.substr(0, stop > lead ? stop - lead : 0);
    if (text.ends_with(' '))
        text.remove_suffix(1); // the separator before the malformed word
    return text;
}

} // namespace

Writer::Writer(ui::PictureBox& box, ui::PictureBox& go_on, const ui::MenuItem& wait_item, ui::Waits& waits)
    : box_(box), go_on_(go_on), wait_item_(wait_item), waits_(waits)
{
}

void Writer::write_line(std::string_view text)
{
    go_on_.hide();
    if (text.empty()) {
        write_text({});
        return;
    }
    // Even a line cut short by bad markup gets its pause: the learner reads
    // what was drawn.
    write_text("Bullet__ " + std::string(text));
    waits_.process_pending();
    if (wait_item_.checked())
        waits_.wait();
    else
        waits_.delay(line_delay);
}

bool Writer::write_text(std::string_view text)
{
    ui::Canvas& canvas = box_.canvas();
    // Past 80 % of the box the page starts afresh; its history is gone.
    if (canvas.pen_y() > 0.8 * box_.height())
        history_.clear();
    canvas.clear();
    redraw_history(ui::colors::history_grey);
    canvas.set_fore_color(ui::colors::blue);
    const Layout layout = render(std::string(indent) + std::string(text));
    newest_.assign(1, layout);
    history_ += line_break;
    history_ += indent;
    const std::string_view drawn = drawn_part(text, indent.size(), layout);
    history_ += drawn;
    announce(drawn);
    return layout.complete();
}

void Writer::clear_scene(std::string_view title)
{
    constexpr std::string_view lead = "   ";
    scene_title_ = title;
    box_.canvas().set_pen(box_.canvas().pen_x(), 6);
    const Layout layout = render(std::string(lead) + std::string(title));
    const std::string_view drawn = drawn_part(title, lead.size(), layout);
    history_ = std::string(line_break) + std::string(drawn);
    page_words_.clear();
    announce(drawn);
}

void Writer::lesson_title(std::string_view code)
{
    box_.canvas().clear();
    history_.clear();
    write_text("FontSize__22 ForeColor__" + std::to_string(ui::colors::red.packed()) + " " +
               std::string(pages::lesson_name(code)) + " FontSize__14 " + std::string(para_break) + " ForeColor__" +
               std::to_string(ui::colors::history_grey.packed()));
}

bool Writer::redraw(std::string_view text) { return render(text).complete(); }

void Writer::redraw_history(ui::Color color)
{
    box_.canvas().set_fore_color(color);
    Style one_colour;
    one_colour.colour_words = false;
    render(history_, one_colour);
    reread_history();
}

void Writer::reread_history()
{
    page_words_.clear();
    add_to_page(history_);
}

void Writer::add_to_page(std::string_view text)
{
    // Line by line, as the box shows it; a line of tokens alone says nothing.
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        if (std::string words = spoken(text.substr(begin, end - begin)); !words.empty()) {
            if (!page_words_.empty())
                page_words_ += '\n';
            page_words_ += words;
        }
        begin = end + 1;
    }
    box_.set_accessible_text(page_words_);
}

bool Writer::draw(std::string_view text)
{
    fade_newest();
    const Layout layout = render(text);
    newest_.push_back(layout);
    announce(text);
    return layout.complete();
}

void Writer::fade_newest()
{
    ui::Canvas& canvas = box_.canvas();
    const Pen pen = pen_of(canvas);
    // A pen moved since, or a box emptied (which sends the pen to the top),
    // and what was new may no longer be there to fade.
    if (pen.x == last_end_.x && pen.y == last_end_.y) {
        for (Layout faded : newest_) {
            for (Run& run : faded.runs)
                run.color = ui::colors::history_grey;
            for (Bullet& bullet : faded.bullets)
                bullet.color = ui::colors::history_grey;
            // Drawing is aliased: the same glyphs in grey cover the blue exactly.
            paint(faded, canvas);
        }
        canvas.set_font(pen.font);
        canvas.set_fore_color(pen.color);
        canvas.set_pen(pen.x, pen.y);
    }
    newest_.clear();
}

void Writer::clear_text()
{
    box_.canvas().clear();
    box_.set_accessible_description("");
    history_.clear();
    newest_.clear();
    reread_history();
}

void Writer::print_text(std::string_view text, const ui::Font& font)
{
    ui::Canvas& canvas = box_.canvas();
    canvas.set_font(font);
    canvas.print(std::string(text));
    announce(text);
}

void Writer::draw_at_margin(std::string_view text)
{
    constexpr int left_margin = static_cast<int>(margin);
    ui::Canvas& canvas = box_.canvas();
    // Every line gets the margin here, so no line's first word needs it again.
    Style at_margin;
    at_margin.line_margin = 0;
    Layout layout = lay_out(text, pen_of(canvas), canvas.width() - left_margin, main_font, metrics_, at_margin);
    for (Run& run : layout.runs)
        run.x += left_margin;
    for (Bullet& bullet : layout.bullets)
        bullet.x += left_margin;
    paint(layout, canvas);
    announce(text);
}

void Writer::new_text_line() { ui::new_line(box_.canvas()); }

void Writer::to_left_margin() { box_.canvas().set_pen(margin, box_.canvas().pen_y()); }

void Writer::set_text_font(const ui::Font& font) { box_.canvas().set_font(font); }

void Writer::set_text_color(ui::Color color) { box_.canvas().set_fore_color(color); }

void Writer::announce(std::string_view text)
{
    add_to_page(text);
    if (on_new_text)
        on_new_text(text);
}

Layout Writer::render(std::string_view text, const Style& style)
{
    box_.show();
    ui::Canvas& canvas = box_.canvas();
    // Text on an emptied box is still at the top to the markup, but low
    // enough that a fraction on its first line shows its numerator whole.
    if (canvas.pen_x() <= 0 && canvas.pen_y() < fraction_rise) {
        canvas.set_pen(canvas.pen_x(), fraction_rise);
        newest_.clear(); // nothing new is left on an emptied box
    }
    Pen start = pen_of(canvas);
    // Text drawn right after other text continues below its tallest line;
    // a pen moved or a box cleared in between starts a fresh line.
    if (start.x == last_end_.x && start.y == last_end_.y)
        start.line_height = last_end_.line_height;
    Layout layout = lay_out(text, start, canvas.width(), main_font, metrics_, style);
    paint(layout, canvas);
    last_end_ = layout.end;
    return layout;
}

} // namespace quorrel::text
