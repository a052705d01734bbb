#include "app/main_window.h"
#include "support/harness.h"
#include "pages/catalogue.h"
#include "ui/platform.h"

#include <QtTest>

#include <ctime>

using namespace quorrel;
using testing::Harness;

namespace {

struct Visit {
    std::string lesson;
    int page;
    friend bool operator==(const Visit&, const Visit&) = default;
};

// Lessons that only note where they started, so paging is seen in isolation.
void install_recording_lessons(Harness& h, std::vector<Visit>& visits)
{
    for (const pages::LessonInfo& info : pages::catalogue) {
        h.add_lesson(std::string(info.code), [&visits, code = std::string(info.code)](const lessons::Stage& s) {
            const int start = s.pages.first_page();
            visits.push_back({code, start});
            s.pages.page(start);
        });
    }
}

// The course's paging alone, on its own message box and title bar, with
// lessons that only note where they started and a learner who clicks.
struct CourseRig {
    CourseRig()
    {
        pump.learner = [this] { waits.click(); };
        course.set_scripts([this](std::string_view code) {
            const int start = course.first_page();
            visits.push_back({std::string(code), start});
            course.page(start);
            return true;
        });
    }
    void settle() { waits.run_until_idle(); }

    testing::FakeClock clock;
    testing::ScriptedPump pump{clock};
    ui::Waits waits{pump, clock};
    ui::Form form{"Quorrel", 1280, 1000, ui::colors::window_back};
    ui::PictureBox& title = form.add<ui::PictureBox>("pbox_title", ui::colors::green);
    ui::PictureBox& strip = form.add<ui::PictureBox>("pbox_pages", ui::colors::page_strip);
    ui::PictureBox& text = form.add<ui::PictureBox>("pbox_text", ui::colors::yellow);
    ui::PictureBox& go_on = form.add<ui::PictureBox>("pbox_go_on", ui::colors::yellow);
    ui::MenuItem wait_item{"mnu_waitt", "Wait"};
    text::Writer writer{text, go_on, wait_item, waits};
    pages::PageBar bar{title, strip};
    app::Course course{waits, writer, bar};
    std::vector<Visit> visits;
};

double cpu_seconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

} // namespace

class TestApp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pendingClickEndsTheNextWait();
    void stopMarksButDoesNotEndAWait();
    void delayCountsElapsedTime();
    void realWaitsSleepInsteadOfSpinning();
    void nextPage_data();
    void nextPage();
    void prevPage_data();
    void prevPage();
    void pagingWalksTheWholeTable();
    void menuChoiceStartsAtPageOne();
    void pageStripJumps_data();
    void pageStripJumps();
    void aClickOnAFinishedScreenIsNotCarriedOver_data();
    void aClickOnAFinishedScreenIsNotCarriedOver();
    void titleBarShowsCourseWidePage();
    void thousandLessonStartsNeverNest();
    void aWaitInsideAnEventHandlerIsRefused();
    void closingTheWindowEndsEveryWait();
    void startScreenPixels();
    void emptyLessonScreenShowsTwoFifths();
    void resetKeepsSlotZeroOnTheWindow_data();
    void resetKeepsSlotZeroOnTheWindow();
    void arrowKeepsItsShape();
    void lessonIndexSkipsTheFirstLesson();
    void pageStripHighlightsTheCellUnderThePointer();
};

void TestApp::pendingClickEndsTheNextWait()
{
    Harness h;
    h.play([&h](const lessons::Stage& s) {
        s.say.click(); // made while no wait ran
        s.say.wait();
        QCOMPARE(h.pump.turns, 0);
        s.say.wait(); // the click was used up: this one needs the learner
        QCOMPARE(h.pump.turns, 1);
    });
}

void TestApp::stopMarksButDoesNotEndAWait()
{
    Harness h;
    h.set_learner([](Harness& l) {
        if (l.pump.turns == 1)
            l.press_stop();
        else
            l.click_text();
    });
    bool marked = false;
    h.play([&](const lessons::Stage& s) {
        s.say.wait();
        marked = s.ask.quit_marked();
    });
    QCOMPARE(h.pump.turns, 2);
    QVERIFY(marked);
}

void TestApp::delayCountsElapsedTime()
{
    Harness h; // its clock starts a tenth of a second before midnight
    const double before = h.clock.seconds();
    h.play([](const lessons::Stage& s) { s.say.delay(0.5); });
    QCOMPARE(h.clock.seconds() - before, 0.5);
    QCOMPARE(h.pump.turns, 0);

    ui::QtEventPump pump;
    ui::SteadyClock clock;
    ui::Waits runner(pump, clock);
    const double start = clock.seconds();
    runner.delay(0.05);
    QVERIFY(clock.seconds() - start >= 0.05);
}

void TestApp::realWaitsSleepInsteadOfSpinning()
{
    ui::QtEventPump pump;
    ui::SteadyClock clock;
    ui::Waits runner(pump, clock);
    QTimer::singleShot(400, [&runner] { runner.click(); });
    const double wall = clock.seconds();
    const double cpu = cpu_seconds();
    runner.wait();
    const double elapsed = clock.seconds() - wall;
    QVERIFY(elapsed >= 0.35);
    QVERIFY2(cpu_seconds() - cpu < 0.1 * elapsed, "an idle wait must block, not poll");
}

namespace {

void page_turn_columns()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("to_lesson"); // empty: nothing runs
    QTest::addColumn<int>("to_page");
}

struct PageTurn {
    std::vector<Visit> visits;
    int learner_turns = 0;
};

// Turns the page from the current row's lesson and page with NextPage or PrevPage.
PageTurn turn_page(void (app::Course::*turn)())
{
    QFETCH(QString, lesson);
    QFETCH(int, page);
    CourseRig rig;
    rig.course.set_current_lesson(lesson.toStdString());
    rig.course.set_current_page(page);
    (rig.course.*turn)();
    rig.settle();
    return {rig.visits, rig.pump.turns};
}

std::vector<Visit> expected_visit()
{
    QFETCH(QString, to_lesson);
    QFETCH(int, to_page);
    if (to_lesson.isEmpty())
        return {};
    return {{to_lesson.toStdString(), to_page}};
}

} // namespace

void TestApp::nextPage_data()
{
    page_turn_columns();
    QTest::newRow("within 1a") << "1a" << 2 << "1a" << 3;
    QTest::newRow("last of 1a to 1b") << "1a" << 5 << "1b" << 1;
    QTest::newRow("last of 3b to 3c") << "3b" << 2 << "3c" << 1;
    QTest::newRow("last of 3c stays") << "3c" << 3 << "" << 0;
    QTest::newRow("1e leads to 2a") << "1e" << 3 << "2a" << 1;
    QTest::newRow("within 1f") << "1f" << 1 << "1f" << 2;
    QTest::newRow("1f at 1a's last page") << "1f" << 5 << "1b" << 1;
    QTest::newRow("4 at 1a's last page") << "4" << 5 << "1b" << 1;
}

void TestApp::nextPage()
{
    const PageTurn turned = turn_page(&app::Course::mnu_next_Click);
    const std::vector<Visit> expected = expected_visit();
    QCOMPARE(turned.visits, expected);
    // A page shown by NextPage waits for a click.
    QCOMPARE(turned.learner_turns, expected.empty() ? 0 : 1);
}

void TestApp::prevPage_data()
{
    page_turn_columns();
    QTest::newRow("first of 1a") << "1a" << 1 << "" << 0;
    QTest::newRow("first of 1f") << "1f" << 1 << "" << 0;
    QTest::newRow("first of 4") << "4" << 1 << "" << 0;
    QTest::newRow("first of 2a to last of 1e") << "2a" << 1 << "1e" << 3;
    QTest::newRow("first of 1b to last of 1a") << "1b" << 1 << "1a" << 5;
    QTest::newRow("within 2b") << "2b" << 4 << "2b" << 3;
}

void TestApp::prevPage()
{
    const PageTurn turned = turn_page(&app::Course::mnu_prev_Click);
    QCOMPARE(turned.visits, expected_visit());
    QCOMPARE(turned.learner_turns, 0);
}

void TestApp::pagingWalksTheWholeTable()
{
    CourseRig rig;
    std::vector<Visit>& visits = rig.visits;
    auto& course = rig.course;
    const auto& table = course.table();
    std::vector<Visit> every;
    for (int i = 0; i < table.size(); ++i)
        for (int p = 1; p <= table.pages(i); ++p)
            every.push_back({table.code(i), p});
    QCOMPARE(every.size(), std::size_t{37});

    course.set_current_lesson("1a");
    course.set_current_page(1);
    for (int step = 0; step < 40; ++step) {
        course.mnu_next_Click();
        rig.settle();
    }
    std::vector<Visit> forward{{"1a", 1}};
    forward.insert(forward.end(), visits.begin(), visits.end());
    QCOMPARE(forward, every);

    visits.clear();
    for (int step = 0; step < 40; ++step) {
        course.mnu_prev_Click();
        rig.settle();
    }
    std::vector<Visit> backward(every.rbegin() + 1, every.rend());
    QCOMPARE(visits, backward);
}

void TestApp::menuChoiceStartsAtPageOne()
{
    Harness h;
    std::vector<Visit> visits;
    install_recording_lessons(h, visits);
    h.click_page_strip(12 * 2 + 2); // page 3
    h.settle();
    h.choose("mnu_2b");
    h.settle();
    QCOMPARE(visits, (std::vector<Visit>{{"1a", 3}, {"2b", 1}}));
}

void TestApp::pageStripJumps_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("page");
    // Each cell opens the page whose number is drawn in it, edge to edge.
    QTest::newRow("left edge of 1") << 0.0 << "1a" << 1;
    QTest::newRow("right half of 1") << 11.5 << "1a" << 1;
    QTest::newRow("left edge of 2") << 12.0 << "1a" << 2;
    QTest::newRow("middle of 4") << 42.0 << "1a" << 4;
    QTest::newRow("right edge of 5") << 59.9 << "1a" << 5;
    QTest::newRow("page 6") << 60.0 << "1b" << 1;
    QTest::newRow("right half of 37") << 442.0 << "3c" << 3;
    QTest::newRow("page 38 is beyond the table") << 444.0 << "" << 0;
}

void TestApp::pageStripJumps()
{
    QFETCH(double, x);
    QFETCH(QString, lesson);
    QFETCH(int, page);
    Harness h;
    std::vector<Visit> visits;
    install_recording_lessons(h, visits);
    h.click_page_strip(x);
    h.settle();
    if (lesson.isEmpty())
        QVERIFY(visits.empty());
    else
        QCOMPARE(visits, (std::vector<Visit>{{lesson.toStdString(), page}}));
}

void TestApp::aClickOnAFinishedScreenIsNotCarriedOver_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("strip") << "strip";
    QTest::newRow("menu") << "menu";
    QTest::newRow("next page") << "next";
}

void TestApp::aClickOnAFinishedScreenIsNotCarriedOver()
{
    QFETCH(QString, way);
    Harness h;
    std::vector<std::string> waited_on;
    for (const char* code : {"1a", "1b"}) {
        h.add_lesson(code, [&waited_on](const lessons::Stage& s) {
            s.pages.page(s.pages.first_page());
            waited_on.push_back("first line");
            s.say.wait();
            waited_on.push_back("second line");
            s.say.wait();
        });
    }
    h.set_learner([](Harness& l) { l.click_text(); });
    QVERIFY(!h.start());
    h.click_text(); // on the finished screen: nothing waits for it
    waited_on.clear();
    if (way == "strip")
        h.click_page_strip(12 * 5 + 2);
    else if (way == "menu")
        h.choose("mnu_1b");
    else
        h.tutor().next_page();
    std::vector<std::string> first_waits;
    h.set_learner([&](Harness& l) {
        first_waits.push_back(waited_on.back());
        l.click_text();
    });
    h.settle();
    QCOMPARE(first_waits.front(), std::string("first line"));
}

void TestApp::titleBarShowsCourseWidePage()
{
    CourseRig rig;
    auto& course = rig.course;
    auto title_image = [&] { return rig.title.canvas().image(); };
    course.set_current_lesson("1b");
    course.page(2);
    const QImage page7 = title_image();
    QCOMPARE(rig.bar.shown_label(), std::string("Page 7  "));
    course.set_current_lesson("1f");
    course.page(1);
    QCOMPARE(rig.bar.shown_label(), std::string("Page 38  "));
    QVERIFY(title_image() != page7);
}

void TestApp::aWaitInsideAnEventHandlerIsRefused()
{
    // Everywhere else the fault ends the test; here it is provoked on purpose.
    qunsetenv("QT_FATAL_CRITICALS");
    testing::FakeClock clock;
    testing::ScriptedPump pump(clock);
    ui::Waits waits(pump, clock);
    int handled = 0;
    pump.learner = [&] {
        if (++handled == 1) {
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("wait inside an event handler"));
            waits.wait(); // a handler that waits: refused, returns at once
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("wait inside an event handler"));
            waits.delay(5);
        }
        waits.click();
    };
    waits.wait();
    QCOMPARE(handled, 1);
    QCOMPARE(clock.seconds(), 0.0);
    QCOMPARE(waits.pauses(), std::uint64_t(1));
}

void TestApp::thousandLessonStartsNeverNest()
{
    Harness h;
    int starts = 0;
    int running = 0;
    int deepest = 0;
    bool resumed = false;
    h.add_lesson("1b", [&](const lessons::Stage& s) {
        ++starts;
        struct Running {
            int& count;
            ~Running() { --count; }
        } guard{++running};
        deepest = std::max(deepest, running);
        s.pages.page(1);
        s.say.write_line("A line that waits for a click.");
        resumed = true; // a replaced lesson never gets here
    });
    h.set_learner([&](Harness& l) { l.choose(starts < 1000 ? "mnu_1b" : "mnu_exit"); });
    h.turn_limit = 5000;
    h.start_lesson("1a");
    QVERIFY(h.settle());
    QVERIFY(!h.limit_reached());
    QCOMPARE(starts, 1000);
    QCOMPARE(deepest, 1);
    QCOMPARE(running, 0);
    QVERIFY(!resumed);
}

void TestApp::closingTheWindowEndsEveryWait()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    h.set_learner([&](Harness&) { window.close(); });
    QVERIFY(h.play([](const lessons::Stage& s) { s.say.wait(); }));
    QVERIFY(h.probe().quitting());
}

void TestApp::startScreenPixels()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    h.set_learner([](Harness& l) { l.tutor().quit(); }); // look at the first screen
    h.start();
    const QImage shot = window.form_view().grab().toImage();
    auto at = [&](int x, int y) { return shot.pixelColor(x, y); };
    const app::Probe& p = h.probe();
    const int half = p.window().width() / 2;
    const ui::Control& pbox_text = *p.find("pbox_text");
    const ui::Control& pbox_pages = *p.find("pbox_pages");

    QCOMPARE(p.find("pbox_title")->width(), half);
    QCOMPARE(at(half - 2, 1), QColor(0, 255, 0));
    QCOMPARE(at(half + 2, 1), QColor(240, 255, 255));
    const int strip_y = pbox_pages.top();
    QCOMPARE(at(half - 2, strip_y + 18), QColor(180, 180, 255));
    QCOMPARE(at(half - 2, strip_y + 19), QColor(180, 180, 255)); // the message box leaves its last row
    QVERIFY(pbox_text.top() >= pbox_pages.bottom_edge());
    // Every cell of the strip carries its page number.
    for (int page = 1; page <= 41; ++page) {
        bool inked = false;
        for (int x = 12 * (page - 1); x < 12 * page && !inked; ++x)
            for (int y = strip_y; y < strip_y + 20 && !inked; ++y)
                inked = at(x, y).lightness() < 100;
        QVERIFY2(inked, qPrintable(QString("page %1 has no number").arg(page)));
    }
    QCOMPARE(at(half - 5, pbox_text.top() + 400), QColor(255, 255, 0));
    QCOMPARE(at(p.window().width() - 3, p.window().height() / 2), QColor(240, 255, 255));
}

void TestApp::emptyLessonScreenShowsTwoFifths()
{
    Harness h;
    // Start-up ends with the chapter-3 layout; lesson 1a, as every lesson,
    // begins from the empty lesson screen.
    h.add_lesson("1a", [](const lessons::Stage& s) { s.screen.reset_screen(); });
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!h.start());
    const QImage shot = window.form_view().grab().toImage();
    const app::Probe& p = h.probe();
    const auto* picture = p.find("pbox_fracbar", 0);
    QVERIFY(picture->visible());
    QVERIFY(p.find("slider_fracnum", 0)->visible());
    QCOMPARE(p.find<ui::TextBox>("inbox", 0)->text(), std::string("2"));
    QCOMPARE(p.find<ui::TextBox>("inbox", 1)->text(), std::string("5"));
    // One unit of 120 pixels cut in fifths: the bar fills columns 1 to 48,
    // the bottom rows of the picture, in the fraction blue.
    const QColor blue(120, 120, 255);
    const int y = picture->top() + picture->height() - 5;
    int first = -1;
    int last = -1;
    for (int x = picture->left(); x < picture->left() + 200; ++x) {
        if (shot.pixelColor(x, y) == blue) {
            if (first < 0)
                first = x - picture->left();
            last = x - picture->left();
        }
    }
    QCOMPARE(first, 2); // column 1 lies under the width-3 tick of 0
    QCOMPARE(last, 47); // column 48 carries the tick that ends the second fifth
    QCOMPARE(shot.pixelColor(picture->left() + 48, y), QColor(0, 0, 0));
    QCOMPARE(shot.pixelColor(picture->left() + 30, y), blue);
    QCOMPARE(shot.pixelColor(picture->left() + 49, y), QColor(240, 255, 255));
}

void TestApp::resetKeepsSlotZeroOnTheWindow_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<bool>("mixed");
    QTest::newRow("2/5") << 2 << 5 << false;
    QTest::newRow("stick of many rows") << 40 << 3 << false;
    QTest::newRow("mixed number of many rows") << 39 << 5 << true;
}

// Whatever slot 0 held before, the empty lesson screen shows it, numerals
// included, in the same place inside the window.
void TestApp::resetKeepsSlotZeroOnTheWindow()
{
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(bool, mixed);
    Harness h;
    const app::Probe& p = h.probe();
    int top = 0;
    h.play([&](const lessons::Stage& s) {
        s.screen.reset_screen();
        top = p.find("pbox_fracbar", 0)->top();
        s.board.set_mixed(0, mixed);
        QVERIFY(s.board.show_fraction(0, n, d));
        s.screen.reset_screen();
    });
    const auto* picture = p.find("pbox_fracbar", 0);
    QCOMPARE(picture->top(), top);
    QVERIFY(picture->bottom_edge() <= p.window().height());
    for (int index = 0; index < 2; ++index) {
        const auto* box = p.find("inbox", index);
        QVERIFY(box->visible());
        QVERIFY(box->top() >= 0);
        QVERIFY(box->bottom_edge() <= p.window().height());
    }
}

void TestApp::arrowKeepsItsShape()
{
    app::LessonForm form(1280, 1000);
    auto shape = [&] {
        std::vector<double> points;
        for (const auto* line : form.arrow())
            points.insert(points.end(), {line->x1(), line->y1(), line->x2(), line->y2()});
        return points;
    };
    form.move_arrow(1200, 1200);
    const auto placed = shape();
    form.move_arrow(1200, 1200);
    QCOMPARE(shape(), placed);
    QCOMPARE(form.arrow()[0]->x1(), 1200.0);
    form.turn_arrow(1.57);
    QVERIFY(shape() != placed);
    form.turn_arrow(1.57); // turns start from the start-up shape: no build-up
    const auto once = shape();
    form.turn_arrow(0);
    QCOMPARE(shape(), placed);
    form.turn_arrow(1.57);
    QCOMPARE(shape(), once);
}

void TestApp::lessonIndexSkipsTheFirstLesson()
{
    const pages::PageTable table;
    QCOMPARE(table.lesson_index("1a"), std::optional<int>());
    QCOMPARE(table.lesson_index("1b"), std::optional<int>(1));
    QCOMPARE(table.lesson_index("3c"), std::optional<int>(10));
    QCOMPARE(table.lesson_index("1f"), std::optional<int>());
    QCOMPARE(table.lesson_index("4"), std::optional<int>());
    QCOMPARE(table.total_pages(), 37);
    QCOMPARE(table.offset("1f"), 37);
    QCOMPARE(pages::lesson_name("2d"), std::string_view());
}

void TestApp::pageStripHighlightsTheCellUnderThePointer()
{
    Harness h;
    h.add_lesson("1a", [](const lessons::Stage&) {});
    h.add_lesson("1b", [](const lessons::Stage& s) { s.pages.page(s.pages.first_page()); });
    h.start();
    auto& pbox_pages = h.control<ui::PictureBox>("pbox_pages");
    auto& pbox_text = h.control<ui::PictureBox>("pbox_text");
    const ui::Canvas& strip = pbox_pages.canvas();
    const int bottom = strip.height() - 1; // below the numbers' ink
    // The right half of "3" is the cell of page 3, not of page 4.
    pbox_pages.on_mouse_move(33, 5);
    for (int x = 24; x < 36; ++x)
        QCOMPARE(strip.pixel(x, bottom), ui::colors::yellow);
    const std::string strip_words(pages::PageBar::strip_description);
    QCOMPARE(pbox_pages.accessible_description(), strip_words + "; under the pointer: page 3 (lesson 1a, page 3)");
    QCOMPARE(strip.pixel(23, bottom), ui::colors::page_strip);
    QCOMPARE(strip.pixel(36, bottom), ui::colors::page_strip);
    QCOMPARE(strip.pixel(34, 0), ui::colors::yellow); // the whole height of the strip

    pbox_text.on_mouse_move(300, 150); // low in the text: the highlight stays
    QCOMPARE(strip.pixel(34, bottom), ui::colors::yellow);
    pbox_text.on_mouse_move(300, 100);
    QCOMPARE(strip.pixel(34, bottom), ui::colors::page_strip);
    QCOMPARE(pbox_pages.accessible_description(), strip_words);

    // The page shown is marked; the highlight goes when the pointer leaves
    // the strip, the mark stays.
    h.click_page_strip(12 * 6 + 2);
    h.settle();
    QCOMPARE(h.probe().page_label(), std::string("Page 7  "));
    QCOMPARE(h.control<ui::PictureBox>("pbox_title").accessible_description(),
             std::string("Lesson 1b: Setting up fraction pictures, page 7"));
    QCOMPARE(strip.pixel(72, bottom), pages::current_page_mark);
    QCOMPARE(strip.pixel(83, bottom), pages::current_page_mark);
    QCOMPARE(strip.pixel(84, bottom), ui::colors::page_strip);
    pbox_pages.on_mouse_move(30, 5);
    QCOMPARE(strip.pixel(34, bottom), ui::colors::yellow);
    pbox_pages.on_mouse_leave();
    QCOMPARE(strip.pixel(34, bottom), ui::colors::page_strip);
    QCOMPARE(strip.pixel(72, bottom), pages::current_page_mark);
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
