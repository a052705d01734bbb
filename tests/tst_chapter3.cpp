#include "pages/catalogue.h"
#include "support/harness.h"
#include "support/learner.h"
#include "text/markup.h"
#include "ui/platform.h"

// moc need not read the lesson interface.
#ifndef Q_MOC_RUN
#include "lessons/chapter3.h"
#endif

#include <QCryptographicHash>
#include <QtTest>

#include <map>
#include <set>

using namespace quorrel;
using testing::Harness;
using testing::Walker;

namespace {

// Chapter 3's pages on the strip: 3a, 3b, 3c.
constexpr int first_page = 30;
constexpr int last_page = 37;

const std::string lowest = "Correct, but you need to rewrite your answer in lowest terms.";
const std::string para(text::para_break);

// What the learner has before them at a wait: the line, the exercise, the
// three fractions (values left out where a drill dealt them) and the
// window's own drawing.
std::string screen(Harness& h)
{
    auto& t = h.tutor();
    const std::string& condition = t.exercises.current_condition();
    std::string out = h.last_line() + "|" + condition;
    const bool dealt = condition.rfind("3ex3", 0) == 0;
    for (int i = 0; i < 3; ++i) {
        const auto* picture = t.slots.pbox_fracbar(i);
        const bool shown = picture && picture->visible();
        out += "|" + std::to_string(i) + (shown ? "shown" : "hidden");
        if (shown && !dealt)
            out += " " + std::to_string(t.slots.num(i)) + "/" + std::to_string(t.slots.den(i));
    }
    // The window's own pictures by shape: the rings of the empty screen take
    // new colours every time they are drawn.
    const ui::Canvas& drawing = t.form.form().canvas();
    QByteArray mask;
    for (int y = 0; y < drawing.height(); y += 2)
        for (int x = 0; x < drawing.width(); x += 2)
            mask.append(drawing.pixel(x, y) == drawing.background() ? '0' : '1');
    out += "|" + QCryptographicHash::hash(mask, QCryptographicHash::Md5).toHex().toStdString();
    return out;
}

std::string page_key(const std::string& code, int global_page)
{
    return std::string(pages::lesson_name(code)) + "  |Page " + std::to_string(global_page) + "  ";
}

} // namespace

class TestChapter3 : public QObject {
    Q_OBJECT

private:
    // The first screen of every page, read through from lesson 3a.
    std::map<std::string, std::string> read_through_;

private Q_SLOTS:
    void walksChapterThreeFromItsMenu();
    void everyPageOpensAsReadThrough_data();
    void everyPageOpensAsReadThrough();
    void lessonFourChecksEveryAnswer();
    void lessonFourStartsAfreshOnEveryVisit();
    void drillDealsFromTheGivenRanges();
    void dealtCopiesStayOffScreen();
    void pageJumpTakesTheHereLinkAway();
};

void TestChapter3::walksChapterThreeFromItsMenu()
{
    Harness h;
    Walker walker;
    walker.unreduced_first = {"3a2", "3a3", "3ex3c", "3ex3d", "3ex3e"};
    h.set_learner([&](Harness& l) {
        const std::string label = l.tutor().page_bar.shown_label();
        if (!read_through_.count(label))
            read_through_[label] = screen(l);
        walker(l);
    });
    h.tutor().reset_screen();
    h.choose("mnu_3a");
    QVERIFY(!h.settle());
    QVERIFY(!h.limit_reached());
    QVERIFY(walker.unknown.empty());
    QVERIFY(walker.failures.empty());

    const std::pair<const char*, int> lessons[] = {{"3a", 3}, {"3b", 2}, {"3c", 3}};
    int global = first_page - 1;
    for (const auto& [code, pages] : lessons)
        for (int p = 1; p <= pages; ++p)
            QVERIFY2(walker.pages_seen.count(page_key(code, ++global)), code);
    QVERIFY(h.wrote("Please click to go on to lesson 3b"));
    QVERIFY(h.wrote("Please click to go on to lesson 3c"));
    QVERIFY(h.wrote("In the second picture, the unit has been split into 5 parts, of which 2 parts have been"));
    QVERIFY(h.wrote("In the second picture, the unit has been split into 6 parts, of which 5 parts have been"));
    QVERIFY(h.wrote("That's a total of 3*5 = 15 green pieces."));
    QCOMPARE(h.last_line(), std::string("This is the end of the last lesson."));

    // The right value in another form is named as such, once per try: in 3a
    // as taught, in the drills as each condition frames it.
    const std::vector<std::string> reminders{lowest, lowest, lowest + para, para + lowest + para,
                                             para + lowest + para};
    QCOMPARE(h.dialogs.messages, reminders);
    // 3a: six sums and differences, two problems of three steps; 3c: three
    // drills of three turns (three steps for a sum); each first retried with
    // one of the five unreduced tries.
    QCOMPARE(walker.answers, 6 + 6 + 3 * 3 + 3 + 3);
    QCOMPARE(walker.retried, walker.answers + 5);
}

void TestChapter3::everyPageOpensAsReadThrough_data()
{
    QTest::addColumn<int>("page");
    for (int page = first_page; page <= last_page; ++page)
        QTest::newRow(std::to_string(page).c_str()) << page;
}

void TestChapter3::everyPageOpensAsReadThrough()
{
    QFETCH(int, page);
    const std::string label = "Page " + std::to_string(page) + "  ";
    QVERIFY2(read_through_.count(label), label.c_str());
    Harness h;
    std::string seen;
    bool jumped = false;
    h.set_learner([&](Harness& l) {
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (page - 1) + 2);
            return;
        }
        seen = screen(l);
        l.tutor().waits.request_quit();
    });
    QVERIFY(h.run([&] { h.tutor().waits.run_until_quit(); }));
    QCOMPARE(h.tutor().page_bar.shown_label(), label);
    QCOMPARE(QString::fromStdString(seen), QString::fromStdString(read_through_[label]));
}

void TestChapter3::lessonFourChecksEveryAnswer()
{
    Harness h;
    auto& form = h.tutor().form;
    std::vector<std::string> verdicts;
    bool looked = false;
    h.set_learner([&](Harness& l) {
        if (looked) {
            l.click_text();
            return;
        }
        looked = true;
        QCOMPARE(l.last_line(), std::string(" More to come...What happens when you click?"));
        QVERIFY(!form.cmd_newprob.visible());
        const int x0 = form.pbox_text.right_edge() + 10;
        const int x1 = x0 + 120;
        const std::pair<const ui::Control*, QRect> placed[] = {
            {&form.cmd_checksum, {x0, 600, 120, 30}},      {&form.cmd_checkproduct, {x0, 630, 120, 30}},
            {&form.cmd_checkquotient, {x1, 600, 120, 30}}, {&form.cmd_checkreduced, {x1, 630, 120, 30}},
        };
        for (const auto& [control, rect] : placed) {
            QVERIFY2(control->visible(), control->name().c_str());
            QCOMPARE(QRect(control->left(), control->top(), control->width(), control->height()), rect);
        }
        // The feedback box sits between the yellow stick and the buttons,
        // covering neither (at y = 540 it hid the stick's base line).
        const ui::Control& message = form.tbox_message;
        const ui::Control* yellow = l.tutor().slots.pbox_fracbar(2);
        QVERIFY(message.visible() && yellow && yellow->visible());
        QCOMPARE(message.left(), x0);
        QCOMPARE(message.width(), 240);
        QVERIFY(message.top() >= 540 && message.top() > yellow->bottom_edge());
        QVERIFY(message.bottom_edge() <= 600);
        QVERIFY(message.height() >= 50);
        QVERIFY(form.tbox_message.multi_line);

        auto press = [&](ui::Button& button) {
            button.click();
            verdicts.push_back(form.tbox_message.text());
        };
        auto set = [&](int slot, int n, int d) { QVERIFY(l.set_fraction(slot, n, d)); };
        // All three fractions start at 1/1.
        press(form.cmd_checksum);
        press(form.cmd_checkproduct);
        press(form.cmd_checkreduced);
        set(2, 2, 1);
        press(form.cmd_checksum);
        press(form.cmd_checkquotient);
        set(2, 4, 2);
        press(form.cmd_checkproduct);
        press(form.cmd_checkreduced);
        set(2, 2, 2);
        press(form.cmd_checkreduced);
        set(2, 3, 1);
        press(form.cmd_checkreduced);
        set(0, 2, 3);
        set(2, 4, 6);
        press(form.cmd_checkproduct);
        press(form.cmd_checkreduced);
        press(form.cmd_checkquotient);
        // A dealt problem checks the rewriting first.
        l.tutor().practice.deal(*fractions::Fraction::make(3, 4), *fractions::Fraction::make(5, 6));
        set(0, 8, 12);
        press(form.cmd_checksum);
        set(0, 9, 12);
        set(1, 8, 12);
        press(form.cmd_checksum);
        set(1, 10, 12);
        set(2, 19, 12);
        press(form.cmd_checksum);
        l.click_text();
    });
    h.tutor().reset_screen();
    h.choose("mnu_4");
    QVERIFY(!h.settle());
    QVERIFY(looked);
    const std::vector<std::string> expected{
        "   Added incorrectly. Try again",
        "   Good. Check if the answer is reduced.",
        "   It's reduced.",
        "   Good. Check if the answer is reduced.",
        "   Try again. ",
        "   Try again. ",
        "   Try again: the fraction reduces to a whole number.",
        "   Try again.",
        "   Not equivalent. Try again.",
        "   Good. Check if the answer is reduced.",
        "   2 is a common factor. Try again.",
        "   Good. Check if the answer is reduced.",
        "   top fraction rewritten incorrectly. Try again",
        "   bottom fraction rewritten incorrectly. Try again",
        "   Good. Check if the answer is reduced.",
    };
    QCOMPARE(verdicts, expected);
    // The lesson has ended; the practice screen stays until another lesson.
    QVERIFY(form.cmd_checksum.visible() && form.tbox_message.visible());
    QCOMPARE(h.tutor().page_bar.shown_title(), std::string("Lesson 4:  More arithmetic practice.  "));
}

void TestChapter3::lessonFourStartsAfreshOnEveryVisit()
{
    Harness h;
    auto& form = h.tutor().form;
    int visits = 0;
    std::vector<std::string> seen;
    h.set_learner([&](Harness& l) {
        if (l.last_line() != " More to come...What happens when you click?") {
            l.click_text();
            return;
        }
        ++visits;
        seen.push_back(form.tbox_message.text());
        if (visits == 1) {
            QVERIFY(l.set_fraction(2, 2, 1));
            form.cmd_checksum.click(); // 1/1 + 1/1: the answer is now 2/1
            // Pizzas drawn on the practice screen leave the verdict alone.
            l.choose("mnu_circle0");
            seen.push_back(form.tbox_message.text());
            l.choose("mnu_4"); // left midway, the lesson unwinds
        } else {
            // Judged against no earlier answer: 3/1 is simply reduced.
            QVERIFY(l.set_fraction(2, 3, 1));
            form.cmd_checkreduced.click();
            seen.push_back(form.tbox_message.text());
            l.choose("mnu_exit");
        }
    });
    h.choose("mnu_4");
    QVERIFY(h.settle());
    QCOMPARE(visits, 2);
    const std::vector<std::string> expected{"", "   Good. Check if the answer is reduced.", "", "   It's reduced."};
    QCOMPARE(seen, expected);
}

void TestChapter3::drillDealsFromTheGivenRanges()
{
    ui::Random random = ui::Random::fixed(5);
    std::set<int> nums;
    std::set<int> dens;
    lessons::Dealt previous{0, 0};
    int repeats = 0;
    for (int k = 0; k < 2000; ++k) {
        const lessons::Dealt f = lessons::deal_blue(random);
        nums.insert(f.num);
        dens.insert(f.den);
        repeats += f == previous;
        previous = f;
    }
    QCOMPARE(nums, (std::set<int>{4, 5, 6, 7, 8}));
    QCOMPARE(dens, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9}));
    // One generator running on: a reseed before each deal would repeat it.
    QVERIFY(repeats < 200);
}

// Slots 3 and 4 only keep the dealt fractions; shown, their controls sat at
// the window's corner over the title and the page strip.
void TestChapter3::dealtCopiesStayOffScreen()
{
    Harness h;
    int checked = 0;
    std::string condition;
    h.set_learner([&](Harness& l) {
        auto& slots = l.tutor().slots;
        condition = l.tutor().exercises.current_condition();
        for (int i = 3; i <= 4; ++i) {
            const std::vector<const ui::Control*> parts{slots.pbox_fracbar(i), slots.slider_fracnum(i),
                                                        slots.slider_fracden(i), slots.inbox(2 * i),
                                                        slots.inbox(2 * i + 1)};
            for (const ui::Control* part : parts)
                QVERIFY2(part && !part->visible(), part ? part->name().c_str() : "missing");
        }
        if (++checked == 3)
            l.tutor().waits.request_quit();
        else
            l.click_text();
    });
    h.tutor().reset_screen();
    h.choose("mnu_3c");
    QVERIFY(h.settle());
    QCOMPARE(checked, 3);
    QCOMPARE(condition, std::string("3ex3a")); // a dealt turn was on screen
}

// A wrong answer offers "here" to read on; a page started from the strip
// must not keep that link of the exercise it cut short (chapter 2 resets no
// screen between its pages, so the link stayed there).
void TestChapter3::pageJumpTakesTheHereLinkAway()
{
    Harness h;
    auto& go_on = h.tutor().form.pbox_go_on;
    enum { reading, answered, jumped, done } step = reading;
    h.set_learner([&](Harness& l) {
        switch (step) {
        case reading:
            if (l.tutor().exercises.current_condition() == "2c2")
                step = answered;
            l.click_text(); // the first click at the exercise is a wrong answer
            return;
        case answered:
            QVERIFY(go_on.visible());
            step = jumped;
            l.click_page_strip(12 * (26 - 1) + 2);
            return;
        case jumped:
            QCOMPARE(l.tutor().page_bar.shown_label(), std::string("Page 26  "));
            QVERIFY(!go_on.visible());
            step = done;
            l.tutor().waits.request_quit();
            return;
        case done:
            return;
        }
    });
    h.tutor().reset_screen();
    h.choose("mnu_2c");
    QVERIFY(h.settle());
    QCOMPARE(step, done);
}

QTEST_MAIN(TestChapter3)
#include "tst_chapter3.moc"
