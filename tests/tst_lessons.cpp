#include "pages/catalogue.h"
#include "app/main_window.h"
#include "support/harness.h"
#include "support/learner.h"

#include <QtTest>

#include <map>
#include <set>

using namespace quorrel;
using testing::Harness;
using testing::Walker;

namespace {

// How each page of chapter 1 begins, by course-wide page number.
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
};

std::string page_key(const std::string& code, int global_page)
{
    return std::string(pages::lesson_name(code)) + "  |Page " + std::to_string(global_page) + "  ";
}

} // namespace

class TestLessons : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walksChapterOneFromStartUp();
    void walksLessonOneFFromItsMenuItem();
    void everyPageOpensAtItsFirstLine_data();
    void everyPageOpensAtItsFirstLine();
    void nextAndPrevPageOpenNeighbours();
    void welcomeScreen();
    void readingExercisesShowTheStickAlone();
    void mixedNumberPagesOpenInMixedMode();
};

void TestLessons::walksChapterOneFromStartUp()
{
    Harness h;
    Walker walker;
    h.set_learner([&](Harness& l) { walker(l); });
    QVERIFY(!h.start()); // 1e hands over to 2a, which this chapter does not hold
    QVERIFY(!h.limit_reached());
    QVERIFY(walker.unknown.empty());
    QVERIFY(walker.failures.empty());

    std::set<std::string> expected;
    const std::pair<const char*, int> lessons[] = {{"1a", 5}, {"1b", 3}, {"1c", 2}, {"1d", 1}, {"1e", 3}};
    int global = 0;
    for (const auto& [code, pages] : lessons)
        for (int p = 1; p <= pages; ++p)
            expected.insert(page_key(code, ++global));
    for (const auto& key : expected)
        QVERIFY2(walker.pages_seen.count(key), key.c_str());

    for (const char* next : {"1b", "1c", "1d", "1e", "2a"})
        QVERIFY2(h.wrote(std::string("Please click to go on to lesson ") + next), next);
    QVERIFY(h.wrote("OK, that's enough!") || h.wrote("Check that the fraction pictures match"));
    QVERIFY(h.wrote("Check that the fraction pictures match and click to continue."));
    // 4 reading exercises, 1 in 1c, 5 in 1d and two drills of 3 turns.
    QCOMPARE(walker.answers, 4 + 1 + 5 + 3 + 3);
    QCOMPARE(walker.retried, walker.answers);
    QVERIFY(!h.tutor().waits.in_lesson());
}

void TestLessons::walksLessonOneFFromItsMenuItem()
{
    Harness h;
    Walker walker;
    h.set_learner([&](Harness& l) { walker(l); });
    auto& item = *h.tutor().form.lesson_item("1f");
    QVERIFY(!item.enabled()); // the learner is not offered it
    item.set_enabled(true);
    h.tutor().reset_screen();
    h.choose("mnu_1f");
    h.settle();
    QVERIFY(walker.pages_seen.count(page_key("1f", 38)));
    QVERIFY(walker.pages_seen.count(page_key("1f", 39)));
    QVERIFY(h.wrote("THE VALUE OF ANY FRACTION EQUALS ITS NUMERATOR DIVIDED BY ITS DENOMINATOR."));
    QVERIFY(h.wrote("Please click to go on to lesson 2a"));
    // The three chocolate pictures are on screen, in the chocolate colour.
    for (int slot = 0; slot < 3; ++slot) {
        const auto* box = h.tutor().slots.pbox_fracbar(slot);
        QVERIFY(box->visible());
        QCOMPARE(box->canvas().pixel(15, 30), ui::Color::rgb(255, 255, 100));
    }
}

void TestLessons::everyPageOpensAtItsFirstLine_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= static_cast<int>(first_lines.size()); ++page)
        QTest::newRow(std::to_string(page).c_str()) << page;
}

void TestLessons::everyPageOpensAtItsFirstLine()
{
    QFETCH(int, page);
    const std::string first = first_lines[static_cast<std::size_t>(page - 1)];
    Harness h;
    std::string seen;
    bool jumped = false;
    h.set_learner([&](Harness& l) {
        if (!jumped) {
            jumped = true;
            l.click_page_strip(12 * (page - 1) + 2);
            return;
        }
        if (seen.empty() && !l.last_line().empty()) {
            seen = l.last_line();
            l.tutor().waits.request_quit();
            return;
        }
        l.click_text();
    });
    QVERIFY(h.run([&] { h.tutor().waits.run_until_quit(); }));
    QVERIFY2(seen.rfind(first, 0) == 0, seen.c_str());
    QCOMPARE(h.tutor().page_bar.shown_label(), "Page " + std::to_string(page) + "  ");
}

void TestLessons::nextAndPrevPageOpenNeighbours()
{
    // From page 1, NextPage to the chapter's last page and PrevPage back,
    // each at the first line of the page it opened.
    Harness h;
    const int last = static_cast<int>(first_lines.size());
    std::vector<std::pair<std::string, std::string>> opened; // page label, first line
    bool started = false;
    h.set_learner([&](Harness& l) {
        const std::string label = l.tutor().page_bar.shown_label();
        const std::string line = l.last_line();
        if (!started) {
            started = true;
            l.click_page_strip(2);
            return;
        }
        if (line.empty()) { // the welcome screen
            l.click_text();
            return;
        }
        if (opened.empty() || opened.back().first != label)
            opened.emplace_back(label, line);
        const bool forward = opened.size() < static_cast<std::size_t>(last);
        if (opened.size() == static_cast<std::size_t>(2 * last - 1))
            l.tutor().waits.request_quit();
        else
            l.choose(forward ? "mnu_next" : "mnu_prev");
    });
    QVERIFY(h.run([&] { h.tutor().waits.run_until_quit(); }));
    QCOMPARE(opened.size(), static_cast<std::size_t>(2 * last - 1));
    for (std::size_t i = 0; i < opened.size(); ++i) {
        const int page = i < static_cast<std::size_t>(last) ? static_cast<int>(i) + 1 : 2 * last - 1 - static_cast<int>(i);
        QCOMPARE(opened[i].first, "Page " + std::to_string(page) + "  ");
        QVERIFY2(opened[i].second.rfind(first_lines[static_cast<std::size_t>(page - 1)], 0) == 0,
                 opened[i].second.c_str());
    }
}

void TestLessons::welcomeScreen()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    h.set_learner([](Harness& l) { l.tutor().waits.request_quit(); });
    QVERIFY(h.start());
    const QImage shot = window.form_view().grab().toImage();
    const auto& box = h.tutor().form.pbox_text;
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
    QVERIFY(!h.tutor().slots.slider_fracnum(0)->visible());
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
        } else if (!l.tutor().exercises.current_condition().empty()) {
            look(l);
            l.tutor().waits.request_quit();
        } else {
            l.click_text();
        }
    });
    h.run([&] { h.tutor().waits.run_until_quit(); });
}

QRect rect_of(const ui::Control& c) { return QRect(c.left(), c.top(), c.width(), c.height()); }

} // namespace

void TestLessons::readingExercisesShowTheStickAlone()
{
    Harness h;
    bool looked = false;
    at_first_exercise(h, 8, [&](Harness& l) {
        looked = true;
        auto& slots = l.tutor().slots;
        QCOMPARE(l.tutor().exercises.current_condition(), std::string("1a1"));
        // The stick to read shows no numeral that would give the answer away...
        QVERIFY(slots.pbox_fracbar(0)->visible());
        QVERIFY(!slots.inbox(0)->visible() && !slots.inbox(1)->visible());
        QVERIFY(!slots.slider_fracnum(0)->visible());
        // ...and the learner's fraction is set beside it, covering none of it.
        QVERIFY(slots.slider_fracnum(1)->visible() && slots.inbox(2)->visible());
        const QRect stick = rect_of(*slots.pbox_fracbar(0));
        for (const ui::Control* c : std::initializer_list<const ui::Control*>{
                 slots.pbox_fracbar(1), slots.slider_fracnum(1), slots.slider_fracden(1), slots.inbox(2),
                 slots.inbox(3)})
            QVERIFY2(!stick.intersects(rect_of(*c)), c->name().c_str());
    });
    QVERIFY(looked);
}

void TestLessons::mixedNumberPagesOpenInMixedMode()
{
    Harness h;
    bool looked = false;
    at_first_exercise(h, 14, [&](Harness& l) {
        looked = true;
        auto& slots = l.tutor().slots;
        QCOMPARE(l.tutor().exercises.current_condition(), std::string("1eq1"));
        QVERIFY(slots.mixed_mode(1));
        QVERIFY(!slots.mixed_mode(0));
        QVERIFY(slots.wholepart(1)->visible());
        QCOMPARE(slots.wholepart(1)->text(), std::to_string(slots.num(1) / slots.den(1)));
        // The topheavy fraction is drawn above the mixed number.
        QVERIFY(slots.pbox_fracbar(0)->bottom_edge() < slots.slider_fracnum(1)->top());
    });
    QVERIFY(looked);
}

QTEST_MAIN(TestLessons)
#include "tst_lessons.moc"
