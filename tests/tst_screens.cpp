#include "app/main_window.h"
#include "support/harness.h"
#include "support/learner.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QtTest>

#include <map>
#include <set>
#include <utility>

using namespace quorrel;
using testing::Harness;
using testing::Walker;

namespace {

// The parts that follow the message box wherever the window puts it.
bool beside_the_lesson(const ui::Control& control)
{
    static const std::set<std::string> names = {"pbox_text", "pbox_title", "pbox_pages", "pbox_go_on"};
    return names.count(control.name()) > 0;
}

QRect rect_of(const ui::Control& control)
{
    if (const auto* line = dynamic_cast<const ui::LineControl*>(&control)) {
        const int w = line->line_width();
        return QRect(QPoint(int(std::min(line->x1(), line->x2())), int(std::min(line->y1(), line->y2()))),
                     QPoint(int(std::max(line->x1(), line->x2())), int(std::max(line->y1(), line->y2()))))
            .adjusted(-w / 2, -w / 2, w / 2, w / 2);
    }
    return QRect(control.left(), control.top(), control.width(), control.height());
}

// What the learner sees of one moment of a lesson.
struct Look {
    int hidden_ink = 0;    // ink of the window's own picture covered by a control
    int overlaps = 0;      // pairs of lesson controls lying over each other
    int under_message = 0; // lesson controls the message box meets
    long long cut = 0;     // the area of visible lesson controls off the form
    QStringList cut_names;
    QRect ink_extent;
    int ink = 0;           // pixels of the window's own picture
    int text_bottom = 0;   // the lowest written row of the message box
    int text_room = 0;     // the message box's height
    int slider_top = 0;    // of the highest slider on show
    bool stop = false;
    QRect stop_rect;
    std::set<std::pair<std::string, std::string>> overlapping; // by name
    // What the largest fractions the learner can give the slots do to this
    // screen that the fractions it holds do not.
    QStringList stretched;
};

// How much of a control the form cuts off: of a picture, only what is
// drawn in it counts, as its blank margin may run past the form.
long long cut_off(const ui::Control& control, const QRect& r, const QRect& whole)
{
    const auto* picture = dynamic_cast<const ui::PictureBox*>(&control);
    if (!picture) {
        const QRect on = r & whole;
        return qlonglong(r.width()) * r.height() - qlonglong(on.width()) * on.height();
    }
    const ui::Canvas& canvas = picture->canvas();
    const ui::Color paper = canvas.background();
    long long off = 0;
    for (int y = 0; y < std::min(r.height(), canvas.height()); ++y)
        for (int x = 0; x < std::min(r.width(), canvas.width()); ++x)
            if (!whole.contains(r.left() + x, r.top() + y) && !(canvas.pixel(x, y) == paper))
                ++off;
    return off;
}

Look look_at(const app::Probe& probe)
{
    Look look;
    const ui::Form& form = probe.window();
    const QRect whole(0, 0, form.width(), form.height());
    std::vector<std::pair<QRect, std::string>> lesson_controls;
    std::vector<QRect> covers;
    QRect message;
    for (const auto& control : form.controls()) {
        if (!control->visible())
            continue;
        const QRect r = rect_of(*control);
        if (!whole.contains(r)) {
            if (!beside_the_lesson(*control)) {
                const long long off = cut_off(*control, r, whole);
                look.cut += off;
                if (off)
                    look.cut_names << QString("%1:%2").arg(QString::fromStdString(control->name())).arg(off);
            }
        }
        if (!dynamic_cast<const ui::LineControl*>(control.get()))
            covers.push_back(r);
        if (dynamic_cast<const ui::Slider*>(control.get()) && (!look.slider_top || r.top() < look.slider_top))
            look.slider_top = r.top();
        if (beside_the_lesson(*control)) {
            if (control->name() == "pbox_text")
                message = r;
            continue;
        }
        lesson_controls.emplace_back(r, control->name());
    }
    for (std::size_t i = 0; i < lesson_controls.size(); ++i)
        for (std::size_t j = i + 1; j < lesson_controls.size(); ++j)
            if (lesson_controls[i].first.intersects(lesson_controls[j].first))
                look.overlapping.insert(std::minmax(lesson_controls[i].second, lesson_controls[j].second));
    look.overlaps = int(look.overlapping.size());
    for (const auto& [r, name] : lesson_controls)
        look.under_message += r.intersects(message);

    const QImage& image = form.canvas().image();
    const QRgb paper = qRgb(form.canvas().background().r, form.canvas().background().g, form.canvas().background().b);
    int top = image.height(), bottom = -1, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] | 0xff000000) == (paper | 0xff000000))
                continue;
            ++look.ink;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
            const QPoint p(x, y);
            for (const QRect& c : covers)
                if (c.contains(p)) {
                    ++look.hidden_ink;
                    break;
                }
        }
    }
    if (bottom >= 0)
        look.ink_extent = QRect(QPoint(left, top), QPoint(right, bottom));

    const ui::PictureBox& pbox_text = *probe.find<ui::PictureBox>("pbox_text");
    const ui::Control& cmd_stop = *probe.find("cmd_stop");
    const ui::Canvas& text = pbox_text.canvas();
    const QImage& written = text.image();
    const QRgb yellow = written.pixel(written.width() - 1, written.height() - 1);
    for (int y = written.height() - 1; y >= 0 && !look.text_bottom; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(written.constScanLine(y));
        for (int x = 0; x < written.width(); ++x)
            if (row[x] != yellow) {
                look.text_bottom = y + 1;
                break;
            }
    }
    // The message box runs on below the form: only what is on it can be read.
    look.text_room = std::min(pbox_text.height(), form.height() - pbox_text.top());
    look.stop = cmd_stop.visible();
    look.stop_rect = rect_of(cmd_stop);
    return look;
}

// Types n/d into slot i's boxes as a learner would, going through 0 so that
// no step is refused for a stick over 16 units (a locked slot refuses all).
void type_fraction(Harness& h, int i, int n, int d)
{
    const auto box = [&](const std::string& name, int k) -> ui::TextBox& {
        return h.control<ui::TextBox>(name + "(" + std::to_string(k) + ")");
    };
    const bool mixed = h.probe().slots().modes().state(i).mixed_mode;
    if (mixed)
        h.type_into(box("wholepart", i), "0");
    h.type_into(box("inbox", 2 * i), "0");
    h.type_into(box("inbox", 2 * i + 1), std::to_string(d));
    h.type_into(box("inbox", 2 * i), std::to_string(mixed ? n % d : n));
    if (mixed)
        h.type_into(box("wholepart", i), std::to_string(n / d));
}

// Gives every slot the learner can change the largest stick it holds, 16
// units with five-digit numerals, and says what that covers or cuts off
// that `now` showed whole; then puts the slots back as they were.
QStringList stretch(Harness& h, const Look& now)
{
    const app::Probe& p = h.probe();
    std::vector<std::pair<int, fractions::Fraction>> held;
    for (int i = 0; i < 3; ++i) {
        const auto shown = [&](const std::string& name, int k) {
            const ui::Control* c = p.find(name, k);
            return c && c->visible();
        };
        if (const auto value = p.slots().value(i);
            value && (shown("slider_fracnum", i) || shown("inbox", 2 * i + 1) || shown("wholepart", i))) {
            held.emplace_back(i, *value);
            type_fraction(h, i, 32767, 2048);
        }
    }
    const Look stretched = look_at(p);
    QStringList faults;
    for (const auto& [a, b] : stretched.overlapping)
        if (!now.overlapping.count({a, b}))
            faults << QString::fromStdString(a + " meets " + b);
    if (stretched.cut > now.cut)
        faults << "cut off: " + stretched.cut_names.join(' ');
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        type_fraction(h, it->first, int(it->second.num()), int(it->second.den()));
    return faults;
}

// Everything seen on each page while a learner reads the whole course, one
// look per turn, by page label.
using Course = std::map<std::string, std::vector<Look>>;

Look looked_over(Harness& h)
{
    Look look = look_at(h.probe());
    look.stretched = stretch(h, look);
    return look;
}

Course walk_course(QSize form)
{
    Course course;
    {
        Harness h(1, form.width(), form.height());
        Walker walker(2);
        h.set_learner([&](Harness& l) {
            course[l.probe().page_label()].push_back(looked_over(l));
            walker(l);
        });
        h.start();
    }
    {
        Harness h(1, form.width(), form.height());
        Walker walker;
        (&h.menu("mnu_1f"))->set_enabled(true);
        bool chosen = false;
        h.set_learner([&](Harness& l) {
            if (!std::exchange(chosen, true)) {
                l.choose("mnu_1f");
                return;
            }
            if (l.last_line().starts_with("Please click to go on to lesson 2a")) {
                l.tutor().quit();
                return;
            }
            course["1f " + l.probe().page_label()].push_back(looked_over(l));
            walker(l);
        });
        h.start();
    }
    {
        Harness h(1, form.width(), form.height());
        h.turn_limit = 12;
        bool chosen = false;
        h.set_learner([&](Harness& l) {
            if (!std::exchange(chosen, true)) {
                l.choose("mnu_4");
                return;
            }
            course["4 " + l.probe().page_label()].push_back(looked_over(l));
            l.click_text();
        });
        h.start();
    }
    return course;
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fitsTheForm_data();
    void fitsTheForm();
    void everyPageFitsTheScreen();
    void theDesignSizeHoldsEveryPage();
    void aSmallScreenScalesTheFormDown();
    void largerSizesShowEveryPageWhole_data();
    void largerSizesShowEveryPageWhole();
    void drawsAtTheScreensResolution();
};

namespace {

const Course& reference_course()
{
    // The size the lessons were laid out for.
    static const Course course = walk_course(QSize(1280, 1000));
    return course;
}

// Chapter 1's background rings are fitted to the room above the first
// slot: they change with the form, and a picture may lie over them. So do
// the rings of any screen whose slots a lower form moves up.
bool fitted_picture(const std::string& page, const Look& a, const Look& b)
{
    return (page.rfind("Page ", 0) == 0 && std::stoi(page.substr(5)) <= 11) || a.slider_top != b.slider_top;
}

// What a form of `size` shows worse than the reference layout, turn by turn.
QStringList faults_at(QSize size)
{
    const Course& base = reference_course();
    const Course seen = walk_course(size);
    QStringList faults;
    for (const auto& [page, looks] : base) {
        const QString name = QString::fromStdString(page).trimmed();
        const auto it = seen.find(page);
        if (it == seen.end() || it->second.size() != looks.size()) {
            faults << name + ": the lesson took another course";
            continue;
        }
        for (std::size_t i = 0; i < looks.size(); ++i) {
            const Look& a = looks[i];
            const Look& b = it->second[i];
            QStringList wrong;
            if (b.cut > a.cut)
                wrong << "cut off: " + b.cut_names.join(' ');
            if (b.overlaps > a.overlaps || b.under_message > a.under_message)
                wrong << "controls over each other";
            if (!fitted_picture(page, a, b) && (b.ink != a.ink || b.hidden_ink > a.hidden_ink))
                wrong << QString("the window's picture lost %1 pixels").arg(a.ink - b.ink + b.hidden_ink - a.hidden_ink);
            if (b.ink_extent.isValid() &&
                (b.ink_extent.bottom() >= size.height() - 1 || b.ink_extent.right() >= size.width() - 1))
                wrong << "the window's picture runs to the edge";
            if (b.text_bottom >= b.text_room)
                wrong << QString("the message runs to row %1 of %2").arg(b.text_bottom).arg(b.text_room);
            if (b.stop && !QRect(QPoint(0, 0), size).contains(b.stop_rect))
                wrong << "Stop is cut off";
            QStringList stretched = a.stretched;
            for (const QString& fault : b.stretched)
                if (!stretched.contains(fault))
                    stretched << fault;
            if (!stretched.isEmpty())
                wrong << "the largest fractions: " + stretched.join(", ");
            if (!wrong.isEmpty()) {
                faults << QString("%1, turn %2: %3").arg(name).arg(i).arg(wrong.join("; "));
                break;
            }
        }
    }
    return faults;
}

QSize design_size() { return {app::LessonForm::design_width, app::LessonForm::design_height}; }

// The whole scaled form shows, as large as the inside allows.
// Shows the window with `inside` under its menus, as a window manager would
// size it; true once it is active.
bool open_with_inside(app::MainWindow& window, QSize inside)
{
    window.resize(inside + QSize(0, window.menuBar()->sizeHint().height()));
    window.show();
    window.lay_out(inside);
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void shows_whole(const app::MainWindow& window, QSize inside)
{
    QGraphicsView* stage = window.scaled_view();
    QVERIFY(stage);
    QCOMPARE(stage->size(), inside);
    const QRectF shown = stage->mapFromScene(stage->sceneRect()).boundingRect();
    QVERIFY2(QRectF(stage->viewport()->rect()).adjusted(-1, -1, 1, 1).contains(shown), qPrintable(QString::number(shown.right())));
    QVERIFY(shown.right() >= inside.width() - 2 && shown.bottom() >= inside.height() - 2);
}

// The learner's clicks and keys reach the controls of the scaled form.
void answers_clicks(Harness& h, app::MainWindow& window)
{
    QGraphicsView* stage = window.scaled_view();
    // A click where the learner sees a slider's right arrow steps that slider.
    ui::Slider& slider = h.control<ui::Slider>("slider_fracnum(0)");
    QVERIFY(slider.visible());
    const int before = slider.value();
    const QPoint arrow =
        stage->mapFromScene(QPointF(slider.right_edge() - 6, slider.top() + slider.height() / 2.0));
    QTest::mouseClick(stage->viewport(), Qt::LeftButton, {}, arrow);
    QTRY_COMPARE(slider.value(), before + 1);

    // And a click on a numeral box puts the caret there, for typing.
    ui::TextBox& box = h.control<ui::TextBox>("inbox(1)");
    QVERIFY(box.visible());
    const QPoint middle = stage->mapFromScene(QPointF(box.left() + box.width() / 2.0, box.top() + box.height() / 2.0));
    QTest::mouseClick(stage->viewport(), Qt::LeftButton, {}, middle);
    QTRY_VERIFY(window.form_view().widget_for(box)->hasFocus());

    // Keys reach the box through the scaled stage: Return applies what was
    // typed rather than going on.
    const std::int64_t numerator = h.probe().slots().value(0)->num();
    const std::int64_t denominator = h.probe().slots().value(0)->den() == 4 ? 5 : 4;
    QTest::keyClick(stage, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(stage, QString::number(denominator));
    QTest::keyClick(stage, Qt::Key_Return);
    QTRY_COMPARE(h.probe().slots().value(0)->den(), denominator);
    QCOMPARE(h.probe().slots().value(0)->num(), numerator);
}

} // namespace

void TestScreens::everyPageFitsTheScreen()
{
    if (qApp->devicePixelRatio() != 1)
        QSKIP("the layout is in coordinates, the same at every density");
    // A maximised window under a panel, a title bar and the menus.
    Harness h;
    app::MainWindow window(h.tutor());
    constexpr int panel = 40;
    constexpr int title_bar = 30;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize inside(screen.width(), screen.height() - panel - title_bar - window.menuBar()->sizeHint().height());
    const app::FormFit fit = app::fit_form(inside, design_size());
    qInfo("inside %dx%d: form %dx%d at scale %.3f", inside.width(), inside.height(), fit.form.width(),
          fit.form.height(), fit.scale);
    // The screens a school has hold every page unscaled.
    QCOMPARE(fit.scale, 1.0);
    const QStringList faults = faults_at(fit.form);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestScreens::theDesignSizeHoldsEveryPage()
{
    if (qApp->devicePixelRatio() != 1 || QGuiApplication::primaryScreen()->size().width() != 1280)
        QSKIP("once is enough");
    const QStringList faults = faults_at(design_size());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    // Lower, the demonstration's bottom circle and lesson 4's buttons would be cut.
    const QStringList lower = faults_at(design_size() - QSize(0, 20));
    QVERIFY(lower.filter("Page 33").size() == 1 && lower.filter("Page 34").size() == 1);
    QVERIFY(lower.filter("4 Page 38").size() == 1);
}

void TestScreens::aSmallScreenScalesTheFormDown()
{
    Harness h;
    h.add_lesson("1a", [](const lessons::Stage& s) { s.screen.reset_screen(); });
    app::MainWindow window(h.tutor());
    const QSize inside(800, 480); // a netbook's, under its menus
    QVERIFY(open_with_inside(window, inside));
    QVERIFY(!h.start());

    const ui::Form& form = h.tutor().window();
    QGraphicsView* stage = window.scaled_view();
    QVERIFY(stage);
    QCOMPARE(window.scale(), 480.0 / design_size().height());
    QCOMPARE(form.height(), design_size().height());
    QVERIFY(form.width() >= design_size().width());
    shows_whole(window, inside);

    answers_clicks(h, window);
}

void TestScreens::largerSizesShowEveryPageWhole_data()
{
    QTest::addColumn<int>("zoom");
    QTest::newRow("150 %") << 150;
    QTest::newRow("200 %") << 200;
}

// The View menu's larger sizes on a common desktop screen: as large as the
// screen shows every page whole, and the controls answer as at any size.
void TestScreens::largerSizesShowEveryPageWhole()
{
    QFETCH(int, zoom);
    if (QGuiApplication::primaryScreen()->size() != QSize(1920, 1080) || qApp->devicePixelRatio() != 1)
        QSKIP("on a 1920x1080 screen");
    Harness h;
    h.add_lesson("1a", [](const lessons::Stage& s) { s.screen.reset_screen(); });
    app::MainWindow window(h.tutor());
    app::ViewChoices choices;
    choices.zoom = zoom;
    window.set_view_choices(choices);
    constexpr int panel = 40;
    constexpr int title_bar = 30;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize inside(screen.width(), screen.height() - panel - title_bar - window.menuBar()->sizeHint().height());
    QVERIFY(open_with_inside(window, inside));
    QVERIFY(!h.start());
    QVERIFY2(window.scale() > 1.4, qPrintable(QString::number(window.scale())));
    shows_whole(window, inside);
    answers_clicks(h, window);

    // The course at the form's size, once for each size the zooms lay out.
    static std::set<std::pair<int, int>> walked;
    const QSize form(h.tutor().window().width(), h.tutor().window().height());
    if (!walked.insert({form.width(), form.height()}).second)
        return;
    const QStringList faults = faults_at(form);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestScreens::drawsAtTheScreensResolution()
{
    const double ratio = qApp->devicePixelRatio();
    if (ratio != 2)
        QSKIP("run with QT_SCALE_FACTOR=2");
    // Detail finer than the coordinates: some 2x2 block of device pixels,
    // one coordinate pixel, holds two colours.
    auto finer = [](const QImage& image, const QRect& area) {
        int mixed = 0;
        for (int y = area.top() & ~1; y + 1 <= area.bottom(); y += 2)
            for (int x = area.left() & ~1; x + 1 <= area.right(); x += 2) {
                const QRgb c = image.pixel(x, y);
                mixed += image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c;
            }
        return mixed;
    };

    ui::Canvas canvas(100, 40, ui::colors::white);
    QCOMPARE(canvas.width(), 100);
    QCOMPARE(canvas.image().size(), QSize(200, 80));
    ui::line(canvas, 5, 30, 90, 30, ui::colors::black); // one pixel high
    const QImage& image = canvas.image();
    QCOMPARE(image.pixelColor(40, 59), QColor(Qt::white));
    QCOMPARE(image.pixelColor(40, 60), QColor(Qt::black));
    QCOMPARE(image.pixelColor(40, 61), QColor(Qt::black));
    QCOMPARE(image.pixelColor(40, 62), QColor(Qt::white));
    QCOMPARE(canvas.pixel(40, 30), ui::colors::black);
    canvas.set_font({"Arial", 14});
    canvas.set_pen(2, 2);
    canvas.print("Sagwe");
    QVERIFY(finer(image, QRect(0, 0, 200, 56)) > 10);

    // The window, as the learner sees it: the title's letters are drawn
    // at the screen's resolution, not enlarged.
    Harness h;
    app::MainWindow window(h.tutor());
    window.fill(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.scale(), 1.0);
    h.set_learner([](Harness& l) { l.tutor().quit(); });
    h.start();
    const QImage shot = window.form_view().grab().toImage();
    QCOMPARE(shot.size(), window.form_view().size() * 2);
    const auto& title = h.control<ui::PictureBox>("pbox_title");
    QVERIFY(finer(shot, QRect(title.left() * 2, title.top() * 2, title.width() * 2, title.height() * 2)) > 20);
}

void TestScreens::fitsTheForm_data()
{
    QTest::addColumn<QSize>("inside");
    QTest::addColumn<QSize>("form");
    QTest::addColumn<double>("scale");
    const QSize design(app::LessonForm::design_width, app::LessonForm::design_height);
    QTest::newRow("roomy") << QSize(1280, 936) << QSize(1280, 936) << 1.0;
    QTest::newRow("the design size") << design << design << 1.0;
    QTest::newRow("wide and low: height binds")
        << QSize(design.width() * 2, design.height() / 2) << QSize(design.width() * 4, design.height()) << 0.5;
    QTest::newRow("narrow: width binds")
        << QSize(design.width() / 2, design.height()) << QSize(design.width(), design.height() * 2) << 0.5;
    QTest::newRow("netbook: width binds") << QSize(768, 600) << QSize(1024, 800) << 0.75;
}

void TestScreens::fitsTheForm()
{
    QFETCH(QSize, inside);
    QFETCH(QSize, form);
    QFETCH(double, scale);
    const app::FormFit fit = app::fit_form(inside, QSize(app::LessonForm::design_width, app::LessonForm::design_height));
    QCOMPARE(fit.form, form);
    QCOMPARE(fit.scale, scale);
}

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
