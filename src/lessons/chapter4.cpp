#include "lessons/chapter4.h"

#include "lessons/chapter3.h"
#include "lessons/lesson.h"

#include <algorithm>

namespace quorrel::lessons {

void Chapter4::Lesson4()
{
    screen.reset_screen();
    chapter3_.Lesson3_setup();
    pages.page(1);
    board.show_slot(2);
    board.show_fraction(2, 1, 1);
    say.lesson_title("4");

    // Two by two below the slots, the feedback box above them.
    const QRect box = screen.rect(Control::pbox_text);
    const int x0 = box.x() + box.width() + 10;
    screen.place(Control::cmd_checksum, QRect(x0, 600, 120, 30));
    const QRect sum = screen.rect(Control::cmd_checksum);
    const int x1 = sum.x() + sum.width();
    screen.place(Control::cmd_checkproduct, QRect(x0, 630, 120, 30));
    screen.place(Control::cmd_checkquotient, QRect(x1, 600, 120, 30));
    screen.place(Control::cmd_checkreduced, QRect(x1, 630, 120, 30));
    // Below the yellow stick, whose picture reaches past y = 540: the box
    // keeps its place and size unless it would cover the stick's base line.
    const int stick_bottom = bottom_edge(screen.rect(2, SlotPart::pbox_fracbar)) + 3;
    const int top = std::max(540, stick_bottom);
    screen.place(Control::tbox_message, QRect(x0, top, 240, std::min(56, 600 - top)));
    for (const Control c : {Control::cmd_checksum, Control::cmd_checkproduct, Control::cmd_checkquotient,
                            Control::cmd_checkreduced, Control::tbox_message})
        screen.show(c);

    say.write_line("On this screen you make up your own problems: set the two blue fractions, then set the yellow "
                   "fraction to their sum, product or quotient and click Check Sum, Check Product or Check Quotient "
                   "to see if you are right. Then click Is it reduced? to check that your answer is in lowest "
                   "terms.");
    say.wait();
}

} // namespace quorrel::lessons
