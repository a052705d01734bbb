// Lesson text, whatever it holds, drawn by the message box's writer on a real
// canvas: every line as history plus a new line, then drawn at the pen.
#include "qt_start.h"

#include "support/fakes.h"
#include "text/markup.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/waits.h"

using namespace quorrel;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    start_qt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the box's width, from a sliver to wider than the window.
    const int width = 8 + data[0] * 6;
    const std::string_view text = input_text(data + 1, size - 1);

    testing::FakeClock clock;
    testing::ScriptedPump pump{clock};
    ui::Waits waits{pump, clock};
    pump.learner = [&waits] { waits.click(); };
    ui::PictureBox box{"pbox_text", ui::colors::yellow};
    box.move(0, 0, width, 300);
    box.canvas().set_font({"Arial", 14});
    ui::PictureBox go_on{"pbox_go_on"};
    ui::MenuItem wait{"mnu_waitt", "Wait"};
    wait.checkable = true;
    wait.set_checked(data[0] & 1);
    text::Writer writer{box, go_on, wait, waits};

    // Each line of the input goes in as a line of a lesson would, so the
    // history redraws what came before in every state the text left.
    for (std::size_t begin = 0; begin <= text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        writer.write_line(text.substr(begin, end - begin));
        begin = end + 1;
    }
    writer.draw(text);
    writer.clear_scene(text.substr(0, 40));
    writer.write_text(text);

    // The layout alone, from a pen in an odd place.
    const text::Pen start{double(width) / 3, -7, ui::Font{"Courier New", 1}, ui::colors::black};
    text::QtMetrics metrics;
    (void)text::lay_out(text, start, width, text::Writer::main_font, metrics);
    return 0;
}
