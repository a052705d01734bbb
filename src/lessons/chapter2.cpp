#include "lessons/chapter2.h"

#include "lessons/lesson.h"
#include "text/writer.h"

#include <algorithm>
#include <array>

namespace quorrel::lessons {

using fractions::RulerSide;
using text::para_break;

namespace {

// From the top slot's place to the lower numeral's foot, with both sticks at
// the most rows they take: 30 to the top picture, two of four rows, 20
// between them and 51 to the foot of the numeral under the lower one.
constexpr int tallest_pair = 30 + 2 * 4 * fractions::row_height + 20 + 51;

constexpr std::string_view look = "Look to check that the fractions are the same size, then click to continue.";
constexpr std::string_view switch_problems =
    "Whenever you want to switch to a  new kind of problem, Click 'stop' just before you check your answer.";
constexpr std::string_view drill_tail = "of the answer fraction FontItalic__True before you set its numerator. "
                                        "FontItalic__False Click the 'stop' button below when you want to go on to "
                                        "something else.";

} // namespace

void Chapter2::Lesson2_setup()
{
    for (Control c : {Control::cmd_checksum, Control::cmd_checkquotient, Control::cmd_checkreduced,
                      Control::cmd_checkproduct, Control::tbox_message})
        screen.hide(c);
    board.hide_slot(2);
    board.set_bar_color(0, ui::colors::fraction_blue);
    board.set_bar_color(1, ui::colors::fraction_blue);
    board.set_unit_length(120);
    // Both sticks may wrap onto four rows, the lower one pushed down with its
    // numeral under it: where the window is too low for that, the two go up.
    const QRect box = screen.rect(Control::pbox_text);
    const int left = right_edge(box) + 10;
    const int y = std::min(380, screen.size().height() - tallest_pair);
    board.make_slot(0);
    board.place_slot(0, left, y);
    board.make_slot(1);
    board.place_slot(1, left, y + 170);
    // Chapter 1 leaves pizzas or a mixed number behind; these sticks are
    // plain fractions.
    for (int i = 0; i < 3; ++i) {
        board.set_pizza(i, false);
        board.set_mixed(i, false);
    }
    const QRect old_top = screen.rect(0, SlotPart::pbox_fracbar);
    const QRect top(old_top.left(), old_top.top(), old_top.width(), 51);
    screen.move_part(0, SlotPart::pbox_fracbar, top);
    const QRect bottom = screen.rect(1, SlotPart::pbox_fracbar);
    screen.move_part(1, SlotPart::pbox_fracbar, QRect(bottom.left(), bottom_edge(top) + 20, bottom.width(), 51));
    board.keep_below(1, 0, 20);
    // The unit numbers face away from each other.
    board.set_ruler_side(0, RulerSide::above);
    board.set_ruler_side(1, RulerSide::below);
    board.set_ruler_side(2, RulerSide::above);
    board.show_fraction(0, 2, 3);
    board.show_fraction(1, 2, 3);
    board.hide_slot(2);
    // Only the learner's stick follows sliders.
    board.hideslide(1);
    board.design();
}

void Chapter2::pair(int top_n, int top_d, int bottom_n, int bottom_d)
{
    board.show_fraction(0, top_n, top_d);
    board.show_fraction(1, bottom_n, bottom_d);
}

void Chapter2::show_reference()
{
    board.show_slot(1);
    board.hideslide(1);
}

void Chapter2::compare(const exercises::Condition& condition, std::string_view prompt, std::string_view after)
{
    board.hide_slot(1);
    ask.exercise(condition, prompt);
    show_reference();
    say.write_line(after);
}

void Chapter2::run(const Drill& drill)
{
    ask.clear_quit_mark();
    screen.show(Control::cmd_stop);
    board.make_slot(2);
    board.lock_slot(drill.question, true);
    ask.set_prompt_prefix(drill.intro.empty() ? std::string() : join({para_break, drill.intro}));
    for (int turn = 1; turn <= drill.turns && !ask.quit_marked(); ++turn) {
        const DrillTurn dealt = drill.deal(random);
        for (const SlotValue& v : dealt.slots)
            board.show_fraction(v.slot, v.num, v.den);
        board.show_slot(0);
        board.show_slot(1);
        board.hide_slot(2);
        board.hideslide(drill.question);
        if (!dealt.lead.empty())
            ask.set_prompt_prefix(join({ask.prompt_prefix(), para_break, dealt.lead}));
        ask.exercise(drill.condition, dealt.prompt);
    }
    board.lock_slot(drill.question, false);
    board.showslide(0);
    board.hideslide(1);
    screen.hide(Control::cmd_stop);
    // What was meant for this drill must not reach the exercises after it.
    ask.set_prompt_prefix("");
    ask.clear_quit_mark();
}

void Chapter2::Lesson2a()
{
    Lesson2_setup();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("2a");
                say.write_line("A fraction can be rewritten by multiplying its top and its bottom by the same whole "
                             "number.");
                say.write_line("This is called FontItalic__True expanding FontItalic__False the fraction.");
                say.write_line("Before you can add fractions with different denominators, you must expand them.");
                say.write_line("The picture at the right shows two sticks, each 2/3 of a unit long. Only the top stick "
                             "follows the sliders.");
                say.write_line("The idea is to find some ways to rewrite the fraction 2/3 .");
                ask.exercise(ShowsExactly{0, 4, 7}, "set the top fraction to 4/7 .");
                say.write_line("4/7 is not the same as 2/3 , because the two sticks are not the same length.");
                ask.exercise(ShowsExactly{0, 4, 6}, "set the top fraction to 4/6 .");
                say.write_line("Now the two sticks are exactly the same length.");
                say.write_line("Each third of the unit has been split into 2 equal parts.");
                say.write_line("So the unit has 6 parts (3 times 2), and the fraction has 4 of them (2 times 2).");
            },
            [this] {
                pages.page(2);
                pair(4, 6, 2, 3);
                say.write_line("To sum up: we rewrote 2/3 by multiplying its top and its bottom by 2.");
                say.write_line("FontSize__30 2/3   = 2*2/3*2    = 4/6 FontSize__");
                say.write_line("Remember that 4/7 is not a new name for 2/3 .");
                say.write_line("Set the top fraction to 4/7 . That's shorter than 2/3 .");
                say.write_line("Try adjusting the numerator to get the fractions to be the same size.");
                say.write_line("It can't be done: 4/7 is shorter than 2/3 and 5/7 is longer. So 2/3 cannot be "
                             "rewritten with the denominator 7.");
            },
            [this] {
                pages.page(3);
                pair(2, 3, 2, 3);
                say.write_line("Let's try another way of expanding the fraction 2/3 .");
                say.write_line("This time we will cut each 3rd of a unit into 5 equal pieces. Look at the picture at "
                             "the right. Then click anywhere to continue.");
                board.show_fraction(0, 10, 15);
                say.write_line("Here is the pattern:");
                say.write_line("   a) Each third was cut into 5 pieces, so the unit now has 3*5 = 15 pieces.");
                say.write_line("   b) The top stick was 2 thirds long, so now it is 2*5 = 10 pieces long.");
                say.write_line("   c) So the top fraction is 2*5/3*5 = 10/15 .");
                say.write_line("10/15 and 2/3 are called equivalent fractions: they are the same size.");
                say.write_text("In this case, ");
                say.write_line("FontSize__30 2/3    =  2*5/3*5    = 10/15 FontSize__");
                say.write_line("Here is the rule for expanding a fraction:");
                say.write_line("   a) Pick any whole number.");
                say.write_line("   b)Multiply the fraction's top and bottom by that number.");
            },
            [this] {
                pages.page(4);
                run({Expanded{1, 0, 2, Part::numerator}, 1000,
                     join({"Here are a few exercises in expanding fractions. As usual, set the denominator ",
                           drill_tail}),
                     0, [](ui::Random& r) { return turn_2aq1(deal_2aq1(r)); }});
                say.clear_text();
                pair(2, 3, 2, 3);
                say.write_line("Now make the top fraction equivalent to 2/3 , but with the numerator 30.");
                say.write_line("What will the correct denominator be?");
                ask.exercise(PartIs{0, Part::denominator, 45}, "set the denominator slider of the top fraction to that value.");
                ask.exercise(PartIs{0, Part::numerator, 30}, "set the numerator to 30 to see that the fractions are equivalent.");
                say.write_line("To find it, you solved the problem 2* ? = 30 , which gave the multiplier 15.");
                say.write_line("Here are 4 more exercises on expanding fractions. This time I will set both blue "
                             "fractions to 10/12.");
                say.write_line("The bottom picture will stay hidden until your answer is right.");
                pair(10, 12, 10, 12);
                compare(ShowsExactly{0, 30, 36}, "set the top fraction by expanding 10/12 so that its numerator becomes 30.", look);
                board.show_fraction(0, 10, 12);
                compare(ShowsExactly{0, 20, 24}, " set the top fraction by expanding 10/12 so that its denominator becomes 24.", look);
                pair(5, 7, 5, 7);
                compare(ShowsExactly{0, 30, 42}, " set the top fraction by expanding 5/7 so that its numerator becomes 30.", look);
                board.show_fraction(0, 5, 7);
                compare(ShowsExactly{0, 20, 28}, " set the top fraction by expanding 5/7 so that its denominator becomes 28.", look);
            },
        });
}

void Chapter2::Lesson2b()
{
    Lesson2_setup();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("2b");
                say.write_line("In lesson 2a you expanded 2/3 to 10/15 by multiplying its top and its bottom by 5.");
                say.write_line("This works in reverse too.");
                say.write_line("DIVIDE top and bottom of 10/15 by 5 to get down to 2/3.  In this case we are using 5 to "
                             "REDUCE 10/15 to 2/3.");
                run({ReducedBy{0, 1, 2}, 1000,
                     join({"Here are a few exercises in reducing fractions. As usual, set the denominator ",
                           drill_tail}),
                     0, [](ui::Random& r) { return turn_2bq1(deal_2aq1(r)); }});
                say.write_line("Try a couple of examples of reducing fractions. Remember to divide top and bottom by "
                             "the same number. ");
                say.write_line("The bottom stick will appear only after you check a right answer.");
                pair(10, 12, 10, 12);
                compare(ShowsExactly{0, 5, 6}, "set the top fraction by reducing 10/12 so that its denominator becomes 6.", look);
            },
            [this] {
                pages.page(2);
                pair(20, 30, 20, 30);
                compare(ShowsExactly{0, 4, 6}, "set the top fraction by reducing  20/30 so that its denominator becomes 6.", look);
                pair(20, 30, 20, 30);
                compare(ShowsExactly{0, 10, 15}, "set the top fraction by reducing  20/30 so that its denominator becomes 15.", look);
                say.write_line("When you expand a fraction, you can multiply by any whole number.");
                say.write_line("To reduce 20/30 you can only divide by a number that goes exactly into both 20 and 30. "
                             "In the last two exercises you divided by 5 and by 2.");
                pair(20, 30, 20, 30);
                say.write_line("Can you find a number other than 5 and 2 that goes exactly into both 20 and 30?");
                compare(ShowsExactly{0, 2, 3}, "set the top fraction  by reducing 20/30 to a fraction other than 4/6 and 10/15.",
                        "Click to continue.");
            },
            [this] {
                pages.page(3);
                pair(2, 3, 20, 30);
                say.write_line("The numbers 2, 5 and 10 all go exactly into both 20 and 30. Dividing by them gives "
                             "10/15 , 4/6 and 2/3 .");
                say.write_line("2/3 is 20/30 in LOWEST TERMS. Finding it is also called COMPLETELY REDUCING 20/30 .");
                say.write_line("To do it, divide the top and bottom by the largest whole number that goes evenly into "
                             "both.");
                say.write_line("Next we will reduce 24/60 one step at a time.");
                board.show_fraction(1, 24, 60);
                board.show_fraction(0, 24, 60);
                ask.set_prompt_prefix("Step 1:");
                ask.exercise(ShowsExactly{0, 12, 30}, " set the top fraction by using 2 to reduce 24/60.");
                say.write_line("Your answer was 12/30. You have reduced the original fraction 24/60, but you can reduce "
                             "it even further.");
                pair(12, 30, 24, 60);
                ask.set_prompt_prefix("Step 2:");
                ask.exercise(ShowsExactly{0, 2, 5}, " set the top fraction (now redrawn as the fraction you obtained in Step 1) by "
                                  "dividing top and bottom by 6.");
            },
            [this] {
                pages.page(4);
                pair(2, 5, 24, 60);
                say.write_line("Dividing by 2 and then by 6 gives the same answer as dividing by 12 in one step.");
                say.write_line("A FontItalic__True factor FontItalic__False of a whole number is a whole number that "
                             "goes into it exactly.");
                say.write_line("A FontItalic__True common factor FontItalic__False of two numbers is a factor of both "
                             "of them.");
                say.write_line("When the top and bottom of a fraction have no common factor bigger than 1, the "
                             "fraction is reduced to lowest terms.");
            },
            [this] {
                pages.page(5);
                pair(2, 5, 24, 60);
                say.write_line("When the top or the bottom of a fraction is no more than 120, you only need to try "
                             "dividing it by 2, 3, 5 and 7 to break it into prime factors: what is left after those "
                             "divisions is 1 or a prime.");
                say.write_line("For example, 7 goes into both 14 and 21, so 14/21 reduces to 2/3 .");
                say.write_line("But 98/2199 is already in lowest terms: 98 is 2*7*7, and neither 2 nor 7 goes into "
                             "2199.");
                say.write_line("Here is 12/48 reduced step by step: dividing by 2 gives 6/24 , dividing by 2 again "
                             "gives 3/12 , and dividing by 3 gives 1/4 .");
            },
            [this] {
                pages.page(6);
                pair(2, 5, 24, 60);
                say.write_line("Here are some exercises on this material. You can reduce the fractions step by step, "
                             "but your goal is to express the given fraction in lowest terms.");
                say.write_line(switch_problems);
                run({ReducedForm{0, 1}, 1000, "", 0, [](ui::Random& r) { return turn_2bq2(deal_2bq2(r)); }});
            },
        });
}

void Chapter2::Lesson2c()
{
    Lesson2_setup();
    const auto practice = [this](Practice kind, int turns, std::string_view intro) {
        run({Equivalent{0, 1}, turns, std::string(intro), 1, [kind](ui::Random& r) { return turn_2c(kind, deal_2c(r)); }});
    };
    run_pages(
        pages,
        {
            [this, practice] {
                pages.page(1);
                say.lesson_title("2c");
                say.write_line("We'll start with some exercises in expanding fractions. ");
                say.write_line(switch_problems);
                practice(Practice::expand_numerator_given, 1000,
                         "Let's begin by expanding fractions when the new numerator is specified.");
            },
            [this, practice] {
                pages.page(2);
                practice(Practice::expand_denominator_given, 100,
                         "Next, some practice building fractions when the new denominator is specified.");
            },
            [this, practice] {
                pages.page(3);
                practice(Practice::reduce_denominator_given, 100,
                         "Now, some practice reducing fractions when the new denominator is specified.");
            },
            [this, practice] {
                pages.page(4);
                practice(Practice::reduce_numerator_given, 1000,
                         "Finally, some practice reducing fractions when the new numerator is specified.");
            },
            [this] {
                pages.page(5);
                run({ReducedForm{1, 0}, 1000,
                     "Last of all, some practice reducing fractions to lowest terms: divide the top and the bottom "
                     "by the same number until no number bigger than 1 divides them both.",
                     1, [](ui::Random& r) { return turn_2c_lowest(deal_2c_lowest(r)); }});
            },
        });
}

} // namespace quorrel::lessons
