#include "fractions/entry.h"
#include "fractions/slots.h"
#include "ui/canvas.h"
#include "ui/views/control_views.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/views/form_view.h"
#include "ui/rounding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QApplication>
#include <QPainter>
#include <QStyleHints>
#include <QStyleOptionSlider>
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
    void highContrastTextReadsStrongly();
    void multiLineTextBoxWrapsItsText();
    void doubleClickIsOneClick_data();
    void doubleClickIsOneClick();
    void sliderChangesOnReleaseAndKeepsItsRange();
    void sliderArrowsStepByOne();
    void numeralsShowWhole_data();
    void numeralsShowWhole();
    void wholePartShowsWholeAfterARefusedEntry();
};

namespace {

QStyleOptionSlider slider_option(const QScrollBar& bar)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return option;
}

QPoint centre_of(const QScrollBar& bar, QStyle::SubControl part)
{
    const QStyleOptionSlider option = slider_option(bar);
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

// Columns holding any dark pixel, leftmost and rightmost.
std::pair<int, int> ink_span(const QImage& image)
{
    int left = -1;
    int right = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).lightness() < 128) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
    return {left, right};
}

} // namespace

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
    line(c, 5, 10, 5, 20, colors::black);
    QCOMPARE(c.pixel(5, 10), colors::black);
    QCOMPARE(c.pixel(5, 20), colors::black); // both end points
    QCOMPARE(c.pixel(5, 21), colors::white);
    QCOMPARE(c.pixel(4, 15), colors::white);

    c.set_draw_width(3);
    line(c, 20, 5, 20, 8, colors::red);
    for (int x = 19; x <= 21; ++x)
        QCOMPARE(c.pixel(x, 6), colors::red);
    QCOMPARE(c.pixel(18, 6), colors::white);
    QCOMPARE(c.pixel(22, 6), colors::white);

    c.set_draw_width(2);
    line(c, 30, 30, 35, 30, colors::blue);
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
    const double w = text_width(c, "13  ");
    QVERIFY(w > text_width(c, "13"));
    c.set_font({"Courier New", 14, false, false, true});
    c.set_pen(10, 5);
    c.print("13  ");
    QCOMPARE(c.pen_x(), 10 + w);
    QCOMPARE(c.pen_y(), 5.0);
    // The underline runs on under the trailing blanks: it is a fraction's bar.
    bool under_blank = false;
    const int x = static_cast<int>(10 + w) - 2;
    for (int y = 5; y < 5 + static_cast<int>(text_height(c)); ++y)
        under_blank = under_blank || c.pixel(x, y) == colors::black;
    QVERIFY(under_blank);
    new_line(c);
    QCOMPARE(c.pen_x(), 0.0);
    QCOMPARE(c.pen_y(), 5 + text_height(c));
}

void TestUi::refusesFontSizesNoFontCanTake()
{
    Canvas c(10, 10, colors::white);
    QVERIFY(set_font_size(c, 14));
    QVERIFY(!set_font_size(c, 0));
    QVERIFY(!set_font_size(c, 1639));
    QVERIFY(!set_font_size(c, std::numeric_limits<double>::quiet_NaN()));
    QCOMPARE(c.font().size, 14.0);
    QVERIFY(set_font_size(c, 1638));
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

// Off, text keeps the lessons' colours; on, every ink reads at least 7:1 on
// each paper text is drawn on (the message box, the title bar, the strip and
// its marks, the window).
void TestUi::highContrastTextReadsStrongly()
{
    QCOMPARE(qRound(contrast(colors::history_grey, colors::yellow) * 10), 41);
    QCOMPARE(contrast(colors::black, colors::white), 21.0);
    const Color papers[] = {colors::yellow, colors::green, colors::page_strip, colors::white, colors::window_back};
    int weak = 0;
    for (const bool on : {false, true}) {
        set_high_contrast(on);
        for (const Color paper : papers)
            for (int r = 0; r <= 255; r += 51)
                for (int g = 0; g <= 255; g += 51)
                    for (int b = 0; b <= 255; b += 51) {
                        const Color ink = Color::rgb(r, g, b);
                        const Color drawn = text_ink(ink, paper);
                        if (!on)
                            QCOMPARE(drawn, ink);
                        else if (contrast(drawn, paper) < strong_contrast)
                            ++weak;
                        weak += on && contrast(ink, paper) >= strong_contrast && !(drawn == ink);
                    }
    }
    set_high_contrast(false);
    QCOMPARE(weak, 0);
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

// The message box, the page strip and the "go on" link are picture boxes: a
// double-click on any of them must count as the one click it is meant as.
// Events as the window system sends them: a double-click's second press
// comes as a press followed by a double-click event.
void TestUi::doubleClickIsOneClick_data()
{
    QTest::addColumn<QString>("presses"); // c: a click, d: a double-click
    QTest::addColumn<int>("clicks");
    QTest::newRow("a click") << "c" << 1;
    QTest::newRow("a double-click") << "d" << 1;
    QTest::newRow("a click, then a double-click") << "cd" << 2;
    QTest::newRow("two double-clicks") << "dd" << 2;
    QTest::newRow("three clicks, slowly") << "ccc" << 3;
}

void TestUi::doubleClickIsOneClick()
{
    QFETCH(QString, presses);
    QFETCH(int, clicks);
    PictureBox box("pbox_text");
    box.move(0, 0, 200, 100);
    int downs = 0;
    int ups = 0;
    box.on_mouse_down = [&](double, double) { ++downs; };
    box.on_click = [&](double, double) { ++ups; };
    PictureView view(box);
    view.resize(200, 100);

    const QPointF at(50, 50);
    quint64 time = 10000;
    const auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view.mapToGlobal(at), Qt::LeftButton, held, {});
        event.setTimestamp(time);
        QApplication::sendEvent(&view, &event);
        time += 20;
    };
    for (const QChar kind : presses) {
        send(QEvent::MouseButtonPress, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, Qt::NoButton);
        if (kind == 'd') {
            send(QEvent::MouseButtonPress, Qt::LeftButton);
            send(QEvent::MouseButtonDblClick, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, Qt::NoButton);
        }
        time += 5000;
    }
    QCOMPARE(ups, clicks);
    QCOMPARE(downs, clicks);
}

// The fraction's handler widens the range on every change, as the slots do;
// a drag shows the handler each value under the button but must not change
// the value or see the range move, and its release is one change.
void TestUi::sliderChangesOnReleaseAndKeepsItsRange()
{
    Slider slider("slider_fracnum(0)");
    slider.set_max(10);
    slider.set_value(5);
    int changes = 0;
    slider.on_change = [&] {
        ++changes;
        slider.set_max(std::min(2 * std::max(slider.value(), 5), int(Slider::highest)));
    };
    std::vector<int> dragged;
    slider.on_drag = [&](int value) { dragged.push_back(value); };
    SliderView view(slider);
    slider.set_listener([&view](Aspect) { view.refresh(); });
    view.resize(300, 17);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.maximum(), 10);

    const QPoint grip = centre_of(view, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&view, Qt::LeftButton, {}, grip);
    for (int dx = 10; dx <= 80; dx += 10) {
        QMouseEvent move(QEvent::MouseMove, grip + QPoint(dx, 0), view.mapToGlobal(grip + QPoint(dx, 0)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&view, &move);
    }
    QVERIFY(view.sliderPosition() > 5);
    QVERIFY(dragged.size() >= 2 && std::is_sorted(dragged.begin(), dragged.end()));
    QCOMPARE(dragged.back(), view.sliderPosition());
    QCOMPARE(changes, 0);
    QCOMPARE(slider.value(), 5);
    slider.set_max(12); // a lesson changes the range meanwhile
    QCOMPARE(view.maximum(), 10);

    QTest::mouseRelease(&view, Qt::LeftButton, {}, grip + QPoint(80, 0));
    QCOMPARE(changes, 1);
    QVERIFY(slider.value() > 5);
    QCOMPARE(view.value(), slider.value());
    QCOMPARE(view.maximum(), slider.max());

    // Dragged away and back: no new value, but one change all the same, so
    // what the drag showed gives way to the value.
    const int value = slider.value();
    const QPoint back = centre_of(view, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&view, Qt::LeftButton, {}, back);
    for (const int dx : {-30, 0}) {
        QMouseEvent move(QEvent::MouseMove, back + QPoint(dx, 0), view.mapToGlobal(back + QPoint(dx, 0)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&view, &move);
    }
    QTest::mouseRelease(&view, Qt::LeftButton, {}, back);
    QCOMPARE(changes, 2);
    QCOMPARE(slider.value(), value);
}

void TestUi::sliderArrowsStepByOne()
{
    Slider slider("slider_fracden(0)");
    slider.set_max(100);
    slider.set_value(50);
    std::vector<int> seen;
    slider.on_change = [&] { seen.push_back(slider.value()); };
    SliderView view(slider);
    view.resize(300, 17);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QTest::mouseClick(&view, Qt::LeftButton, {}, centre_of(view, QStyle::SC_ScrollBarAddLine));
    QTest::mouseClick(&view, Qt::LeftButton, {}, centre_of(view, QStyle::SC_ScrollBarSubLine));
    QTest::mouseClick(&view, Qt::LeftButton, {}, centre_of(view, QStyle::SC_ScrollBarSubLine));
    QCOMPARE(seen, (std::vector<int>{51, 50, 49}));

    seen.clear();
    const QPoint arrow = centre_of(view, QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(&view, Qt::LeftButton, {}, arrow);
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 3, 3000); // held down, it repeats
    QTest::mouseRelease(&view, Qt::LeftButton, {}, arrow);
    for (std::size_t k = 0; k < seen.size(); ++k)
        QCOMPARE(seen[k], 50 + int(k));
}

// A numeral box as the screen reset prepares it, showing numbers of one to
// five digits: every digit shows in full, none is scrolled out of sight.
void TestUi::numeralsShowWhole_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("1 digit") << "7";
    QTest::newRow("3 digits") << "150";
    QTest::newRow("4 digits") << "1088";
    QTest::newRow("5 digits") << "32767";
    QTest::newRow("5 wide digits") << "88888";
}

namespace {

// Whether the box's widget shows `number` whole: every column of its ink,
// none cut off at either side (inside the frame that marks a box under the
// pointer).
bool shows_whole(QWidget& view, const QString& number)
{
    const QImage shown = view.grab().toImage().copy(view.rect().adjusted(1, 1, -1, -1));
    const auto [left, right] = ink_span(shown);
    QImage whole(200, view.height(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    {
        QPainter painter(&whole);
        painter.setFont(view.font());
        painter.setPen(Qt::black);
        painter.drawText(QPoint(20, view.fontMetrics().ascent()), number);
    }
    const auto [whole_left, whole_right] = ink_span(whole);
    return left > 0 && right < shown.width() - 1 && right - left == whole_right - whole_left;
}

} // namespace

void TestUi::numeralsShowWhole()
{
    QFETCH(QString, number);
    Form form("f", 400, 200, colors::window_back);
    form.canvas().set_font({"Arial", 14});
    quorrel::fractions::EntryBoxes boxes(form);
    TextBox& box = *boxes.inbox(2);
    box.set_font({"Times New Roman", 12});
    QVERIFY(boxes.input_setup(2, 12));
    box.set_text(number.toStdString());

    TextBoxView view(box);
    view.setGeometry(0, 0, box.width(), box.height());
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.clearFocus(); // no caret
    QVERIFY(shows_whole(view, number));
}

// A long text typed into a mixed number's whole part and refused must not
// leave the box scrolled: the whole parts shown after it read in full.
void TestUi::wholePartShowsWholeAfterARefusedEntry()
{
    Form form("lessonform", 1280, 600, colors::window_back);
    PictureBox& text = form.add<PictureBox>("pbox_text", colors::yellow);
    text.move(0, 0, 640, 600);
    Random random = Random::fixed(1);
    quorrel::fractions::Slots slots(form, text, random);
    slots.place_slot(0, 650, 300);
    slots.set_mixed(0, true);
    QVERIFY(slots.show_fraction(0, 17, 7));
    FormView view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* whole = qobject_cast<QLineEdit*>(view.widget_for(slots.controls(0)->wholepart));
    QVERIFY(whole);

    QTest::mouseClick(whole, Qt::LeftButton, {}, whole->rect().center());
    QTest::keyClicks(whole, "123456789");
    QTest::keyClick(whole, Qt::Key_Return);
    QCOMPARE(whole->text(), QString("2"));
    view.setFocus(); // no caret
    for (const int n : {44, 17, 111}) {
        QVERIFY(slots.show_fraction(0, n, 7));
        QVERIFY2(shows_whole(*whole, whole->text()), qPrintable(whole->text()));
    }
}

QTEST_MAIN(TestUi)
#include "tst_ui.moc"
