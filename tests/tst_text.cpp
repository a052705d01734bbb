#include "pages/catalogue.h"
#include "support/fakes.h"
#include "text/markup.h"
#include "text/writer.h"
#include "ui/controls.h"
#include "ui/waits.h"

#include <QtTest>

using namespace quorrel;
using text::Layout;

namespace {

// Widths the tests can work out by hand: every character of a font is the
// same width, a fraction of its size set by the font's name; a blank before
// "T" is kerned one pixel.
class FakeMetrics final : public text::Metrics {
public:
    double width(const ui::Font& font, std::string_view s) const override
    {
        const double factor = font.name == "Courier New" ? 0.6 : font.name == "Arial Narrow" ? 0.4 : 0.5;
        double kerning = 0;
        for (auto at = s.find(" T"); at != std::string_view::npos; at = s.find(" T", at + 1))
            kerning += 1;
        return static_cast<double>(s.size()) * factor * font.size - kerning;
    }
    double height(const ui::Font& font) const override { return font.size + 2; }
};

const ui::Font main_font{"Arial Narrow", 14};

QString describe(const ui::Font& font)
{
    return QStringLiteral("%1 %2%3%4%5")
        .arg(QString::fromStdString(font.name))
        .arg(font.size)
        .arg(font.bold ? " b" : "", font.italic ? " i" : "", font.underline ? " u" : "");
}

QString describe(const text::Run& run)
{
    QString s = QStringLiteral("[%1] %2,%3 %4")
                    .arg(QString::fromStdString(run.text))
                    .arg(run.x)
                    .arg(run.y)
                    .arg(describe(run.font));
    if (run.color != ui::colors::black)
        s += QStringLiteral(" c%1").arg(run.color.packed());
    return s;
}

QStringList describe(const Layout& layout)
{
    QStringList runs;
    for (const auto& run : layout.runs)
        runs << describe(run);
    return runs;
}

Layout lay_out(std::string_view s, double box_width = 1000, ui::Font font = {"Arial", 14})
{
    return text::lay_out(s, text::Pen{0, 0, std::move(font), ui::colors::black}, box_width, main_font,
                         FakeMetrics{});
}

bool band_has(const ui::Canvas& canvas, int top, int bottom, ui::Color color)
{
    for (int y = std::max(top, 0); y < std::min(bottom, canvas.height()); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) == color)
                return true;
    return false;
}

struct Rig {
    Rig()
    {
        // An open-ended wait is ended by the learner's click at once.
        pump.learner = [this] { runner.click(); };
        box.move(0, 0, 400, 300);
        box.canvas().set_font({"Arial Narrow", 14});
        wait.checkable = true;
        wait.set_checked(true);
    }
    double line_height() const { return ui::text_height(box.canvas()); }

    testing::FakeClock clock;
    testing::ScriptedPump pump{clock};
    ui::Waits runner{pump, clock};
    ui::PictureBox box{"pbox_text", ui::colors::yellow};
    ui::PictureBox go_on{"pbox_go_on"};
    ui::MenuItem wait{"mnu_waitt", "Wait"};
    text::Writer writer{box, go_on, wait, runner};
};

} // namespace

class TestText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layout_data();
    void layout();
    void malformed_data();
    void malformed();
    void closingMarksFollowTheFraction_data();
    void closingMarksFollowTheFraction();
    void bulletCentreRoundsHalfToEven();
    void fractionBarSpansDenominator();
    void runsPaintAsWordByWord();
    void paintingLeavesTheLayoutPen();
    void writeLinePauses_data();
    void writeLinePauses();
    void historyGreyNewestBlue();
    void onlyTheNewestLineIsBlue_data();
    void onlyTheNewestLineIsBlue();
    void fractionLeavesAGapBeforeTheNextWord_data();
    void fractionLeavesAGapBeforeTheNextWord();
    void linesOfFractionsKeepApart_data();
    void linesOfFractionsKeepApart();
    void fullBoxStartsAfresh();
    void lessonTitleThenLine();
    void clearSceneHeadsThePage();
    void malformedLineKeepsWhatWasDrawn();
    void lessonNames_data();
    void lessonNames();
    void formulaLineKeepsTheNextLineBelowIt();
    void promptOnAnEmptiedBoxShowsItsNumerator();
    void spoken_data();
    void spoken();
    void newTextReachesTheListenerOnce();
};

// Fake widths per character: Arial 0.5 x size, Courier New 0.6 x size, the
// main window's Arial Narrow 0.4 x size; a line is size + 2 high.
void TestText::layout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("box_width");
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<QString>("end");
    QTest::addColumn<int>("line_count");

    QTest::newRow("sizes share a top")
        << "12 FontSize__10 th FontSize__14" << 1000.0 << QStringList{"[12 ] 0,0 Arial 14", "[th ] 21,0 Arial 10"}
        << "36,0 Arial 14" << 0;
    QTest::newRow("italics") << "FontItalic__True unit FontItalic__False" << 1000.0
                             << QStringList{"[unit ] 0,0 Arial 14 i"} << "35,0 Arial 14" << 0;
    QTest::newRow("unknown token") << "Font_Italic__True unit" << 1000.0 << QStringList{"[unit ] 0,0 Arial 14"}
                                   << "35,0 Arial 14" << 0;
    QTest::newRow("bold only for True")
        << "Fontbold__True a Fontbold__true b" << 1000.0 << QStringList{"[a ] 0,0 Arial 14 b", "[b ] 14,0 Arial 14"}
        << "28,0 Arial 14" << 0;
    QTest::newRow("underline, name, colour") << "FontUnderline__True FontName__Courier ForeColor__255 a" << 1000.0
                                             << QStringList{"[a ] 0,0 Courier 14 u c255"} << "14,0 Arial 14" << 0;
    QTest::newRow("sizes and colours at their bounds")
        << "FontSize__1638 FontSize__10.5 ForeColor__16777215 a" << 1000.0
        << QStringList{"[a ] 0,0 Arial 10.5 c16777215"} << "10.5,0 Arial 14" << 0;
    QTest::newRow("literals take no blank") << "'5/12' '/' x" << 1000.0 << QStringList{"['5/12''/'x ] 0,0 Arial 14"}
                                            << "77,0 Arial 14" << 0;
    QTest::newRow("six leading blanks") << "      a" << 1000.0 << QStringList{"[      a ] 0,0 Arial 14"}
                                        << "56,0 Arial 14" << 0;
    // A line broken to starts off the box's edge, unless blanks lead it.
    QTest::newRow("line breaks") << "a\r\nb\n  c" << 1000.0
                                 << QStringList{"[a ] 0,0 Arial 14", "[b ] 10,16 Arial 14", "[  c ] 0,32 Arial 14"}
                                 << "28,32 Arial 14" << 2;
    QTest::newRow("kerning splits a run") << "a To" << 1000.0
                                          << QStringList{"[a ] 0,0 Arial 14", "[To ] 14,0 Arial 14"} << "35,0 Arial 14"
                                          << 0;
    QTest::newRow("part pixels split a run") << "FontSize__15 ab c" << 1000.0
                                             << QStringList{"[ab ] 0,0 Arial 15", "[c ] 22,0 Arial 15"}
                                             << "37.5,0 Arial 14" << 0;
    QTest::newRow("empty text") << "" << 1000.0 << QStringList{} << "0,0 Arial 14" << -1;
    QTest::newRow("words wrap to 10")
        << "FontSize__10 aaaa bbbb cccc dddd e" << 100.0
        << QStringList{"[aaaa bbbb cccc dddd ] 0,0 Arial 10", "[e ] 10,12 Arial 10"} << "20,12 Arial 14" << 1;
    QTest::newRow("5/12") << "5/12" << 1000.0
                          << QStringList{"[ ] 0,0 Courier New 14", "[5 ] 8,-3 Courier New 9 b u",
                                         "[12] 8,6 Courier New 9 b"}
                          << "24.6,0 Arial 14" << 0;
    QTest::newRow("13/12 has no padding") << "13/12 x" << 1000.0
                                          << QStringList{"[ ] 0,0 Courier New 14", "[13] 8,-3 Courier New 9 b u",
                                                         "[12] 8,6 Courier New 9 b", "[x ] 25,0 Arial 14"}
                                          << "38.6,0 Arial 14" << 0;
    QTest::newRow("two digits fewer, two blanks") << "5/100" << 1000.0
                                                  << QStringList{"[ ] 0,0 Courier New 14",
                                                                 "[5  ] 8,-3 Courier New 9 b u",
                                                                 "[100] 8,6 Courier New 9 b"}
                                                  << "30,0 Arial 14" << 0;
    // The line a fraction wraps to sits lower by the numerator's rise.
    QTest::newRow("fractions wrap to 20")
        << "FontSize__10 aaaaaaaaaaaaaaa 1/23" << 100.0
        << QStringList{"[aaaaaaaaaaaaaaa ] 0,0 Arial 10", "[ ] 80,0 Courier New 10", "[1 ] 20,12 Courier New 7 b u",
                       "[23] 20,19 Courier New 7 b"}
        << "32.6,15 Arial 14" << 1;
    QTest::newRow("a closing mark wraps with its fraction")
        << "FontSize__10 aaaaaaaaaaaaaa 1/23." << 100.0
        << QStringList{"[aaaaaaaaaaaaaa ] 0,0 Arial 10", "[ ] 75,0 Courier New 10", "[1 ] 20,12 Courier New 7 b u",
                       "[23] 20,19 Courier New 7 b", "[. ] 33,15 Arial 10"}
        << "42.6,15 Arial 14" << 1;
    // The window's font gives the advance where it is the wider.
    QTest::newRow("tiny fraction") << "FontSize__4 5/12" << 1000.0
                                   << QStringList{"[ ] 0,0 Courier New 4", "[5 ] 2,-3 Courier New 4 b u",
                                                  "[12] 2,1 Courier New 4 b"}
                                   << "10.24,0 Arial 14" << 0;
    // Markup ends with its line; a bare size or colour returns to the line's own.
    QTest::newRow("markup ends with the line")
        << "FontSize__20 ForeColor__255 Fontbold__True a\r\nb" << 1000.0
        << QStringList{"[a ] 0,0 Arial 20 b c255", "[b ] 10,22 Arial 14"} << "24,22 Arial 14" << 1;
    // The next line clears the tallest text of the one before, even when
    // that line went back to its own size at its end.
    QTest::newRow("a formula line keeps the next below it")
        << "FontSize__30 a FontSize__ b\r\nc" << 1000.0
        << QStringList{"[a ] 0,0 Arial 30", "[b ] 30,0 Arial 14", "[c ] 10,32 Arial 14"} << "24,32 Arial 14" << 1;
    QTest::newRow("bare size and colour")
        << "FontSize__20 ForeColor__255 a FontSize__ b ForeColor__ c" << 1000.0
        << QStringList{"[a ] 0,0 Arial 20 c255", "[b ] 20,0 Arial 14 c255", "[c ] 34,0 Arial 14"} << "48,0 Arial 14"
        << 0;
}

void TestText::layout()
{
    QFETCH(QString, text);
    QFETCH(double, box_width);
    QFETCH(QStringList, runs);
    QFETCH(QString, end);
    QFETCH(int, line_count);

    const Layout layout = lay_out(text.toStdString(), box_width);
    QVERIFY(layout.complete());
    QCOMPARE(describe(layout), runs);
    QCOMPARE(QStringLiteral("%1,%2 %3").arg(layout.end.x).arg(layout.end.y).arg(describe(layout.end.font)), end);
    QCOMPARE(layout.line_count, line_count);
}

void TestText::malformed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("offset");

    for (const char* value : {"FontSize__abc", "FontSize__0", "FontSize__5000", "FontSize__1e999",
                              "FontSize__nan", "FontSize__14pt", "ForeColor__-1", "ForeColor__16777216",
                              "ForeColor__99999999999999999999999", "ForeColor__0x10"})
        QTest::newRow(value) << QStringLiteral("a %1 b").arg(value) << 2;
    QTest::newRow("on a later line") << "x\r\na FontSize__x b" << 5;
}

void TestText::malformed()
{
    QFETCH(QString, text);
    QFETCH(int, offset);

    const Layout layout = lay_out(text.toStdString());
    QCOMPARE(layout.malformed_at, std::optional<std::size_t>(offset));
    const text::Run& last = layout.runs.back();
    QCOMPARE(describe(last), QStringLiteral("[a ] %1,%2 Arial 14").arg(last.x).arg(layout.end.y));
    QCOMPARE(layout.end.x, last.x + 14.0);
    QCOMPARE(layout.end.font, (ui::Font{"Arial", 14}));
}

// A mark that closes a clause is no part of the denominator: "5/12." lays
// out as "5/12 ." does, the mark on the base line in the text's own font.
void TestText::closingMarksFollowTheFraction_data()
{
    QTest::addColumn<QString>("marks");
    for (const char* marks : {".", ",", ";", ":", "!", "?", ")", ").", "!!"})
        QTest::newRow(marks) << marks;
}

void TestText::closingMarksFollowTheFraction()
{
    QFETCH(QString, marks);
    const QStringList joined = describe(lay_out(("FontSize__12 is 5/12" + marks + " of it").toStdString()));
    QCOMPARE(joined, describe(lay_out(("FontSize__12 is 5/12 " + marks + " of it").toStdString())));
    QVERIFY2(joined.contains("[12] 25,5 Courier New 8 b"), qPrintable(joined.join(' ')));
    QVERIFY2(joined.last().startsWith("[" + marks + " of it ] ") && joined.last().endsWith(",0 Arial 12"),
             qPrintable(joined.last()));
}

void TestText::bulletCentreRoundsHalfToEven()
{
    // Heights 17 and 15 put the centres at 8.5 and 17 + 7.5.
    const Layout layout = lay_out("FontSize__15 Bullet__ x\r\nFontSize__13 Bullet__", 1000);
    QCOMPARE(layout.bullets.size(), 2u);
    QCOMPARE(QPoint(layout.bullets[0].x, layout.bullets[0].y), QPoint(0, 8));
    QCOMPARE(QPoint(layout.bullets[1].x, layout.bullets[1].y), QPoint(0, 24));
    QCOMPARE(describe(layout.runs.front()), "[x ] 10,0 Arial 15");
}

void TestText::fractionBarSpansDenominator()
{
    ui::Canvas canvas(200, 60, ui::colors::white);
    canvas.set_font(main_font);
    canvas.set_pen(0, 20);
    QVERIFY(text::draw(canvas, "5/12", main_font, text::QtMetrics{}).complete());

    const QFontMetricsF small(ui::to_qfont({"Courier New", 9, true}));
    int longest = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0, run = 0; x < canvas.width(); ++x) {
            run = canvas.pixel(x, y) == ui::colors::black ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    QCOMPARE(longest, qRound(small.horizontalAdvance("12")));
}

void TestText::runsPaintAsWordByWord()
{
    // Kerning pairs across blanks ("a T", "u, Y", "d A") must not shift glyphs.
    const std::string sentence = "A Tale of Two Years: You, Tom and Ann Yelled 'To Arms!' at 17 Avenue.";
    ui::Canvas drawn(640, 30, ui::colors::white);
    ui::Canvas printed(640, 30, ui::colors::white);
    for (ui::Canvas* canvas : {&drawn, &printed})
        canvas->set_font(main_font);

    const Layout layout = text::draw(drawn, sentence, main_font, text::QtMetrics{});
    QVERIFY(layout.runs.size() < 10);
    for (const QString& word : QString::fromStdString(sentence).split(' '))
        printed.print((word + ' ').toStdString());
    QCOMPARE(drawn.image(), printed.image());
    QCOMPARE(drawn.pen_x(), printed.pen_x());
}

void TestText::paintingLeavesTheLayoutPen()
{
    ui::Canvas canvas(300, 60, ui::colors::white);
    canvas.set_font(main_font);
    const Layout layout = text::draw(canvas, "Bullet__ FontSize__20 ForeColor__255 Fontbold__True a", main_font,
                                     text::QtMetrics{});
    text::Pen end = layout.end;
    end.line_height = 0; // the canvas keeps no line height
    QCOMPARE(text::pen_of(canvas), end);
    // The line's markup ended with it.
    QCOMPARE(canvas.font(), main_font);
    QCOMPARE(canvas.fore_color(), ui::colors::black);
    QCOMPARE(canvas.fill(), std::optional<ui::Color>());
    QCOMPARE(canvas.pixel(layout.bullets[0].x, layout.bullets[0].y), ui::colors::black);
}

void TestText::writeLinePauses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wait_checked");
    QTest::addColumn<int>("waits");
    QTest::addColumn<double>("seconds");

    QTest::newRow("line, Wait checked") << "x" << true << 1 << 0.0;
    QTest::newRow("line, Wait unchecked") << "x" << false << 0 << 0.5;
    QTest::newRow("empty, Wait checked") << "" << true << 0 << 0.0;
    QTest::newRow("empty, Wait unchecked") << "" << false << 0 << 0.0;
}

void TestText::writeLinePauses()
{
    QFETCH(QString, text);
    QFETCH(bool, wait_checked);
    QFETCH(int, waits);
    QFETCH(double, seconds);

    Rig rig;
    rig.wait.set_checked(wait_checked);
    rig.go_on.show();
    rig.writer.write_line(text.toStdString());
    QCOMPARE(rig.pump.turns, waits);
    QCOMPARE(rig.clock.now, seconds);
    QVERIFY(!rig.go_on.visible());
    QCOMPARE(rig.writer.message_history(), text.isEmpty() ? "\r\n      " : "\r\n      Bullet__ " + text.toStdString());
}

void TestText::historyGreyNewestBlue()
{
    Rig rig;
    rig.writer.write_line("first");
    rig.writer.write_line("second");
    const int h = static_cast<int>(rig.line_height());
    const ui::Canvas& canvas = rig.box.canvas();
    QVERIFY(band_has(canvas, 0, h, ui::colors::history_grey));
    QVERIFY(!band_has(canvas, 0, h, ui::colors::blue));
    QVERIFY(band_has(canvas, h, 2 * h, ui::colors::blue));
    QVERIFY(!band_has(canvas, h, canvas.height(), ui::colors::history_grey));
    QCOMPARE(rig.writer.message_history(), "\r\n      Bullet__ first\r\n      Bullet__ second");
}

// Lines that change the colour or size, as highlights and formulas do, and
// then the lines after them, the newest written as a line or drawn as an
// exercise draws its prompt: everything above the newest is grey, whatever
// its colour words, and every line after a big one is drawn at the box's size.
void TestText::onlyTheNewestLineIsBlue_data()
{
    QTest::addColumn<QString>("marked");
    QTest::addColumn<bool>("prompt");
    const QString blue = QString::number(ui::colors::blue.packed());
    for (const bool prompt : {false, true}) {
        const char* newest = prompt ? ", then a prompt" : "";
        QTest::addRow("blue highlight%s", newest) << "ForeColor__" + blue + " The numerator is the top number." << prompt;
        QTest::addRow("highlight ended bare%s", newest) << "ForeColor__255 Top. ForeColor__ Bottom." << prompt;
        QTest::addRow("red to the end%s", newest) << "To ForeColor__255 FontItalic__True divide" << prompt;
        QTest::addRow("formula ended bare%s", newest) << "FontSize__30 2 5/6 = 17/6. FontSize__" << prompt;
        QTest::addRow("over two lines%s", newest) << "ForeColor__" + blue + " a\r\n      b" << prompt;
    }
}

void TestText::onlyTheNewestLineIsBlue()
{
    QFETCH(QString, marked);
    QFETCH(bool, prompt);
    Rig rig;
    rig.writer.write_line(marked.toStdString());
    rig.writer.write_line("second");
    const int second = static_cast<int>(rig.box.canvas().pen_y());
    if (prompt)
        rig.writer.draw(std::string(text::para_break) + "Please set it");
    else
        rig.writer.write_line("third");
    const ui::Canvas& canvas = rig.box.canvas();
    const int h = static_cast<int>(rig.line_height());
    const int third = static_cast<int>(canvas.pen_y());
    QCOMPARE(rig.writer.message_history().find(marked.toStdString()) != std::string::npos, true);
    // "second" took one line of the box's size; a prompt follows an empty line.
    QCOMPARE(third, second + (prompt ? 2 : 1) * h);
    QVERIFY(band_has(canvas, second, second + h, ui::colors::history_grey));
    for (const ui::Color colour : {ui::colors::blue, ui::colors::red})
        QVERIFY(!band_has(canvas, 0, third, colour));
    QVERIFY(band_has(canvas, third, third + h, ui::colors::blue));
    QVERIFY(!band_has(canvas, third, third + h, ui::colors::history_grey));

    // A box emptied since shows nothing of what was new on it.
    rig.box.canvas().clear();
    rig.writer.draw("x");
    QVERIFY(!band_has(canvas, 0, canvas.height(), ui::colors::history_grey));
}

// Two-digit denominators before a word, drawn in the box as lessons draw
// them: the word's first ink stands clear of the denominator's last.
void TestText::fractionLeavesAGapBeforeTheNextWord_data()
{
    QTest::addColumn<QString>("fraction");
    QTest::newRow("13/12") << "13/12";
    QTest::newRow("10/15") << "10/15";
    QTest::newRow("5/12") << "5/12";
    QTest::newRow("150/89") << "150/89";
    QTest::newRow("a comma after 13/12") << "13/12,";
    QTest::newRow("a comma after 10/15") << "10/15,";
}

void TestText::fractionLeavesAGapBeforeTheNextWord()
{
    QFETCH(QString, fraction);
    const auto rightmost_ink = [](const ui::Canvas& canvas, int from) {
        int found = -1;
        for (int x = from; x < canvas.width(); ++x)
            for (int y = 0; y < canvas.height(); ++y)
                if (canvas.pixel(x, y) != ui::colors::yellow)
                    found = x;
        return found;
    };
    Rig alone;
    alone.writer.write_text(fraction.toStdString());
    Rig followed;
    followed.writer.write_text((fraction + " even").toStdString());
    const int fraction_end = rightmost_ink(alone.box.canvas(), 0);
    QVERIFY(fraction_end > 0);
    int word_start = -1;
    for (int x = 0; x < followed.box.width() && word_start < 0; ++x)
        for (int y = 0; y < followed.box.height() && word_start < 0; ++y)
            if (followed.box.canvas().pixel(x, y) != alone.box.canvas().pixel(x, y))
                word_start = x;
    QVERIFY2(word_start > fraction_end + 1,
             qPrintable(QString("the word starts at %1, the fraction ends at %2").arg(word_start).arg(fraction_end)));
}

// Two lines as the box shows them, the newer blue over the grey: the grey
// ink (descenders, denominators) ends a clear row above the blue (numerators).
void TestText::linesOfFractionsKeepApart_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("a fraction under descenders") << "Step 1: multiply the top and bottom of 2/3 by 5"
                                                  << "The top fraction is now 10/15 .";
    QTest::newRow("fraction under fraction") << "The sum is 19/15 , the yellow fraction." << "13/12, 5/12 and 7/30.";
    QTest::newRow("fraction under words") << "Simply multiply" << "by 96/6, quickly";
    QTest::newRow("words under a fraction") << "It is 150/89 ." << "The top fraction";
}

void TestText::linesOfFractionsKeepApart()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const auto rows_of = [](const ui::Canvas& canvas, ui::Color color) {
        std::pair<int, int> rows{-1, -1};
        for (int y = 0; y < canvas.height(); ++y)
            if (band_has(canvas, y, y + 1, color))
                rows = {rows.first < 0 ? y : rows.first, y};
        return rows;
    };
    Rig rig;
    rig.writer.write_line(first.toStdString());
    rig.writer.write_line(second.toStdString());
    const auto grey = rows_of(rig.box.canvas(), ui::colors::history_grey);
    const auto blue = rows_of(rig.box.canvas(), ui::colors::blue);
    QVERIFY2(grey.first >= 0 && blue.first > grey.second + 1,
             qPrintable(QString("grey to row %1, blue from row %2").arg(grey.second).arg(blue.first)));
}

void TestText::fullBoxStartsAfresh()
{
    Rig rig;
    rig.writer.write_text("a");
    rig.box.canvas().set_pen(rig.box.canvas().pen_x(), 0.8 * 300);
    rig.writer.write_text("b");
    QCOMPARE(rig.writer.message_history(), "\r\n      a\r\n      b");

    rig.box.canvas().set_pen(rig.box.canvas().pen_x(), 0.8 * 300 + 0.5);
    rig.writer.write_text("c");
    QCOMPARE(rig.writer.message_history(), "\r\n      c");
    QCOMPARE(rig.box.canvas().pen_y(), text::fraction_rise);
}

void TestText::lessonTitleThenLine()
{
    Rig rig;
    rig.writer.lesson_title("1a");
    QCOMPARE(rig.pump.turns, 0);
    QCOMPARE(rig.writer.message_history(), "\r\n      FontSize__22 ForeColor__255 Lesson 1a: Writing fractions "
                                           "FontSize__14 \r\n       ForeColor__7895160");
    rig.writer.write_line("Next");

    // The heading is grey now; the line under it, below the heading and an
    // empty size-14 line, blue.
    const int h = static_cast<int>(rig.line_height());
    const double heading = text::QtMetrics().height(ui::Font{"Arial Narrow", 22});
    const ui::Canvas& canvas = rig.box.canvas();
    QCOMPARE(canvas.font().size, 14.0);
    QCOMPARE(canvas.pen_y(), heading + h + text::fraction_rise);
    const int next = static_cast<int>(canvas.pen_y());
    QVERIFY(band_has(canvas, 0, h, ui::colors::history_grey));
    QVERIFY(!band_has(canvas, 0, next, ui::colors::blue));
    QVERIFY(!band_has(canvas, 0, next, ui::colors::red));
    QVERIFY(band_has(canvas, next, next + h, ui::colors::blue));
}

void TestText::clearSceneHeadsThePage()
{
    Rig rig;
    rig.writer.write_line("old");
    rig.box.canvas().clear();
    rig.writer.clear_scene("Exercise");
    QCOMPARE(rig.box.canvas().pen_y(), 6.0); // 6 still counts as the top: no line break
    QCOMPARE(rig.writer.message_history(), "\r\nExercise");

    rig.writer.write_text("x");
    QCOMPARE(rig.writer.message_history(), "\r\nExercise\r\n      x");
    QCOMPARE(rig.box.canvas().pen_y(), rig.line_height() + text::fraction_rise);
}

void TestText::malformedLineKeepsWhatWasDrawn()
{
    Rig rig;
    rig.writer.write_line("a FontSize__x b");
    QCOMPARE(rig.pump.turns, 1);
    QCOMPARE(rig.writer.message_history(), "\r\n      Bullet__ a");

    QVERIFY(!rig.writer.write_text("c ForeColor__red d"));
    QVERIFY(rig.writer.write_text("e"));
    QCOMPARE(rig.writer.message_history(), "\r\n      Bullet__ a\r\n      c\r\n      e");

    rig.writer.clear_scene("Title ForeColor__x y");
    QCOMPARE(rig.writer.scene_title(), "Title ForeColor__x y");
    QCOMPARE(rig.writer.message_history(), "\r\nTitle");
}

void TestText::lessonNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("1a") << "1a" << "Lesson 1a: Writing fractions";
    QTest::newRow("1f") << "1f" << "Lesson 1f: Interpreting fractions as divison";
    QTest::newRow("3c") << "3c" << "Lesson 3c: Fraction arithmetic practice.";
    QTest::newRow("4") << "4" << "Lesson 4:  More arithmetic practice.";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("capital") << "1A" << "";
    QTest::newRow("no such lesson") << "5" << "";
}

void TestText::lessonNames()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(QString::fromStdString(std::string(pages::lesson_name(code.toStdString()))), name);
}


void TestText::formulaLineKeepsTheNextLineBelowIt()
{
    Rig rig;
    rig.writer.write_line("FontSize__30 2/3   = 2*2/3*2    = 4/6 FontSize__");
    rig.writer.write_line("Next");
    // The newest line is drawn on its own: it must still start below the
    // size-30 line, not one size-14 line down.
    const double tall = text::QtMetrics().height(ui::Font{"Arial Narrow", 30});
    QCOMPARE(rig.box.canvas().pen_y(), text::fraction_rise + tall);
    QVERIFY(!band_has(rig.box.canvas(), 0, static_cast<int>(tall), ui::colors::blue));
}

void TestText::promptOnAnEmptiedBoxShowsItsNumerator()
{
    Rig rig;
    rig.writer.write_line("old");
    rig.box.canvas().clear();
    rig.box.canvas().set_fore_color(ui::colors::blue);
    // As an exercise draws its prompt on a new page.
    rig.writer.redraw(std::string(text::para_break) + "Please set 20/30 now");
    QCOMPARE(rig.box.canvas().pen_y(), text::fraction_rise);
    QVERIFY(band_has(rig.box.canvas(), 0, 2, ui::colors::yellow));
    QVERIFY(!band_has(rig.box.canvas(), 0, 1, ui::colors::blue));
}

void TestText::spoken_data()
{
    QTest::addColumn<QString>("marked_up");
    QTest::addColumn<QString>("said");
    const std::string red = "ForeColor__" + std::to_string(ui::colors::red.packed());
    const std::string pb(text::para_break);
    QTest::newRow("italic tokens") << "This is called FontItalic__True expanding FontItalic__False the fraction."
                                   << "This is called expanding the fraction.";
    QTest::newRow("formula in large type")
        << "FontSize__30 2/3   = 2*2/3*2    = 4/6 FontSize__"
        << "2 over 3 equals 2 times 2 over 3 times 2 equals 4 over 6";
    QTest::newRow("sum and difference")
        << "Adding the 5 sixths left over gives 12 + 5 = 17 sixths. Set it to 10/11 - 3/11"
        << "Adding the 5 sixths left over gives 12 plus 5 equals 17 sixths. Set it to 10 over 11 minus 3 over 11";
    QTest::newRow("fraction before a stop") << "DIVIDE top and bottom of 10/15 by 5 to get down to 2/3.  In this case"
                                            << "DIVIDE top and bottom of 10 over 15 by 5 to get down to 2 over 3. In "
                                               "this case";
    QTest::newRow("blank before a comma")
        << "To find it, you solved the problem 2* ? = 30 , which gave the multiplier 15."
        << "To find it, you solved the problem 2 times ? equals 30, which gave the multiplier 15.";
    QTest::newRow("quoted notation") << "ForeColor__ On a calculator, 5/12  is written horizontally as  '5/12' . "
                                     << "On a calculator, 5 over 12 is written horizontally as 5 slash 12.";
    QTest::newRow("bullet") << "Bullet__ The picture shows the fraction 13/12, even though 13 of the 24 little boxes "
                               "are blue."
                            << "The picture shows the fraction 13 over 12, even though 13 of the 24 little boxes "
                               "are blue.";
    QTest::newRow("coloured paragraphs")
        << QString::fromStdString("Be sure to remember: in a fraction, " + pb + red + " The numerator is the top number." +
                                  pb + red + " The denominator is the bottom number.")
        << "Be sure to remember: in a fraction, The numerator is the top number. The denominator is the bottom number.";
    QTest::newRow("prompt after its introduction")
        << QString::fromStdString(pb + "Here are a few similar problems. Click on the display panel to clear it before "
                                       "you enter each new answer." +
                                  pb + "Please set the fraction to the length of the new blue stick.")
        << "Here are a few similar problems. Click on the display panel to clear it before you enter each new answer. "
           "Please set the fraction to the length of the new blue stick.";
    QTest::newRow("a line without a stop ends a sentence")
        << QString::fromStdString("FontSize__22 " + red + " Lesson 2a: Expanding fractions FontSize__14 " + pb +
                                  " A fraction can be rewritten")
        << "Lesson 2a: Expanding fractions. A fraction can be rewritten";
    QTest::newRow("title alone") << "FontSize__22 ForeColor__255 Lesson 4 FontSize__14 \r\n       ForeColor__8421504"
                                 << "Lesson 4";
    QTest::newRow("empty lines say nothing") << "\r\n\r\n      Bullet__ " << "";
    QTest::newRow("stops where the layout stops") << "Half FontSize__huge of it" << "Half";
    QTest::newRow("bad colour") << "Half ForeColor__-7 of it" << "Half";
}

void TestText::spoken()
{
    QFETCH(QString, marked_up);
    QFETCH(QString, said);
    QCOMPARE(QString::fromStdString(text::spoken(marked_up.toStdString())), said);
}

// What is written for the first time reaches the listener; the grey
// history redrawn under each new line does not.
void TestText::newTextReachesTheListenerOnce()
{
    Rig rig;
    text::Writer& writer = rig.writer;
    std::vector<std::string> heard;
    writer.on_new_text = [&heard](std::string_view text) { heard.emplace_back(text); };

    writer.lesson_title("2a");
    writer.write_line("First line.");
    writer.write_line("Second FontSize__huge line.");
    writer.redraw(writer.message_history());
    writer.draw("Please set the fraction.");
    writer.clear_scene("Scene");
    QCOMPARE(heard.size(), std::size_t(5));
    QVERIFY(heard[0].find("Lesson 2a") != std::string::npos);
    QCOMPARE(heard[1], "Bullet__ First line.");
    QCOMPARE(heard[2], "Bullet__ Second"); // only what was drawn
    QCOMPARE(heard[3], "Please set the fraction.");
    QCOMPARE(heard[4], "Scene");
}

QTEST_MAIN(TestText)
#include "tst_text.moc"
