#include "app/main_window.h"
#include "lessons/chapter3.h"
#include "support/harness.h"
#include "support/learner.h"
#include "text/markup.h"
#include "ui/views/control_views.h"
#include "ui/views/menu_view.h"
#include "ui/views/picture_access.h"

#include <QAccessible>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QInputDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>
#include <set>

using namespace quorrel;
using testing::Harness;

namespace {

// The real window over a tutor that has run start-up to the chapter-3
// screen (three slots: two fractions and the answer) and gone idle.
struct Window {
    Harness h;
    std::unique_ptr<app::MainWindow> window;

    Window()
    {
        h.add_lesson("1a", [](const lessons::Stage& s) {
            s.screen.reset_screen();
            lessons::Chapter3(s).Lesson3_setup(); // two fractions and the answer
        });
        window = std::make_unique<app::MainWindow>(h.tutor());
        window->fill(QRect(0, 0, 1280, 1024));
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        h.start();
    }

    app::Tutor& tutor() { return h.tutor(); }
    const app::Probe& probe() const { return h.probe(); }
    ui::MenuItem& menu(const std::string& name) { return h.menu(name); }
    int num(int slot) const { return h.num(slot); }
    const lessons::Stage& stage() const { return h.stage(); }
    // Starts page `page` of lesson 1a, which becomes `script`.
    void at_page(int page, const Harness::Script& script)
    {
        h.add_lesson("1a", script);
        h.click_page_strip(12 * (page - 1) + 2);
        h.settle();
    }
    QWidget* view(const ui::Control* control) { return control ? window->form_view().widget_for(*control) : nullptr; }
    QWidget* focus() { return QApplication::focusWidget(); }
    // Where a key lands: the focused widget, or the window when none is.
    QWidget* target() { return focus() ? focus() : window.get(); }
    QStringList chain()
    {
        QStringList names;
        for (QWidget* w : window->form_view().focus_chain())
            names << w->objectName();
        return names;
    }
};

void press_repeated(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, key == Qt::Key_Space ? " " : "", true);
    QApplication::sendEvent(widget, &press);
}

QString strip_ampersands(QString text)
{
    text.replace("&&", "\x01");
    text.remove('&');
    text.replace("\x01", "&");
    return text;
}

QChar mnemonic_of(const QString& text)
{
    for (qsizetype k = 0; k + 1 < text.size(); ++k) {
        if (text[k] != u'&')
            continue;
        if (text[k + 1] != u'&')
            return text[k + 1].toLower();
        ++k;
    }
    return {};
}

} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysActWhateverHasTheFocus_data();
    void keysActWhateverHasTheFocus();
    void heldKeysCountOnce();
    void openingAMenuChangesNothing_data();
    void openingAMenuChangesNothing();
    void pageKeysTurnPages_data();
    void pageKeysTurnPages();
    void tabWalksTheShownSlotsInReadingOrder_data();
    void tabWalksTheShownSlotsInReadingOrder();
    void arrowKeysStepAFocusedSliderAtOnce_data();
    void arrowKeysStepAFocusedSliderAtOnce();
    void typingAppliesWhenTheLearnerMovesOn_data();
    void typingAppliesWhenTheLearnerMovesOn();
    void frozenBoxesTakeNoFocusAndClicksPlaceTheCaret();
    void focusFrameShowsOnlyWithFocus();
    void theKeyboardNeverTypesUnasked();
    void theLinkAndEveryPageAreReachedByKeys();
    void viewKeysSizeTheFormAndAreKept();
    void menuMnemonicsAreUniqueAndKeepCaptions();
    void mnemonicTextEscapesAmpersands_data();
    void mnemonicTextEscapesAmpersands();
    void altLetterOpensAndChooses();
    void everyShownControlHasAnAccessibleName_data();
    void everyShownControlHasAnAccessibleName();
    void messageBoxReadsAsItsNewestLine();
    void messageBoxIsTextThatAScreenReaderFollows();
    void everyNewLineIsOneInsertion();
};

// What a key did: a "go on" click, a Stop, Exit, or nothing.
enum class Effect { click, stop, quit, none };
Q_DECLARE_METATYPE(Effect)

void TestKeys::keysActWhateverHasTheFocus_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QString>("focus"); // "", a control's name: what has the focus
    QTest::addColumn<bool>("drill");     // the Stop button shows
    QTest::addColumn<Effect>("effect");
    const int none = Qt::NoModifier;
    QTest::newRow("space, nothing focused") << int(Qt::Key_Space) << none << "" << false << Effect::click;
    QTest::newRow("return, nothing focused") << int(Qt::Key_Return) << none << "" << false << Effect::click;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "" << false << Effect::click;
    QTest::newRow("space on a slider") << int(Qt::Key_Space) << none << "slider_fracnum(1)" << false << Effect::click;
    QTest::newRow("return on a slider") << int(Qt::Key_Return) << none << "slider_fracden(0)" << false
                                        << Effect::click;
    QTest::newRow("space on the Stop button") << int(Qt::Key_Space) << none << "cmd_stop" << true << Effect::click;
    QTest::newRow("space in a numeral box") << int(Qt::Key_Space) << none << "inbox(0)" << false << Effect::click;
    QTest::newRow("ctrl+space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << "" << false << Effect::none;
    QTest::newRow("escape in a drill") << int(Qt::Key_Escape) << none << "" << true << Effect::stop;
    QTest::newRow("escape on a slider in a drill") << int(Qt::Key_Escape) << none << "slider_fracnum(2)" << true
                                                   << Effect::stop;
    QTest::newRow("escape outside a drill") << int(Qt::Key_Escape) << none << "" << false << Effect::none;
    QTest::newRow("ctrl+q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "" << false << Effect::quit;
    QTest::newRow("ctrl+q in a numeral box") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "inbox(3)" << false
                                             << Effect::quit;
    QTest::newRow("q alone") << int(Qt::Key_Q) << none << "" << false << Effect::none;
}

void TestKeys::keysActWhateverHasTheFocus()
{
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QString, focus);
    QFETCH(bool, drill);
    QFETCH(Effect, effect);
    Window w;
    w.h.control<ui::Button>("cmd_stop").set_visible(drill);
    QWidget* target = w.window.get();
    if (!focus.isEmpty()) {
        target = w.window->findChild<QWidget*>(focus);
        QVERIFY(target);
        if (target->focusPolicy() != Qt::NoFocus) {
            target->setFocus(Qt::TabFocusReason);
            QCOMPARE(w.focus(), target);
        }
    }
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(mods));
    QCOMPARE(w.probe().click_pending(), effect == Effect::click);
    QCOMPARE(w.probe().stop_marked(), effect == Effect::stop);
    QCOMPARE(w.probe().quitting(), effect == Effect::quit);
}

void TestKeys::heldKeysCountOnce()
{
    Window w;
    QTest::keyPress(w.target(), Qt::Key_Space);
    QVERIFY(w.probe().click_pending());
    w.stage().say.wait(); // the line it was for goes on
    for (int k = 0; k < 5; ++k)
        press_repeated(w.target(), Qt::Key_Space);
    QVERIFY2(!w.probe().click_pending(), "a held Space must not skip the next lines");
    QTest::keyRelease(w.target(), Qt::Key_Space);

    int pages = 0;
    w.h.add_lesson("1b", [&pages](const lessons::Stage&) { ++pages; });
    w.at_page(5, [](const lessons::Stage& s) { s.pages.page(s.pages.first_page()); });
    QTest::keyPress(w.target(), Qt::Key_PageDown);
    for (int k = 0; k < 5; ++k)
        press_repeated(w.target(), Qt::Key_PageDown);
    w.h.settle();
    QCOMPARE(pages, 1);
}

void TestKeys::openingAMenuChangesNothing_data()
{
    QTest::addColumn<QString>("start"); // a lesson's menu item, or a page of the strip
    QTest::addColumn<QString>("line");  // where to look: part of the line or the exercise waited on
    QTest::addColumn<int>("next");      // the page NextPage opens from there; 0 for none
    QTest::newRow("lesson 4") << "mnu_4" << "On this screen" << 0;
    QTest::newRow("a 3c drill") << "35" << "|expand 3 to 0" << 36;
    QTest::newRow("1e page 12") << "12" << "The picture at the right shows" << 13;
}

void TestKeys::openingAMenuChangesNothing()
{
    QFETCH(QString, start);
    QFETCH(QString, line);
    QFETCH(int, next);
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto values = [&h] {
        QStringList all;
        for (int slot = 0; slot < 5; ++slot)
            all << QString("%1/%2").arg(h.num(slot)).arg(h.den(slot));
        return all;
    };
    bool looked = false;
    std::string paged_to;
    h.set_learner([&](Harness& l) {
        if (looked && next) {
            paged_to = l.probe().page_label();
            l.choose("mnu_exit");
            return;
        }
        const testing::Screen seen = testing::screen_of(l);
        if (looked || (seen.line + "|" + seen.condition).find(line.toStdString()) == std::string::npos) {
            l.click_text();
            return;
        }
        looked = true;
        const QImage before = window.grab().toImage();
        const QStringList held = values();
        for (const char* name : {"mnu_Lessons", "mnu_1", "mnu_2", "mnu_3"}) {
            auto* menu = window.findChild<QMenu*>(name);
            QVERIFY(menu);
            menu->popup(window.geometry().center());
            QTest::keyClick(menu, Qt::Key_Escape);
            QVERIFY2(window.grab().toImage() == before, name);
            QCOMPARE(values(), held);
        }
        if (next) // from the page on screen, not from the top of the menu
            l.choose("mnu_next");
        else
            l.choose("mnu_exit");
    });
    if (start.startsWith("mnu_"))
        h.choose(start.toStdString());
    else
        h.click_page_strip(12 * (start.toInt() - 1) + 2);
    h.settle();
    QVERIFY(looked);
    if (next)
        QCOMPARE(paged_to, "Page " + std::to_string(next) + "  ");
}

void TestKeys::pageKeysTurnPages_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("to_page");
    QTest::newRow("page down") << int(Qt::Key_PageDown) << "" << 3;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << "" << 1;
    QTest::newRow("page down on a slider") << int(Qt::Key_PageDown) << "slider_fracnum(0)" << 3;
    QTest::newRow("page up in a numeral box") << int(Qt::Key_PageUp) << "inbox(1)" << 1;
}

void TestKeys::pageKeysTurnPages()
{
    QFETCH(int, key);
    QFETCH(QString, focus);
    QFETCH(int, to_page);
    Window w;
    std::vector<int> visits;
    w.at_page(2, [&](const lessons::Stage& s) {
        visits.push_back(s.pages.first_page());
        s.pages.page(visits.back());
    });
    visits.clear();
    const int value = w.num(0);
    if (!focus.isEmpty())
        w.window->findChild<QWidget*>(focus)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.target(), Qt::Key(key));
    w.h.settle();
    QCOMPARE(visits, std::vector<int>{to_page});
    QCOMPARE(w.num(0), value); // the slider took no page step
}

namespace {

QStringList slot_chain(int slot, bool sliders = true, bool whole = false)
{
    const QString i = QString("(%1)").arg(slot);
    QStringList names;
    if (whole)
        names << "wholepart" + i;
    names << QString("inbox(%1)").arg(2 * slot);
    if (sliders)
        names << "slider_fracnum" + i;
    names << QString("inbox(%1)").arg(2 * slot + 1);
    if (sliders)
        names << "slider_fracden" + i;
    return names;
}

} // namespace

void TestKeys::tabWalksTheShownSlotsInReadingOrder_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("two fractions and the answer") << "three" << slot_chain(0) + slot_chain(1) + slot_chain(2);
    // A fraction the learner must not change takes no focus at all.
    QTest::newRow("answer frozen") << "frozen answer" << slot_chain(0) + slot_chain(1);
    QTest::newRow("second fraction locked") << "locked" << slot_chain(0) + slot_chain(2);
    QTest::newRow("second fraction hidden") << "two" << slot_chain(0) + slot_chain(2);
    QTest::newRow("mixed number with a whole part") << "mixed" << slot_chain(0) + slot_chain(1, true, true) + slot_chain(2);
}

void TestKeys::tabWalksTheShownSlotsInReadingOrder()
{
    QFETCH(QString, screen);
    QFETCH(QStringList, order);
    order << "pbox_text"; // the lesson's text closes the round
    Window w;
    fractions::Board& board = w.stage().board;
    if (screen == "frozen answer")
        board.hideslide(2);
    if (screen == "locked")
        board.lock_slot(1, true);
    if (screen == "two")
        board.hide_slot(1);
    if (screen == "mixed") {
        board.show_fraction(1, 7, 3);
        w.h.choose("mnu_mixed1");
    }
    QCOMPARE(w.chain(), order);

    QStringList forward;
    for (int k = 0; k < order.size(); ++k) {
        QTest::keyClick(w.target(), Qt::Key_Tab);
        QVERIFY(w.focus());
        forward << w.focus()->objectName();
    }
    QCOMPARE(forward, order);
    QTest::keyClick(w.target(), Qt::Key_Tab); // round to the first
    QCOMPARE(w.focus()->objectName(), order.first());

    QStringList backward;
    for (int k = 0; k < order.size(); ++k) {
        QTest::keyClick(w.target(), Qt::Key_Tab, Qt::ShiftModifier);
        backward.prepend(w.focus()->objectName());
    }
    QCOMPARE(backward, order);
    QVERIFY(!w.probe().click_pending());
}

void TestKeys::arrowKeysStepAFocusedSliderAtOnce_data()
{
    QTest::addColumn<QString>("part");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    // Slot 1 holds 3/4.
    QTest::newRow("numerator right") << "num" << int(Qt::Key_Right) << 1 << false << 4 << 4;
    QTest::newRow("numerator up twice") << "num" << int(Qt::Key_Up) << 2 << false << 5 << 4;
    QTest::newRow("numerator left") << "num" << int(Qt::Key_Left) << 1 << false << 2 << 4;
    QTest::newRow("denominator down") << "den" << int(Qt::Key_Down) << 1 << false << 3 << 3;
    QTest::newRow("denominator right") << "den" << int(Qt::Key_Right) << 1 << false << 3 << 5;
    // Past 16 units the slot snaps back, as after an arrow click.
    QTest::newRow("denominator below the stick's reach") << "den" << int(Qt::Key_Left) << 4 << false << 3 << 1;
    QTest::newRow("a locked question takes no step") << "num" << int(Qt::Key_Right) << 1 << true << 3 << 4;
}

void TestKeys::arrowKeysStepAFocusedSliderAtOnce()
{
    QFETCH(QString, part);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(bool, locked);
    QFETCH(int, num);
    QFETCH(int, den);
    Window w;
    fractions::Board& board = w.stage().board;
    QVERIFY(board.show_fraction(1, 3, 4));
    board.lock_slot(1, locked);
    QWidget* slider = w.view(w.probe().find(part == "num" ? "slider_fracnum" : "slider_fracden", 1));
    slider->setFocus(Qt::TabFocusReason);
    for (int k = 0; k < presses; ++k)
        QTest::keyClick(slider, Qt::Key(key));
    QCOMPARE(w.num(1), num);
    QCOMPARE(w.h.den(1), den);
    QCOMPARE(w.probe().find<ui::TextBox>("inbox", 2)->text(), std::to_string(num));
    QCOMPARE(w.probe().find<ui::TextBox>("inbox", 3)->text(), std::to_string(den));
    QCOMPARE(w.focus() == slider, !locked); // greyed, it takes no focus
}

void TestKeys::typingAppliesWhenTheLearnerMovesOn_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("num");
    QTest::addColumn<int>("den");
    QTest::addColumn<QString>("then"); // Return, Tab, or a click on the text
    // Slot 0 holds 2/3.
    QTest::newRow("numerator") << 0 << "5" << 5 << 3 << "Return";
    QTest::newRow("denominator") << 1 << "12" << 2 << 12 << "Return";
    QTest::newRow("not a number") << 0 << "x" << 2 << 3 << "Return";
    QTest::newRow("beyond 16 units") << 1 << "0" << 2 << 3 << "Return";
    QTest::newRow("Tab to the next control") << 1 << "7" << 2 << 7 << "Tab";
    QTest::newRow("a click on the text to be checked") << 0 << "1" << 1 << 3 << "text";
    QTest::newRow("refused, then a click on the text") << 1 << "0" << 2 << 3 << "text";
}

void TestKeys::typingAppliesWhenTheLearnerMovesOn()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(int, num);
    QFETCH(int, den);
    QFETCH(QString, then);
    Window w;
    QVERIFY(w.stage().board.show_fraction(0, 2, 3));
    const auto* inbox = w.probe().find<ui::TextBox>("inbox", box);
    auto* edit = qobject_cast<QLineEdit*>(w.view(inbox));
    QVERIFY(edit);
    // Reached by Tab, the box selects its number, so digits replace it.
    while (w.focus() != edit)
        QTest::keyClick(w.target(), Qt::Key_Tab);
    QTest::keyClicks(edit, typed);
    QCOMPARE(w.probe().slots().value(0), fractions::Fraction::make(2, 3)); // nothing applied while typing
    if (then == "Tab")
        QTest::keyClick(edit, Qt::Key_Tab);
    else if (then == "text")
        QTest::mouseClick(w.view(w.probe().find("pbox_text")), Qt::LeftButton);
    else
        QTest::keyClick(edit, Qt::Key_Return);
    // What the box shows is what the fraction holds, whatever ended the typing.
    QCOMPARE(w.num(0), num);
    QCOMPARE(w.h.den(0), den);
    QCOMPARE(edit->text().toStdString(), inbox->text());
    QCOMPARE(inbox->text(), std::to_string(box == 0 ? num : den));
    if (then != "Return")
        return;
    QVERIFY(!w.probe().click_pending()); // the box's Return is no "go on"
    QCOMPARE(w.focus(), edit);                  // the learner keeps their place
    QCOMPARE(edit->selectedText(), edit->text());
}

// A fraction frozen while its box has the focus (a drill's Stop) lets the
// focus go; a click then neither focuses nor types into it. A click in a
// box that takes typing puts the caret where it lands.
void TestKeys::frozenBoxesTakeNoFocusAndClicksPlaceTheCaret()
{
    Window w;
    fractions::Board& board = w.stage().board;
    QVERIFY(board.show_fraction(1, 150, 16));
    auto* edit = qobject_cast<QLineEdit*>(w.view(w.probe().find("inbox", 2)));
    QVERIFY(edit);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(1, edit->height() / 2));
    QCOMPARE(w.focus(), edit);
    QVERIFY(!edit->hasSelectedText());
    QTest::keyClicks(edit, "1");
    QCOMPARE(edit->text(), QString("1150"));
    // The next click applies it: refused, the number is back, the caret stays.
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 2, edit->height() / 2));
    QCOMPARE(edit->text(), QString("150"));
    QCOMPARE(w.focus(), edit);
    QVERIFY(!edit->hasSelectedText());

    board.hideslide(1);
    QVERIFY(w.focus() != edit);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() / 2, edit->height() / 2));
    QVERIFY(w.focus() != edit);
    QTest::keyClicks(edit, "9");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), QString("150"));
    QCOMPARE(w.num(1), 150);
}

// The frame lies above every control of the form, so that no picture over
// the control's edge hides it.
void TestKeys::focusFrameShowsOnlyWithFocus()
{
    Window w;
    QWidget& form = w.window->form_view();
    for (QWidget* control : {w.view(w.probe().find("slider_fracnum", 0)), w.view(w.probe().find("inbox", 0))}) {
        const QImage before = form.grab(control->geometry()).toImage();
        control->setFocus(Qt::TabFocusReason);
        const QImage focused = form.grab(control->geometry()).toImage();
        QCOMPARE(focused.pixelColor(0, control->height() / 2), QColor(0, 0, 255));
        QCOMPARE(focused.pixelColor(control->width() / 2, control->height() - 1), QColor(0, 0, 255));
        QWidget* top = nullptr;
        for (QObject* child : form.children())
            if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->isVisible())
                top = widget;
        QVERIFY(top && !w.view(w.probe().find(top->objectName().toStdString())));
        form.setFocus();
        QCOMPARE(form.grab(control->geometry()).toImage(), before); // unfocused, the drawing is as it was
    }
}

// Space and Return go on wherever the focus is; only a numeral box's own
// keys type into it, and no change of page puts the focus into one.
void TestKeys::theKeyboardNeverTypesUnasked()
{
    Window w;
    QVERIFY(w.stage().board.show_fraction(0, 2, 3));
    auto* edit = qobject_cast<QLineEdit*>(w.view(w.probe().find("inbox", 1)));
    while (w.focus() != edit)
        QTest::keyClick(w.target(), Qt::Key_Tab);
    QTest::keyClick(edit, Qt::Key_Space);
    QVERIFY(w.probe().click_pending());
    QCOMPARE(edit->text(), QString("3"));
    w.stage().say.wait();
    QTest::keyClicks(edit, "4"); // typed over the selected number, then Space checks it
    QTest::keyClick(edit, Qt::Key_Space);
    QVERIFY(w.probe().click_pending());
    QCOMPARE(w.h.den(0), 4);
    QCOMPARE(edit->text(), QString("4"));

    // A new page hides the focused slider's slot, or the focused box for a
    // moment, whether the form is shown as it is or scaled.
    for (const char* focused : {"slider_fracnum(1)", "inbox(0)", "inbox(1)"}) {
        if (std::string(focused) == "inbox(1)") {
            w.window->lay_out(QSize(800, 480));
            QVERIFY(w.window->scaled_view());
            w.window->scaled_view()->setFocus();
        }
        w.at_page(2, [](const lessons::Stage& s) { s.pages.page(s.pages.first_page()); });
        QWidget* control = w.view(w.tutor().window().find(focused));
        QVERIFY2(control, focused);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY2(control->hasFocus(), focused);
        w.at_page(3, [](const lessons::Stage& s) {
            s.screen.reset_screen();
            s.board.show_fraction(0, 1, 2);
            s.pages.page(s.pages.first_page());
        });
        QVERIFY2(!qobject_cast<QLineEdit*>(w.focus()), focused);
        // Once the new screen shows, the keyboard's place is its first slider.
        QWidget* slider = w.view(w.probe().find("slider_fracnum", 0));
        QTRY_VERIFY2(slider->hasFocus(), focused);
        QVERIFY(w.window->form_view().findChild<QWidget*>("focus_frame")->isVisible());
    }
}

void TestKeys::theLinkAndEveryPageAreReachedByKeys()
{
    Window w;
    auto& link = w.h.control<ui::PictureBox>("pbox_go_on");
    QTest::keyClick(w.target(), Qt::Key_H);
    QVERIFY(!w.probe().click_pending()); // no link, no key
    link.show();
    QVERIFY(w.view(&link)->accessibleName().contains("(H)"));
    QTest::keyClick(w.target(), Qt::Key_H);
    QVERIFY(w.probe().click_pending());

    // Ctrl+G asks for a page, offering only those that open.
    QTest::keyClick(w.window.get(), Qt::Key_G, Qt::ControlModifier);
    auto* dialog = w.window->findChild<QInputDialog*>("page_dialog");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->intMaximum(), w.tutor().page_count());
    dialog->setIntValue(12);
    dialog->accept();
    w.h.set_learner([](Harness& l) { l.tutor().quit(); });
    w.h.settle();
    QCOMPARE(w.tutor().global_page(), 12);
}

// Ctrl with +, = or - sizes the form in steps, Ctrl+0 puts it back, and the
// choices come back in the next run.
void TestKeys::viewKeysSizeTheFormAndAreKept()
{
    QTemporaryDir dir;
    QSettings kept(dir.filePath("quorrel.conf"), QSettings::IniFormat);
    {
        Window w;
        w.window->on_view_changed = [&kept](const app::ViewChoices& choices) { choices.save(kept); };
        const QSize inside(2048, 1400); // room for twice the least form
        w.window->lay_out(inside);
        QCOMPARE(w.window->scale(), 1.0);
        const std::pair<Qt::Key, double> steps[] = {
            {Qt::Key_Equal, 1.25}, {Qt::Key_Plus, 1.5}, {Qt::Key_Minus, 1.25}, {Qt::Key_0, 1}, {Qt::Key_Plus, 1.25}};
        for (const auto& [key, scale] : steps) {
            QTest::keyClick(w.window.get(), key, Qt::ControlModifier);
            QCOMPARE(w.window->scale(), scale);
            // The form is laid out to fill the inside at that scale, and all
            // of it shows.
            QCOMPARE(w.tutor().window().width(), int(inside.width() / scale));
            if (const QGraphicsView* stage = w.window->scaled_view()) {
                const QGraphicsItem* form = w.window->form_view().graphicsProxyWidget();
                const QRect shown = stage->mapFromScene(form->sceneBoundingRect()).boundingRect();
                QVERIFY2(shown.right() >= inside.width() - 2 && shown.bottom() >= inside.height() - 2,
                         qPrintable(QString("%1x%2").arg(shown.right()).arg(shown.bottom())));
            }
        }
        w.h.choose("mnu_contrast");
        QVERIFY(ui::high_contrast());
    }
    ui::set_high_contrast(false);
    const app::ViewChoices back = app::ViewChoices::load(kept);
    QCOMPARE(back.zoom, 125);
    QVERIFY(back.high_contrast);
    kept.setValue("view/zoom", 160); // no step: the nearest
    QCOMPARE(app::ViewChoices::load(kept).zoom, 150);
}

void TestKeys::menuMnemonicsAreUniqueAndKeepCaptions()
{
    Window w;
    // Every menu, the bar included: each item has a letter of its own, and
    // the caption with the marks taken out is the model's caption.
    std::vector<QWidget*> menus{w.window->menuBar()};
    for (QMenu* menu : w.window->menuBar()->findChildren<QMenu*>())
        menus.push_back(menu);
    int items = 0;
    for (QWidget* menu : menus) {
        std::set<QChar> seen;
        for (QAction* action : menu->actions()) {
            const QChar key = mnemonic_of(action->text());
            QVERIFY2(!key.isNull(), qPrintable(action->text()));
            QVERIFY2(seen.insert(key).second, qPrintable(action->text()));
            const std::string name = action->menu() ? action->menu()->objectName().toStdString()
                                                    : action->objectName().toStdString();
            const ui::MenuItem* item = w.tutor().window().menu_bar().find(name);
            QVERIFY2(item, name.c_str());
            QCOMPARE(strip_ampersands(action->text()).toStdString(), item->caption());
            ++items;
        }
    }
    QVERIFY(items > 30);
    QCOMPARE(w.menu("mnu_Lessons").caption(), std::string("Lessons"));
    const std::vector<QString> bar = ui::menu_texts(w.tutor().window().menu_bar());
    QCOMPARE(bar, (std::vector<QString>{"&Lessons", "&Choices", "&View", "L&earner", "&NextPage", "&PrevPage", "E&xit",
                                        "&Test", "Play&back"}));
    const std::vector<QString> lessons = ui::menu_texts(w.menu("mnu_1"));
    QCOMPARE(lessons.front(), "1&a: Understanding Fractions");
    // The practice buttons have letters too, none taken by the menu bar.
    for (const char* name : {"cmd_newprob", "cmd_checksum", "cmd_checkproduct", "cmd_checkquotient",
                             "cmd_checkreduced"}) {
        const QString text = w.window->findChild<QPushButton*>(name)->text();
        QVERIFY2(!mnemonic_of(text).isNull(), name);
        for (const QString& item : bar)
            QVERIFY2(mnemonic_of(item) != mnemonic_of(text), name);
    }
}

void TestKeys::mnemonicTextEscapesAmpersands_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("mnemonic");
    QTest::addColumn<QString>("text");
    QTest::newRow("word start preferred") << "Frac 0 Circle" << "c" << "Frac 0 &Circle";
    QTest::newRow("inside a word") << "Exit" << "x" << "E&xit";
    QTest::newRow("literal ampersand") << "Salt & Pepper" << "P" << "Salt && &Pepper";
    QTest::newRow("ampersand, no mnemonic") << "A&B" << "" << "A&&B";
    QTest::newRow("letter not in caption") << "Wait" << "z" << "Wait";
}

void TestKeys::mnemonicTextEscapesAmpersands()
{
    QFETCH(QString, caption);
    QFETCH(QString, mnemonic);
    QFETCH(QString, text);
    const char key = mnemonic.isEmpty() ? 0 : mnemonic.toLatin1()[0];
    QCOMPARE(ui::mnemonic_text(caption.toStdString(), key), text);
    QCOMPARE(strip_ampersands(text), caption);
}

void TestKeys::altLetterOpensAndChooses()
{
    Window w;
    std::vector<int> visits;
    w.at_page(2, [&](const lessons::Stage& s) {
        visits.push_back(s.pages.first_page());
        s.pages.page(visits.back());
    });
    visits.clear();
    QTest::keyClick(w.window.get(), Qt::Key_N, Qt::AltModifier);
    w.h.settle();
    QCOMPARE(visits, std::vector<int>{3});
}

void TestKeys::everyShownControlHasAnAccessibleName_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<QString>("until"); // a control that must show first; "": the third line
    QTest::newRow("1a") << "1a" << "";
    QTest::newRow("1b with a slot") << "1b" << "slider_fracnum(0)";
    QTest::newRow("2b") << "2b" << "";
    QTest::newRow("3c drill") << "3c" << "cmd_stop";
}

void TestKeys::everyShownControlHasAnAccessibleName()
{
    QFETCH(QString, lesson);
    QFETCH(QString, until);
    Harness h;
    h.turn_limit = 400;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const ui::Control* awaited = until.isEmpty() ? nullptr : h.tutor().window().find(until.toStdString());
    QStringList unnamed;
    int named = 0;
    int lines = 0;
    h.set_learner([&](Harness& l) {
        const bool ready = awaited ? awaited->visible() : ++lines >= 3;
        if (!ready) {
            l.click_text();
            return;
        }
        for (const auto& control : l.tutor().window().controls()) {
            QWidget* view = window.form_view().widget_for(*control);
            if (!view || !control->visible())
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(view);
            if (view->accessibleName().isEmpty() || view->accessibleDescription().isEmpty() || !face ||
                face->text(QAccessible::Name) != view->accessibleName())
                unnamed << view->objectName();
            ++named;
        }
        l.tutor().quit();
    });
    if (lesson != "1a")
        h.add_lesson("1a", [&h, lesson](const lessons::Stage&) { h.start_lesson(lesson.toStdString()); });
    h.start();
    QVERIFY(!h.limit_reached());
    QCOMPARE(unnamed, QStringList());
    QVERIFY(named >= 3);
    QCOMPARE(window.findChild<QWidget*>("cmd_stop")->accessibleName(), "Stop the drill");
    QCOMPARE(window.findChild<QWidget*>("slider_fracden(0)")->accessibleName(),
             "Denominator slider of the first fraction");
    QCOMPARE(window.findChild<QWidget*>("inbox(3)")->accessibleName(), "Denominator of the second fraction");
}

void TestKeys::messageBoxReadsAsItsNewestLine()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    QWidget* box = window.findChild<QWidget*>("pbox_text");
    QStringList heard;
    QStringList newest;
    h.set_learner([&](Harness& l) {
        heard << box->accessibleDescription();
        newest << QString::fromStdString(text::spoken(l.last_line()));
        if (heard.size() == 6)
            l.tutor().quit();
        else
            QTest::keyClick(&window, Qt::Key_Space); // goes on, as a click would
    });
    h.start();
    QCOMPARE(heard.size(), 6);
    // The welcome screen is drawn, not written line by line: it reads whole.
    QCOMPARE(heard.takeFirst(), "Welcome! As you read through the text in this yellow box: Click the mouse anywhere in "
                                "the box whenever you wish to read further. Also, click in this box whenever you "
                                "complete a problem and want me to check your answer. Click now to get started. "
                                "The Space bar goes on too, just as a click does.");
    newest.removeFirst();
    // A title and the line written with it read as one.
    QCOMPARE(heard.size(), newest.size());
    for (qsizetype i = 0; i < heard.size(); ++i)
        QVERIFY2(heard[i].endsWith(newest[i]), qPrintable(heard[i] + " / " + newest[i]));
    for (const QString& line : heard) {
        QVERIFY(!line.isEmpty());
        QVERIFY2(!line.contains("__"), qPrintable(line));
    }
    QCOMPARE(QSet<QString>(heard.begin(), heard.end()).size(), heard.size());
}

// The page's written lines as a screen reader is to read them.
QStringList page_words(const std::string& history)
{
    QStringList page;
    for (const std::string& line : testing::history_lines(history))
        if (const std::string words = text::spoken(line); !words.empty())
            page << QString::fromStdString(words);
    return page;
}

void TestKeys::messageBoxIsTextThatAScreenReaderFollows()
{
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QRect(0, 0, 1280, 1024));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget* box = window.findChild<QWidget*>("pbox_text");
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    QVERIFY(text);
    QStringList faults;
    int turn = 0;
    h.set_learner([&](Harness& l) {
        const QString now = text->text(0, text->characterCount());
        if (turn > 0 && now != page_words(l.probe().message_history()).join('\n')) // past the welcome screen
            faults << QString("turn %1: %2").arg(turn).arg(now);
        if (QApplication::focusWidget() != box)
            faults << QString("turn %1: the focus is elsewhere").arg(turn);
        if (++turn < 5) {
            QTest::keyClick(&window, Qt::Key_Space); // goes on, with the focus on the box
            return;
        }
        // Earlier lines read back whole; Up steps back to the line before.
        const QStringList page = now.split('\n');
        int start = 0;
        int end = 0;
        QCOMPARE(text->textAtOffset(0, QAccessible::LineBoundary, &start, &end).trimmed(), page.first());
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end).trimmed(),
                 page[page.size() - 2]);
        l.tutor().quit();
    });
    h.start();
    QCOMPARE(turn, 5);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(" | ")));

    // A line written while the learner works a fraction leaves it the focus.
    Window w;
    QWidget* text_box = w.view(w.probe().find("pbox_text"));
    QTest::keyClick(w.target(), Qt::Key_Tab);
    QWidget* working = w.focus();
    QVERIFY(working && working != text_box);
    QVERIFY(w.stage().say.write_text("One line more."));
    QCOMPARE(w.focus(), working);
    text = QAccessible::queryAccessibleInterface(text_box)->textInterface();
    QVERIFY(text->text(0, text->characterCount()).endsWith("One line more."));
}

void TestKeys::everyNewLineIsOneInsertion()
{
    // Each change of the box's text is one event to a screen reader.
    Harness h;
    auto& box = h.control<ui::PictureBox>("pbox_text");
    QStringList changes;
    QString before;
    box.set_listener([&](ui::Aspect aspect) {
        if (aspect != ui::Aspect::text)
            return;
        const QString now = QString::fromStdString(box.accessible_text());
        const ui::TextChange change = ui::text_change(before, now);
        changes << QString("%1 -%2 +%3").arg(change.position).arg(change.removed, change.added);
        before = now;
    });
    int turn = 0;
    QStringList faults;
    h.set_learner([&](Harness& l) {
        const QStringList page = page_words(l.probe().message_history());
        // The title comes with the first line; each later line is added alone.
        if (turn > 1 && changes != QStringList{QString("%1 - +\n%2").arg(before.size() - page.last().size() - 1).arg(page.last())})
            faults << changes.join(" / ");
        changes.clear();
        if (++turn == 8)
            l.tutor().quit();
        else
            l.click_text();
    });
    h.start();
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(" | ")));
    QCOMPARE(turn, 8);
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
