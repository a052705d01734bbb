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

std::string page_key(const std::string& code, int global_page)
{
    return text::lesson_name(code) + "  |Page " + std::to_string(global_page) + "  ";
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
    QCOMPARE(h.tutor().runner.depth(), 0);
}

void TestLessons::walksLessonOneFFromItsMenuItem()
{
    Harness h;
    Walker walker;
    h.set_learner([&](Harness& l) { walker(l); });
    auto& item = *h.tutor().form.lesson_item("1f");
    QVERIFY(!item.enabled()); // the learner is not offered it
    item.set_enabled(true);
    h.run([&] {
        h.tutor().reset_screen();
        h.choose("mnu_1f");
        h.tutor().runner.wait(); // the deferred lesson runs here
    });
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
    QTest::addColumn<QString>("first");
    QTest::newRow("1") << 1 << "We use numbers to count collections";
    QTest::newRow("2") << 2 << "To measure lengths that are not whole units";
    QTest::newRow("3") << 3 << "Every fraction is made from the unit stick";
    QTest::newRow("4") << 4 << "Don't fall into the trap";
    QTest::newRow("5") << 5 << "Here is another example";
    QTest::newRow("6") << 6 << "In this lesson you will learn";
    QTest::newRow("7") << 7 << "If you click an arrow and hold";
    QTest::newRow("8") << 8 << "Keep making the fraction bigger";
    QTest::newRow("9") << 9 << "A fraction can be less than a unit";
    QTest::newRow("10") << 10 << "The fraction is 13/12 even though";
    QTest::newRow("11") << 11 << "Now you will practice using the sliders";
    QTest::newRow("12") << 12 << "The picture at the right shows the topheavy fraction";
    QTest::newRow("13") << 13 << "Note that 6/6 is written";
    QTest::newRow("14") << 14 << "Summary: To ";
}

void TestLessons::everyPageOpensAtItsFirstLine()
{
    QFETCH(int, page);
    QFETCH(QString, first);
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
            l.tutor().runner.request_quit();
            return;
        }
        l.click_text();
    });
    QVERIFY(h.run([&] { h.tutor().runner.run_until_quit(); }));
    QVERIFY2(seen.rfind(first.toStdString(), 0) == 0, seen.c_str());
    QCOMPARE(h.tutor().page_bar.shown_label(), "Page " + std::to_string(page) + "  ");
}

void TestLessons::nextAndPrevPageOpenNeighbours()
{
    Harness h;
    std::vector<std::string> labels;
    int step = 0;
    // Open page 3 of 1a, then NextPage twice and PrevPage once, noting the
    // page each one opened on its first line.
    h.set_learner([&](Harness& l) {
        const std::string label = l.tutor().page_bar.shown_label();
        if (!l.last_line().empty() && (labels.empty() || labels.back() != label))
            labels.push_back(label);
        switch (step++) {
        case 0: l.click_page_strip(26); return;
        case 1: l.choose("mnu_next"); return;
        case 2: l.choose("mnu_next"); return;
        case 3: l.choose("mnu_prev"); return;
        default: l.tutor().runner.request_quit(); return;
        }
    });
    QVERIFY(h.run([&] { h.tutor().runner.run_until_quit(); }));
    QCOMPARE(labels, (std::vector<std::string>{"Page 3  ", "Page 4  ", "Page 5  ", "Page 4  "}));
}

void TestLessons::welcomeScreen()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    h.set_learner([](Harness& l) { l.tutor().runner.request_quit(); });
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
            l.tutor().runner.request_quit();
        } else {
            l.click_text();
        }
    });
    h.run([&] { h.tutor().runner.run_until_quit(); });
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
