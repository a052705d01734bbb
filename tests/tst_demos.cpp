#include "demos/multiplication.h"
#include "text/markup.h"
#include "ui/canvas.h"

#include <QtTest>

#include <cmath>
#include <numbers>

using namespace quorrel;

namespace {

constexpr ui::Color back = ui::colors::window_back;
constexpr ui::Color yellow = ui::colors::yellow;
constexpr ui::Color blue = ui::colors::fraction_blue;
constexpr ui::Color green = ui::colors::green;
constexpr ui::Color ink = ui::colors::black;

// The message box's right edge at start-up on a 1280-wide screen: the
// circles' centres are 180 to its right.
constexpr int box_right = 640;
constexpr int centre_x = box_right + 180;

// Keeps every sentence and what the window showed when it was said.
class Recorder final : public demos::Narrator {
public:
    explicit Recorder(const ui::Canvas& window) : window_(window) {}
    void say(std::string_view sentence) override
    {
        sentences.emplace_back(sentence);
        shown.push_back(window_.image().copy());
    }
    std::vector<std::string> sentences;
    std::vector<QImage> shown;

private:
    const ui::Canvas& window_;
};

ui::Color color_of(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return ui::Color::rgb(qRed(p), qGreen(p), qBlue(p));
}

// The pixel at `degrees` clockwise from 3 o'clock, `reach` from the centre.
ui::Color at(const QImage& image, int row, double degrees, double reach)
{
    const double t = degrees * std::numbers::pi / 180;
    return color_of(image, static_cast<int>(std::lround(centre_x + reach * std::cos(t))),
                    static_cast<int>(std::lround(row + reach * std::sin(t))));
}

bool ink_near(const QImage& image, int row, double degrees, double reach)
{
    for (double d = -1.5; d <= 1.5; d += 0.25)
        if (at(image, row, degrees + d, reach) == ink)
            return true;
    return false;
}

// Black pixels of the ring between reach 30 and 80 within `half` degrees of
// `degrees`: a line 2 wide leaves about twice as many as a line 1 wide.
int ink_in_wedge(const QImage& image, int row, double degrees, double half)
{
    int count = 0;
    for (int y = row - 80; y <= row + 80; ++y)
        for (int x = centre_x - 80; x <= centre_x + 80; ++x) {
            const double dx = x - centre_x;
            const double dy = y - row;
            const double reach = std::hypot(dx, dy);
            if (reach < 30 || reach > 80)
                continue;
            double angle = std::atan2(dy, dx) * 180 / std::numbers::pi;
            double off = std::remainder(angle - degrees, 360.0);
            if (std::abs(off) <= half && color_of(image, x, y) == ink)
                ++count;
        }
    return count;
}

} // namespace

class TestDemos : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sentences_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("d");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("green_text");

        QTest::newRow("one part, one piece")
            << 1 << 2 << 1 << 3
            << "Figuring out 1/2 * 1/3  is the same as finding 1/2 OF 1/3 .  The yellow circle represents the unit. "
               "\r\n      In the second picture, the unit has been split into 3 parts, of which 1 part has been shaded "
               "blue to show the fraction 1/3 ."
            << "In each of the 1 blue 3ths of the unit, 1 of the 2 pieces has been colored green. Therefore the green "
               "pieces show the product 1/2 OF 1/3 .";
        QTest::newRow("two parts, two pieces")
            << 2 << 3 << 2 << 5
            << "Figuring out 2/3 * 2/5  is the same as finding 2/3 OF 2/5 .  The yellow circle represents the unit. "
               "\r\n      In the second picture, the unit has been split into 5 parts, of which 2 parts have been "
               "shaded blue to show the fraction 2/5 ."
            << "In each of the 2 blue 5ths of the unit, 2 of the 3 pieces have been colored green. Therefore the green "
               "pieces show the product 2/3 OF 2/5 .";
    }
    void sentences()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, d);
        QFETCH(QString, first);
        QFETCH(QString, green_text);
        const demos::DemoText text = demos::demo_text(a, b, c, d);
        QCOMPARE(QString::fromStdString(text.unit_and_part), first);
        QCOMPARE(text.product.size(), std::size_t(7));
        QCOMPARE(QString::fromStdString(text.product[1]), green_text);
    }

    void demo_says_every_sentence_once_each_at_its_picture()
    {
        ui::Canvas window(1280, 700, back);
        Recorder narrator(window);
        QVERIFY(demos::multdemo(window, narrator, box_right, 2, 3, 2, 5));
        QVERIFY(demos::demo_in_words(2, 3, 2, 5).ends_with("4 of 15 pieces green: 2/3 of 2/5"));
        const std::vector<std::string> expected{
            "Figuring out 2/3 * 2/5  is the same as finding 2/3 OF 2/5 .  The yellow circle represents the unit. "
            "\r\n      In the second picture, the unit has been split into 5 parts, of which 2 parts have been shaded "
            "blue to show the fraction 2/5 .",
            "Look again at the second picture. Each of the 5 parts of the unit has now been split into 3 pieces.\r\n"
            "      Therefore, the unit has been split into 3*5 = 15 equal pieces.",
            "Look at the new picture on the bottom.   ",
            "In each of the 2 blue 5ths of the unit, 2 of the 3 pieces have been colored green. Therefore the green "
            "pieces show the product 2/3 OF 2/5 .",
            "We saw earlier that the unit has been split into 15 equal pieces.",
            "How many pieces are colored green? That's easy. ",
            "In each of the 2 blue parts, 2 pieces have been  colored green.",
            "That's a total of 2*2 = 4 green pieces.",
            "Since the unit has been split into 15 pieces, it follows that the product 2/3 * 2/5 equals 4/15 . "
            "Therefore\r\n      FontSize__28 2/3 * 2/5   = 2*2/3*5   = 4/15 FontSize__14 ",
        };
        QCOMPARE(narrator.sentences, expected);
        // The product circle appears only after the second sentence.
        QCOMPARE(color_of(narrator.shown[1], centre_x - 45, 570), back);
        QCOMPARE(color_of(narrator.shown[2], centre_x - 45, 570), yellow);
        // Each sentence is its own markup: the formula is the only large text.
        const ui::Font main{"Arial Narrow", 14};
        struct Fixed final : text::Metrics {
            double width(const ui::Font&, std::string_view t) const override { return double(t.size()); }
            double height(const ui::Font& f) const override { return f.size; }
        } metrics;
        const auto layout = text::lay_out(expected.back(), {0, 0, main, ui::colors::blue}, 10000, main, metrics);
        QVERIFY(layout.complete());
        QCOMPARE(layout.end.font.size, 14.0);
    }

    void two_thirds_of_two_fifths_greens_four_fifteenths()
    {
        ui::Canvas window(1280, 700, back);
        Recorder narrator(window);
        QVERIFY(demos::multdemo(window, narrator, box_right, 2, 3, 2, 5));
        QVERIFY(demos::demo_in_words(2, 3, 2, 5).ends_with("4 of 15 pieces green: 2/3 of 2/5"));
        const QImage& image = window.image();
        constexpr int row = 570;
        // Sectors of 72 degrees, each in three pieces of 24: the first two
        // pieces of sectors 0 and 1 are green, their third blue, the rest yellow.
        for (const int sector : {0, 1}) {
            const double start = 72.0 * sector;
            QCOMPARE(at(image, row, start + 12, 55), green);
            QCOMPARE(at(image, row, start + 36, 55), green);
            QCOMPARE(at(image, row, start + 60, 55), blue);
        }
        for (const double mid : {180.0, 252.0, 324.0})
            QCOMPARE(at(image, row, mid, 55), yellow);

        int greens = 0;
        int coloured = 0;
        for (int y = row - 90; y <= row + 90; ++y)
            for (int x = centre_x - 90; x <= centre_x + 90; ++x) {
                const ui::Color c = color_of(image, x, y);
                greens += c == green;
                coloured += c == green || c == blue || c == yellow;
            }
        // 4/15 = 0.2667; the radial fill and the cuts shave a little at the edges.
        const double share = double(greens) / coloured;
        QVERIFY2(std::abs(share - 4.0 / 15) < 0.01, qPrintable(QString::number(share)));
        // The bottom circle reaches y = 660 and no further.
        QCOMPARE(color_of(image, centre_x, 659), ink);
        QCOMPARE(color_of(image, centre_x, 663), back);
    }

    void three_quarters_of_five_sixths_cuts_twenty_four_pieces()
    {
        ui::Canvas window(1280, 700, back);
        Recorder narrator(window);
        QVERIFY(demos::multdemo(window, narrator, box_right, 3, 4, 5, 6));
        constexpr int row = 370;
        // First sentence: six sectors of 60 degrees, five of them blue.
        const QImage& before = narrator.shown[0];
        for (int sector = 0; sector < 6; ++sector)
            QCOMPARE(at(before, row, 60.0 * sector + 30, 50), sector < 5 ? blue : yellow);
        for (int sector = 0; sector < 6; ++sector)
            QVERIFY(ink_near(before, row, 60.0 * sector, 60));
        QVERIFY(!ink_near(before, row, 15, 60));

        // Second sentence: 24 pieces of 15 degrees, every fourth line 2 wide.
        const QImage& after = narrator.shown[1];
        int thinnest_thick = 1 << 30;
        int thickest_thin = 0;
        for (int k = 0; k < 24; ++k) {
            QVERIFY2(ink_near(after, row, 15.0 * k, 60), qPrintable(QString::number(k)));
            QVERIFY(!ink_near(after, row, 15.0 * k + 7.5, 60));
            const int dark = ink_in_wedge(after, row, 15.0 * k, 5);
            if (k % 4 == 0)
                thinnest_thick = std::min(thinnest_thick, dark);
            else
                thickest_thin = std::max(thickest_thin, dark);
        }
        QVERIFY2(thinnest_thick > 1.5 * thickest_thin,
                 qPrintable(QString("%1 %2").arg(thinnest_thick).arg(thickest_thin)));
    }

    void geometry_without_pixels()
    {
        const auto layout = demos::lay_out_demo(2, 3, 2, 5, box_right, 90);
        QVERIFY(layout);
        QCOMPARE(layout->x, centre_x);
        QCOMPARE(layout->product.centre, QPoint(centre_x, 570));
        QCOMPARE(layout->cuts.size(), std::size_t(15));
        for (std::size_t i = 0; i < layout->cuts.size(); ++i)
            QCOMPARE(layout->cuts[i].width, i % 3 == 0 ? 2 : 1);
        QCOMPARE(layout->cuts[0].tip, QPoint(centre_x + 90, 370));
        QCOMPARE(layout->product.green.size(), std::size_t(2));
        // The second green fan starts where the second blue part does, 72
        // degrees on: t = 400 steps.
        const double t = 400 * 0.00314159;
        QCOMPARE(layout->product.green[1].front(),
                 QPoint(centre_x + static_cast<int>(std::lround(90 * std::cos(t))),
                        570 + static_cast<int>(std::lround(90 * std::sin(t)))));
    }

    void nothing_to_draw_data()
    {
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("r");
        QTest::newRow("b zero") << 0 << 5 << 90;
        QTest::newRow("d zero") << 3 << 0 << 90;
        QTest::newRow("negative b") << -3 << 5 << 90;
        QTest::newRow("negative radius") << 3 << 5 << -1;
        QTest::newRow("too many pieces") << 30000 << 30000 << 90;
    }
    void nothing_to_draw()
    {
        QFETCH(int, b);
        QFETCH(int, d);
        QFETCH(int, r);
        ui::Canvas window(1280, 700, back);
        window.box(10, 10, 20, 20, ink, true);
        const QImage before = window.image().copy();
        Recorder narrator(window);
        QVERIFY(!demos::multdemo(window, narrator, box_right, 2, b, 2, d, r));
        QVERIFY(!demos::cmult2(window, 2, b, 2, d, centre_x, 570, r));
        QVERIFY(narrator.sentences.empty());
        QCOMPARE(window.image(), before);
    }

    void demo_wipes_earlier_drawing()
    {
        ui::Canvas window(1280, 700, back);
        window.box(10, 10, 20, 20, ink, true); // a pizza or ring of an earlier page
        Recorder narrator(window);
        QVERIFY(demos::multdemo(window, narrator, box_right, 3, 4, 5, 6));
        QCOMPARE(color_of(narrator.shown[0], 15, 15), back);
    }
};

QTEST_MAIN(TestDemos)
#include "tst_demos.moc"
