#include "lessons/chapter1.h"

#include "text/writer.h"

#include <string>

namespace quorrel::lessons {

using exercises::Restate;
using text::para_break;

namespace {
const std::string highlight = fore_color(ui::colors::red);
// Back to the colour the line started in: grey once the line is history.
const std::string normal = "ForeColor__";
} // namespace

void Chapter1::begin()
{
    entered_ = pages.first_page();
    // Whatever lesson ran before (1f draws half-size bars, chapters 2 and 3
    // turn rulers under the stick, colour the answer yellow and shrink the
    // unit), chapter 1 starts from blue sticks of 120 pixels to the unit
    // with their numbers above.
    board.set_unit_length(120);
    for (int slot = 0; slot < 3; ++slot) {
        board.set_pizza(slot, false);
        board.set_mixed(slot, false);
        board.set_ruler_side(slot, fractions::RulerSide::above);
        board.set_bar_color(slot, ui::colors::fraction_blue);
    }
    screen.reset_screen();
}

void Chapter1::picture(int slot, int n, int d)
{
    board.show_fraction(slot, n, d);
    board.hide_slot(slot);
    board.show_picture(slot);
}

void Chapter1::figure(int slot, int n, int d)
{
    // A shown slot without its sliders, rather than a hidden one with parts
    // put back: only a shown slot draws its pizzas.
    board.show_slot(slot);
    board.hideslide(slot);
    board.show_fraction(slot, n, d);
}

void Chapter1::read_stick(int n, int d, std::string_view prompt)
{
    picture(0, n, d);
    ask.exercise(ShowsExactly{1, n, d}, prompt, Restate::nothing);
}

void Chapter1::ask_to_set(int n, int d, std::string_view end)
{
    ask.exercise(ShowsExactly{0, n, d}, join({"set the fraction to ", numeral(n, d), end}));
}

void Chapter1::rewriting_drill(int question, std::string_view intro, std::string_view prompt)
{
    // Dealt 10/5 .. 39/8, never a whole number; the other slot copies it.
    ask.quiz({.question = question,
              .condition = SameNumerals{1 - question, question},
              .intro = join({para_break, intro}),
              .numerators = {10, 30},
              .denominators = {5, 4},
              .prompt = prompt,
              .restate = Restate::nothing,
              .compare_pictures = true});
}

void Chapter1::first_sliders()
{
    board.set_slider(0, SlotPart::slider_fracden, {.min = 1, .max = 12});
    board.set_slider(0, SlotPart::slider_fracnum, {.min = 1, .max = 12});
    board.set_slider(0, SlotPart::slider_fracnum, {.value = 5});
}

void Chapter1::Lesson1a()
{
    begin();
    run_pages(
        pages,
        {
            [this] {
                screen.move_arrow(1200, 1200);
                pages.page(1);
                board.set_pizza(0, false);
                board.set_unit_length(120);
                board.hide_slot(0);

                // Black on yellow, however the box was left by the lesson
                // the learner comes back from.
                say.set_text_color(ui::colors::black);
                say.new_text_line();
                say.to_left_margin();
                say.print_text("      Welcome!", {"Times New Roman", 48});
                say.new_text_line();
                say.set_text_font({"Times New Roman", 18});
                say.draw_at_margin("As you read through the text in this yellow box:");
                say.draw_at_margin("      Click the mouse anywhere in the box whenever you wish to read further.");
                say.draw_at_margin("      Also, click in this box whenever you complete a problem and want me to check "
                                 "your answer.");
                say.draw_at_margin("    Click now to get started.");
                say.draw_at_margin("    The Space bar goes on too, just as a click does.");
                say.wait();

                say.lesson_title("1a");
                say.set_text_font({"Arial Narrow", 14});
                say.write_line("We use numbers to count collections of things and to measure objects. For example, you "
                     "can measure a room by counting how many one-foot rulers fit along it.");
                say.write_line("The foot is the unit of measurement here. Inches, meters and miles are other units of "
                     "length.");
                say.write_line("But most lengths are not a whole number of feet.");
                say.write_line("Fractions are needed to describe lengths that are not an exact whole number of units. ");
                picture(0, 1, 1);
                say.write_line("The blue stick at the right is called the 'unit stick'.");
                say.write_line("The numbers 0 and 1 above the stick mark where it starts and where it ends.");
                picture(0, 3, 1);
                say.write_line("You can glue unit sticks together to form longer sticks. For example, the stick at the "
                     "right is 3 units long.");
            },
            [this] {
                pages.page(2);
                // The 3 units of page 1, as a bare stick.
                board.set_pizza(0, false);
                picture(0, 3, 1);
                say.write_line("To measure lengths that are not whole units, we split the unit stick into equal parts. "
                     "For example, a foot can be split into 12 parts, each one inch long.");
                screen.move_arrow(1200, 1200);
                say.set_text_font({"Arial Narrow", 14});
                board.set_pizza(0, false);
                picture(0, 12, 12);
                say.write_line(join({"In the picture at the right, the unit has been split into 12 equal parts. ",
                           "Each part is called a 12 FontSize__10 th FontSize__14 ( read 'twelfth') of a unit."}));
                picture(0, 5, 12);
                say.write_line("Here 5 twelfths have been glued together to form the blue stick, so it is five twelfths "
                     "of a unit long.");
                board.show_numeral(0);
                say.write_line("The blue stick's length is written above it as the FRACTION  5/12 .");
                say.write_line("The bottom number, 12, tells how many equal parts the unit was split into.");
                say.write_line("The top number, 5, tells how many of those parts were glued together: 5/12 means 5 out "
                     "of 12 equal parts of a unit.");
                say.write_line("The picture also shows the ruler that was used to measure the stick.");
                board.show_fraction(0, 39, 12);
                say.write_line("This stick is 3 whole units plus three twelfths of a unit long.");
                say.write_line("Each unit is 12 twelfths, so 3 units are 36 twelfths, and 36 + 3 = 39 twelfths.");
            },
            [this] {
                pages.page(3);
                board.set_pizza(0, false);
                figure(0, 39, 12);
                say.write_line("");
                say.write_line("Every fraction is made from the unit stick in two steps: a) split the unit into equal "
                     "parts, b) glue some of those parts together.");
                board.set_pizza(0, false);
                board.show_fraction(0, 5, 12);
                board.show_numeral(0);
                say.write_line("The bottom number of a fraction is called its 'denominator', and the top number is its "
                     "'numerator'.");
                say.write_line("From now on we will also just say 'top' and 'bottom'.");
                // Markup ends with its line: each highlighted line names its colour.
                say.write_line(join({"Be sure to remember: in a fraction, ", para_break, highlight,
                                   " The numerator is the top number.", para_break, highlight,
                                   " The denominator is the bottom number."}));
                say.write_line(join({normal, " On a calculator, 5/12  is written horizontally as  '5/12' . "}));
                board.show_fraction(0, 13, 12);
                say.write_line("This stick is 13 twelfths long.");
                say.write_line("");
                say.write_line("The picture shows the fraction 13/12, even though 13 of the 24 little boxes are blue.");
            },
            [this] {
                pages.page(4);
                board.set_pizza(0, false);
                figure(0, 13, 12);
                say.write_line("Don't fall into the trap of thinking that the picture shows the fraction 13/24 !!!");
                say.write_line("The bottom of a fraction counts the parts of one unit, not the parts of the whole picture.");
                say.write_line("In short: the bottom tells how many parts make up one unit.");
                say.write_line("Fractions can also be drawn as pizza pictures, where each whole pizza is one unit.");
                board.set_pizza(0, true);
                board.show_fraction(0, 12, 12);
                say.write_line("In the pizza picture at the right, the unit has been sliced into 12 equal parts.");
                board.show_fraction(0, 5, 12);
                say.write_line("Now 5 slices are colored blue to show the pizza picture of the fraction 5/12.");
                say.write_line("You should be comfortable with both representations of fractions. ");
                board.show_fraction(0, 13, 12);
                say.write_line("Here is the pizza picture of 13/12. Each unit is a separate pizza, so it is harder to "
                     "mistake it for 13/24.");
            },
            [this] {
                pages.page(5);
                board.set_pizza(0, true);
                figure(0, 7, 4);
                say.write_line("Here is another example: the unit is split into 4 parts and 7 of them are glued "
                     "together, which gives 7/4 .");
                say.write_line("Please think carefully about similarities and diffences between the pizza picture and the "
                     "stick picture.");
                say.write_line("   a)In which representation are different units separated from one another?");
                say.write_line("   b)In which representation are parts of a single unit separated from one another?");
            },
        });
}

void Chapter1::Lesson1b()
{
    begin();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                board.design();
                say.lesson_title("1b");
                first_sliders();
                const QRect num = screen.rect(0, SlotPart::slider_fracnum);
                screen.turn_arrow(1.57);
                // The arrow comes down from above onto the numerator slider's middle.
                screen.move_arrow(num.left() + num.width() / 2, num.top() - 2);
                screen.show_arrow();
                say.write_line("In this lesson you will learn to set up stick pictures from the top and bottom of a "
                     "fraction, using the FontItalic__True sliders FontItalic__False at the right.");
                say.write_line("The blue arrow at the right points to a  slider that is used to set the top of the fraction.");
                screen.move_arrow(5000, 5000);
                say.write_line("The lower slider is used to set the fraction's bottom.");
                say.write_line("Each slider contains a left arrow, a right arrow, and a grey button between them.");
                say.write_line("First try clicking a few times on the right arrow of the bottom slider. Each click increases "
                     "the denominator by 1.");
                say.write_line(" Now set the denominator to 5 by clicking on the left arrow of the bottom slider.");
                say.write_line("Next set the numerator to 1 and keep clicking its right arrow. At 20 fifths the stick is "
                             "4 units long; past 20 it continues on the next row.");
                say.write_line("Now click the left arrow of the numerator slider and hold the mouse down to get back to "
                     "showing the fraction 1/5 .");
                say.write_line("Play around a bit: click the four arrows to construct fractions of various sizes.");
                screen.turn_arrow(0);
                screen.move_arrow(1200, 1200);
            },
            [this] {
                pages.page(2);
                board.set_pizza(0, false);
                board.show_slot(0);
                if (entered_at(2))
                    first_sliders();
                say.write_line("If you click an arrow and hold the mouse button down, the value changes quickly.");
                say.write_line("Dragging the grey button along the slider changes the value even faster.");
                say.write_line("Always set the bottom of the fraction first, and then the top.");
                say.write_line("For example, let's use the sliders to construct the fraction 150/89 .");
                say.write_line("First click and hold the bottom right arrow to set the bottom to 89. This takes a while.");
                say.write_line("Then drag the grey button of the top slider to set the top to 150; the value changes when "
                     "you let go. The left end of the white bar stands for 0, and the bottom slider's button "
                     "marks 89.");
                board.set_pizza(0, true);
                say.write_line("Now set the fraction to 1/6 . Notice that I have turned on the pizza picture feature.");
                say.write_line("Keep increasing the numerator: at 24 the stick is 4 units long.");
                say.write_line("When the numerator gets bigger than 24, the stick picture continues just below the original "
                     "picture.");
            },
            [this] {
                pages.page(3);
                board.set_pizza(0, false);
                board.show_slot(0);
                if (entered_at(3))
                    first_sliders();
                say.write_line("Keep making the fraction bigger until it reaches 96/6, which is 16 units long.");
                say.write_line("Then try increasing the denominator.  When you are finished experimenting, click in this "
                     "yellow box to continue.");
                say.write_line("Now I'll ask a few questions to make sure that you can figure out the fraction by looking at "
                     "a stick picture. Please set the bottom of the fraction first .");
                board.set_pizza(0, false);
                // Slot 0 is the stick to read, a bare picture; the learner's slot 1 sits above it with
                // room for its sliders, so neither covers the other.
                picture(0, 4, 11);
                board.make_slot(1);
                const QRect stick = screen.rect(0, SlotPart::pbox_fracbar);
                board.place_slot(1, stick.left(), stick.top() - 30 - 120);
                // The learner's stick may wrap onto four rows: the stick to
                // read then moves down, out from under it.
                board.keep_below(0, 1, stick.top() - bottom_edge(screen.rect(1, SlotPart::pbox_fracbar)));
                board.show_slot(1);
                board.showslide(1);
                board.design(); // smaller rings, clear of the new slot
                board.show_fraction(1, 0, 1);
                read_stick(4, 11, "set the fraction to the length of the blue stick.");
                ask.set_prompt_prefix(join({para_break, "Here are a few similar problems. Click on the display panel "
                                                        "to clear it before you enter each new answer."}));
                read_stick(7, 11, "set the fraction to the length of the new blue stick.");
                read_stick(10, 11, "set the fraction to the length of the blue stick.");
                read_stick(13, 11, "finish by setting the fraction to the length of the new blue stick.");
                say.write_text("OK, that's enough!");
            },
        });
}

void Chapter1::Lesson1c()
{
    begin();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("1c");
                say.write_line("A fraction can be less than a unit, equal to a unit, or more than a unit.");
                say.write_line("If the top is less than the bottom, the fraction is less than a unit.");
                say.write_line("If the top and bottom are the same, the fraction is exactly one unit.");
                say.write_line("If the top is bigger than the bottom, the fraction is more than a unit, and more units are "
                     "added to the ruler.");
                ask.exercise(ShowsExactly{0, 13, 12}, "click the denominator's right arrow to set the fraction bottom to 12. Then click "
                                "the right arrow of  the numerator to set it to 13.");
                say.write_line("When the top was 12 the fraction was exactly one unit; at 13 a second unit was needed.");
                say.write_line("A fraction that is less than a unit is called a FontItalic__True proper  FontItalic__False "
                     "fraction.");
                say.write_line("Any fraction that is more than a unit is called an FontItalic__True improper  "
                     "FontItalic__False fraction. ");
                say.write_line("The word 'improper' is a bit silly: \"topheavy\" is a better name for such a fraction.");
            },
            [this] {
                pages.page(2);
                // The answer to page 1's exercise is what this page explains.
                board.show_slot(0);
                board.show_fraction(0, 13, 12);
                say.write_line("The fraction is 13/12 even though 13 of the 24 boxes are blue, because the denominator "
                     "counts the parts of one unit.");
                say.write_line("Remember what the parts of the fraction tell you:");
                say.write_line("Bottom (denominator): the number of parts into which the unit was split.");
                say.write_line("Top (numerator): The number of those parts glued together to construct the blue stick. ");
                say.write_line("Set the fraction denominator to 10 and play with the numerator slider and arrows to switch "
                     "the fraction between less than a unit and more than a unit. ");
            },
        });
}

void Chapter1::Lesson1d()
{
    begin();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("1d");
                say.write_line("Now you will practice using the sliders to set the tops and bottoms of fractions.");
                say.write_line(join({"FontItalic__True Always set the denominator first FontItalic__False to split the unit "
                           "into the correct number of parts. ",
                           "Only then does it make sense to set the numerator to the number of parts that are "
                           "glued together to form the fraction."}));
                ask_to_set(5, 12);
                ask_to_set(7, 30, ".");
                ask_to_set(11, 7);
                ask_to_set(5, 23);
                ask_to_set(17, 12);
                say.write_text("OK, that's enough.");
            },
        });
}

void Chapter1::place_mixed_number_slots()
{
    // The topheavy fraction (slot 0) goes above the mixed number (slot 1),
    // each with room for a stick of four rows, the most a slot holds.
    const int left = right_edge(screen.rect(Control::pbox_text)) + 10;
    board.place_slot(0, left, 130);
    board.place_slot(1, left, 390);
    board.place_slot(2, left, 630);
}

void Chapter1::Lesson1e()
{
    begin();
    board.make_slot(1);
    place_mixed_number_slots();
    // Whichever page the learner starts on, the top fraction is topheavy
    // and the bottom one a mixed number.
    board.set_mixed(0, false);
    board.set_mixed(1, true);
    board.design();
    board.show_slot(0);
    board.show_slot(1);
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("1e");
                board.hide_slot(1);
                board.show_fraction(0, 17, 6);
                say.write_line("The picture at the right shows the topheavy fraction 17/6 .");
                board.set_mixed(1, true);
                board.show_fraction(1, 17, 6);
                say.write_line("The unit has been split into 6 equal parts, and 17 of them have been glued together.");
                say.write_line("That makes 2 whole units, with 5 parts left over.");
                say.write_line("Therefore the fraction can be rewritten as 2 + 5/6 . This is always written by omitting the "
                     "plus sign, as 2 5/6 . ");
                say.write_line("A number written like this is called a FontItalic__True mixed number FontItalic__False .");
                board.show_slot(1);
                say.write_line("Study the bottom picture to see how we draw that mixed number. How are the two pictures "
                     "different? ");
                say.write_line("Remember: a FontItalic__True mixed number FontItalic__False is a whole number followed by a "
                     "fraction.");
                board.set_mixed(1, true);
                board.show_fraction(1, 17, 6);
                board.show_slot(1);
                say.write_line("Mixed numbers are especially helpful when the numerator is large.");
                say.write_line("For example, 1195/12 is the mixed number 99 7/12 , so 1195/12 feet is 99 feet and 7 "
                     "inches.");
                say.write_line(join({"Play around a bit with the mixed fraction picture. Leave the denominator set to 6. ",
                           "Click and hold the mouse on the left arrow of the numerator until the fraction gets "
                           "down to 1/6. "}));
                say.write_line("Now click the same arrow repeatedly to get back up to 2 5/6 .");
            },
            [this] {
                pages.page(2);
                board.show_slot(0);
                board.show_slot(1);
                board.show_fraction(0, 17, 6);
                board.show_fraction(1, 17, 6);
                say.write_line("Note that 6/6 is written in mixed number format as the whole number 1, not as 1 0/6 .");
                say.write_line("Similarly 12/6 is written as the whole number 2.");
                board.show_fraction(1, 17, 6);
                say.write_line("You will often need to convert between mixed numbers and topheavy fractions. Let's turn "
                     "2 5/6 back into a topheavy fraction.");
                say.write_line("The fraction part counts sixths, and each unit is 6 sixths, so the 2 whole units are 12 "
                     "sixths.");
                say.write_line("Adding the 5 sixths left over gives 12 + 5 = 17 sixths, that is 17/6 .");
                say.write_line("With a little practice you will do this automatically: multiply the whole number by the "
                     "bottom and add the top.");
                say.write_line(" ");
                say.write_line("FontSize__30 2 5/6      = 2*6+5/6      = 17/6. FontSize__14");
            },
            [this] {
                pages.page(3);
                board.show_slot(0);
                board.show_slot(1);
                board.show_fraction(0, 1, 1);
                board.show_fraction(1, 17, 6);
                say.write_line(join({"Summary: To ", highlight, " convert a mixed number to  topheavy form, ", normal, "  ",
                           " multiply the whole number by the bottom of the fraction  and ",
                           "add it to the top,to get the new top. The new bottom is the bottom of the mixed "
                           "number's fraction part."}));
                rewriting_drill(1, "Here is some practice rewriting mixed numbers as topheavy fractions. Click 'stop' "
                                   "to go on to something else.",
                                "rewrite the mixed number at the right by setting the numerator and denominator of "
                                "the topheavy fraction drawn above it.");
                board.show_slot(0);
                board.show_slot(1);
                board.show_fraction(1, 5, 3);
                say.write_line(join({"To ", highlight, " convert a topheavy fraction to a whole number ", normal,
                           " followed by a fraction, divide its  top  by its  bottom  ",
                           "getting a quotient and a remainder.   The quotient becomes the  whole number , and the "
                           "remainder becomes the  top of the new fraction. ",
                           "The bottom remains unchanged. "}));
                rewriting_drill(0, "Here is some practice rewriting improper fractions as mixed numbers. Click "
                                   "'stop' to go on to something else.",
                                "rewrite the topheavy fraction at the right by setting the numerator and denominator "
                                "of the mixed number drawn below it.");
            },
        });
}

void Chapter1::Lesson1f()
{
    // The screen is kept, but not the decoration behind the pictures.
    screen.clear_drawing();
    for (int slot = 0; slot < 3; ++slot)
        board.set_pizza(slot, false);
    for (int slot = 0; slot < 5; ++slot)
        board.show_numeral(slot, false);
    board.make_slot(1);
    board.make_slot(2);
    board.set_unit_length(60);
    const int left = right_edge(screen.rect(Control::pbox_text)) + 10;
    for (int slot = 0; slot < 3; ++slot) {
        board.hide_slot(slot);
        board.place_slot(slot, left, 100 + 90 * slot);
    }
    screen.show_chocolate(0, fractions::Chocolate::whole_bars);
    screen.show_chocolate(1, fractions::Chocolate::cut_in_eighths);
    screen.show_chocolate(2, fractions::Chocolate::end_to_end);
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("1f");
                board.show_picture(0);
                say.write_line(join({"You may know that the horizontal bar or slash in a fraction is really a division sign. "
                           "Here's why.",
                           " ", "We'll use 3/8 as an example. "}));
                say.write_line("How would you split 3 chocolate bars, shown at the right, equally among eight children?");
                board.show_picture(1);
                say.write_line("Method 1: cut each bar into 8 equal pieces. That makes 24 pieces, so each child gets 3 "
                     "pieces. You can see each child's share in the second picture.");
                board.show_picture(2);
                say.write_line("Method 2: lay the 3 bars end to end and split the whole row into 8 equal shares, as in the "
                     "third picture.");
                say.write_line("Both methods give every child exactly the same amount of chocolate.");
                say.write_line("In the second picture each child's share is 1/8 + 1/8 + 1/8 = 3/8 of a bar.");
                say.write_line("In the third picture each share is 3 bars divided by 8.");
                say.write_line("In the same way, if 16 bars were shared among 8 children, each child would get 16 divided "
                     "by 8, which is 2 bars.");
            },
            [this] {
                pages.page(2);
                // Page 1 has shown all three pictures by now.
                for (int slot = 0; slot < 3; ++slot)
                    board.show_picture(slot);
                say.write_line("The same reasoning works with 3 bars in place of 16: each child gets 3 divided by 8 of a "
                     "bar.");
                say.write_line("Summary: Take one chocolate bar as the unit. Then each child's share can be described in two "
                     "ways:");
                say.write_line("     a) 3/8 of a unit, as in the middle picture, and also");
                say.write_line("     b) 3 units divided by 8, as in the bottom picture.");
                say.write_line("Therefore 3/8 equalS 3 divided by 8. This is true in general:");
                say.write_line("THE VALUE OF ANY FRACTION EQUALS ITS NUMERATOR DIVIDED BY ITS DENOMINATOR.");
            },
        });
}

} // namespace quorrel::lessons
