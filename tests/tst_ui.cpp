#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/form_view.h"
#include "ui/rounding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

using namespace quorrel::ui;

class TestUi : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundsHalvesToEven_data();
    void roundsHalvesToEven();
    void linesCoverExactPixels();
    void drawingSurvivesResizeAndBackgroundWipesIt();
    void printAdvancesThePenAndUnderlinesBlanks();
    void refusesFontSizesNoFontCanTake();
    void sliderRefusesValuesOutsideItsBounds();
    void bringToFrontReordersControls();
    void packedColoursRoundTrip();
    void multiLineTextBoxWrapsItsText();
};

void TestUi::roundsHalvesToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
}

void TestUi::roundsHalvesToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(round_even(value), expected);
}

void TestUi::linesCoverExactPixels()
{
    Canvas c(40, 40, colors::white);
    c.set_draw_width(1);
    c.line(5, 10, 5, 20, colors::black);
    QCOMPARE(c.pixel(5, 10), colors::black);
    QCOMPARE(c.pixel(5, 20), colors::black); // both end points
    QCOMPARE(c.pixel(5, 21), colors::white);
    QCOMPARE(c.pixel(4, 15), colors::white);

    c.set_draw_width(3);
    c.line(20, 5, 20, 8, colors::red);
    for (int x = 19; x <= 21; ++x)
        QCOMPARE(c.pixel(x, 6), colors::red);
    QCOMPARE(c.pixel(18, 6), colors::white);
    QCOMPARE(c.pixel(22, 6), colors::white);

    c.set_draw_width(2);
    c.line(30, 30, 35, 30, colors::blue);
    QCOMPARE(c.pixel(30, 31), colors::blue); // an even width leans right and down
    QCOMPARE(c.pixel(35, 30), colors::blue);
    QCOMPARE(c.pixel(30, 29), colors::white);
}

void TestUi::drawingSurvivesResizeAndBackgroundWipesIt()
{
    Canvas c(20, 20, colors::yellow);
    c.box(2, 2, 4, 4, colors::black, true);
    c.resize(30, 60);
    QCOMPARE(c.pixel(3, 3), colors::black);
    QCOMPARE(c.pixel(25, 50), colors::yellow);
    c.set_background(colors::white);
    QCOMPARE(c.pixel(3, 3), colors::white);
}

void TestUi::printAdvancesThePenAndUnderlinesBlanks()
{
    Canvas c(300, 60, colors::white);
    c.set_font({"Courier New", 14});
    const double w = c.text_width("13  ");
    QVERIFY(w > c.text_width("13"));
    c.set_underline(true);
    c.set_pen(10, 5);
    c.print("13  ");
    QCOMPARE(c.pen_x(), 10 + w);
    QCOMPARE(c.pen_y(), 5.0);
    // The underline runs on under the trailing blanks: it is a fraction's bar.
    bool under_blank = false;
    const int x = static_cast<int>(10 + w) - 2;
    for (int y = 5; y < 5 + static_cast<int>(c.text_height()); ++y)
        under_blank = under_blank || c.pixel(x, y) == colors::black;
    QVERIFY(under_blank);
    c.new_line();
    QCOMPARE(c.pen_x(), 0.0);
    QCOMPARE(c.pen_y(), 5 + c.text_height());
}

void TestUi::refusesFontSizesNoFontCanTake()
{
    Canvas c(10, 10, colors::white);
    QVERIFY(c.set_font_size(14));
    QVERIFY(!c.set_font_size(0));
    QVERIFY(!c.set_font_size(1639));
    QVERIFY(!c.set_font_size(std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(c.font().size, 14.0);
    QVERIFY(c.set_font_size(1638));
}

void TestUi::sliderRefusesValuesOutsideItsBounds()
{
    Slider s("slider");
    int changes = 0;
    s.on_change = [&] { ++changes; };
    QVERIFY(s.set_max(10));
    QVERIFY(s.set_value(7));
    QVERIFY(s.set_value(7)); // no change, no event
    QCOMPARE(changes, 1);
    QVERIFY(!s.set_value(11));
    QVERIFY(!s.set_value(-1));
    QCOMPARE(s.value(), 7);
    QVERIFY(!s.set_max(40000)); // beyond what 16 bits hold
    QCOMPARE(s.max(), 10);
    QVERIFY(s.set_max(5)); // the value is pulled in without an event
    QCOMPARE(s.value(), 5);
    QCOMPARE(changes, 1);
}

void TestUi::bringToFrontReordersControls()
{
    Form form("f", 100, 100, colors::white);
    auto& a = form.add<PictureBox>("a");
    auto& b = form.add<PictureBox>("b");
    auto& c = form.add<Button>("c", "C");
    form.bring_to_front(a);
    QCOMPARE(form.z_index(b), 0);
    QCOMPARE(form.z_index(c), 1);
    QCOMPARE(form.z_index(a), 2);
    QCOMPARE(form.find("c"), &c);
    QCOMPARE(form.find("nothing"), nullptr);
}

void TestUi::packedColoursRoundTrip()
{
    QCOMPARE(Color::rgb(120, 120, 120).packed(), 7895160L);
    QCOMPARE(Color::from_packed(255), std::optional<Color>(colors::red));
    QCOMPARE(Color::from_packed(16777216), std::optional<Color>());
    QCOMPARE(Color::from_packed(-1), std::optional<Color>());
}

void TestUi::multiLineTextBoxWrapsItsText()
{
    Form form("Quorrel", 640, 480, colors::window_back);
    auto& message = form.add<TextBox>("tbox_message");
    message.multi_line = true;
    message.move(10, 10, 240, 56);
    auto& entry = form.add<TextBox>("inbox");
    FormView view(form);
    view.show();

    QVERIFY(qobject_cast<QLineEdit*>(view.widget_for(entry)));
    auto* box = qobject_cast<QPlainTextEdit*>(view.widget_for(message));
    QVERIFY(box);
    message.set_text("   Set the yellow fraction to the sum, product, or quotient of the blue fractions and click a "
                     "button to check your answer.");
    QCoreApplication::processEvents();
    QCOMPARE(box->toPlainText().toStdString(), message.text());
    // One paragraph, laid out on several lines inside the box's width.
    const QTextBlock block = box->document()->firstBlock();
    QVERIFY(block.layout()->lineCount() > 1);
    for (int i = 0; i < block.layout()->lineCount(); ++i)
        QVERIFY(block.layout()->lineAt(i).naturalTextWidth() <= box->viewport()->width());

    // What the learner types reaches the model; a refresh does not echo back.
    box->setPlainText("typed");
    QCOMPARE(message.text(), std::string("typed"));
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
