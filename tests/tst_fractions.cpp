#include "fractions/design.h"
#include "fractions/geometry.h"
#include "fractions/slots.h"
#include "ui/form.h"
#include "ui/platform.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace quorrel;
using fractions::RulerSide;

namespace {

constexpr ui::Color back = ui::colors::window_back;
constexpr ui::Color blue = ui::colors::fraction_blue;
constexpr ui::Color ink = ui::colors::black;

class Dialogs final : public ui::Dialogs {
public:
    void message_box(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// The main window as the slots see it: 1280 wide, so half is 640 and five
// units of 120 fit a row; the message box at the left, 640 wide, as at
// start-up. Slot 0's picture sits at (650, 540), its sliders at y 500 and 520.
struct Rig {
    explicit Rig(int width = 1280)
        : form("Quorrel", width, 1000, back),
          pbox_text(form.add<ui::PictureBox>("pbox_text", ui::colors::yellow)),
          tbox_message(form.add<ui::TextBox>("tbox_message")),
          frac(form, pbox_text, tbox_message, dialogs, random)
    {
        pbox_text.move(0, 20, 640, 900);
        frac.place_slot(0, 650, 510);
    }

    const ui::Canvas& picture(int i) { return frac.pbox_fracbar(i)->canvas(); }
    const ui::Canvas& window() { return form.canvas(); }
    void type(int box, const std::string& text)
    {
        frac.inbox(box)->user_edit(text);
        frac.inbox(box)->on_mouse_down();
    }
    // Pizzas of slot i get cells of 100 pixels: u is the top of its numerator box / 4.
    void hundred_pixel_pizzas(int i) { frac.inbox(2 * i)->set_top(400); }

    ui::Form form;
    ui::PictureBox& pbox_text;
    ui::TextBox& tbox_message;
    Dialogs dialogs;
    ui::Random random = ui::Random::fixed(7);
    fractions::Slots frac;
};

ui::Color colour_named(const QString& name)
{
    return name == "bar" ? blue : name == "ink" ? ink : back;
}

bool any_of_colour(const ui::Canvas& c, QRect area, ui::Color colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (c.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

class TestFractions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stickRows_data();
    void stickRows();
    void partTicksMatchEveryStep();
    void stickPixels_data();
    void stickPixels();
    void unitNumbersFaceTheirSide();
    void numbersContinueOnTheNextRow();
    void mixedNumeral();

    void sliderRuleOfSixteen();
    void snapBackAfterLessonValues();
    void snapBackBeyondNarrowedBounds();
    void maxIsTwiceTheLarger_data();
    void maxIsTwiceTheLarger();
    void showFractionRefuses_data();
    void showFractionRefuses();
    void badIndicesAreRefused();
    void slotsWithoutBoxes();

    void entryRefusesBadText_data();
    void entryRefusesBadText();
    void entryApplies_data();
    void entryApplies();
    void inputSetupAndMouseMove();

    void pizzaRow_data();
    void pizzaRow();
    void pizzaPixels();
    void redrawingOneSlotClearsTheOthersPizzas();
    void nothingDrawnWhereNothingFits();
    void spokesMatchTheFullLoop_data();
    void spokesMatchTheFullLoop();
    void cmult1ReportsAndRefuses();
    void designRings();
};

// Hand-worked from the stick rules: unit_length 120, row width 640 (five
// units a row) unless given.
void TestFractions::stickRows_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<double>("row_width");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("last_fill");
    QTest::addColumn<int>("last_units");  // unit ticks of the last row, minus tick 0
    QTest::addColumn<int>("last_first");  // number at tick 0 of the last row
    QTest::addColumn<QList<int>>("parts"); // first, last and count of its part ticks
    QTest::newRow("2/5") << 2 << 5 << false << 640.0 << 1 << 48 << 1 << 0 << QList<int>{24, 120, 5};
    QTest::newRow("0/7 spans one unit") << 0 << 7 << false << 640.0 << 1 << 0 << 1 << 0 << QList<int>{17, 120, 7};
    QTest::newRow("5/5 fills one unit") << 5 << 5 << false << 640.0 << 1 << 120 << 1 << 0 << QList<int>{24, 120, 5};
    QTest::newRow("39/12") << 39 << 12 << false << 640.0 << 1 << 390 << 4 << 0 << QList<int>{10, 480, 48};
    QTest::newRow("96/6 over four rows") << 96 << 6 << false << 640.0 << 4 << 120 << 1 << 15
                                         << QList<int>{20, 120, 6};
    QTest::newRow("48/12 at four a row") << 48 << 12 << false << 500.0 << 1 << 480 << 4 << 0
                                         << QList<int>{10, 480, 48};
    QTest::newRow("50/12 goes on") << 50 << 12 << false << 500.0 << 2 << 20 << 1 << 4 << QList<int>{10, 120, 12};
    QTest::newRow("50/5 ends with a full row") << 50 << 5 << false << 640.0 << 2 << 600 << 5 << 5
                                               << QList<int>{24, 600, 25};
    QTest::newRow("7/3 mixed cuts the last unit") << 7 << 3 << true << 640.0 << 1 << 280 << 3 << 0
                                                  << QList<int>{240, 360, 4};
    QTest::newRow("6/3 mixed: no cut unit") << 6 << 3 << true << 640.0 << 1 << 240 << 2 << 0
                                            << QList<int>{240, 240, 1};
    QTest::newRow("16/1 mixed, row goes on") << 16 << 1 << true << 640.0 << 4 << 120 << 1 << 15
                                             << QList<int>{120, 120, 1};
}

void TestFractions::stickRows()
{
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(bool, mixed);
    QFETCH(double, row_width);
    QFETCH(int, rows);
    QFETCH(int, last_fill);
    QFETCH(int, last_units);
    QFETCH(int, last_first);
    QFETCH(QList<int>, parts);
    const auto got = fractions::stick_rows({n, d, 120, row_width, RulerSide::above, mixed, 13});
    QCOMPARE(int(got.size()), rows);
    const auto& last = got.back();
    QCOMPARE(last.fill_end, last_fill);
    QCOMPARE(int(last.units.size()) - 1, last_units);
    QCOMPARE(last.units.front().number, last_first);
    QCOMPARE(last.units.back().x, 120 * last_units);
    QCOMPARE(last.base_end, 120 * last_units);
    QCOMPARE(last.y_base, 51 * rows);
    QCOMPARE(last.number_top, 51 * (rows - 1) + 10);
    QCOMPARE((QList<int>{last.parts.front(), last.parts.back(), int(last.parts.size())}), parts);
    for (std::size_t r = 0; r + 1 < got.size(); ++r) {
        QCOMPARE(got[r].fill_end, 120 * int(row_width / 120));
        QCOMPARE(got[r].units.back().number, got[r + 1].units.front().number);
    }
}

void TestFractions::partTicksMatchEveryStep()
{
    // However many steps share a pixel column, the columns are those of the
    // step-by-step loop, each once.
    for (const int d : {7, 119, 120, 121, 250, 1000, 32767}) {
        for (const double ul : {60.0, 120.0}) {
            const int n = 3 * d + 1;
            const auto rows = fractions::stick_rows({n, d, ul, 640, RulerSide::above, false, 13});
            std::set<int> expected;
            for (long long p = 1; p <= 4LL * d; ++p)
                expected.insert(fractions::to_pixel(double(p) * ul / d));
            const std::vector<int>& got = rows.front().parts;
            QCOMPARE(std::set<int>(got.begin(), got.end()), expected);
            QCOMPARE(got.size(), expected.size());
        }
    }
}

// Probes of the stick picture, worked out by hand. Row 0 has its bar base at
// y 51 (numbers above) or at 26 (25.5 rounded to even, numbers below).
void TestFractions::stickPixels_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("side");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QStringList>("colours");
    QTest::newRow("2/5") << 2 << 5 << 1
                         << QList<QPoint>{{2, 40}, {47, 40}, {48, 40}, {49, 40}, {24, 36}, {24, 35}, {30, 36},
                                          {30, 35}, {1, 25}, {2, 25}, {121, 25}, {122, 25}, {120, 20}}
                         << QStringList{"bar", "bar", "ink", "back", "ink", "back", "bar",
                                        "back", "ink", "back", "ink", "back", "back"};
    QTest::newRow("0/7") << 0 << 7 << 1 << QList<QPoint>{{2, 40}, {16, 40}, {17, 40}, {18, 40}, {68, 40}, {69, 40}}
                         << QStringList{"back", "back", "ink", "back", "back", "ink"};
    QTest::newRow("5/5") << 5 << 5 << 1 << QList<QPoint>{{119, 40}, {120, 40}, {121, 40}, {122, 40}}
                         << QStringList{"bar", "ink", "ink", "back"};
    QTest::newRow("39/12") << 39 << 12 << 1
                           << QList<QPoint>{{385, 40}, {390, 40}, {391, 40}, {400, 40}, {481, 25}, {482, 25}}
                           << QStringList{"bar", "ink", "back", "ink", "ink", "back"};
    QTest::newRow("96/6") << 96 << 6 << 1
                          << QList<QPoint>{{305, 90}, {300, 52}, {300, 53}, {590, 140}, {601, 140}, {602, 140},
                                           {105, 195}, {121, 195}, {125, 195}, {305, 195}}
                          << QStringList{"bar", "ink", "back", "bar", "ink", "back", "bar", "ink", "back", "back"};
    QTest::newRow("2/5 numbers below") << 2 << 5 << -1
                                       << QList<QPoint>{{10, 20}, {10, 11}, {10, 10}, {10, 27}, {10, 28}, {24, 11},
                                                        {1, 2}, {5, 2}}
                                       << QStringList{"bar", "bar", "back", "ink", "back", "ink", "ink", "back"};
}

void TestFractions::stickPixels()
{
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(int, side);
    QFETCH(QList<QPoint>, points);
    QFETCH(QStringList, colours);
    Rig rig;
    rig.frac.set_ruler_side(0, side == 1 ? RulerSide::above : RulerSide::below);
    QVERIFY(rig.frac.show_fraction(0, n, d));
    QCOMPARE(rig.frac.pbox_fracbar(0)->width(), 640);
    for (int k = 0; k < points.size(); ++k) {
        const QPoint p = points[k];
        QVERIFY2(rig.picture(0).pixel(p.x(), p.y()) == colour_named(colours[k]),
                 qPrintable(QString("(%1, %2) should be %3").arg(p.x()).arg(p.y()).arg(colours[k])));
    }
}

void TestFractions::unitNumbersFaceTheirSide()
{
    Rig rig;
    rig.frac.show_fraction(0, 2, 5);
    // "0" starts at its tick, "1" ends at its tick; both in the band above the ticks.
    QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 10), QPoint(12, 20)), ink));
    QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(108, 10), QPoint(119, 20)), ink));
    QVERIFY(!any_of_colour(rig.picture(0), QRect(QPoint(123, 0), QPoint(140, 20)), ink));

    rig.frac.set_ruler_side(0, RulerSide::below);
    rig.frac.show_fraction(0, 2, 5);
    QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 29), QPoint(12, 45)), ink));
    QVERIFY(!any_of_colour(rig.picture(0), QRect(QPoint(2, 0), QPoint(12, 9)), ink));
}

void TestFractions::numbersContinueOnTheNextRow()
{
    Rig rig;
    rig.frac.show_fraction(0, 96, 6);
    QCOMPARE(rig.frac.pbox_fracbar(0)->height(), 204);
    const auto rows = fractions::stick_rows({96, 6, 120, 640, RulerSide::above, false, 13});
    QCOMPARE(rows[1].units.front().number, 5);
    QCOMPARE(rows[3].units.back().number, 16);
    // Row 1 begins with "5" at the left edge.
    QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 61), QPoint(10, 71)), ink));
}

void TestFractions::mixedNumeral()
{
    Rig rig;
    rig.frac.set_mixed_mode(0, true);
    rig.frac.show_fraction(0, 7, 3);
    const ui::TextBox& whole = *rig.frac.wholepart(0);
    QVERIFY(whole.visible());
    QCOMPARE(whole.text(), std::string("2"));
    QCOMPARE(whole.font().size, 18.0);
    QCOMPARE(rig.frac.inbox(0)->text(), std::string("1"));
    QCOMPARE(rig.frac.inbox(1)->text(), std::string("3"));
    QCOMPARE(rig.frac.num(0), 7); // the sliders keep the improper numerator
    // Whole part right of the sliders, the fraction 6 beyond it.
    const int slider_right = rig.frac.slider_fracden(0)->right_edge();
    QCOMPARE(whole.left(), slider_right + 4);
    QCOMPARE(rig.frac.inbox(0)->left(), fractions::to_pixel(slider_right + whole.width() + 12.0));
    QVERIFY(rig.frac.fracline(0)->visible());
    // Only the third unit is cut into thirds.
    QCOMPARE(rig.picture(0).pixel(40, 40), blue);
    QCOMPARE(rig.picture(0).pixel(280, 40), ink);

    rig.frac.show_fraction(0, 6, 3);
    QCOMPARE(whole.text(), std::string("2"));
    QVERIFY(!rig.frac.inbox(0)->visible() && !rig.frac.inbox(1)->visible() && !rig.frac.fracline(0)->visible());

    rig.frac.toggle_mixed(0);
    QVERIFY(!whole.visible());
    QVERIFY(rig.frac.inbox(0)->visible());
    QCOMPARE(rig.frac.inbox(0)->text(), std::string("6"));
    QCOMPARE(rig.frac.inbox(0)->left(), slider_right + 10);
    QVERIFY(rig.frac.show_slot(0));
    QVERIFY(!whole.visible()); // shown with the slot only in mixed mode
}

void TestFractions::sliderRuleOfSixteen()
{
    Rig rig;
    auto& num = *rig.frac.slider_fracnum(0);
    auto& den = *rig.frac.slider_fracden(0);
    rig.frac.show_fraction(0, 15, 1);
    num.user_change(16);
    QCOMPARE(rig.frac.num(0), 16);
    QCOMPARE(rig.frac.inbox(0)->text(), std::string("16"));
    QCOMPARE(num.max(), 32);
    QCOMPARE(rig.frac.pbox_fracbar(0)->height(), 204);
    num.user_scroll(17);
    QCOMPARE(rig.frac.num(0), 16);
    QCOMPARE(rig.frac.den(0), 1);
    QCOMPARE(rig.frac.inbox(0)->text(), std::string("16"));

    den.user_change(2);
    QCOMPARE(rig.frac.inbox(1)->text(), std::string("2"));
    QCOMPARE((std::pair{rig.frac.last_num(0), rig.frac.last_den(0)}), (std::pair{16, 2}));
    QVERIFY(!rig.frac.setting_fraction());
}

void TestFractions::snapBackAfterLessonValues()
{
    {
        Rig rig; // the sliders were never moved: the last accepted pair is 1/1
        rig.frac.show_fraction(0, 48, 12);
        rig.frac.slider_fracden(0)->user_change(2);
        QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{1, 1}));
        QCOMPARE(rig.frac.inbox(0)->text(), std::string("1"));
        QCOMPARE(rig.frac.slider_fracnum(0)->max(), 2);
    }
    {
        Rig rig;
        rig.frac.show_fraction(0, 48, 12);
        for (int d = 11; d >= 2; --d)
            rig.frac.slider_fracden(0)->user_change(d);
        QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{48, 3}));
        QCOMPARE(rig.frac.inbox(1)->text(), std::string("3"));
    }
}

void TestFractions::snapBackBeyondNarrowedBounds()
{
    // The learner's last pair, 50/50, lies beyond the bounds a lesson later
    // set for 17/17: the snap-back must still reach it, not strand 17/1.
    Rig rig;
    rig.frac.show_fraction(0, 40, 40);
    rig.frac.slider_fracnum(0)->user_change(50);
    rig.frac.slider_fracden(0)->user_change(50);
    rig.frac.show_fraction(0, 17, 17);
    rig.frac.slider_fracden(0)->user_change(1);
    QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{50, 50}));
    QCOMPARE(rig.frac.inbox(0)->text(), std::string("50"));
}

void TestFractions::maxIsTwiceTheLarger_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("max");
    QTest::newRow("4/3") << 4 << 3 << 8;
    QTest::newRow("2/5") << 2 << 5 << 10;
    QTest::newRow("0/7") << 0 << 7 << 14;
    QTest::newRow("capped at 16 bits") << 20000 << 20000 << 32767;
    QTest::newRow("largest denominator") << 1 << 32767 << 32767;
}

void TestFractions::maxIsTwiceTheLarger()
{
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(int, max);
    Rig rig;
    QVERIFY(rig.frac.show_fraction(0, n, d));
    QCOMPARE(rig.frac.slider_fracnum(0)->max(), max);
    QCOMPARE(rig.frac.slider_fracden(0)->max(), max);
    QCOMPARE(rig.frac.slider_fracden(0)->min(), 1);
    QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{n, d}));
    QCOMPARE(rig.frac.inbox(0)->text(), std::to_string(n));
    QCOMPARE(rig.frac.inbox(1)->text(), std::to_string(d));
}

void TestFractions::showFractionRefuses_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::newRow("d = 0") << 1 << 0;
    QTest::newRow("d < 0") << 1 << -4;
    QTest::newRow("n < 0") << -1 << 4;
    QTest::newRow("n beyond a slider") << 40000 << 32767;
    QTest::newRow("d beyond a slider") << 1 << 40000;
    QTest::newRow("more than 16 units") << 33 << 2;
}

void TestFractions::showFractionRefuses()
{
    QFETCH(int, n);
    QFETCH(int, d);
    Rig rig;
    rig.frac.show_fraction(0, 2, 5);
    const QImage before = rig.picture(0).image();
    QVERIFY(!rig.frac.show_fraction(0, n, d));
    QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{2, 5}));
    QCOMPARE(rig.frac.slider_fracnum(0)->max(), 10);
    QCOMPARE(rig.frac.inbox(1)->text(), std::string("5"));
    QCOMPARE(rig.picture(0).image(), before);
}

void TestFractions::badIndicesAreRefused()
{
    Rig rig;
    for (const int i : {-1, 11, 3}) { // 3 is in range but not made yet
        QVERIFY(!rig.frac.show_fraction(i, 1, 2));
        QVERIFY(!rig.frac.place_slot(i, 0, 0));
        QVERIFY(!rig.frac.show_slot(i) && !rig.frac.hide_slot(i));
        QVERIFY(!rig.frac.showslide(i) && !rig.frac.hideslide(i));
        QCOMPARE(rig.frac.slider_fracnum(i), nullptr);
        QCOMPARE(rig.frac.pbox_fracbar(i), nullptr);
        QCOMPARE((std::pair{rig.frac.num(i), rig.frac.den(i)}), (std::pair{0, 1}));
        rig.frac.toggle_circle(i);
        rig.frac.inbox_MouseDown(2 * i);
    }
    QVERIFY(!rig.frac.make_slot(-1) && !rig.frac.make_slot(11));
    QCOMPARE(rig.frac.inbox(11), nullptr);
    rig.frac.set_circle_mode(11, true);
    QVERIFY(!rig.frac.circle_mode(11));
    QVERIFY(!rig.frac.input_setup(-1, 12));
    QVERIFY(!rig.frac.set_unit_length(0));
    QCOMPARE(rig.form.find("slider_fracnum(3)"), nullptr);
    QVERIFY(rig.frac.make_slot(3));
    QVERIFY(rig.form.find("slider_fracnum(3)") != nullptr);
    QVERIFY(rig.frac.make_slot(3)); // a second time only repeats the set-up
}

void TestFractions::slotsWithoutBoxes()
{
    Rig rig;
    QVERIFY(rig.frac.make_slot(5) && rig.frac.make_slot(6));
    QCOMPARE(rig.form.find("inbox(10)"), rig.frac.inbox(10));
    rig.frac.set_circle_mode(6, true);
    rig.frac.set_mixed_mode(5, true);
    QVERIFY(rig.frac.place_slot(5, 650, 300) && rig.frac.place_slot(6, 650, 100));
    QVERIFY(rig.frac.show_fraction(5, 7, 2));
    QVERIFY(rig.frac.show_fraction(6, 3, 4));
    QCOMPARE(rig.frac.inbox(10)->text(), std::string("7"));
    QCOMPARE(rig.picture(6).pixel(80, 40), blue);
}

void TestFractions::entryRefusesBadText_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << 0 << "";
    QTest::newRow("blanks") << 1 << "   ";
    QTest::newRow("word") << 0 << "abc";
    QTest::newRow("trailing letter") << 0 << "3x";
    QTest::newRow("decimal") << 1 << "2.5";
    QTest::newRow("negative") << 0 << "-3";
    QTest::newRow("signed") << 0 << "+3";
    QTest::newRow("beyond 32767") << 0 << "32768";
    QTest::newRow("far beyond") << 1 << "99999999999999999999";
    QTest::newRow("denominator 0") << 1 << "0";
}

void TestFractions::entryRefusesBadText()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    Rig rig;
    rig.frac.show_fraction(0, 2, 5);
    const QImage before = rig.picture(0).image();
    rig.type(box, text.toStdString());
    QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{2, 5}));
    QCOMPARE(rig.frac.slider_fracnum(0)->max(), 10);
    QCOMPARE(rig.picture(0).image(), before);
    QVERIFY(rig.dialogs.messages.empty());
}

void TestFractions::entryApplies_data()
{
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::newRow("numerator") << false << 0 << "4" << 4 << 5;
    QTest::newRow("blanks around") << false << 0 << " 3 " << 3 << 5;
    QTest::newRow("beyond the slider's max") << false << 1 << "12" << 2 << 12;
    QTest::newRow("too long snaps back to 1/1") << false << 0 << "100" << 1 << 1;
    QTest::newRow("mixed: a click alone changes nothing") << true << 0 << "2" << 12 << 5;
    QTest::newRow("mixed: the proper numerator") << true << 0 << "4" << 14 << 5;
    QTest::newRow("mixed: denominator") << true << 1 << "6" << 12 << 6;
}

void TestFractions::entryApplies()
{
    QFETCH(bool, mixed);
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(int, d);
    Rig rig;
    rig.frac.set_mixed_mode(0, mixed);
    rig.frac.show_fraction(0, mixed ? 12 : 2, 5);
    rig.type(box, text.toStdString());
    QCOMPARE((std::pair{rig.frac.num(0), rig.frac.den(0)}), (std::pair{n, d}));
}

void TestFractions::inputSetupAndMouseMove()
{
    Rig rig;
    QVERIFY(rig.frac.input_setup(4, 12));
    const ui::TextBox& box = *rig.frac.inbox(4);
    QCOMPARE(box.text(), std::string("0"));
    QCOMPARE(box.font().size, 12.0);
    QCOMPARE(box.background(), back);
    ui::Canvas probe(1, 1, back);
    probe.set_font({rig.window().font().name, 12});
    QCOMPARE(box.width(), fractions::to_pixel(2 * probe.text_width("0") + 3));
    QVERIFY(!rig.frac.input_setup(4, 0));

    // Typing 7 into the denominator box of slot 1 and clicking it.
    rig.frac.make_slot(1);
    rig.frac.show_fraction(1, 2, 5);
    rig.type(3, "7");
    QCOMPARE(rig.frac.den(1), 7);

    for (int k = 0; k <= 10; ++k)
        rig.frac.inbox(k)->set_background(ui::colors::red);
    rig.frac.Form_MouseMove();
    for (int k = 0; k <= 10; ++k)
        QCOMPARE(rig.frac.inbox(k)->background(), back);
}

// u = 100 (numerator box top 400), the slider top 500 and the message box's
// right edge 640 give six pizzas a row, radius 40, centres x 692, 792, ...
// and y 448 for the first row.
void TestFractions::pizzaRow_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("d");
    QTest::addColumn<bool>("mixed");
    QTest::addColumn<int>("count");
    QTest::addColumn<QPoint>("last_centre");
    QTest::addColumn<QString>("last_label");
    QTest::addColumn<QPoint>("last_label_at");
    QTest::newRow("13/12") << 13 << 12 << false << 2 << QPoint(792, 448) << "1/12" << QPoint(832, 420);
    QTest::newRow("0/5") << 0 << 5 << false << 1 << QPoint(692, 448) << "0/5" << QPoint(732, 420);
    QTest::newRow("6/3") << 6 << 3 << false << 2 << QPoint(792, 448) << "2" << QPoint(735, 410);
    QTest::newRow("7/3") << 7 << 3 << false << 3 << QPoint(892, 448) << "1/3" << QPoint(932, 420);
    QTest::newRow("6/3 mixed") << 6 << 3 << true << 2 << QPoint(792, 448) << "2" << QPoint(785, 440);
    QTest::newRow("96/6 stacks upwards") << 96 << 6 << false << 16 << QPoint(992, 248) << "16" << QPoint(935, 210);
}

void TestFractions::pizzaRow()
{
    QFETCH(int, n);
    QFETCH(int, d);
    QFETCH(bool, mixed);
    QFETCH(int, count);
    QFETCH(QPoint, last_centre);
    QFETCH(QString, last_label);
    QFETCH(QPoint, last_label_at);
    const auto pizzas = fractions::pizza_row(n, d, {640, 500, 400, 640}, mixed);
    QCOMPARE(int(pizzas.size()), count);
    const auto& last = pizzas.back();
    QCOMPARE(QPoint(last.x, last.y), last_centre);
    QCOMPARE(last.radius, 40);
    QCOMPARE(QString::fromStdString(last.label), last_label);
    QCOMPARE(QPoint(last.label_x, last.label_y), last_label_at);
    QCOMPARE(last.whole, n % d == 0 && n > 0);
}

void TestFractions::pizzaPixels()
{
    Rig rig;
    rig.hundred_pixel_pizzas(0);
    rig.frac.set_circle_mode(0, true);

    rig.frac.show_fraction(0, 13, 12);
    QCOMPARE(rig.window().pixel(702, 438), blue);  // the whole pizza is a disc
    QCOMPARE(rig.window().pixel(817, 453), blue);  // 1/12 shaded from 3 o'clock, clockwise
    QCOMPARE(rig.window().pixel(817, 443), back);
    QCOMPARE(rig.window().pixel(810, 448), ink);   // the spoke at 3 o'clock
    QVERIFY(any_of_colour(rig.window(), QRect(832, 420, 30, 15), ink)); // "1/12"

    rig.frac.show_fraction(0, 0, 5);
    QCOMPARE(rig.window().pixel(712, 458), back);
    QCOMPARE(rig.window().pixel(712, 448), ink);
    QCOMPARE(rig.window().pixel(702, 438), back); // the 13/12 pizzas are gone

    rig.frac.show_fraction(0, 7, 3);
    QCOMPARE(rig.window().pixel(902, 465), blue);  // 60 degrees: inside a third
    QCOMPARE(rig.window().pixel(875, 458), back);  // 150 degrees: outside
    QCOMPARE(rig.window().pixel(712, 448), ink);   // whole pizzas have spokes

    rig.frac.toggle_mixed(0);
    QCOMPARE(rig.window().pixel(712, 448), blue);  // ... but not in mixed mode
    QCOMPARE(rig.frac.wholepart(0)->text(), std::string("2"));

    rig.frac.toggle_circle(0); // pizza mode off: the stick alone is redrawn
    QCOMPARE(rig.window().pixel(712, 448), blue);
}

void TestFractions::redrawingOneSlotClearsTheOthersPizzas()
{
    Rig rig;
    rig.frac.make_slot(1);
    rig.frac.place_slot(1, 650, 810); // its numerator slider at y 800: pizzas at y 748
    rig.hundred_pixel_pizzas(0);
    rig.hundred_pixel_pizzas(1);
    rig.frac.set_circle_mode(0, true);
    rig.frac.set_circle_mode(1, true);
    rig.frac.show_fraction(0, 6, 3);
    QCOMPARE(rig.window().pixel(702, 438), blue);
    rig.frac.show_fraction(1, 1, 1);
    QCOMPARE(rig.window().pixel(702, 438), back);
    QCOMPARE(rig.window().pixel(702, 738), blue);

    // Slot 0's mixed mode leaves slot 1's whole pizzas their spokes.
    rig.frac.set_mixed_mode(0, true);
    rig.frac.show_fraction(1, 2, 2);
    QCOMPARE(rig.window().pixel(712, 748), ink);
}

void TestFractions::nothingDrawnWhereNothingFits()
{
    for (const int top : {0, -8, 2})
        QCOMPARE(fractions::pizza_row(3, 2, {640, 500, top, 640}, false).size(), std::size_t(top > 0 ? 2 : 0));
    QVERIFY(fractions::pizza_row(3, 2, {640, 500, 4000, 640}, false).empty()); // a cell wider than a row
    QVERIFY(fractions::stick_rows({3, 2, 120, 100, RulerSide::above, false, 13}).empty());

    Rig narrow(200); // half of 200 holds no unit of 120
    narrow.frac.place_slot(0, 10, 0);
    narrow.frac.set_circle_mode(0, true);
    QVERIFY(narrow.frac.show_fraction(0, 3, 2));
    QCOMPARE(narrow.frac.inbox(0)->text(), std::string("3"));
    QVERIFY(!any_of_colour(narrow.picture(0), QRect(0, 0, 100, 51), ink));
    narrow.frac.inbox(0)->set_top(0);
    QVERIFY(narrow.frac.show_fraction(0, 1, 2));
    narrow.frac.design();
}

void TestFractions::spokesMatchTheFullLoop_data()
{
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("e");
    QTest::newRow("1/1") << 1 << 1;
    QTest::newRow("b 3, e 5") << 3 << 5;
    QTest::newRow("b = e = 12") << 12 << 12;
    QTest::newRow("b 7, e 2") << 7 << 2;
}

void TestFractions::spokesMatchTheFullLoop()
{
    QFETCH(int, b);
    QFETCH(int, e);
    std::vector<double> every_bth;
    for (long long k = 0; k < 1LL * b * e; ++k)
        if (k % b == 0)
            every_bth.push_back(double(k) * 2000 * 0.00314159 / (double(b) * e));
    const auto got = fractions::spoke_angles(b, e);
    QCOMPARE(got.size(), every_bth.size());
    for (std::size_t j = 0; j < got.size(); ++j)
        QVERIFY(std::abs(got[j] - every_bth[j]) < 1e-12);
}

void TestFractions::cmult1ReportsAndRefuses()
{
    Rig rig;
    const QImage blank = rig.window().image();
    rig.frac.cmult1(1, 3, 1, 3, 800, 300, -5);
    QCOMPARE(rig.dialogs.messages, std::vector<std::string>{"error in cmult1: r = -5"});
    QCOMPARE(rig.window().image(), blank);
    rig.tbox_message.set_text("");
    rig.frac.cmult1(1, 0, 1, 0, 800, 300, 50); // no slices: nothing at all
    QCOMPARE(rig.window().image(), blank);
    QCOMPARE(rig.tbox_message.text(), std::string());

    rig.pbox_text.canvas().set_fore_color(ui::Color::rgb(1, 2, 3));
    rig.frac.cmult1(2, 3, 2, 5, 800, 300, 50);
    QCOMPARE(rig.tbox_message.text(), std::string("   197121"));
    QCOMPARE(rig.window().pixel(820, 310), blue); // 2/5 shaded
    QCOMPARE(rig.window().pixel(820, 290), back);
}

void TestFractions::designRings()
{
    const auto rings = fractions::design_rings(1280, 500);
    QCOMPARE(QPoint(rings.x, rings.y), QPoint(960, 250));
    QCOMPARE(rings.radii.size(), std::size_t(23)); // 1 .. 221, the largest 225
    QCOMPARE(rings.radii.back(), 221);

    Rig rig;
    rig.form.canvas().box(10, 10, 20, 20, ink, true);
    rig.frac.design();
    QCOMPARE(rig.window().pixel(15, 15), back);
    bool outer_ring = false; // radius 221 around (960, 250)
    for (int x = 1178; x <= 1184; ++x)
        outer_ring = outer_ring || rig.window().pixel(x, 250) != back;
    QVERIFY(outer_ring);
    QCOMPARE(rig.window().pixel(1190, 250), back);
}

QTEST_MAIN(TestFractions)
#include "tst_fractions.moc"
