#include "lessons/chapter2.h"

#include "lessons/lesson.h"
#include "text/writer.h"

#include <array>

namespace quorrel::lessons {

using fractions::RulerSide;
using text::para_break;

namespace {

constexpr std::string_view look = "Look to check that the fractions are the same size, then click to continue.";
constexpr std::string_view switch_problems =
    "Whenever you want to switch to a  new kind of problem, Click 'stop' just before you check your answer.";
constexpr std::string_view drill_tail = "of the answer fraction FontItalic__True before you set its numerator. "
                                        "FontItalic__False Click the 'stop' button below when you want to go on to "
                                        "something else.";

} // namespace

Chapter2::Chapter2(Stage& stage) : s(stage) {}

void Chapter2::Lesson2_setup()
{
    for (Control c : {Control::cmd_checksum, Control::cmd_checkquotient, Control::cmd_checkreduced,
                      Control::cmd_checkproduct, Control::tbox_message})
        s.hide(c);
    s.hide_slot(2);
    s.set_bar_color(0, ui::colors::fraction_blue);
    s.set_bar_color(1, ui::colors::fraction_blue);
    s.set_unit_length(120);
    const int left = right_edge(s.rect(Control::pbox_text)) + 10;
    s.make_slot(0);
    s.place_slot(0, left, 380);
    s.make_slot(1);
    s.place_slot(1, left, 550);
    // Chapter 1 leaves pizzas or a mixed number behind; these sticks are
    // plain fractions.
    for (int i = 0; i < 3; ++i) {
        s.set_pizza(i, false);
        s.set_mixed(i, false);
    }
    const QRect old_top = s.rect(0, SlotPart::pbox_fracbar);
    const QRect top(old_top.left(), old_top.top(), old_top.width(), 51);
    s.move_part(0, SlotPart::pbox_fracbar, top);
    const QRect bottom = s.rect(1, SlotPart::pbox_fracbar);
    s.move_part(1, SlotPart::pbox_fracbar, QRect(bottom.left(), bottom_edge(top) + 20, bottom.width(), 51));
    s.keep_below(1, 0, 20);
    // The unit numbers face away from each other.
    s.set_ruler_side(0, RulerSide::above);
    s.set_ruler_side(1, RulerSide::below);
    s.set_ruler_side(2, RulerSide::above);
    s.show_fraction(0, 2, 3);
    s.show_fraction(1, 2, 3);
    s.hide_slot(2);
    // Only the learner's stick follows sliders.
    s.hideslide(1);
    s.design();
}

void Chapter2::begin(std::string_view code)
{
    s.set_current_lesson(code);
    Lesson2_setup();
    // A Stop pressed in an earlier drill must not skip this lesson's
    // exercises, and outside a drill there is nothing to stop.
    s.clear_quit_mark();
    s.hide(Control::cmd_stop);
    s.lock_slot(0, false);
    s.lock_slot(1, false);
}

void Chapter2::pair(int top_n, int top_d, int bottom_n, int bottom_d)
{
    s.show_fraction(0, top_n, top_d);
    s.show_fraction(1, bottom_n, bottom_d);
}

void Chapter2::show_reference()
{
    s.show_slot(1);
    s.hideslide(1);
}

void Chapter2::compare(std::string_view condition, std::string_view prompt, std::string_view after)
{
    s.hide_slot(1);
    s.exercise(condition, prompt);
    show_reference();
    s.write_line(after);
}

void Chapter2::run(const Drill& drill)
{
    s.clear_quit_mark();
    s.show(Control::cmd_stop);
    s.make_slot(2);
    s.lock_slot(drill.question, true);
    s.set_prompt_prefix(drill.intro.empty() ? std::string() : join({para_break, drill.intro}));
    for (int turn = 1; turn <= drill.turns && !s.quit_marked(); ++turn) {
        const DrillTurn dealt = drill.deal(s.random());
        for (const SlotValue& v : dealt.slots)
            s.show_fraction(v.slot, v.num, v.den);
        s.show_slot(0);
        s.show_slot(1);
        s.hide_slot(2);
        s.hideslide(drill.question);
        if (!dealt.lead.empty())
            s.set_prompt_prefix(join({s.prompt_prefix(), para_break, dealt.lead}));
        s.exercise(drill.condition, dealt.prompt);
    }
    s.lock_slot(drill.question, false);
    s.showslide(0);
    s.hideslide(1);
    s.hide(Control::cmd_stop);
    // What was meant for this drill must not reach the exercises after it.
    s.set_prompt_prefix("");
    s.clear_quit_mark();
}

void Chapter2::Lesson2a()
{
    begin("2a");
    run_pages(
        s,
        {
            [this] {
                s.page(1);
                s.lesson_title("2a");
                s.write_line("A fraction can be rewritten by multiplying its top and its bottom by the same whole "
                             "number.");
                s.write_line("This is called FontItalic__True expanding FontItalic__False the fraction.");
                s.write_line("Before you can add fractions with different denominators, you must expand them.");
                s.write_line("The picture at the right shows two sticks, each 2/3 of a unit long. Only the top stick "
                             "follows the sliders.");
                s.write_line("The idea is to find some ways to rewrite the fraction 2/3 .");
                s.exercise("2a1", "set the top fraction to 4/7 .");
                s.write_line("4/7 is not the same as 2/3 , because the two sticks are not the same length.");
                s.exercise("2a2", "set the top fraction to 4/6 .");
                s.write_line("Now the two sticks are exactly the same length.");
                s.write_line("Each third of the unit has been split into 2 equal parts.");
                s.write_line("So the unit has 6 parts (3 times 2), and the fraction has 4 of them (2 times 2).");
            },
            [this] {
                s.page(2);
                pair(4, 6, 2, 3);
                s.write_line("To sum up: we rewrote 2/3 by multiplying its top and its bottom by 2.");
                s.write_line("FontSize__30 2/3   = 2*2/3*2    = 4/6 FontSize__");
                s.write_line("Remember that 4/7 is not a new name for 2/3 .");
                s.write_line("Set the top fraction to 4/7 . That's shorter than 2/3 .");
                s.write_line("Try adjusting the numerator to get the fractions to be the same size.");
                s.write_line("It can't be done: 4/7 is shorter than 2/3 and 5/7 is longer. So 2/3 cannot be "
                             "rewritten with the denominator 7.");
            },
            [this] {
                s.page(3);
                pair(2, 3, 2, 3);
                s.write_line("Let's try another way of expanding the fraction 2/3 .");
                s.write_line("This time we will cut each 3rd of a unit into 5 equal pieces. Look at the picture at "
                             "the right. Then click anywhere to continue.");
                s.show_fraction(0, 10, 15);
                s.write_line("Here is the pattern:");
                s.write_line("   a) Each third was cut into 5 pieces, so the unit now has 3*5 = 15 pieces.");
                s.write_line("   b) The top stick was 2 thirds long, so now it is 2*5 = 10 pieces long.");
                s.write_line("   c) So the top fraction is 2*5/3*5 = 10/15 .");
                s.write_line("10/15 and 2/3 are called equivalent fractions: they are the same size.");
                s.write_text("In this case, ");
                s.write_line("FontSize__30 2/3    =  2*5/3*5    = 10/15 FontSize__");
                s.write_line("Here is the rule for expanding a fraction:");
                s.write_line("   a) Pick any whole number.");
                s.write_line("   b)Multiply the fraction's top and bottom by that number.");
            },
            [this] {
                s.page(4);
                run({"2aq1", 1000,
                     join({"Here are a few exercises in expanding fractions. As usual, set the denominator ",
                           drill_tail}),
                     0, [](ui::Random& r) { return turn_2aq1(deal_2aq1(r)); }});
                s.clear_text();
                pair(2, 3, 2, 3);
                s.write_line("Now make the top fraction equivalent to 2/3 , but with the numerator 30.");
                s.write_line("What will the correct denominator be?");
                s.exercise("2a4", "set the denominator slider of the top fraction to that value.");
                s.exercise("2a4a", "set the numerator to 30 to see that the fractions are equivalent.");
                s.write_line("To find it, you solved the problem 2* ? = 30 , which gave the multiplier 15.");
                s.write_line("Here are 4 more exercises on expanding fractions. This time I will set both blue "
                             "fractions to 10/12.");
                s.write_line("The bottom picture will stay hidden until your answer is right.");
                pair(10, 12, 10, 12);
                compare("2a5", "set the top fraction by expanding 10/12 so that its numerator becomes 30.", look);
                s.show_fraction(0, 10, 12);
                compare("2a6", " set the top fraction by expanding 10/12 so that its denominator becomes 24.", look);
                pair(5, 7, 5, 7);
                compare("2a7", " set the top fraction by expanding 5/7 so that its numerator becomes 30.", look);
                s.show_fraction(0, 5, 7);
                compare("2a8", " set the top fraction by expanding 5/7 so that its denominator becomes 28.", look);
            },
        },
        "2b");
}

void Chapter2::Lesson2b()
{
    begin("2b");
    run_pages(
        s,
        {
            [this] {
                s.page(1);
                s.lesson_title("2b");
                s.write_line("In lesson 2a you expanded 2/3 to 10/15 by multiplying its top and its bottom by 5.");
                s.write_line("This works in reverse too.");
                s.write_line("DIVIDE top and bottom of 10/15 by 5 to get down to 2/3.  In this case we are using 5 to "
                             "REDUCE 10/15 to 2/3.");
                run({"2bq1", 1000,
                     join({"Here are a few exercises in reducing fractions. As usual, set the denominator ",
                           drill_tail}),
                     0, [](ui::Random& r) { return turn_2bq1(deal_2aq1(r)); }});
                s.write_line("Try a couple of examples of reducing fractions. Remember to divide top and bottom by "
                             "the same number. ");
                s.write_line("The bottom stick will appear only after you check a right answer.");
                pair(10, 12, 10, 12);
                compare("2b1", "set the top fraction by reducing 10/12 so that its denominator becomes 6.", look);
            },
            [this] {
                s.page(2);
                pair(20, 30, 20, 30);
                compare("2b2", "set the top fraction by reducing  20/30 so that its denominator becomes 6.", look);
                pair(20, 30, 20, 30);
                compare("2b3", "set the top fraction by reducing  20/30 so that its denominator becomes 15.", look);
                s.write_line("When you expand a fraction, you can multiply by any whole number.");
                s.write_line("To reduce 20/30 you can only divide by a number that goes exactly into both 20 and 30. "
                             "In the last two exercises you divided by 5 and by 2.");
                pair(20, 30, 20, 30);
                s.write_line("Can you find a number other than 5 and 2 that goes exactly into both 20 and 30?");
                compare("2b4", "set the top fraction  by reducing 20/30 to a fraction other than 4/6 and 10/15.",
                        "Click to continue.");
            },
            [this] {
                s.page(3);
                pair(2, 3, 20, 30);
                s.write_line("The numbers 2, 5 and 10 all go exactly into both 20 and 30. Dividing by them gives "
                             "10/15 , 4/6 and 2/3 .");
                s.write_line("2/3 is 20/30 in LOWEST TERMS. Finding it is also called COMPLETELY REDUCING 20/30 .");
                s.write_line("To do it, divide the top and bottom by the largest whole number that goes evenly into "
                             "both.");
                s.write_line("Next we will reduce 24/60 one step at a time.");
                s.show_fraction(1, 24, 60);
                s.show_fraction(0, 24, 60);
                s.set_prompt_prefix("Step 1:");
                s.exercise("2b5", " set the top fraction by using 2 to reduce 24/60.");
                s.write_line("Your answer was 12/30. You have reduced the original fraction 24/60, but you can reduce "
                             "it even further.");
                pair(12, 30, 24, 60);
                s.set_prompt_prefix("Step 2:");
                s.exercise("2b6", " set the top fraction (now redrawn as the fraction you obtained in Step 1) by "
                                  "dividing top and bottom by 6.");
            },
            [this] {
                s.page(4);
                pair(2, 5, 24, 60);
                s.write_line("Dividing by 2 and then by 6 gives the same answer as dividing by 12 in one step.");
                s.write_line("A FontItalic__True factor FontItalic__False of a whole number is a whole number that "
                             "goes into it exactly.");
                s.write_line("A FontItalic__True common factor FontItalic__False of two numbers is a factor of both "
                             "of them.");
                s.write_line("When the top and bottom of a fraction have no common factor bigger than 1, the "
                             "fraction is reduced to lowest terms.");
            },
            [this] {
                s.page(5);
                pair(2, 5, 24, 60);
                s.write_line("When the top or the bottom of a fraction is no more than 120, you only need to try "
                             "dividing it by 2, 3, 5 and 7 to break it into prime factors: what is left after those "
                             "divisions is 1 or a prime.");
                s.write_line("For example, 7 goes into both 14 and 21, so 14/21 reduces to 2/3 .");
                s.write_line("But 98/2199 is already in lowest terms: 98 is 2*7*7, and neither 2 nor 7 goes into "
                             "2199.");
                s.write_line("Here is 12/48 reduced step by step: dividing by 2 gives 6/24 , dividing by 2 again "
                             "gives 3/12 , and dividing by 3 gives 1/4 .");
            },
            [this] {
                s.page(6);
                pair(2, 5, 24, 60);
                s.write_line("Here are some exercises on this material. You can reduce the fractions step by step, "
                             "but your goal is to express the given fraction in lowest terms.");
                s.write_line(switch_problems);
                run({"2bq2", 1000, "", 0, [](ui::Random& r) { return turn_2bq2(deal_2bq2(r)); }});
            },
        },
        "2c");
}

void Chapter2::Lesson2c()
{
    begin("2c");
    const auto practice = [this](Practice kind, int turns, std::string_view intro) {
        run({"2c2", turns, std::string(intro), 1, [kind](ui::Random& r) { return turn_2c(kind, deal_2c(r)); }});
    };
    run_pages(
        s,
        {
            [this, practice] {
                s.page(1);
                s.lesson_title("2c");
                s.write_line("We'll start with some exercises in expanding fractions. ");
                s.write_line(switch_problems);
                practice(Practice::expand_numerator_given, 1000,
                         "Let's begin by expanding fractions when the new numerator is specified.");
            },
            [this, practice] {
                s.page(2);
                practice(Practice::expand_denominator_given, 100,
                         "Next, some practice building fractions when the new denominator is specified.");
            },
            [this, practice] {
                s.page(3);
                practice(Practice::reduce_denominator_given, 100,
                         "Now, some practice reducing fractions when the new denominator is specified.");
            },
            [this, practice] {
                s.page(4);
                practice(Practice::reduce_numerator_given, 1000,
                         "Finally, some practice reducing fractions when the new numerator is specified.");
            },
            [this] {
                s.page(5);
                // Not the last drill's problem, whichever way the page is reached.
                pair(2, 3, 2, 3);
                s.write_text("Insert exercises on reducing fractions to lowest terms!!!!!!!!!!!!!!!!!!!!!!!!!!!!");
            },
        },
        "3a");
}

} // namespace quorrel::lessons
