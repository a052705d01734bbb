#include "lessons/chapter3.h"

#include "demos/multiplication.h"
#include "lessons/lesson.h"
#include "text/markup.h"
#include "ui/platform.h"

#include <numeric>
#include <string>

namespace quorrel::lessons {

using text::para_break;

namespace {

constexpr int turns_per_drill = 1000;
constexpr int slot_tops[] = {105, 255, 405};

// The demonstration speaks through the message box, one waiting line per
// sentence.
class LineNarrator final : public demos::Narrator {
public:
    explicit LineNarrator(text::Narration& narration) : narration_(narration) {}
    void say(std::string_view sentence) override { narration_.write_line(sentence); }

private:
    text::Narration& narration_;
};

int whole_part(double value) { return static_cast<int>(value); }

std::string numeral(Dealt f) { return lessons::numeral(f.num, f.den); }

// n/d in slot `slot`, written in lowest terms: the right value in any other
// terms earns the reminder to reduce it.
exercises::ExactForm in_lowest_terms(int slot, int n, int d)
{
    const int common = std::gcd(n, d);
    return {slot, n / common, d / common};
}

} // namespace

Dealt deal_blue(ui::Random& random)
{
    const int den = whole_part(8 * random.next()) + 2;
    const int num = whole_part(5 * random.next() + 2) + 2;
    return {num, den};
}

void Chapter3::Lesson3_setup()
{
    board.show_slot(1);
    board.show_slot(2);
    board.set_bar_color(0, ui::colors::fraction_blue);
    board.set_bar_color(1, ui::colors::fraction_blue);
    board.set_bar_color(2, ui::colors::yellow);
    // Chapter 2 leaves the bottom stick's numbers under it, lesson 1e a
    // mixed number: these are plain sticks, numbered above.
    for (int i = 0; i < 3; ++i) {
        board.set_ruler_side(i, fractions::RulerSide::above);
        board.set_pizza(i, false);
        board.set_mixed(i, false);
    }
    board.make_slot(1);
    board.make_slot(2);
    // Three slots with room for two rows of stick each, and lesson 4's
    // feedback box under them, fit the smallest window. Longer sticks (up to
    // 16 units) are all drawn at half the unit while one is on show.
    board.set_unit_length(120, 2);
    const QRect box = screen.rect(Control::pbox_text);
    const int left = box.x() + box.width() + 10;
    for (int i = 0; i < 2; ++i) {
        board.showslide(i);
        set(i, 1, 1);
        board.place_slot(i, left, slot_tops[i]);
    }
    // The yellow answer starts afresh, not at a previous lesson's answer.
    set(2, 1, 1);
    board.place_slot(2, left, slot_tops[2]);
    board.design();
}

void Chapter3::Lesson3a()
{
    screen.reset_screen();
    Lesson3_setup();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("3a");
                set(0, 4, 9);
                set(1, 3, 9);
                board.hide_slot(2);
                line("FontSize__20 Adding and subtracting fractions with the same denominator. FontSize__");
                line("Adding fractions is easy when they have the same denominator.");
                line("The blue fractions at the right are 4/9 and 3/9 . Both are counted in ninths of a unit.");
                line("4 ninths and 3 ninths together make 7 ninths, so 4/9 + 3/9 = 7/9 .");
                set(2, 7, 9);
                board.show_slot(2);
                line("Summary: To add fractions with the same denominator, add the numerators and keep the "
                     "denominator.");
                line("Now you can practise. In each problem the two blue fractions have the same denominator.");

                practise(Operation::sum, {4, 11}, {8, 11}, "+ ");
                practise(Operation::sum, {5, 3}, {4, 3}, "+ ");
                practise(Operation::sum, {7, 6}, {2, 6}, "+ ");

                line("Subtracting fractions with the same denominator works exactly the same way.");
                set(0, 7, 9);
                set(1, 3, 9);
                board.hide_slot(2);
                line("To find 7/9 - 3/9 , take 3 ninths away from 7 ninths. That leaves 4 ninths.");
                set(2, 4, 9);
                board.show_slot(2);
                line("So 7/9 - 3/9 = 4/9 , the yellow fraction.");
                line("Summary: To subtract fractions with the same denominator, subtract the numerators and keep "
                     "the denominator.");
                line("Now practise subtracting. Again the two blue fractions have the same denominator.");

                practise(Operation::difference, {10, 11}, {3, 11}, "-");
                practise(Operation::difference, {13, 3}, {5, 3}, "- ");
                practise(Operation::difference, {7, 6}, {2, 6}, "- ");
            },
            [this] {
                pages.page(2);
                // The coins of the example, whichever way the page was reached.
                set(0, 1, 4);
                set(1, 1, 5);
                board.hide_slot(2);
                line("Adding fractions with different denominators is harder.");
                line("WARNING: Your answer is GUARANTEED to be WRONG if  you add numerators and add denominators:");
                line("Here is an everyday example. A quarter is 1/4 of a dollar. Two dimes are 2/10 of a dollar, "
                     "which reduces to 1/5 .");
                line("In cents, a quarter and two dimes make 25 + 20 = 45 cents, which is 45/100 of a dollar.");
                line("In lowest terms 45/100 is 9/20 , so the coins are worth 9 nickels.");

                board.show_slot(2);
                set(0, 1, 3);
                set(1, 1, 2);
                set(2, 2, 5);
                line("Here is another example. Suppose you want to find 1/3 + 1/2 , the sum of the blue fractions. ");
                line("Adding the tops and adding the bottoms would give 2/5 , the yellow fraction.");
                line("That cannot be right: the yellow stick is much shorter than the two blue sticks glued "
                     "together.");
                board.hide_slot(2);

                line("Fractions can only be added when they have the same denominator.");
                line("So first expand each fraction, multiplying its top and bottom by the other fraction's "
                     "denominator. For 1/3 + 1/4 that gives:");
                line("FontSize__30 1/3 =   1*4/3*4   =  4/12 FontSize__");
                line("FontSize__30 1/4 =   1*3/4*3   =  3/12 FontSize__");
                line("Click to see 1/3 and 1/4 drawn in twelfths.");
                set(0, 4, 12);
                set(1, 3, 12);
                line("The top blue fraction is now 4/12 : each third was cut into 4 pieces, and 4 times 3 makes 12. "
                     "The bottom one is 3/12 : each quarter was cut into 3 pieces, and 3 times 4 makes 12.");
                line("Both fractions now count twelfths, so their numerators can be added.");
                set(2, 7, 12);
                board.show_slot(2);
                line("So 4/12 + 3/12 = 7/12 , the yellow fraction.");
            },
            [this] {
                pages.page(3);
                set(0, 2, 3);
                set(1, 3, 5);
                set(2, 1, 1);
                board.show_slot(2);
                line("I'll show you another example so that you get the idea. Then you will do a few problems on "
                     "your own.");
                line("Look at the new fractions to be added: 2/3 and 3/5 . ");
                line("THE ANSWER IS NOT 5/8 !!!!!!!! ");
                set(0, 10, 15);
                line("Step 1: multiply the top and bottom of 2/3 by 5, the other denominator. The top blue fraction "
                     "is now 10/15 .");
                set(1, 9, 15);
                line("Step 2: multiply the top and bottom of 3/5 by 3. The bottom blue fraction is now 9/15 .");
                set(2, 19, 15);
                line("The sum is 19/15 , the yellow fraction.");

                line("Now you are ready to try some on your own");
                line("The blue fractions show the fractions to be added.");
                add_in_steps({2, 5}, {1, 4},
                             "Before you can add the fraction, you need to rewrite both fractions with common "
                             "denominator 4*5 = 20. ",
                             {"reset the top blue fraction 2/5 to an equivalent fraction with denominator 20. ",
                              "reset the bottom blue fraction 1/4 to an equivalent fraction with denominator 20. ",
                              "set the yellow fraction to the sum of the blue fractions."});
                add_in_steps({3, 7}, {2, 3},
                             "Here is another example. This time, you want to rewrite both fractions with common "
                             "denominator 3*7 = 21.",
                             {"reset the top blue fraction 3/7 to an equivalent fraction with denominator 21. ",
                              "reset the bottom blue fraction 2/3 to an equivalent fraction with denominator  21. ",
                              "set the yellow fraction to the sum of the blue fractions. "});
            },
        });
}

void Chapter3::practise(Operation op, Dealt a, Dealt b, std::string_view sign)
{
    set(0, a.num, a.den);
    set(1, b.num, b.den);
    set(2, 1, 1);
    const int top = op == Operation::sum ? a.num + b.num : a.num - b.num;
    ask.exercise(in_lowest_terms(2, top, a.den),
                 join({"set the yellow fraction to ", numeral(a), " ", sign, " ", numeral(b)}));
}

void Chapter3::add_in_steps(Dealt top, Dealt bottom, std::string_view intro,
                            const std::array<std::string_view, 3>& prompts)
{
    set(0, top.num, top.den);
    set(1, bottom.num, bottom.den);
    set(2, 1, 1);
    line(intro);
    const int common = top.den * bottom.den;
    const std::array<exercises::Condition, 3> steps{
        ShowsExactly{0, top.num * bottom.den, common},
        ShowsExactly{1, bottom.num * top.den, common},
        in_lowest_terms(2, top.num * bottom.den + bottom.num * top.den, common),
    };
    for (std::size_t step = 0; step < steps.size(); ++step) {
        ask.set_prompt_prefix("Step " + std::to_string(step + 1) + ":");
        ask.exercise(steps[step], prompts[step]);
    }
}

void Chapter3::demonstrate(long long a, long long b, long long c, long long d)
{
    LineNarrator narrator(say);
    screen.demonstrate_product(a, b, c, d, narrator);
}

void Chapter3::Lesson3b()
{
    screen.reset_screen();
    Lesson3_setup();
    // The circles need the room beside the message box.
    screen.hide_controls();
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("3b");
                line("Multiplying fractions is easy to understand with pictures. We'll begin by illustrating "
                     "multiplying 2/3 by 2/5 .");
                demonstrate(2, 3, 2, 5);
            },
            [this] {
                pages.page(2);
                // This page's pictures only: none of the first demonstration stays.
                screen.clear_drawing();
                line("Now let's do a slightly harder problem: 3/4 * 5/6 .");
                demonstrate(3, 4, 5, 6);
                const std::string red = fore_color(ui::colors::red);
                const std::string blue = fore_color(ui::colors::blue);
                line(join({"General rule for multiplying fractions: ", red,
                           " FontItalic__True multiply the tops to get the top of the product, and multiply the "
                           "bottoms to get its bottom. FontItalic__False ",
                           blue, " "}));
                line(join({"To divide by a fraction, ", red,
                           " FontItalic__True turn the second fraction upside down and multiply. FontItalic__False ",
                           blue, " For example, 2/3 divided by 4/5 is 2/3 * 5/4 = 10/12 ."}));
                line("Topheavy fractions such as 8/7 follow exactly the same rules for multiplying and dividing.");
                say.write_text("For practice with fraction arithmetic,");
            },
        });
}

void Chapter3::deal_turn()
{
    top_ = deal_blue(random);
    bottom_ = deal_blue(random);
    set(0, top_.num, top_.den);
    set(1, bottom_.num, bottom_.den);
    board.hold_fraction(3, top_.num, top_.den);
    board.hold_fraction(4, bottom_.num, bottom_.den);
}

void Chapter3::drill(Drill kind)
{
    // Each drill starts unstopped, with Stop offered to end it.
    ask.clear_quit_mark();
    screen.show(Control::cmd_stop);
    drill_turns(kind);
    screen.hide(Control::cmd_stop);
}

void Chapter3::drill_turns(Drill kind)
{
    for (int turn = 1; turn <= turns_per_drill; ++turn) {
        deal_turn();
        set(2, 1, 1);
        const std::string number = std::to_string(turn);
        switch (kind) {
        case Drill::addition:
            board.hide_slot(2);
            say.draw("    Addition problem " + number +
                   ": You want to add the fractions at the right. First rewrite both fractions by multiplying "
                   "top and bottom of each fraction by the bottom of the other fraction.");
            ask.exercise(Expanded{0, 3, 4, Part::denominator}, "rewrite the top blue fraction " + numeral(top_) + " . ");
            ask.exercise(Expanded{1, 4, 3, Part::denominator}, "rewrite the bottom blue  fraction " + numeral(bottom_) + " . ");
            board.show_slot(2);
            ask.exercise(ReducedArithmetic{{Operation::sum, 2, 3, 4}, Reminder::after_sum},
                       "set the yellow fraction to the sum of the blue fractions and check your answer. Remember "
                       "to reduce your answer to lowest terms. ",
                       Restate::nothing);
            break;
        case Drill::multiplication:
            board.show_slot(2);
            if (ask.quit_marked())
                return;
            ask.set_prompt_prefix(join({para_break, "Multiplication problem ", number, ":", para_break}));
            ask.exercise(ReducedArithmetic{{Operation::product, 2, 3, 4}, Reminder::framed}, "set the yellow fraction to the product of the blue fractions and check your answer.",
                       Restate::nothing);
            break;
        case Drill::division:
            board.show_slot(2);
            if (ask.quit_marked())
                return;
            ask.set_prompt_prefix(join({para_break, "Division problem ", number, ":", para_break}));
            ask.exercise(ReducedArithmetic{{Operation::quotient, 2, 3, 4}, Reminder::framed},
                       "set the yellow fraction to the quotient of the top blue fraction by the bottom blue "
                       "fraction and check your answer.",
                       Restate::nothing);
            break;
        }
        if (ask.quit_marked())
            return;
    }
}

void Chapter3::Lesson3c()
{
    screen.reset_screen();
    Lesson3_setup();
    // They only keep the dealt fractions: made, they would sit at the
    // window's corner over the title and the page strip.
    board.make_slot(3);
    board.make_slot(4);
    board.hide_slot(3);
    board.hide_slot(4);
    run_pages(
        pages,
        {
            [this] {
                pages.page(1);
                say.lesson_title("3c");
                line("Throughout this lesson, click 'Stop' before checking your answer if you want to switch to a "
                     "new type of problem.");
                line("Click anywhere in this box to  begin with fraction addition practice.");
                drill(Drill::addition);
            },
            [this] {
                pages.page(2);
                board.hide_slot(2);
                drill(Drill::multiplication);
            },
            [this] {
                pages.page(3);
                board.hide_slot(2);
                drill(Drill::division);
                // The course is over: no problem is left waiting for an answer.
                for (int slot = 0; slot < 3; ++slot)
                    board.hide_slot(slot);
                line("This is the end of the last lesson.");
            },
        });
}

} // namespace quorrel::lessons
