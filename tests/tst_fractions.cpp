#include "fractions/chocolate.h"
#include "fractions/design.h"
#include "fractions/pizza.h"
#include "fractions/geometry.h"
#include "fractions/slots.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "support/fakes.h"
#include "support/slot_parts.h"

#include <QtTest>

#include <cmath>
#include <set>

using namespace quorrel;
using fractions::RulerSide;

namespace {

constexpr ui::Color back = ui::colors::window_back;
constexpr ui::Color blue = ui::colors::fraction_blue;
constexpr ui::Color ink = ui::colors::black;

// The main window as the slots see it: 1280 wide, so half is 640 and five
// units of 120 fit a row; the message box at the left, 640 wide, as at
// start-up. Slot 0's picture sits at (650, 540), its sliders at y 500 and 520.
struct Rig {
    explicit Rig(int width = 1280)
        : form("Quorrel", width, 1000, back),
          pbox_text(form.add<ui::PictureBox>("pbox_text", ui::colors::yellow)),
          slots(form, pbox_text, random)
    {
        pbox_text.move(0, 20, 640, 900);
        slots.place_slot(0, 650, 510);
    }
    const ui::Canvas& picture(int i) { return testing::pbox_fracbar(slots, i)->canvas(); }
    const ui::Canvas& window() { return form.canvas(); }
    std::pair<int, int> value(int i) const { return {testing::num(slots, i), testing::den(slots, i)}; }
    void type(int box, const std::string& text)
    {
        testing::inbox(slots, box)->user_edit(text);
        testing::inbox(slots, box)->on_mouse_down();
    }
    // A pizza's cell is a quarter of the numerator box's top: here 100.
    void hundred_pixel_pizzas(int i) { testing::inbox(slots, 2 * i)->set_top(400); }

    ui::Form form;
    ui::PictureBox& pbox_text;
    testing::RecordingDialogs dialogs;
    ui::Random random = ui::Random::fixed(7);
    fractions::Slots slots;
};

bool any_of_colour(const ui::Canvas& c, QRect area, ui::Color colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (c.pixel(x, y) == colour)
                return true;
    return false;
}

using Pair = std::pair<int, int>;

} // namespace

class TestFractions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Hand-worked from the stick rules: unit length 120, four units a row at
    // a row width of 500 or 640: a row is never wider than 512.
    void stickRows_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("d");
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<double>("width");
        QTest::addColumn<QList<int>>("last"); // of the last row: rows, fill, units, first number
        QTest::addColumn<QList<int>>("parts"); // its part ticks: first, last, count
        QTest::newRow("2/5") << 2 << 5 << false << 640.0 << QList{1, 48, 1, 0} << QList{24, 120, 5};
        QTest::newRow("0/7 spans a unit") << 0 << 7 << false << 640.0 << QList{1, 0, 1, 0} << QList{17, 120, 7};
        QTest::newRow("39/12") << 39 << 12 << false << 640.0 << QList{1, 390, 4, 0} << QList{10, 480, 48};
        QTest::newRow("96/6") << 96 << 6 << false << 640.0 << QList{4, 480, 4, 12} << QList{20, 480, 24};
        QTest::newRow("48/12") << 48 << 12 << false << 500.0 << QList{1, 480, 4, 0} << QList{10, 480, 48};
        QTest::newRow("50/12 goes on") << 50 << 12 << false << 500.0 << QList{2, 20, 1, 4} << QList{10, 120, 12};
        QTest::newRow("40/5 no empty row") << 40 << 5 << false << 640.0 << QList{2, 480, 4, 4} << QList{24, 480, 20};
        QTest::newRow("50/5") << 50 << 5 << false << 1280.0 << QList{3, 240, 2, 8} << QList{24, 240, 10};
        QTest::newRow("60 a unit: 8 a row") << 96 << 12 << false << 1280.0 << QList{1, 480, 8, 0} << QList{5, 480, 96};
        QTest::newRow("7/3 mixed") << 7 << 3 << true << 640.0 << QList{1, 280, 3, 0} << QList{240, 360, 4};
        QTest::newRow("6/3 mixed") << 6 << 3 << true << 640.0 << QList{1, 240, 2, 0} << QList{240, 240, 1};
    }
    void stickRows()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        QFETCH(bool, mixed);
        QFETCH(double, width);
        QFETCH(QList<int>, last);
        QFETCH(QList<int>, parts);
        const double unit = QByteArray(QTest::currentDataTag()).startsWith("60") ? 60 : 120;
        const auto rows = fractions::stick_rows({n, d, unit, width, RulerSide::above, mixed, 13});
        const auto& r = rows.back();
        const int units = int(r.units.size()) - 1;
        QCOMPARE((QList{int(rows.size()), r.fill_end, units, r.units.front().number}), last);
        QCOMPARE((QList{r.parts.front(), r.parts.back(), int(r.parts.size())}), parts);
        QCOMPARE(r.base_end, int(unit) * units);
        QCOMPARE(r.y_base, 51 * int(rows.size()));
        QCOMPARE(r.number_top, 51 * (int(rows.size()) - 1) + 10);
        for (std::size_t k = 0; k + 1 < rows.size(); ++k) {
            QCOMPARE(rows[k].fill_end, 480);
            QCOMPARE(rows[k].units.back().number, rows[k + 1].units.front().number);
        }
    }

    // Each part gets its tick where the step-by-step loop puts it, or, too
    // narrow to keep the ticks apart, none does.
    void partTicksStayApart()
    {
        for (const int d : {7, 20, 21, 40, 41, 504, 32767}) {
            for (const double ul : {60.0, 120.0}) {
                const auto rows = fractions::stick_rows({3 * d + 1, d, ul, 640, RulerSide::above, false, 13});
                const std::vector<int>& got = rows.front().parts;
                QCOMPARE(got.empty(), ul / d < 3);
                for (std::size_t k = 0; k < got.size(); ++k)
                    QCOMPARE(got[k], fractions::to_pixel(double(k + 1) * ul / d));
                for (std::size_t k = 1; k < got.size(); ++k)
                    QVERIFY(got[k] - got[k - 1] >= 2);
            }
        }
    }

    // Probes worked out by hand. Row 0's bar base is at y 51 with numbers
    // above, at 26 (25.5, halves to even) with numbers below, where the bar's
    // top is 10 (10.5) and the numbers' 28 (28.5). The base line covers the
    // base and the line above it, so the last row's shows.
    void stickPixels_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("side");
        QTest::addColumn<QList<QPoint>>("on_bar");
        QTest::addColumn<QList<QPoint>>("inked");
        QTest::addColumn<QList<QPoint>>("bare");
        QTest::newRow("2/5") << 2 << 5 << 1 << QList<QPoint>{{2, 40}, {47, 40}, {30, 36}}
                             << QList<QPoint>{{48, 40}, {24, 36}, {1, 25}, {121, 25}}
                             << QList<QPoint>{{49, 40}, {24, 35}, {30, 35}, {2, 25}, {122, 25}, {120, 20}};
        QTest::newRow("0/7") << 0 << 7 << 1 << QList<QPoint>{} << QList<QPoint>{{17, 40}, {69, 40}}
                             << QList<QPoint>{{2, 40}, {16, 40}, {18, 40}, {68, 40}};
        QTest::newRow("5/5") << 5 << 5 << 1 << QList<QPoint>{{119, 40}} << QList<QPoint>{{120, 40}, {121, 40}}
                             << QList<QPoint>{{122, 40}};
        QTest::newRow("39/12") << 39 << 12 << 1 << QList<QPoint>{{385, 40}}
                               << QList<QPoint>{{390, 40}, {400, 40}, {481, 25}}
                               << QList<QPoint>{{391, 40}, {482, 25}};
        QTest::newRow("96/6") << 96 << 6 << 1 << QList<QPoint>{{305, 90}, {470, 140}, {105, 195}}
                              << QList<QPoint>{{305, 50}, {481, 140}, {121, 195}, {305, 203}}
                              << QList<QPoint>{{300, 53}, {482, 140}, {485, 195}, {305, 52}};
        QTest::newRow("216/504: units and fill, no part ticks")
            << 216 << 504 << 1 << QList<QPoint>{{2, 40}, {30, 40}, {51, 45}} << QList<QPoint>{{120, 40}, {121, 25}}
            << QList<QPoint>{{52, 40}, {90, 45}};
        QTest::newRow("2/5 numbers below") << 2 << 5 << -1 << QList<QPoint>{{10, 20}, {10, 11}, {10, 10}}
                                           << QList<QPoint>{{10, 25}, {10, 26}, {24, 10}, {1, 2}}
                                           << QList<QPoint>{{10, 9}, {10, 27}, {5, 2}};
    }
    void stickPixels()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        QFETCH(int, side);
        QFETCH(QList<QPoint>, on_bar);
        QFETCH(QList<QPoint>, inked);
        QFETCH(QList<QPoint>, bare);
        Rig rig;
        rig.slots.set_ruler_side(0, side == 1 ? RulerSide::above : RulerSide::below);
        QVERIFY(rig.slots.show_fraction(0, n, d));
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->width(), 640);
        const auto check = [&](const QList<QPoint>& points, ui::Color colour, const char* what) {
            for (const QPoint p : points)
                QVERIFY2(rig.picture(0).pixel(p.x(), p.y()) == colour,
                         qPrintable(QString("(%1, %2) is not %3").arg(p.x()).arg(p.y()).arg(what)));
        };
        check(on_bar, blue, "bar");
        check(inked, ink, "ink");
        check(bare, back, "background");
    }

    void unitNumbers()
    {
        Rig rig;
        rig.slots.show_fraction(0, 96, 6);
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->height(), 204);
        // "0" starts at its tick, "1" ends at its tick, above the ticks; row 1 starts with "5".
        QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 10), QPoint(12, 20)), ink));
        QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(108, 10), QPoint(119, 20)), ink));
        QVERIFY(!any_of_colour(rig.picture(0), QRect(QPoint(123, 0), QPoint(140, 20)), ink));
        QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 61), QPoint(10, 71)), ink));

        rig.slots.set_ruler_side(0, RulerSide::below);
        rig.slots.show_fraction(0, 2, 5);
        QVERIFY(any_of_colour(rig.picture(0), QRect(QPoint(2, 29), QPoint(12, 45)), ink));
        QVERIFY(!any_of_colour(rig.picture(0), QRect(QPoint(2, 0), QPoint(12, 9)), ink));
    }

    void mixedNumeral()
    {
        Rig rig;
        const ui::TextBox& whole = *testing::wholepart(rig.slots, 0);
        const ui::TextBox& top = *testing::inbox(rig.slots, 0);
        rig.slots.set_mixed(0, true);
        rig.slots.show_fraction(0, 7, 3);
        QVERIFY(whole.visible() && testing::fracline(rig.slots, 0)->visible());
        QCOMPARE(whole.text(), std::string("2"));
        QCOMPARE(whole.font().size, 18.0);
        QCOMPARE(top.text(), std::string("1"));
        QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::string("3"));
        QCOMPARE(testing::num(rig.slots, 0), 7);
        const int slider_right = testing::slider_fracden(rig.slots, 0)->right_edge();
        QVERIFY(whole.left() > slider_right && whole.right_edge() < top.left());
        QVERIFY(std::abs(top.left() - (whole.right_edge() + 4)) <= 1); // whole part's width, rounded
        QCOMPARE(rig.picture(0).pixel(40, 40), blue); // only the third unit is cut
        QCOMPARE(rig.picture(0).pixel(280, 40), ink);

        rig.slots.show_fraction(0, 6, 3); // a whole number: its whole part alone
        QCOMPARE(whole.text(), std::string("2"));
        QVERIFY(!top.visible() && !testing::inbox(rig.slots, 1)->visible() && !testing::fracline(rig.slots, 0)->visible());

        testing::toggle_mixed(rig.slots, 0);
        QVERIFY(!whole.visible() && top.visible() && testing::fracline(rig.slots, 0)->visible());
        QCOMPARE(top.text(), std::string("6"));
        QCOMPARE(top.left(), slider_right + 10);
        rig.slots.show_slot(0);
        QVERIFY(!whole.visible());

        // A hidden slot shows no part of its number until the whole of it
        // shows, a whole number as its whole part alone.
        const auto seen = [&] {
            return std::vector<bool>{whole.visible(), top.visible(), testing::inbox(rig.slots, 1)->visible(),
                                     testing::fracline(rig.slots, 0)->visible(),
                                     testing::pbox_fracbar(rig.slots, 0)->visible()};
        };
        rig.slots.hide_slot(0);
        rig.slots.set_mixed(0, true);
        rig.slots.show_fraction(0, 17, 6);
        QCOMPARE(seen(), std::vector<bool>(5, false));
        rig.slots.show_fraction(0, 12, 6);
        rig.slots.show_slot(0);
        QCOMPARE(seen(), (std::vector<bool>{true, false, false, false, true}));
        rig.slots.hide_slot(0);
        rig.slots.set_mixed(0, false);
        QCOMPARE(seen(), std::vector<bool>(5, false));
    }

    void sixteenUnitsAndSnapBack()
    {
        {
            Rig rig;
            rig.slots.show_fraction(0, 15, 1);
            testing::slider_fracnum(rig.slots, 0)->user_change(16);
            QCOMPARE(rig.value(0), Pair(16, 1));
            QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::string("16"));
            testing::slider_fracnum(rig.slots, 0)->user_change(17);
            QCOMPARE(rig.value(0), Pair(16, 1));
            QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::string("16"));
        }
        {
            Rig rig; // the sliders were never moved: the last pair allowed is 1/1
            rig.slots.show_fraction(0, 48, 12);
            testing::slider_fracden(rig.slots, 0)->user_change(2);
            QCOMPARE(rig.value(0), Pair(1, 1));
            QCOMPARE(testing::slider_fracnum(rig.slots, 0)->max(), 2);
        }
        {
            Rig rig;
            rig.slots.show_fraction(0, 48, 12);
            for (int d = 11; d >= 2; --d)
                testing::slider_fracden(rig.slots, 0)->user_change(d);
            QCOMPARE(rig.value(0), Pair(48, 3));
            QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::string("3"));
        }
        {
            // The last pair, 50/50, lies beyond the bounds a lesson later set
            // for 17/17: the snap-back still reaches it instead of leaving 17/1.
            Rig rig;
            rig.slots.show_fraction(0, 40, 40);
            testing::slider_fracnum(rig.slots, 0)->user_change(50);
            testing::slider_fracden(rig.slots, 0)->user_change(50);
            rig.slots.show_fraction(0, 17, 17);
            testing::slider_fracden(rig.slots, 0)->user_change(1);
            QCOMPARE(rig.value(0), Pair(50, 50));
        }
    }

    void maxIsTwiceTheLarger_data()
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
    void maxIsTwiceTheLarger()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        QFETCH(int, max);
        Rig rig;
        QVERIFY(rig.slots.show_fraction(0, n, d));
        QCOMPARE(testing::slider_fracnum(rig.slots, 0)->max(), max);
        QCOMPARE(testing::slider_fracden(rig.slots, 0)->max(), max);
        QCOMPARE(rig.value(0), Pair(n, d));
        QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::to_string(n));
        QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::to_string(d));
    }

    void showFractionRefuses_data()
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
    void showFractionRefuses()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        Rig rig;
        rig.slots.show_fraction(0, 2, 5);
        const QImage before = rig.picture(0).image();
        QVERIFY(!rig.slots.show_fraction(0, n, d));
        QCOMPARE(rig.value(0), Pair(2, 5));
        QCOMPARE(testing::slider_fracnum(rig.slots, 0)->max(), 10);
        QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::string("5"));
        QCOMPARE(rig.picture(0).image(), before);
    }

    void badIndicesAndMissingBoxes()
    {
        Rig rig;
        for (const int i : {-1, 11, 3}) { // 3 is in range but not made yet
            QVERIFY(!rig.slots.show_fraction(i, 1, 2) && !rig.slots.place_slot(i, 0, 0));
            QVERIFY(!rig.slots.show_slot(i) && !rig.slots.hideslide(i));
            QCOMPARE(testing::slider_fracnum(rig.slots, i), nullptr);
            QCOMPARE(rig.value(i), Pair(0, 1));
            testing::toggle_circle(rig.slots, i);
            if (ui::TextBox* box = testing::inbox(rig.slots, 2 * i))
                box->on_mouse_down();
        }
        QVERIFY(!rig.slots.make_slot(11));
        QCOMPARE(testing::inbox(rig.slots, 11), nullptr);
        rig.slots.set_pizza(11, true);
        QVERIFY(!rig.slots.modes().state(11).circle_mode);
        QVERIFY(!rig.slots.set_unit_length(0));

        // The boxes end at inbox(10): slot 5 has no denominator box, slot 6 none.
        QVERIFY(rig.slots.make_slot(5) && rig.slots.make_slot(6) && rig.slots.make_slot(6));
        QVERIFY(rig.form.find("slider_fracnum(6)") != nullptr);
        rig.slots.set_pizza(6, true);
        rig.slots.set_mixed(5, true);
        QVERIFY(rig.slots.place_slot(5, 650, 300) && rig.slots.place_slot(6, 650, 100));
        QVERIFY(rig.slots.show_fraction(5, 7, 2) && rig.slots.show_fraction(6, 3, 4));
        QCOMPARE(testing::inbox(rig.slots, 10)->text(), std::string("7"));
        QCOMPARE(rig.picture(6).pixel(80, 40), blue);
    }

    void entryRefusesBadText_data()
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
        QTest::newRow("beyond 16 units") << 0 << "99";
        QTest::newRow("far beyond 16 units") << 0 << "300";
    }
    // A refused text changes nothing, not even to the last pair the sliders
    // took (here 2/8): the box shows the slot's value again.
    void entryRefusesBadText()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        Rig rig;
        rig.slots.show_fraction(0, 2, 4);
        testing::slider_fracden(rig.slots, 0)->user_change(8);
        rig.slots.show_fraction(0, 2, 5);
        const QImage before = rig.picture(0).image();
        rig.type(box, text.toStdString());
        QCOMPARE(rig.value(0), Pair(2, 5));
        QCOMPARE(testing::inbox(rig.slots, box)->text(), std::string(box == 0 ? "2" : "5")); // not the refused text
        QCOMPARE(testing::slider_fracnum(rig.slots, 0)->max(), 10);
        QCOMPARE(rig.picture(0).image(), before);
        QVERIFY(rig.dialogs.messages.empty());
    }

    void entryApplies_data()
    {
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("d");
        QTest::newRow("numerator") << false << 0 << " 3 " << 3 << 5;
        QTest::newRow("beyond the slider's max") << false << 1 << "12" << 2 << 12;
        QTest::newRow("mixed: a click alone changes nothing") << true << 0 << "2" << 12 << 5;
        QTest::newRow("mixed: the proper numerator") << true << 0 << "4" << 14 << 5;
        QTest::newRow("mixed: denominator") << true << 1 << "6" << 12 << 6;
    }
    void entryApplies()
    {
        QFETCH(bool, mixed);
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(int, d);
        Rig rig;
        rig.slots.set_mixed(0, mixed);
        rig.slots.show_fraction(0, mixed ? 12 : 2, 5);
        rig.type(box, text.toStdString());
        QCOMPARE(rig.value(0), Pair(n, d));
    }

    void wholePartEntry_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("after_n"); // over 7
        QTest::addColumn<QString>("shown");
        QTest::newRow("a whole part before 3/7") << 3 << "3" << 24 << "3";
        QTest::newRow("a new whole part for 2 3/7") << 17 << " 3 " << 24 << "3";
        QTest::newRow("blank is no whole part") << 17 << "" << 3 << "";
        QTest::newRow("0") << 17 << "0" << 3 << "";
        QTest::newRow("letters") << 17 << "3x" << 17 << "2";
        QTest::newRow("negative") << 17 << "-1" << 17 << "2";
        QTest::newRow("decimal") << 3 << "1.5" << 3 << "";
        QTest::newRow("beyond a slider") << 3 << "32768" << 3 << "";
        QTest::newRow("more than a slider holds") << 3 << "4681" << 3 << ""; // 4681 * 7 + 3 = 32770
        QTest::newRow("beyond 16 units") << 17 << "17" << 17 << "2";
    }
    void wholePartEntry()
    {
        QFETCH(int, n);
        QFETCH(QString, text);
        QFETCH(int, after_n);
        QFETCH(QString, shown);
        Rig rig;
        rig.slots.make_slot(1);
        rig.slots.place_slot(1, 650, 300);
        rig.slots.set_mixed(1, true);
        rig.slots.show_fraction(1, n, 7);
        ui::TextBox& whole = *testing::wholepart(rig.slots, 1);
        whole.user_edit(text.toStdString());
        whole.on_mouse_down();
        QCOMPARE(rig.value(1), Pair(after_n, 7));
        QCOMPARE(whole.text(), shown.toStdString()); // never the refused text
        QCOMPARE(testing::inbox(rig.slots, 2)->text(), std::to_string(testing::num(rig.slots, 1) % testing::den(rig.slots, 1)));
        QVERIFY(rig.dialogs.messages.empty());
    }

    // A locked slot (its sliders greyed) and a frozen one (its sliders
    // hidden) keep what the program sets, whatever the learner does.
    void closedSlotTakesNoInput_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("locked") << true;
        QTest::newRow("sliders hidden") << false;
    }
    void closedSlotTakesNoInput()
    {
        QFETCH(bool, locked);
        Rig rig;
        rig.slots.set_mixed(0, true);
        rig.slots.show_fraction(0, 2, 5);
        if (locked)
            rig.slots.lock_slot(0, true);
        else
            rig.slots.hideslide(0);
        rig.slots.show_fraction(0, 17, 7);
        ui::Slider& num = *testing::slider_fracnum(rig.slots, 0);
        QCOMPARE(num.enabled(), !locked);
        num.user_change(10);
        num.user_drag(11);
        rig.type(1, "5");
        rig.type(0, "6");
        testing::wholepart(rig.slots, 0)->user_edit("1");
        testing::wholepart(rig.slots, 0)->on_mouse_down();
        QCOMPARE(rig.value(0), Pair(17, 7));
        QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::string("3"));
        QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::string("7"));
        QCOMPARE(testing::wholepart(rig.slots, 0)->text(), std::string("2"));
        for (const ui::TextBox* box : {testing::inbox(rig.slots, 0), testing::inbox(rig.slots, 1),
                                       testing::wholepart(rig.slots, 0)})
            QVERIFY(!box->takes_typing());
        QVERIFY(testing::inbox(rig.slots, 2)->takes_typing()); // the next slot's box is none of its business

        if (locked)
            rig.slots.lock_slot(0, false);
        else
            rig.slots.showslide(0);
        QVERIFY(num.enabled() && testing::inbox(rig.slots, 1)->takes_typing());
        rig.type(1, "8");
        QCOMPARE(rig.value(0), Pair(17, 8));
    }

    // While the button is dragged the picture and numeral show the value
    // under it, but the slot's value and the sliders' range stay until the
    // release applies it; a release where the drag began shows the value again.
    void dragShowsEachValueAndAppliesOnRelease()
    {
        Rig rig;
        Rig shown; // the same slot set outright, for the pictures to match
        rig.slots.show_fraction(0, 3, 4);
        ui::Slider& num = *testing::slider_fracnum(rig.slots, 0);
        ui::Slider& den = *testing::slider_fracden(rig.slots, 0);
        const QImage at_rest = rig.picture(0).image();
        for (const int n : {5, 8}) {
            num.user_drag(n);
            QVERIFY(shown.slots.show_fraction(0, n, 4));
            QCOMPARE(rig.picture(0).image(), shown.picture(0).image());
            QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::to_string(n));
            QCOMPARE(rig.value(0), Pair(3, 4));
            QCOMPARE(num.max(), 8);
        }
        num.user_change(3); // let go where it began
        QCOMPARE(rig.picture(0).image(), at_rest);
        QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::string("3"));

        den.user_drag(1);
        QCOMPARE(testing::inbox(rig.slots, 1)->text(), std::string("1"));
        den.user_change(2);
        QCOMPARE(rig.value(0), Pair(3, 2));
        QCOMPARE(num.max(), 6); // the range follows the release

        rig.slots.show_fraction(0, 15, 1);
        num.user_drag(16);
        num.user_drag(17); // past 16 units: the last value shown stays
        QCOMPARE(testing::inbox(rig.slots, 0)->text(), std::string("16"));
        QCOMPARE(rig.value(0), Pair(15, 1));
    }

    // A stick that wraps onto more rows pushes the picture kept below it
    // down, by the program or by the learner's sliders; placing the lower
    // slot again ends that.
    void followerStaysBelowAWrappingStick()
    {
        Rig rig;
        rig.slots.make_slot(1);
        rig.slots.place_slot(1, 650, 600);
        rig.slots.show_fraction(0, 2, 3);
        rig.slots.keep_below(1, 0, 20);
        const auto* top = testing::pbox_fracbar(rig.slots, 0);
        const auto* bottom = testing::pbox_fracbar(rig.slots, 1);
        QCOMPARE(bottom->top(), top->bottom_edge() + 20);
        const int one_row = top->bottom_edge();
        // The lower slot's numeral sits under its picture, as chapter 2 has it.
        auto* numeral = testing::inbox(rig.slots, 2);
        numeral->set_top(bottom->bottom_edge() + 8);
        rig.slots.show_fraction(0, 10, 1); // three rows of four units
        QVERIFY(top->bottom_edge() > one_row);
        QCOMPARE(bottom->top(), top->bottom_edge() + 20);
        QCOMPARE(numeral->top(), bottom->bottom_edge() + 8); // moved with it
        rig.slots.show_fraction(1, 9, 1); // and under its own picture as it grows
        QCOMPARE(bottom->height(), 153);
        QCOMPARE(numeral->top(), bottom->bottom_edge() + 8);
        testing::slider_fracden(rig.slots, 0)->user_change(5); // the learner shortens it: 10/5
        QCOMPARE(bottom->top(), top->bottom_edge() + 20);
        rig.slots.place_slot(1, 650, 900);
        rig.slots.show_fraction(0, 40, 3);
        QCOMPARE(bottom->top(), 930);
    }

    // With room for two rows a stick, a longer stick on show draws every
    // stick at half the unit, so that they stay alike, until it goes.
    void longSticksHalveTheUnit()
    {
        Rig rig;
        rig.slots.make_slot(1);
        rig.slots.place_slot(1, 650, 800);
        QVERIFY(rig.slots.set_unit_length(120, 2));
        rig.slots.show_fraction(1, 1, 1);
        const auto unit_of_slot_1 = [&] { return rig.picture(1).pixel(100, 40) == blue ? 120 : 60; };
        rig.slots.show_fraction(0, 8, 1);
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->height(), 102);
        QCOMPARE(unit_of_slot_1(), 120);
        rig.slots.show_fraction(0, 9, 1);
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->height(), 102);
        QCOMPARE(unit_of_slot_1(), 60);
        rig.slots.show_fraction(0, 32767, 2048); // 16 units, still two rows
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->height(), 102);
        rig.slots.hide_slot(0);
        QCOMPARE(unit_of_slot_1(), 120);
        rig.slots.show_slot(0);
        QCOMPARE(unit_of_slot_1(), 60);
        QVERIFY(!rig.slots.set_unit_length(120, 0));
        QVERIFY(rig.slots.set_unit_length(120)); // no limit: the next drawing
        rig.slots.show_fraction(1, 1, 1);         // puts every stick back
        QCOMPARE(unit_of_slot_1(), 120);
        QCOMPARE(testing::pbox_fracbar(rig.slots, 0)->height(), 204);
    }

    void entryBoxSetUp()
    {
        Rig rig;
        QVERIFY(rig.slots.entries().input_setup(4, 12));
        const ui::TextBox& box = *testing::inbox(rig.slots, 4);
        QCOMPARE(box.text(), std::string("0"));
        QCOMPARE(box.font().size, 12.0);
        QCOMPARE(box.background(), back);
        ui::Canvas probe(1, 1, back);
        probe.set_font({rig.window().font().name, 12});
        QVERIFY(box.width() >= fractions::to_pixel(2 * ui::text_width(probe, "0") + 3));
        QVERIFY(!rig.slots.entries().input_setup(4, 0) && !rig.slots.entries().input_setup(11, 12));

        rig.slots.make_slot(1);
        rig.slots.show_fraction(1, 2, 5);
        rig.type(3, "7");
        QCOMPARE(rig.value(1), Pair(2, 7));

        for (int k = 0; k <= 10; ++k)
            testing::inbox(rig.slots, k)->set_background(ui::colors::red);
        rig.form.on_mouse_move(); // the pointer back on the form
        for (int k = 0; k <= 10; ++k)
            QCOMPARE(testing::inbox(rig.slots, k)->background(), back);
    }

    // u = 100, slider top 500 and the message box's right edge 640 give six
    // pizzas a row, radius 40, centres x 692, 792, ... and y 448, 348, ...
    void pizzaRow_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("d");
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QPoint>("centre"); // of the last pizza
        QTest::addColumn<QString>("label");
        QTest::addColumn<QPoint>("label_at");
        QTest::newRow("13/12") << 13 << 12 << false << 2 << QPoint(792, 448) << "1/12" << QPoint(832, 420);
        QTest::newRow("0/5") << 0 << 5 << false << 1 << QPoint(692, 448) << "0/5" << QPoint(732, 420);
        QTest::newRow("6/3") << 6 << 3 << false << 2 << QPoint(792, 448) << "2" << QPoint(735, 410);
        QTest::newRow("7/3") << 7 << 3 << false << 3 << QPoint(892, 448) << "1/3" << QPoint(932, 420);
        QTest::newRow("6/3 mixed") << 6 << 3 << true << 2 << QPoint(792, 448) << "2" << QPoint(785, 440);
        QTest::newRow("96/6 stacks up") << 96 << 6 << false << 16 << QPoint(992, 248) << "16" << QPoint(935, 210);
    }
    void pizzaRow()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        QFETCH(bool, mixed);
        QFETCH(int, count);
        QFETCH(QPoint, centre);
        QFETCH(QString, label);
        QFETCH(QPoint, label_at);
        const auto pizzas = fractions::pizza_row(n, d, {640, 500, 400, 640}, mixed);
        QCOMPARE(int(pizzas.size()), count);
        const auto& last = pizzas.back();
        QCOMPARE(QPoint(last.x, last.y), centre);
        QCOMPARE(last.radius, 40);
        QCOMPARE(QString::fromStdString(last.label), label);
        QCOMPARE(QPoint(last.label_x, last.label_y), label_at);
        QCOMPARE(last.whole, n % d == 0 && n > 0);
    }

    void pizzaPixels()
    {
        Rig rig;
        rig.hundred_pixel_pizzas(0);
        rig.slots.set_pizza(0, true);
        rig.slots.show_fraction(0, 13, 12);
        QCOMPARE(rig.window().pixel(702, 438), blue); // the whole pizza is a disc
        QCOMPARE(rig.window().pixel(817, 453), blue); // 1/12 from 3 o'clock, clockwise
        QCOMPARE(rig.window().pixel(817, 443), back);
        QCOMPARE(rig.window().pixel(810, 448), ink);  // the spoke at 3 o'clock
        QVERIFY(any_of_colour(rig.window(), QRect(832, 420, 30, 15), ink)); // "1/12"

        rig.slots.show_fraction(0, 0, 5);
        QCOMPARE(rig.window().pixel(712, 458), back);
        QCOMPARE(rig.window().pixel(712, 448), ink);
        QCOMPARE(rig.window().pixel(702, 438), back); // the 13/12 pizzas are gone

        rig.slots.show_fraction(0, 7, 3);
        QCOMPARE(rig.window().pixel(902, 465), blue); // 60 degrees: inside the third
        QCOMPARE(rig.window().pixel(875, 458), back); // 150 degrees: outside
        QCOMPARE(rig.window().pixel(712, 448), ink);  // whole pizzas have spokes...
        testing::toggle_mixed(rig.slots, 0);
        QCOMPARE(rig.window().pixel(712, 448), blue); // ...but not in mixed mode
        testing::toggle_circle(rig.slots, 0); // off: the pizzas go with the mode
        QCOMPARE(rig.window().pixel(712, 448), back);
        QVERIFY(!any_of_colour(rig.window(), QRect(640, 300, 640, 200), ink));
    }

    // Pizzas of a hidden slot wait for it to be shown; turning the mode off
    // erases only the row that mode drew.
    void pizzasFollowTheirSlotAndMode()
    {
        Rig rig;
        rig.hundred_pixel_pizzas(0);
        rig.slots.set_pizza(0, true);
        rig.slots.hide_slot(0);
        rig.slots.show_fraction(0, 13, 12);
        QCOMPARE(rig.window().pixel(702, 438), back);
        rig.slots.show_slot(0);
        QCOMPARE(rig.window().pixel(702, 438), blue);

        rig.slots.make_slot(1);
        rig.slots.place_slot(1, 650, 810);
        rig.hundred_pixel_pizzas(1);
        rig.slots.set_pizza(1, true);
        rig.slots.show_fraction(1, 1, 1); // slot 1's row replaces slot 0's
        rig.slots.set_pizza(0, false);
        QCOMPARE(rig.window().pixel(702, 738), blue);
        rig.slots.set_pizza(1, false);
        QCOMPARE(rig.window().pixel(702, 738), back);
        rig.slots.set_pizza(1, true); // on again: shown at once
        QCOMPARE(rig.window().pixel(702, 738), blue);
    }

    // Every pizza and label lies right of the message box and below the
    // window's top, where it can be seen: where the rows would run above
    // it, the pizzas shrink.
    void pizzasStayInView()
    {
        for (const bool mixed : {false, true})
            for (const auto& [n, d] : {Pair(13, 12), Pair(96, 6), Pair(7, 1), Pair(0, 5), Pair(15, 1), Pair(31, 2)})
                for (const fractions::PizzaFrame frame :
                     {fractions::PizzaFrame{640, 500, 400, 640}, {640, 735, 740, 640}, {640, 120, 100, 512}}) {
                    const auto pizzas = fractions::pizza_row(n, d, frame, mixed);
                    QCOMPARE(int(pizzas.size()), n / d + (n % d || !n ? 1 : 0));
                    for (const auto& p : pizzas) {
                        QVERIFY2(p.label_x > 640 && p.label_y >= 0 && p.y - p.radius >= 0,
                                 qPrintable(QString::fromStdString(p.label)));
                        QVERIFY(p.y + p.radius < frame.slider_top && p.x + p.radius < 640 + 2 + frame.row_width);
                        QVERIFY(p.label_x + 30 < 640 + frame.row_width); // room for a label such as 15/16
                    }
                }
        Rig rig;
        rig.hundred_pixel_pizzas(0);
        rig.slots.set_pizza(0, true);
        rig.slots.show_fraction(0, 12, 6);
        QVERIFY(any_of_colour(rig.window(), QRect(641, 405, 12, 16), ink)); // "1"
    }

    void slotDrawingLeavesTheWindowFont()
    {
        Rig rig;
        const ui::Font before = rig.window().font();
        rig.hundred_pixel_pizzas(0);
        rig.slots.set_pizza(0, true);
        rig.slots.set_mixed(0, true);
        rig.slots.show_fraction(0, 13, 12);
        QCOMPARE(rig.window().font(), before);
        QCOMPARE(testing::wholepart(rig.slots, 0)->font().size, 18.0);
    }

    void chocolatePictures_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("width");
        QTest::addColumn<QPoint>("joint"); // a pixel on the line between bars or pieces
        QTest::addColumn<bool>("labelled");
        QTest::newRow("whole bars") << int(fractions::Chocolate::whole_bars) << 410 << QPoint(140, 35) << false;
        QTest::newRow("eighths") << int(fractions::Chocolate::cut_in_eighths) << 410 << QPoint(25, 35) << true;
        QTest::newRow("end to end") << int(fractions::Chocolate::end_to_end) << 380 << QPoint(130, 35) << true;
    }
    void chocolatePictures()
    {
        QFETCH(int, kind);
        QFETCH(int, width);
        QFETCH(QPoint, joint);
        QFETCH(bool, labelled);
        const auto chocolate = fractions::Chocolate(kind);
        QCOMPARE(fractions::chocolate_size(chocolate), QSize(width, 51));
        ui::Canvas canvas(width, 51, back);
        fractions::draw_chocolate(canvas, chocolate);
        QCOMPARE(canvas.pixel(60, 30), ui::Color::rgb(255, 255, 100));
        QVERIFY(canvas.pixel(joint.x(), joint.y()) != ui::Color::rgb(255, 255, 100));
        QCOMPARE(any_of_colour(canvas, QRect(0, 0, width, 22), ink), labelled);
    }

    void redrawingOneSlotClearsTheOthersPizzas()
    {
        Rig rig;
        rig.slots.make_slot(1);
        rig.slots.place_slot(1, 650, 810); // numerator slider at y 800: pizzas at y 748
        rig.hundred_pixel_pizzas(0);
        rig.hundred_pixel_pizzas(1);
        rig.slots.set_pizza(0, true);
        rig.slots.set_pizza(1, true);
        rig.slots.show_fraction(0, 6, 3);
        QCOMPARE(rig.window().pixel(702, 438), blue);
        rig.slots.show_fraction(1, 1, 1);
        QCOMPARE(rig.window().pixel(702, 438), back);
        QCOMPARE(rig.window().pixel(702, 738), blue);
        // Slot 0's mixed mode leaves slot 1's whole pizzas their spokes.
        rig.slots.set_mixed(0, true);
        rig.slots.show_fraction(1, 2, 2);
        QCOMPARE(rig.window().pixel(712, 748), ink);
    }

    void nothingDrawnWhereNothingFits()
    {
        for (const int top : {0, -8, 2})
            QCOMPARE(fractions::pizza_row(3, 2, {640, 500, top, 640}, false).size(), std::size_t(top > 0 ? 2 : 0));
        QVERIFY(fractions::pizza_row(3, 2, {640, 500, 4000, 640}, false).empty()); // a cell wider than a row
        QVERIFY(fractions::stick_rows({3, 2, 120, 100, RulerSide::above, false, 13}).empty());

        Rig narrow(200); // half of 200 holds no unit of 120
        narrow.slots.place_slot(0, 10, 0);
        narrow.slots.set_pizza(0, true);
        QVERIFY(narrow.slots.show_fraction(0, 3, 2));
        QCOMPARE(testing::inbox(narrow.slots, 0)->text(), std::string("3"));
        QVERIFY(!any_of_colour(narrow.picture(0), QRect(0, 0, 100, 51), ink));
        testing::inbox(narrow.slots, 0)->set_top(0);
        QVERIFY(narrow.slots.show_fraction(0, 1, 2));
        narrow.slots.design();
    }

    void spokesMatchTheFullLoop()
    {
        for (const auto& [b, e] : {Pair(1, 1), Pair(3, 5), Pair(12, 12), Pair(7, 2)}) {
            std::vector<double> every_bth;
            for (long long k = 0; k < 1LL * b * e; ++k)
                if (k % b == 0)
                    every_bth.push_back(double(k) * 2000 * 0.00314159 / (double(b) * e));
            const auto got = fractions::spoke_angles(b, e);
            QCOMPARE(got.size(), every_bth.size());
            for (std::size_t j = 0; j < got.size(); ++j)
                QVERIFY(std::abs(got[j] - every_bth[j]) < 1e-12);
        }
    }

    void cmult1DrawsAndRefuses()
    {
        ui::Canvas canvas(200, 200, back);
        QVERIFY(!fractions::cmult1(canvas, 1, 3, 1, 3, 100, 100, -1));
        QCOMPARE(canvas.pixel(100, 100), back);
        QVERIFY(fractions::cmult1(canvas, 1, 3, 1, 3, 100, 100, 50));
        QCOMPARE(canvas.pixel(120, 110), blue);
    }

    void designRings()
    {
        const auto rings = fractions::design_rings(1280, 500);
        QCOMPARE(QPoint(rings.x, rings.y), QPoint(960, 250));
        QCOMPARE(rings.radii.size(), std::size_t(23)); // 1 .. 221, the largest min(256, 225)
        Rig rig;
        rig.form.canvas().box(10, 10, 20, 20, ink, true);
        rig.slots.design();
        QCOMPARE(rig.window().pixel(15, 15), back);
        bool outer_ring = false; // radius 221
        for (int x = 1178; x <= 1184; ++x)
            outer_ring = outer_ring || rig.window().pixel(x, 250) != back;
        QVERIFY(outer_ring);
        QCOMPARE(rig.window().pixel(1190, 250), back);
    }

    // A slot's picture says what it shows, in its modes, and follows it.
    void picturesSayWhatTheyShow_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("d");
        QTest::addColumn<bool>("pizzas");
        QTest::addColumn<bool>("mixed");
        QTest::addColumn<QString>("words");
        QTest::newRow("stick") << 7 << 4 << false << false << "7/4 as a stick: 1 whole unit and 3 quarters";
        QTest::newRow("pizzas, mixed") << 17 << 6 << true << true << "2 5/6 as pizzas: 2 whole pizzas and 5 sixths";
        QTest::newRow("mixed stick") << 5 << 2 << false << true << "2 1/2 as a stick: 2 whole units and 1 half";
        QTest::newRow("whole number, mixed") << 6 << 3 << false << true << "2 as a stick: 2 whole units";
        QTest::newRow("proper") << 1 << 12 << false << false << "1/12 as a stick: 1 twelfth";
        QTest::newRow("past twelfths") << 20 << 13 << true << false << "20/13 as pizzas: 1 whole pizza and 7 over 13";
        QTest::newRow("zero") << 0 << 5 << false << false << "0/5 as a stick: nothing";
    }
    void picturesSayWhatTheyShow()
    {
        QFETCH(int, n);
        QFETCH(int, d);
        QFETCH(bool, pizzas);
        QFETCH(bool, mixed);
        QFETCH(QString, words);
        Rig rig;
        const ui::PictureBox& picture = *testing::pbox_fracbar(rig.slots, 0);
        rig.slots.show_fraction(0, 1, 3);
        rig.slots.set_pizza(0, pizzas);
        rig.slots.set_mixed(0, mixed);
        QVERIFY(rig.slots.show_fraction(0, n, d));
        QCOMPARE(QString::fromStdString(picture.accessible_description()), words);
        QCOMPARE(QString::fromStdString(picture.accessible_name()),
                 "Picture of the first fraction: " + words.section(':', 0, 0));
        rig.slots.hide_slot(0); // a hidden slot says nothing
        QCOMPARE(picture.accessible_description(), "");
    }
};

QTEST_MAIN(TestFractions)
#include "tst_fractions.moc"
