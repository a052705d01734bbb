#include "app/main_window.h"
#include "fractions/slots.h"
#include "lessons/chapter2_drills.h"
#include "pages/catalogue.h"
#include "support/harness.h"
#include "support/learner.h"
#include "text/markup.h"

#include <QtTest>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

using namespace quorrel;
using testing::Harness;
using testing::Walker;

namespace {

// How each page of chapters 1 and 2 begins, by course-wide page number: the
// start of its first line, or "?" and the exercise it opens with.
const std::vector<std::string> first_lines = {
    "We use numbers to count collections",
    "To measure lengths that are not whole units",
    "Every fraction is made from the unit stick",
    "Don't fall into the trap",
    "Here is another example",
    "In this lesson you will learn",
    "If you click an arrow and hold",
    "Keep making the fraction bigger",
    "A fraction can be less than a unit",
    "The fraction is 13/12 even though",
    "Now you will practice using the sliders",
    "The picture at the right shows the topheavy fraction",
    "Note that 6/6 is written",
    "Summary: To ",
    "A fraction can be rewritten by multiplying",
    "To sum up: we rewrote 2/3",
    "Let's try another way of expanding",
    "?expand 0 to 1 by 2 top",
    "In lesson 2a you expanded 2/3",
    "?shows 0 4/6",
    "The numbers 2, 5 and 10",
    "Dividing by 2 and then by 6",
    "When the top or the bottom",
    "Here are some exercises on this material.",
    "We'll start with some exercises",
    "?equivalent 0 1",
    "?equivalent 0 1",
    "?equivalent 0 1",
    "?lowest 1 to 0",
};
constexpr int first_page_of_chapter2 = 15;

bool opens_as_expected(const testing::Screen& screen, int page)
{
    const std::string& first = first_lines[static_cast<std::size_t>(page - 1)];
    if (first.starts_with("?"))
        return screen.condition == first.substr(1);
    return screen.condition.empty() && screen.line.starts_with(first);
}

// Whether the learner has reached something to read or answer (not the
// welcome screen).
bool something_to_do(const testing::Screen& screen) { return !screen.line.empty() || !screen.condition.empty(); }

// What the learner first has before them on each page, reading the course
// through from start-up.
const std::map<std::string, testing::Screen>& screens_reading_through()
{
    static const auto screens = [] {
        Harness h;
        Walker walker(2);
        h.set_learner([&](Harness& l) { walker(l); });
        h.start();
        return walker.first_screens;
    }();
    return screens;
}

std::string page_key(const std::string& code, int global_page)
{
    return std::string(pages::lesson_name(code)) + "  |Page " + std::to_string(global_page) + "  ";
}

} // namespace

class TestLessons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walksTheCourseFromStartUp();
    void walksLessonOneFFromItsMenuItem();
    void everyPageOpensAtItsFirstLine_data();
    void everyPageOpensAtItsFirstLine();
    void nextAndPrevPageOpenNeighbours();
    void welcomeScreen();
    void aJumpedFromLessonNeverResumes();
    void aPageReachedFromTheWelcomeScreenKeepsTheLessonFace();
    void welcomeScreenWhenRevisited_data();
    void welcomeScreenWhenRevisited();
    void onlyTheNewestLineIsBlue_data();
    void onlyTheNewestLineIsBlue();
    void readingExercisesShowTheStickAlone();
    void referenceFractionTakesNoTyping();
    void mixedNumberPagesOpenInMixedMode();
    void mixedNumbersShowWholeAfterChapterTwo();
    void drillsDealTheirKindOfProblem();
    void drillsDealOnlyWhatTheSlidersHold();
};

void TestLessons::walksTheCourseFromStartUp()
{
    Harness h;
    Walker walker(2);
    // The drills of 3c are first answered with the right value unreduced.
    walker.unreduced_first = {"reduced condition 2 3 + 4", "reduced condition 2 3 * 4", "reduced condition 2 3 / 4"};
    h.set_learner(std::ref(walker));
    QVERIFY(!h.start()); // the course ends with lesson 3c, and the tutor goes idle
    QVERIFY(!h.limit_reached());
    QVERIFY(walker.unknown.empty());
    QVERIFY(walker.failures.empty());

    std::set<std::string> expected;
    const std::pair<const char*, int> lessons[] = {{"1a", 5}, {"1b", 3}, {"1c", 2}, {"1d", 1}, {"1e", 3}, {"2a", 4},
                                                   {"2b", 6}, {"2c", 5}, {"3a", 3}, {"3b", 2}, {"3c", 3}};
    int global = 0;
    for (const auto& [code, pages] : lessons)
        for (int p = 1; p <= pages; ++p)
            expected.insert(page_key(code, ++global));
    for (const auto& key : expected)
        QVERIFY2(walker.pages_seen.count(key), key.c_str());

    for (const char* next : {"1b", "1c", "1d", "1e", "2a", "2b", "2c", "3a", "3b", "3c"})
        QVERIFY2(h.wrote(std::string("Please click to go on to lesson ") + next), next);
    QVERIFY(h.wrote("OK, that's enough!") || h.wrote("Check that the fraction pictures match"));
    QVERIFY(h.wrote("Check that the fraction pictures match and click to continue."));
    QVERIFY(h.wrote("FontSize__30 2/3   = 2*2/3*2    = 4/6"));
    QVERIFY(h.wrote("FontSize__30 2/3    =  2*5/3*5    = 10/15"));
    QCOMPARE(h.last_line(), std::string("This is the end of the last lesson."));
    // Nothing is left to answer or to stop.
    QVERIFY(!h.control<ui::Button>("cmd_stop").visible());
    for (int slot = 0; slot < 3; ++slot)
        QVERIFY(!h.probe().find<ui::PictureBox>("pbox_fracbar", slot)->visible());
    // Chapter 1: 4 reading exercises, 1 in 1c, 5 in 1d and two drills.
    // Chapter 2: 8 exercises in 2a and 6 in 2b, and eight drills.
    // Chapter 3: 6 in 3a and two problems of three steps, then three drills
    // (three steps to a sum). Every drill is stopped on its second turn.
    QCOMPARE(walker.answers, 4 + 1 + 5 + 2 * 2 + 8 + 6 + 8 * 2 + 6 + 6 + 2 * 3 + 2 + 2);
    QCOMPARE(walker.retried, walker.answers + 3);
    // Each turn of the three reducing drills was first answered unreduced,
    // and so was the first turn of each 3c drill.
    QCOMPARE(walker.unreduced, 6);
    std::vector<std::string> messages(6, "Reduced correctly but not completely. Keep on reducing!");
    const std::string lowest = "Correct, but you need to rewrite your answer in lowest terms.";
    const std::string para(text::para_break);
    messages.insert(messages.end(), {lowest + para, para + lowest + para, para + lowest + para});
    QCOMPARE(h.dialogs.messages, messages);
    QVERIFY(!h.probe().in_lesson());
    // Each lesson was handed over to, not run inside the one before it.
    QCOMPARE(h.probe().start_depth_spread(), std::uintptr_t(0));
}

void TestLessons::aJumpedFromLessonNeverResumes()
{
    // Mid-way through 1a the learner picks lesson 4, which ends the course's
    // chain; once it is over, nothing of 1a may come back, and "Exit" still
    // ends the program from there.
    Harness h;
    std::size_t lines_at_jump = 0;
    bool exited = false;
    h.set_learner([&](Harness& l) {
        if (lines_at_jump == 0 && l.transcript().size() == 4) {
            lines_at_jump = l.transcript().size();
            l.choose("mnu_4");
            return;
        }
        l.click_text();
    });
    QVERIFY(!h.start()); // lesson 4 returns and the tutor goes idle
    QVERIFY(lines_at_jump > 0);
    QCOMPARE(h.probe().lesson(), std::string("4"));
    const auto& said = h.transcript();
    QCOMPARE(said.size(), lines_at_jump + 1);
    QVERIFY(said.back().starts_with("On this screen you make up your own problems"));
    h.set_learner([&](Harness& l) {
        exited = true;
        l.choose("mnu_exit");
    });
    QVERIFY(h.run([&] { h.tutor().run_until_quit(); }));
    QVERIFY(exited);
}

void TestLessons::aPageReachedFromTheWelcomeScreenKeepsTheLessonFace()
{
    // Chapter 2 does not reset the screen; the welcome screen's serif face
    // must not carry over into it.
    Harness h;
    ui::Font seen;
    h.set_learner([&](Harness& l) {
        if (l.probe().page_label() == "Page 1  ") {
            l.click_page_strip(12 * 19 + 2); // page 20, in lesson 2b
            return;
        }
        seen = l.control<ui::PictureBox>("pbox_text").canvas().font();
        l.tutor().quit();
    });
    QVERIFY(h.start());
    QCOMPARE(h.probe().page_label(), std::string("Page 20  "));
    QCOMPARE(seen.name, std::string("Arial Narrow"));
}

void TestLessons::walksLessonOneFFromItsMenuItem()
{
    Harness h;
    Walker walker;
    auto& item = h.menu("mnu_1f");
    QVERIFY(!item.enabled()); // the learner is not offered it
    item.set_enabled(true);
    h.set_learner([&](Harness& l) {
        // Stop at the hand-over, before lesson 2a lays out its own screen.
        if (l.last_line().starts_with("Please click to go on to lesson 2a"))
            l.tutor().quit();
        else
            walker(l);
    });
    h.choose("mnu_1f");
    h.settle();
    QVERIFY(walker.pages_seen.count(page_key("1f", 38)));
    QVERIFY(walker.pages_seen.count(page_key("1f", 39)));
    QVERIFY(h.wrote("THE VALUE OF ANY FRACTION EQUALS ITS NUMERATOR DIVIDED BY ITS DENOMINATOR."));
    QVERIFY(h.wrote("Please click to go on to lesson 2a"));
    // The three chocolate pictures are on screen, in the chocolate colour.
    for (int slot = 0; slot < 3; ++slot) {
        const auto* box = h.probe().find<ui::PictureBox>("pbox_fracbar", slot);
        QVERIFY(box->visible());
        QCOMPARE(box->canvas().pixel(15, 30), ui::Color::rgb(255, 255, 100));
    }
}

namespace {

// How the learner reaches a page: by its number on the strip, or by
// NextPage from the page before it or PrevPage from the page after it.
enum class Entry { strip, next_page, prev_page };

} // namespace

Q_DECLARE_METATYPE(Entry)

void TestLessons::everyPageOpensAtItsFirstLine_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<Entry>("entry");
    const int last = static_cast<int>(first_lines.size());
    for (int page = 1; page <= last; ++page) {
        const std::string n = std::to_string(page);
        QTest::newRow(("strip " + n).c_str()) << page << Entry::strip;
        if (page > 1)
            QTest::newRow(("next " + n).c_str()) << page << Entry::next_page;
        if (page < last)
            QTest::newRow(("prev " + n).c_str()) << page << Entry::prev_page;
    }
}

void TestLessons::everyPageOpensAtItsFirstLine()
{
    QFETCH(int, page);
    QFETCH(Entry, entry);
    Harness h;
    const std::string label = "Page " + std::to_string(page) + "  ";
    const int from = entry == Entry::strip ? page : entry == Entry::next_page ? page - 1 : page + 1;
    std::optional<testing::Screen> seen;
    bool jumped = false;
    bool stepped = entry == Entry::strip;
    h.set_learner([&](Harness& l) {
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (from - 1) + 2);
            return;
        }
        const auto screen = testing::screen_of(l);
        if (!stepped && something_to_do(screen)) {
            // At the neighbour's first line (or exercise), step to the page.
            stepped = true;
            l.choose(entry == Entry::next_page ? "mnu_next" : "mnu_prev");
            return;
        }
        if (stepped && !seen && something_to_do(screen) && l.probe().page_label() == label) {
            seen = screen;
            l.tutor().quit();
            return;
        }
        l.click_text();
    });
    QVERIFY(h.run([&] { h.tutor().run_until_quit(); }));
    QVERIFY(seen);
    QVERIFY2(opens_as_expected(*seen, page), (seen->line + "|" + seen->condition).c_str());
    QCOMPARE(h.probe().page_label(), label);
    // The same sticks, slots and buttons as when the course is read through.
    const auto& through = screens_reading_through();
    QVERIFY(through.count(label));
    const auto& expected = through.at(label);
    QCOMPARE(QString::fromStdString(seen->sticks), QString::fromStdString(expected.sticks));
    QCOMPARE(seen->stop, expected.stop);
    if (page < first_page_of_chapter2) {
        QCOMPARE(QString::fromStdString(seen->slots), QString::fromStdString(expected.slots));
        QVERIFY2(seen->slots.find("undrawn") == std::string::npos, seen->slots.c_str());
    }
}

void TestLessons::nextAndPrevPageOpenNeighbours()
{
    // From page 1, NextPage to chapter 2's last page and PrevPage back,
    // each at the first line (or exercise) of the page it opened.
    Harness h;
    const int last = static_cast<int>(first_lines.size());
    std::vector<std::pair<std::string, testing::Screen>> opened; // page label, first screen
    bool started = false;
    h.set_learner([&](Harness& l) {
        const std::string label = l.probe().page_label();
        const auto screen = testing::screen_of(l);
        if (!started) {
            started = true;
            l.click_page_strip(2);
            return;
        }
        if (!something_to_do(screen)) { // the welcome screen
            l.click_text();
            return;
        }
        if (opened.empty() || opened.back().first != label)
            opened.emplace_back(label, screen);
        const bool forward = opened.size() < static_cast<std::size_t>(last);
        if (opened.size() == static_cast<std::size_t>(2 * last - 1))
            l.tutor().quit();
        else
            l.choose(forward ? "mnu_next" : "mnu_prev");
    });
    QVERIFY(h.run([&] { h.tutor().run_until_quit(); }));
    QCOMPARE(opened.size(), static_cast<std::size_t>(2 * last - 1));
    for (std::size_t i = 0; i < opened.size(); ++i) {
        const int page = i < static_cast<std::size_t>(last) ? static_cast<int>(i) + 1 : 2 * last - 1 - static_cast<int>(i);
        QCOMPARE(opened[i].first, "Page " + std::to_string(page) + "  ");
        QVERIFY2(opens_as_expected(opened[i].second, page), opened[i].second.line.c_str());
    }
}

void TestLessons::welcomeScreen()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    h.set_learner([](Harness& l) { l.tutor().quit(); });
    QVERIFY(h.start());
    const QImage shot = window.form_view().grab().toImage();
    const auto& box = h.control<ui::PictureBox>("pbox_text");
    // "Welcome!" in 48-point type, one line down from the top of the box.
    const QRect welcome(box.left() + 80, box.top() + 60, 280, 70);
    int ink = 0;
    for (int x = welcome.left(); x <= welcome.right(); ++x)
        for (int y = welcome.top(); y <= welcome.bottom(); ++y)
            ink += shot.pixelColor(x, y) == QColor(0, 0, 0);
    QVERIFY2(ink > 1500, qPrintable(QString::number(ink)));
    QCOMPARE(shot.pixelColor(box.left() + 5, box.top() + 600), QColor(255, 255, 0));
    QCOMPARE(shot.pixelColor(box.right_edge() - 3, box.top() + 30), QColor(255, 255, 0));
    // The slot is hidden on the welcome screen.
    QVERIFY(!h.probe().find<ui::Slider>("slider_fracnum", 0)->visible());
}

namespace {

// Whether row y of the box holds `color`.
bool row_has(const ui::Canvas& box, ui::Color color, int y)
{
    for (int x = 0; x < box.width(); ++x)
        if (box.pixel(x, y) == color)
            return true;
    return false;
}

// The lowest row of a colour in the message box and the highest; -1 when absent.
std::pair<int, int> rows_of(const ui::Canvas& box, ui::Color color)
{
    int top = -1, bottom = -1;
    for (int y = 0; y < box.height(); ++y)
        if (row_has(box, color, y)) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    return {top, bottom};
}

// The leftmost column with ink (anything but the box's yellow) in rows y0..y1.
int first_ink(const ui::Canvas& box, int y0, int y1)
{
    for (int x = 0; x < box.width(); ++x)
        for (int y = y0; y <= y1; ++y)
            if (box.pixel(x, y) != ui::colors::yellow)
                return x;
    return -1;
}

} // namespace

void TestLessons::welcomeScreenWhenRevisited_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("start-up") << "";
    QTest::newRow("PrevPage from page 2") << "mnu_prev";
    QTest::newRow("the Lessons menu") << "mnu_1a";
}

void TestLessons::welcomeScreenWhenRevisited()
{
    // Black text at the box's margin, however the learner comes back to it.
    QFETCH(QString, way);
    Harness h;
    bool left = way.isEmpty();
    bool looked = false;
    h.set_learner([&](Harness& l) {
        const auto screen = testing::screen_of(l);
        if (!left && screen.line.starts_with("To measure lengths")) {
            left = true;
            l.choose(way.toStdString());
            return;
        }
        const auto& box = l.control<ui::PictureBox>("pbox_text").canvas();
        const auto [top, bottom] = rows_of(box, ui::colors::black);
        if (left && !something_to_do(screen) && !looked) {
            if (top < 0)
                return; // not yet drawn
            looked = true;
            QCOMPARE(rows_of(box, ui::colors::blue).first, -1);
            QCOMPARE(rows_of(box, ui::colors::history_grey).first, -1);
            QVERIFY2(first_ink(box, top, bottom) >= 10, std::to_string(first_ink(box, top, bottom)).c_str());
            l.tutor().quit();
            return;
        }
        l.click_text();
    });
    h.start();
    QVERIFY(looked);
}

void TestLessons::onlyTheNewestLineIsBlue_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("newest"); // the start of the line, or "?" and the exercise
    QTest::newRow("1a, under a highlight") << 3 << "This stick is 13 twelfths";
    QTest::newRow("1b's first prompt") << 8 << "?shows 1 4/11";
    QTest::newRow("1d, after a finished prompt") << 11 << "?shows 0 7/30";
    QTest::newRow("3b, under a rule in red and blue") << 34 << "To divide by a fraction";
}

void TestLessons::onlyTheNewestLineIsBlue()
{
    // What is history is grey, whatever colours its words had: the newest
    // line or prompt holds all the blue (and any red), in one piece.
    QFETCH(int, page);
    QFETCH(QString, newest);
    Harness h;
    Walker walker;
    h.menu("mnu_auto").set_checked(true); // on to the comparison after the exercise
    bool jumped = false;
    bool looked = false;
    std::optional<ui::Canvas> box; // as the learner saw it
    h.set_learner([&](Harness& l) {
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (page - 1) + 2);
            return;
        }
        const auto screen = testing::screen_of(l);
        const std::string want = newest.toStdString();
        if (!(want.starts_with("?") ? screen.condition == want.substr(1) : screen.line.starts_with(want))) {
            walker(l);
            return;
        }
        looked = true;
        box = l.control<ui::PictureBox>("pbox_text").canvas();
        l.tutor().quit();
    });
    h.start(); // the window laid out, then the jump from the welcome screen
    QVERIFY(looked);
    const auto grey = rows_of(*box, ui::colors::history_grey);
    const auto red = rows_of(*box, ui::colors::red);
    const auto blue = rows_of(*box, ui::colors::blue);
    QVERIFY(grey.first >= 0 && blue.first >= 0);
    QVERIFY(red.first < 0 || red.first >= blue.first);
    QVERIFY2(blue.first > grey.second, (std::to_string(blue.first) + " " + std::to_string(grey.second)).c_str());
    // No line's height without blue between two blue rows: no second blue line.
    int gap = 0;
    for (int y = blue.first, clear = 0; y <= blue.second; ++y) {
        clear = row_has(*box, ui::colors::blue, y) ? 0 : clear + 1;
        gap = std::max(gap, clear);
    }
    QVERIFY2(gap < ui::text_height(*box), std::to_string(gap).c_str());
}

namespace {

// Jumps to course page `page` and hands the screen to `look` at the first
// exercise that waits there.
void at_first_exercise(Harness& h, int page, const std::function<void(Harness&)>& look)
{
    bool jumped = false;
    h.set_learner([&](Harness& l) {
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (page - 1) + 2);
        } else if (l.probe().asked()) {
            look(l);
            l.tutor().quit();
        } else {
            l.click_text();
        }
    });
    h.run([&] { h.tutor().run_until_quit(); });
}

QRect rect_of(const ui::Control& c) { return QRect(c.left(), c.top(), c.width(), c.height()); }

} // namespace

void TestLessons::readingExercisesShowTheStickAlone()
{
    Harness h;
    bool looked = false;
    at_first_exercise(h, 8, [&](Harness& l) {
        looked = true;
        const app::Probe& p = l.probe();
        QCOMPARE(testing::describe(*p.asked()), std::string("shows 1 4/11"));
        // The stick to read shows no numeral that would give the answer away...
        QVERIFY(p.find("pbox_fracbar", 0)->visible());
        QVERIFY(!p.find("inbox", 0)->visible() && !p.find("inbox", 1)->visible());
        QVERIFY(!p.find("slider_fracnum", 0)->visible());
        // ...and the learner's fraction is set beside it, covering none of it.
        QVERIFY(p.find("slider_fracnum", 1)->visible() && p.find("inbox", 2)->visible());
        const QRect stick = rect_of(*p.find("pbox_fracbar", 0));
        for (const ui::Control* c : {p.find("pbox_fracbar", 1), p.find("slider_fracnum", 1),
                                     p.find("slider_fracden", 1), p.find("inbox", 2), p.find("inbox", 3)})
            QVERIFY2(!stick.intersects(rect_of(*c)), c->name().c_str());
    });
    QVERIFY(looked);
}

// The bottom stick of lesson 2 is there to compare with: it follows no
// slider, and its numeral takes no typing either.
void TestLessons::referenceFractionTakesNoTyping()
{
    Harness h;
    h.menu("mnu_auto").set_checked(true); // on to the comparison after the exercise
    bool jumped = false;
    bool looked = false;
    h.set_learner([&](Harness& l) {
        const app::Probe& p = l.probe();
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (20 - 1) + 2);
            return;
        }
        if (!p.find("inbox", 2)->visible() || p.find("slider_fracnum", 1)->visible()) {
            l.click_text();
            return;
        }
        looked = true;
        l.tutor().quit();
        QVERIFY(l.last_line().starts_with("Look to check"));
        const int n = l.num(1);
        const int d = l.den(1);
        auto& top = l.control<ui::TextBox>("inbox(2)");
        QVERIFY(!top.takes_typing());
        l.type_into(top, std::to_string(n == 9 ? 8 : 9));
        QCOMPARE(std::pair(l.num(1), l.den(1)), std::pair(n, d));
        QCOMPARE(top.text(), std::to_string(n));
        QVERIFY(l.control<ui::TextBox>("inbox(0)").takes_typing()); // the learner's own fraction does
    });
    h.run([&] { h.tutor().run_until_quit(); });
    QVERIFY(looked);
}

void TestLessons::mixedNumberPagesOpenInMixedMode()
{
    Harness h;
    bool looked = false;
    at_first_exercise(h, 14, [&](Harness& l) {
        looked = true;
        const app::Probe& p = l.probe();
        QCOMPARE(testing::describe(*p.asked()), std::string("copy 1 to 0"));
        QVERIFY(p.slots().modes().state(1).mixed_mode);
        QVERIFY(!p.slots().modes().state(0).mixed_mode);
        const auto* whole = p.find<ui::TextBox>("wholepart", 1);
        QVERIFY(whole->visible());
        QCOMPARE(whole->text(), std::to_string(l.num(1) / l.den(1)));
        // The topheavy fraction is drawn above the mixed number.
        QVERIFY(p.find("pbox_fracbar", 0)->bottom_edge() < p.find("slider_fracnum", 1)->top());
    });
    QVERIFY(looked);
}

namespace {

// Whether m is a product of `factors` whole numbers from 2 to 9.
bool product_of_small_factors(int m, int factors)
{
    if (factors == 0)
        return m == 1;
    for (int f = 2; f <= 9; ++f)
        if (m % f == 0 && product_of_small_factors(m / f, factors - 1))
            return true;
    return false;
}

bool in(lessons::Span span, int value) { return value >= span.low && value <= span.high(); }

// The top fraction of a practice turn is wrong, and setting the one part its
// prompt names to a whole number makes it equivalent to the bottom fraction:
// the top fraction so answered, if there is one.
std::optional<lessons::SlotValue> practice_answer(const lessons::DrillTurn& turn)
{
    const auto at = [&](int slot) {
        for (const auto& v : turn.slots)
            if (v.slot == slot)
                return v;
        return lessons::SlotValue{slot, 0, 0};
    };
    const auto top = at(0);
    const auto bottom = at(1);
    if (std::int64_t(top.num) * bottom.den == std::int64_t(bottom.num) * top.den)
        return std::nullopt; // nothing left to do
    const bool denominator = turn.prompt.starts_with("set the denominator");
    const std::int64_t wanted = denominator ? std::int64_t(top.num) * bottom.den : std::int64_t(top.den) * bottom.num;
    const int by = denominator ? bottom.num : bottom.den;
    if (wanted % by != 0)
        return std::nullopt;
    const int part = static_cast<int>(wanted / by);
    return denominator ? lessons::SlotValue{0, top.num, part} : lessons::SlotValue{0, part, top.den};
}

constexpr lessons::Practice practices[] = {
    lessons::Practice::expand_numerator_given, lessons::Practice::expand_denominator_given,
    lessons::Practice::reduce_denominator_given, lessons::Practice::reduce_numerator_given};

} // namespace

// Lesson 1e after chapter 2, read through, then left for 1c: its mixed
// number shows whole or not at all, its sticks are numbered above as the
// chapter draws them, and nothing of it stays behind.
void TestLessons::mixedNumbersShowWholeAfterChapterTwo()
{
    Harness h;
    const std::vector<int> route = {15, 12, 9};
    std::size_t stop = 0;
    std::set<std::string> failures;
    h.set_learner([&](Harness& l) {
        const app::Probe& p = l.probe();
        const std::string page = p.page_label();
        const auto shown = [&](const std::string& name, int k) { return p.find(name, k)->visible(); };
        if (page.starts_with("Page 12") || page.starts_with("Page 13") || page.starts_with("Page 14")) {
            const bool any = shown("inbox", 2) || shown("inbox", 3) || shown("fracline", 1) || shown("pbox_fracbar", 1);
            const bool whole = shown("wholepart", 1) && shown("pbox_fracbar", 1);
            if (any && !whole)
                failures.insert("a bare numeral: " + l.last_line());
            for (int i = 0; i < 2; ++i)
                if (p.slots().modes().state(i).ruler_side != fractions::RulerSide::above)
                    failures.insert("numbers under the stick: " + l.last_line());
        }
        if (page.starts_with("Page 9") && (shown("fracline", 1) || shown("wholepart", 1)))
            failures.insert("1e's bar stayed");
        const bool leaving = page.starts_with("Page 15") || page.starts_with("Page 9") || page.starts_with("Page 1 ") ||
                             (page.starts_with("Page 14") && p.asked());
        if (!leaving) {
            l.click_text();
        } else if (stop < route.size()) {
            l.click_page_strip(12 * (route[stop++] - 1) + 2);
        } else {
            l.tutor().quit();
        }
    });
    h.start();
    QCOMPARE(stop, route.size());
    std::string seen;
    for (const std::string& failure : failures)
        seen += failure + "; ";
    QVERIFY2(failures.empty(), seen.c_str());
}

void TestLessons::drillsDealTheirKindOfProblem()
{
    auto random = ui::Random::fixed(7);
    std::set<int> factor_counts;
    for (int turn = 0; turn < 10000; ++turn) {
        const auto by = lessons::deal_2aq1(random);
        QVERIFY(in(lessons::by_factor_top, by.a) && in(lessons::by_factor_bottom, by.b) &&
                in(lessons::by_factor_k, by.k));
        for (const auto& dealt : {lessons::turn_2aq1(by), lessons::turn_2bq1(by)}) {
            const auto& top = dealt.slots.front();
            QCOMPARE(top.slot, 0);
            QVERIFY2(top.num % top.den != 0, dealt.lead.c_str()); // never a whole number
            QVERIFY(dealt.prompt.ends_with(" by " + std::to_string(by.k)));
        }

        const auto lowest = lessons::deal_2bq2(random);
        QVERIFY(in(lessons::lowest_top, lowest.a) && in(lessons::lowest_bottom, lowest.b));
        QVERIFY(lowest.a != lowest.b);
        int count = 1;
        while (count <= 3 && !product_of_small_factors(lowest.m, count))
            ++count;
        QVERIFY2(count <= 3, std::to_string(lowest.m).c_str());
        factor_counts.insert(count);
        const auto last = lessons::turn_2c_lowest(lessons::deal_2c_lowest(random));
        QCOMPARE(last.slots.front().slot, 1);
        QVERIFY(last.slots.front().num % last.slots.front().den != 0); // never a whole number

        const auto rewrite = lessons::deal_2c(random);
        QVERIFY(in(lessons::practice_top, rewrite.n) && in(lessons::practice_bottom, rewrite.d) &&
                in(lessons::practice_k, rewrite.k));
        QVERIFY(rewrite.n % rewrite.d != 0);
        const auto first = lessons::turn_2c(lessons::Practice::expand_numerator_given, rewrite);
        // The numerator is already right; the denominator is not, until it is k·d.
        QCOMPARE(first.slots.back().num, rewrite.k * rewrite.n);
        const auto answered = practice_answer(first);
        QVERIFY(answered);
        QCOMPARE(answered->den, rewrite.k * rewrite.d);
        for (lessons::Practice kind : practices)
            QVERIFY(practice_answer(lessons::turn_2c(kind, rewrite)));
    }
    QCOMPARE(factor_counts, (std::set<int>{1, 2, 3}));
}

void TestLessons::drillsDealOnlyWhatTheSlidersHold()
{
    // Every problem any draw can deal, and its answer, fits the sliders.
    auto fits = [](const lessons::DrillTurn& turn) {
        return std::ranges::all_of(turn.slots, [](const lessons::SlotValue& v) {
            return fractions::slot_holds(v.num, v.den);
        });
    };
    const auto& top = lessons::by_factor_top;
    for (int a = top.low; a <= top.high(); ++a)
        for (int b = lessons::by_factor_bottom.low; b <= lessons::by_factor_bottom.high(); ++b)
            for (int k = lessons::by_factor_k.low; k <= lessons::by_factor_k.high(); ++k) {
                QVERIFY(fits(lessons::turn_2aq1({a, b, k})) && fractions::slot_holds(a * k, b * k));
                QVERIFY(fits(lessons::turn_2bq1({a, b, k})) && fractions::slot_holds(a, b));
            }

    std::set<int> multipliers{1};
    for (int count = 1; count <= lessons::lowest_factor_count.high(); ++count) {
        std::set<int> longer;
        for (int m : multipliers)
            for (int f = lessons::lowest_factor.low; f <= lessons::lowest_factor.high(); ++f)
                longer.insert(m * f);
        multipliers.insert(longer.begin(), longer.end());
    }
    for (int m : multipliers)
        for (int a = lessons::lowest_top.low; a <= lessons::lowest_top.high(); ++a)
            for (int b = lessons::lowest_bottom.low; b <= lessons::lowest_bottom.high(); ++b)
                QVERIFY2(fits(lessons::turn_2bq2({a, b, m})) && fits(lessons::turn_2c_lowest({a, b, m})),
                         std::to_string(m).c_str());

    for (int n = lessons::practice_top.low; n <= lessons::practice_top.high(); ++n)
        for (int d = lessons::practice_bottom.low; d <= lessons::practice_bottom.high(); ++d)
            for (int k = lessons::practice_k.low; k <= lessons::practice_k.high(); ++k)
                for (lessons::Practice kind : practices) {
                    const auto turn = lessons::turn_2c(kind, {n, d, k});
                    const auto answered = practice_answer(turn);
                    QVERIFY(fits(turn) && answered && fractions::slot_holds(answered->num, answered->den));
                }
    QVERIFY(multipliers.count(2) && multipliers.count(9 * 9 * 9));
}

QTEST_MAIN(TestLessons)
#include "tst_lessons.moc"
