#include "lessons/chapter1.h"

#include "text/writer.h"

#include <string>

namespace quorrel::lessons {

using exercises::Restate;
using text::para_break;

namespace {
const std::string highlight = fore_color(ui::colors::red);
const std::string normal = fore_color(ui::colors::blue);
} // namespace

Chapter1::Chapter1(app::Tutor& tutor) : Script(tutor)
{
    t.course.add_lesson("1a", [this] { lesson_1a(); });
    t.course.add_lesson("1b", [this] { lesson_1b(); });
    t.course.add_lesson("1c", [this] { lesson_1c(); });
    t.course.add_lesson("1d", [this] { lesson_1d(); });
    t.course.add_lesson("1e", [this] { lesson_1e(); });
    t.course.add_lesson("1f", [this] { lesson_1f(); });
}

void Chapter1::lesson_1a()
{
    begin("1a");
    run_pages(
        {
            [this] {
                t.form.move_arrow(1200, 1200);
                page(1);
                pizza(0, false);
                t.slots.set_unit_length(120);
                t.slots.hide_slot(0);

                ui::Canvas& box = t.form.pbox_text.canvas();
                box.set_font({"Times New Roman", 48});
                box.new_line();
                box.print("      Welcome!");
                box.new_line();
                box.set_font_size(18);
                t.writer.draw("As you read through the text in this yellow box:");
                t.writer.draw("      Click the mouse anywhere in the box whenever you wish to read further.");
                t.writer.draw("      Also, click in this box whenever you complete a problem and want me to check your "
                              "answer.");
                t.writer.draw("    Click now to get started.");
                if (auto* entry = t.slots.inbox(1))
                    entry->hide();
                wait();

                title("1a");
                t.form.pbox_text.canvas().set_font({"Arial Narrow", 14});
                line("We use numbers to count collections of things and to measure objects. For example, you "
                     "can measure a room by counting how many one-foot rulers fit along it.");
                line("The foot is the unit of measurement here. Inches, meters and miles are other units of "
                     "length.");
                line("But most lengths are not a whole number of feet.");
                line("Fractions are needed to describe lengths that are not an exact whole number of units. ");
                picture(0, 1, 1);
                line("The blue stick at the right is called the 'unit stick'.");
                line("The numbers 0 and 1 above the stick mark where it starts and where it ends.");
                picture(0, 3, 1);
                line("You can glue unit sticks together to form longer sticks. For example, the stick at the "
                     "right is 3 units long.");
            },
            [this] {
                page(2);
                line("To measure lengths that are not whole units, we split the unit stick into equal parts. "
                     "For example, a foot can be split into 12 parts, each one inch long.");
                t.form.move_arrow(1200, 1200);
                t.form.pbox_text.canvas().set_font_size(14);
                pizza(0, false);
                picture(0, 12, 12);
                line(join({"In the picture at the right, the unit has been split into 12 equal parts. ",
                           "Each part is called a 12 FontSize__10 th FontSize__14 ( read 'twelfth') of a unit."}));
                picture(0, 5, 12);
                line("Here 5 twelfths have been glued together to form the blue stick, so it is five twelfths "
                     "of a unit long.");
                show_numeral(0);
                line("The blue stick's length is written above it as the FRACTION  5/12 .");
                line("The bottom number, 12, tells how many equal parts the unit was split into.");
                line("The top number, 5, tells how many of those parts were glued together: 5/12 means 5 out "
                     "of 12 equal parts of a unit.");
                line("The picture also shows the ruler that was used to measure the stick.");
                set(0, 39, 12);
                line("This stick is 3 whole units plus three twelfths of a unit long.");
                line("Each unit is 12 twelfths, so 3 units are 36 twelfths, and 36 + 3 = 39 twelfths.");
            },
            [this] {
                page(3);
                line("");
                line("Every fraction is made from the unit stick in two steps: a) split the unit into equal "
                     "parts, b) glue some of those parts together.");
                pizza(0, false);
                set(0, 5, 12);
                show_numeral(0);
                line("The bottom number of a fraction is called its 'denominator', and the top number is its "
                     "'numerator'.");
                line("From now on we will also just say 'top' and 'bottom'.");
                line(join({"Be sure to remember: in a fraction, ", highlight, para_break,
                           "The numerator is the top number.", para_break, "The denominator is the bottom number."}));
                t.form.pbox_text.canvas().set_fore_color(ui::colors::blue);
                line(join({normal, " On a calculator, 5/12  is written horizontally as  '5/12' . "}));
                set(0, 13, 12);
                line("This stick is 13 twelfths long.");
                line("");
                line("The picture shows the fraction 13/12, even though 13 of the 24 little boxes are blue.");
            },
            [this] {
                page(4);
                line("Don't fall into the trap of thinking that the picture shows the fraction 13/24 !!!");
                line("The bottom of a fraction counts the parts of one unit, not the parts of the whole picture.");
                line("In short: the bottom tells how many parts make up one unit.");
                line("Fractions can also be drawn as pizza pictures, where each whole pizza is one unit.");
                pizza(0, true);
                set(0, 12, 12);
                line("In the pizza picture at the right, the unit has been sliced into 12 equal parts.");
                set(0, 5, 12);
                line("Now 5 slices are colored blue to show the pizza picture of the fraction 5/12.");
                line("You should be comfortable with both representations of fractions. ");
                set(0, 13, 12);
                line("Here is the pizza picture of 13/12. Each unit is a separate pizza, so it is harder to "
                     "mistake it for 13/24.");
            },
            [this] {
                page(5);
                set(0, 7, 4);
                line("Here is another example: the unit is split into 4 parts and 7 of them are glued "
                     "together, which gives 7/4 .");
                line("Please think carefully about similarities and diffences between the pizza picture and the "
                     "stick picture.");
                line("   a)In which representation are different units separated from one another?");
                line("   b)In which representation are parts of a single unit separated from one another?");
            },
        },
        "1b");
}

void Chapter1::lesson_1b()
{
    begin("1b");
    run_pages(
        {
            [this] {
                page(1);
                t.slots.design();
                title("1b");
                auto* den = t.slots.slider_fracden(0);
                auto* num = t.slots.slider_fracnum(0);
                den->set_min(1);
                den->set_max(12);
                num->set_min(1);
                num->set_max(12);
                num->set_value(5);
                t.form.turn_arrow(1.57);
                // The arrow comes down from above onto the numerator slider's middle.
                t.form.move_arrow(num->left() + num->width() / 2, num->top() - 2);
                t.form.show_arrow();
                line("In this lesson you will learn to set up stick pictures from the top and bottom of a "
                     "fraction, using the FontItalic__True sliders FontItalic__False at the right.");
                line("The blue arrow at the right points to a  slider that is used to set the top of the fraction.");
                t.form.move_arrow(5000, 5000);
                line("The lower slider is used to set the fraction's bottom.");
                line("Each slider contains a left arrow, a right arrow, and a grey button between them.");
                line("First try clicking a few times on the right arrow of the bottom slider. Each click increases "
                     "the denominator by 1.");
                line(" Now set the denominator to 5 by clicking on the left arrow of the bottom slider.");
                line("Next set the numerator to 1 and keep clicking its right arrow. When the numerator reaches "
                     "48, the stick is 4 units long and continues on the next line.");
                line("Now click the left arrow of the numerator slider and hold the mouse down to get back to "
                     "showing the fraction 1/5 .");
                line("Play around a bit: click the four arrows to construct fractions of various sizes.");
                t.form.turn_arrow(0);
                t.form.move_arrow(1200, 1200);
            },
            [this] {
                page(2);
                line("If you click an arrow and hold the mouse button down, the value changes quickly.");
                line("Dragging the grey button along the slider changes the value even faster.");
                line("Always set the bottom of the fraction first, and then the top.");
                line("For example, let's use the sliders to construct the fraction 150/89 .");
                line("First click and hold the bottom right arrow to set the bottom to 89. This takes a while.");
                line("Then drag the grey button of the top slider to set the top to 150; the value changes when "
                     "you let go. The left end of the white bar stands for 0, and the bottom slider's button "
                     "marks 89.");
                pizza(0, true);
                line("Now set the fraction to 1/6 . Notice that I have turned on the pizza picture feature.");
                line("Keep increasing the numerator: at 24 the stick is 4 units long.");
                line("When the numerator gets bigger than 24, the stick picture continues just below the original "
                     "picture.");
            },
            [this] {
                page(3);
                pizza(0, false);
                line("Keep making the fraction bigger until it reaches 96/6, which is 16 units long.");
                line("Then try increasing the denominator.  When you are finished experimenting, click in this "
                     "yellow box to continue.");
                line("Now I'll ask a few questions to make sure that you can figure out the fraction by looking at "
                     "a stick picture. Please set the bottom of the fraction first .");
                pizza(0, false);
                // Slot 0 is the stick to read, a bare picture; the learner's slot 1 sits above it with
                // room for its sliders, so neither covers the other.
                picture(0, 4, 11);
                t.slots.make_slot(1);
                t.slots.set_ruler_side(1, fractions::RulerSide::above);
                const auto* stick = t.slots.pbox_fracbar(0);
                t.slots.place_slot(1, stick->left(), stick->top() - 30 - 120);
                t.slots.show_slot(1);
                t.slots.showslide(1);
                t.form.form().bring_to_front(*t.slots.slider_fracnum(1));
                t.form.form().bring_to_front(*t.slots.slider_fracden(1));
                set(1, 0, 1);
                exercise("1a1", "set the fraction to the length of the blue stick.", Restate::nothing);
                picture(0, 7, 11);
                t.exercises.prompt_prefix = join({para_break, "Here are a few similar problems. Click on the "
                                                              "display panel to clear it before you enter each new "
                                                              "answer."});
                exercise("1a2", "set the fraction to the length of the new blue stick.", Restate::nothing);
                picture(0, 10, 11);
                exercise("1a3", "set the fraction to the length of the blue stick.", Restate::nothing);
                picture(0, 13, 11);
                exercise("1a4", "finish by setting the fraction to the length of the new blue stick.",
                         Restate::nothing);
                text("OK, that's enough!");
            },
        },
        "1c");
}

void Chapter1::lesson_1c()
{
    begin("1c");
    run_pages(
        {
            [this] {
                page(1);
                title("1c");
                line("A fraction can be less than a unit, equal to a unit, or more than a unit.");
                line("If the top is less than the bottom, the fraction is less than a unit.");
                line("If the top and bottom are the same, the fraction is exactly one unit.");
                line("If the top is bigger than the bottom, the fraction is more than a unit, and more units are "
                     "added to the ruler.");
                exercise("1c1", "click the denominator's right arrow to set the fraction bottom to 12. Then click "
                                "the right arrow of  the numerator to set it to 13.");
                line("When the top was 12 the fraction was exactly one unit; at 13 a second unit was needed.");
                line("A fraction that is less than a unit is called a FontItalic__True proper  FontItalic__False "
                     "fraction.");
                line("Any fraction that is more than a unit is called an FontItalic__True improper  "
                     "FontItalic__False fraction. ");
                line("The word 'improper' is a bit silly: \"topheavy\" is a better name for such a fraction.");
            },
            [this] {
                page(2);
                line("The fraction is 13/12 even though 13 of the 24 boxes are blue, because the denominator "
                     "counts the parts of one unit.");
                line("Remember what the parts of the fraction tell you:");
                line("Bottom (denominator): the number of parts into which the unit was split.");
                line("Top (numerator): The number of those parts glued together to construct the blue stick. ");
                line("Set the fraction denominator to 10 and play with the numerator slider and arrows to switch "
                     "the fraction between less than a unit and more than a unit. ");
            },
        },
        "1d");
}

void Chapter1::lesson_1d()
{
    begin("1d");
    run_pages(
        {
            [this] {
                page(1);
                title("1d");
                line("Now you will practice using the sliders to set the tops and bottoms of fractions.");
                line(join({"FontItalic__True Always set the denominator first FontItalic__False to split the unit "
                           "into the correct number of parts. ",
                           "Only then does it make sense to set the numerator to the number of parts that are "
                           "glued together to form the fraction."}));
                exercise("1d1", "set the fraction to 5/12");
                exercise("1d2", "set the fraction to 7/30.");
                exercise("1d3", "set the fraction to 11/7");
                exercise("1d4", "set the fraction to 5/23");
                exercise("1d5", "set the fraction to 17/12");
                text("OK, that's enough.");
            },
        },
        "1e");
}

void Chapter1::place_mixed_number_slots()
{
    // The topheavy fraction (slot 0) goes above the mixed number (slot 1),
    // each with room for a stick of two rows.
    const int left = t.form.pbox_text.right_edge() + 10;
    t.slots.place_slot(0, left, 130);
    t.slots.place_slot(1, left, 380);
    t.slots.place_slot(2, left, 630);
}

void Chapter1::lesson_1e()
{
    begin("1e");
    t.slots.set_unit_length(120);
    t.slots.make_slot(1);
    place_mixed_number_slots();
    // Whichever page the learner starts on, the top fraction is topheavy
    // and the bottom one a mixed number.
    mixed(0, false);
    mixed(1, true);
    t.slots.design();
    t.slots.show_slot(0);
    t.slots.show_slot(1);
    run_pages(
        {
            [this] {
                page(1);
                title("1e");
                t.slots.hide_slot(1);
                set(0, 17, 6);
                line("The picture at the right shows the topheavy fraction 17/6 .");
                mixed(1, true);
                set(1, 17, 6);
                line("The unit has been split into 6 equal parts, and 17 of them have been glued together.");
                line("That makes 2 whole units, with 5 parts left over.");
                line("Therefore the fraction can be rewritten as 2 + 5/6 . This is always written by omitting the "
                     "plus sign, as 2 5/6 . ");
                line("A number written like this is called a FontItalic__True mixed number FontItalic__False .");
                t.slots.show_slot(1);
                line("Study the bottom picture to see how we draw that mixed number. How are the two pictures "
                     "different? ");
                line("Remember: a FontItalic__True mixed number FontItalic__False is a whole number followed by a "
                     "fraction.");
                mixed(1, true);
                set(1, 17, 6);
                t.slots.show_slot(1);
                line("Mixed numbers are especially helpful when the numerator is large.");
                line("For example, 1195/12 is the mixed number 99 7/12 , so 1195/12 feet is 99 feet and 7 "
                     "inches.");
                line(join({"Play around a bit with the mixed fraction picture. Leave the denominator set to 6. ",
                           "Click and hold the mouse on the left arrow of the numerator until the fraction gets "
                           "down to 1/6. "}));
                line("Now click the same arrow repeatedly to get back up to 2 5/6 .");
            },
            [this] {
                page(2);
                line("Note that 6/6 is written in mixed number format as the whole number 1, not as 1 0/6 .");
                line("Similarly 12/6 is written as the whole number 2.");
                set(1, 17, 6);
                line("You will often need to convert between mixed numbers and topheavy fractions. Let's turn "
                     "2 5/6 back into a topheavy fraction.");
                line("The fraction part counts sixths, and each unit is 6 sixths, so the 2 whole units are 12 "
                     "sixths.");
                line("Adding the 5 sixths left over gives 12 + 5 = 17 sixths, that is 17/6 .");
                line("With a little practice you will do this automatically: multiply the whole number by the "
                     "bottom and add the top.");
                line(" ");
                line("FontSize__30 2 5/6      = 2*6+5/6      = 17/6. FontSize__14");
            },
            [this] {
                page(3);
                t.slots.show_slot(0);
                t.slots.show_slot(1);
                set(0, 1, 1);
                line(join({"Summary: To ", highlight, " convert a mixed number to  topheavy form, ", normal, "  ",
                           " multiply the whole number by the bottom of the fraction  and ",
                           "add it to the top,to get the new top. The new bottom is the bottom of the mixed "
                           "number's fraction part."}));
                t.exercises.quiz(1, "1eq1",
                                 join({para_break, "Here is some practice rewriting mixed numbers as topheavy "
                                                   "fractions. Click 'stop' to go on to something else."}),
                                 "", 10, 30, 5, 4,
                                 "rewrite the mixed number at the right by setting the numerator and denominator "
                                 "of the topheavy fraction drawn above it.",
                                 Restate::nothing);
                t.slots.show_slot(0);
                t.slots.show_slot(1);
                set(1, 5, 3);
                line(join({"To ", highlight, " convert a topheavy fraction to a whole number ", normal,
                           " followed by a fraction, divide its  top  by its  bottom  ",
                           "getting a quotient and a remainder.   The quotient becomes the  whole number , and the "
                           "remainder becomes the  top of the new fraction. ",
                           "The bottom remains unchanged. "}));
                t.exercises.quiz(0, "1eq2",
                                 join({para_break, "Here is some practice rewriting improper fractions as mixed "
                                                   "numbers. Click 'stop' to go on to something else."}),
                                 "", 10, 30, 5, 4,
                                 "rewrite the topheavy fraction at the right by setting the numerator and "
                                 "denominator of the mixed number drawn below it.",
                                 Restate::nothing);
            },
        },
        "2a");
}

void Chapter1::draw_chocolate(int slot, Chocolate kind)
{
    ui::PictureBox* box = t.slots.pbox_fracbar(slot);
    if (!box)
        return;
    constexpr int bars = 3;
    constexpr int children = 8;
    constexpr int bar_length = 120;
    constexpr int top = 24; // the labels go above, 10 from the picture's top
    constexpr int thickness = 22;
    const int gap = kind == Chocolate::end_to_end ? 0 : 10;
    const int pieces_per_bar = kind == Chocolate::cut_in_eighths ? 8 : 1;
    const int piece = bar_length / pieces_per_bar;
    // Where piece p of all the bars starts, counted along the bars in order.
    auto piece_x = [&](int p) { return 10 + (p / pieces_per_bar) * (bar_length + gap) + (p % pieces_per_bar) * piece; };

    box->move(box->left(), box->top(), bars * (bar_length + gap) + 20, 51);
    ui::Canvas& c = box->canvas();
    c.clear();
    c.set_draw_width(1);
    for (int b = 0; b < bars; ++b) {
        const int x = piece_x(b * pieces_per_bar);
        c.box(x, top, x + bar_length, top + thickness, ui::Color::rgb(255, 255, 100), true);
        if (kind != Chocolate::end_to_end)
            c.box(x, top, x + bar_length, top + thickness, ui::colors::black, false);
    }
    if (kind == Chocolate::end_to_end)
        c.box(10, top, 10 + bars * bar_length, top + thickness, ui::colors::black, false);
    // Where bars meet end to end the joint is only faint: the shares matter.
    const ui::Color joint = kind == Chocolate::end_to_end ? ui::Color::rgb(150, 150, 150) : ui::colors::black;
    for (int p = 1; p < bars * pieces_per_bar; ++p)
        c.line(piece_x(p), top, piece_x(p), top + thickness, joint);
    if (kind == Chocolate::whole_bars)
        return;

    c.set_font({"Arial", 8});
    const int span = bars * bar_length / children; // one child's share
    for (int child = 0; child < children; ++child) {
        // A share is three pieces in a row, even where they run on into the
        // next bar, or an eighth of the bars laid end to end.
        const int left = kind == Chocolate::cut_in_eighths ? piece_x(child * 3) : 10 + child * span;
        const int right = kind == Chocolate::cut_in_eighths ? piece_x(child * 3 + 2) + piece : left + span;
        if (child > 0) {
            c.set_draw_width(2);
            c.line(left, top, left, top + thickness, ui::colors::black);
            c.set_draw_width(1);
        }
        const std::string label = "Child " + std::to_string(child + 1);
        c.set_pen((left + right - c.text_width(label)) / 2, 10);
        c.print(label);
    }
}

void Chapter1::lesson_1f()
{
    t.course.set_current_lesson("1f");
    // The screen is kept, but not the decoration behind the pictures.
    t.form.canvas().clear();
    for (int slot = 0; slot < 3; ++slot)
        pizza(slot, false);
    for (int box = 0; box < 10; ++box)
        if (auto* entry = t.slots.inbox(box))
            entry->hide();
    t.slots.make_slot(1);
    t.slots.make_slot(2);
    t.slots.set_unit_length(60);
    const int left = t.form.pbox_text.right_edge() + 10;
    for (int slot = 0; slot < 3; ++slot) {
        t.slots.hide_slot(slot);
        t.slots.place_slot(slot, left, 100 + 90 * slot);
    }
    draw_chocolate(0, Chocolate::whole_bars);
    draw_chocolate(1, Chocolate::cut_in_eighths);
    draw_chocolate(2, Chocolate::end_to_end);
    run_pages(
        {
            [this] {
                page(1);
                title("1f");
                t.slots.pbox_fracbar(0)->show();
                line(join({"You may know that the horizontal bar or slash in a fraction is really a division sign. "
                           "Here's why.",
                           " ", "We'll use 3/8 as an example. "}));
                line("How would you split 3 chocolate bars, shown at the right, equally among eight children?");
                t.slots.pbox_fracbar(1)->show();
                line("Method 1: cut each bar into 8 equal pieces. That makes 24 pieces, so each child gets 3 "
                     "pieces. You can see each child's share in the second picture.");
                t.slots.pbox_fracbar(2)->show();
                line("Method 2: lay the 3 bars end to end and split the whole row into 8 equal shares, as in the "
                     "third picture.");
                line("Both methods give every child exactly the same amount of chocolate.");
                line("In the second picture each child's share is 1/8 + 1/8 + 1/8 = 3/8 of a bar.");
                line("In the third picture each share is 3 bars divided by 8.");
                line("In the same way, if 16 bars were shared among 8 children, each child would get 16 divided "
                     "by 8, which is 2 bars.");
            },
            [this] {
                page(2);
                line("The same reasoning works with 3 bars in place of 16: each child gets 3 divided by 8 of a "
                     "bar.");
                line("Summary: Take one chocolate bar as the unit. Then each child's share can be described in two "
                     "ways:");
                line("     a) 3/8 of a unit, as in the middle picture, and also");
                line("     b) 3 units divided by 8, as in the bottom picture.");
                line("Therefore 3/8 equalS 3 divided by 8. This is true in general:");
                line("THE VALUE OF ANY FRACTION EQUALS ITS NUMERATOR DIVIDED BY ITS DENOMINATOR.");
            },
        },
        "2a");
    for (int box = 0; box < 10; ++box)
        if (auto* entry = t.slots.inbox(box))
            entry->show();
}

} // namespace quorrel::lessons
