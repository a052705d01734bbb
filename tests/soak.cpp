// A seeded random learner that drives the real window for many thousands of
// actions: clicks, double-clicks, drags, typing, keys and every menu item,
// checking after each action what is cheap to check and certain to hold.
//
//   soak [--seed N] [--actions N] [--trace]
//   (or QUORREL_SOAK_SEED / QUORREL_SOAK_ACTIONS)
//
// Exit status 0 when every action ran and every check held; 1 otherwise.
// A run is replayed by its seed: the program's chance and the pauses' clock
// both follow the learner's actions, not the wall clock.

#include "app/program.h"
#include "support/fakes.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace quorrel;

struct Options {
    std::uint64_t seed = 20261209;
    long actions = 10000;
    bool trace = false;
};

bool parse_count(const QString& text, auto& out)
{
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (ok)
        out = static_cast<std::remove_reference_t<decltype(out)>>(value);
    return ok;
}

std::optional<Options> parse_options(const QStringList& arguments)
{
    Options options;
    if (const QString seed = qEnvironmentVariable("QUORREL_SOAK_SEED"); !seed.isEmpty() && !parse_count(seed, options.seed))
        return std::nullopt;
    if (const QString n = qEnvironmentVariable("QUORREL_SOAK_ACTIONS"); !n.isEmpty() && !parse_count(n, options.actions))
        return std::nullopt;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool has_value = i + 1 < arguments.size();
        if (a == "--seed" && has_value) {
            if (!parse_count(arguments[++i], options.seed))
                return std::nullopt;
        } else if (a == "--actions" && has_value) {
            if (!parse_count(arguments[++i], options.actions) || options.actions < 1)
                return std::nullopt;
        } else if (a == "--trace") {
            options.trace = true;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// A line of /proc/self/status in KiB; -1 where it cannot be read.
long status_kib(const char* field)
{
    std::ifstream status("/proc/self/status");
    const std::string key = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    return -1;
}

// The last actions, for a report; shared with the watchdog thread.
class ActionLog {
public:
    explicit ActionLog(bool trace) : trace_(trace) {}

    void add(long number, std::string what)
    {
        if (trace_)
            std::printf("%ld %s\n", number, what.c_str());
        const std::lock_guard lock(mutex_);
        lines_.push_back(std::to_string(number) + " " + std::move(what));
        if (lines_.size() > kept)
            lines_.pop_front();
    }
    void print() const
    {
        const std::lock_guard lock(mutex_);
        std::fprintf(stderr, "soak: the last actions:\n");
        for (const auto& line : lines_)
            std::fprintf(stderr, "  %s\n", line.c_str());
    }

private:
    static constexpr std::size_t kept = 40;
    bool trace_;
    mutable std::mutex mutex_;
    std::deque<std::string> lines_;
};

// Aborts the run, with the last actions, when no action has finished for a
// minute: a lesson stuck in a loop that never waits, or a wait that never
// hands the turn back.
class Watchdog {
public:
    Watchdog(const ActionLog& log, std::uint64_t seed) : log_(log), seed_(seed), thread_([this] { watch(); }) {}
    ~Watchdog()
    {
        done_ = true;
        thread_.join();
    }
    void tick() { ++progress_; }

private:
    void watch()
    {
        using namespace std::chrono_literals;
        long seen = -1;
        auto since = std::chrono::steady_clock::now();
        while (!done_) {
            std::this_thread::sleep_for(100ms);
            const long now = progress_;
            if (now != seen) {
                seen = now;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > stall) {
                std::fprintf(stderr, "soak: no progress for %lld s after action %ld (seed %llu)\n",
                             static_cast<long long>(stall.count()), now, static_cast<unsigned long long>(seed_));
                log_.print();
                std::abort();
            }
        }
    }

    static constexpr std::chrono::seconds stall{60};
    const ActionLog& log_;
    std::uint64_t seed_;
    std::atomic<long> progress_{0};
    std::atomic<bool> done_{false};
    std::thread thread_;
};

QString plain(const QAction& action) { return action.text().remove('&').trimmed(); }

bool is_exit(const QAction& action) { return action.objectName() == "mnu_exit" || plain(action) == "Exit"; }

// The leaves of the menu bar as it is now, with the menus that lead to each.
struct MenuLeaf {
    QAction* action;
    std::vector<QMenu*> path;
};

void collect_leaves(const QList<QAction*>& actions, std::vector<QMenu*>& path, std::vector<MenuLeaf>& out)
{
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        if (QMenu* menu = action->menu()) {
            path.push_back(menu);
            collect_leaves(menu->actions(), path, out);
            path.pop_back();
        } else {
            out.push_back({action, path});
        }
    }
}

// The learner. One action per turn of the event loop, taken from inside the
// lessons' own waits, as a person's input arrives.
class Learner : public QObject {
public:
    Learner(app::Program& program, testing::FakeClock& clock, const Options& options)
        : program_(program), clock_(clock), options_(options), random_(options.seed), log_(options.trace),
          watchdog_(log_, options.seed)
    {
        qApp->installEventFilter(this);
        pace_.setInterval(0);
        connect(&pace_, &QTimer::timeout, this, [this] { turn(); });
    }

    void start() { pace_.start(); }
    long done() const { return done_; }
    long failures() const { return failures_; }
    bool exited() const { return exited_; }
    long dialogs() const { return dialogs_; }
    std::size_t pages_seen() const { return pages_seen_.size(); }
    const ActionLog& log() const { return log_; }

protected:
    // A message box is modal and blocks inside whatever showed it, perhaps
    // inside one of this learner's own actions: it is answered from a timer
    // of its own, as a person would answer it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            auto* dialog = qobject_cast<QDialog*>(watched);
            if (dialog && dialog->isModal()) {
                ++dialogs_;
                QTimer::singleShot(0, dialog, [this, box = QPointer<QDialog>(dialog)] { answer(box); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget& form_view() { return program_.window().form_view(); }
    app::Tutor& tutor() { return program_.tutor(); }
    QWindow* window() { return program_.window().windowHandle(); }

    int below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <typename T>
    T* pick(const std::vector<T*>& from)
    {
        return from.empty() ? nullptr : from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

    void answer(const QPointer<QDialog>& box)
    {
        if (!box || !box->isVisible())
            return;
        switch (below(4)) {
        case 0:
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            break;
        case 2:
            QTest::keyClick(box->windowHandle(), Qt::Key_Space);
            break;
        default:
            if (auto* ok = box->findChild<QPushButton*>()) {
                const QPoint at = ok->mapTo(box, ok->rect().center());
                QTest::mouseClick(box->windowHandle(), Qt::LeftButton, {}, at);
            }
        }
        if (box && box->isVisible()) // the key went elsewhere: close it as its title bar would
            box->reject();
    }

    // Widgets of the form that show now, of one kind.
    template <typename W>
    std::vector<W*> shown()
    {
        std::vector<W*> out;
        for (W* w : form_view().findChildren<W*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->height() > 0)
                out.push_back(w);
        return out;
    }
    std::vector<QLineEdit*> numeral_boxes()
    {
        std::vector<QLineEdit*> out;
        for (const auto& control : tutor().window().controls()) {
            const auto* box = dynamic_cast<const ui::TextBox*>(control.get());
            if (!box || !box->numeral)
                continue;
            auto* view = qobject_cast<QLineEdit*>(program_.window().form_view().widget_for(*box));
            if (view && view->isVisible() && view->width() > 0 && view->height() > 0)
                out.push_back(view);
        }
        return out;
    }
    QWidget* view_of(const ui::Control& control) { return program_.window().form_view().widget_for(control); }

    // Where a point of `w` is in the window, kept on the window as a pointer is.
    // Through the stage that shows the form scaled, once the learner has
    // chosen a larger size.
    QPoint at(QWidget* w, QPoint local)
    {
        QGraphicsView* stage = program_.window().scaled_view();
        const QPoint p = stage && (w == &form_view() || form_view().isAncestorOf(w))
                             ? stage->viewport()->mapTo(&program_.window(),
                                                        stage->mapFromScene(QPointF(w->mapTo(&form_view(), local))))
                             : w->mapTo(&program_.window(), local);
        return QPoint(std::clamp(p.x(), 0, program_.window().width() - 1), std::clamp(p.y(), 0, program_.window().height() - 1));
    }
    QWidget* widget_at(QPoint in_window)
    {
        QWidget* hit = program_.window().childAt(in_window);
        QGraphicsView* stage = program_.window().scaled_view();
        if (!stage || hit != stage->viewport())
            return hit;
        return form_view().childAt(
            stage->mapToScene(stage->viewport()->mapFrom(&program_.window(), in_window)).toPoint());
    }
    // A point of the widget that shows: not under another widget, not past
    // the window's edge.
    QPoint somewhere_in(QWidget* w)
    {
        const QRegion shows = w->visibleRegion();
        if (shows.isEmpty())
            return QPoint(below(w->width()), below(w->height()));
        const QRect part = *(shows.begin() + below(static_cast<int>(shows.rectCount())));
        return QPoint(part.left() + below(part.width()), part.top() + below(part.height()));
    }
    void click(QWidget* w, QPoint local) { QTest::mouseClick(window(), Qt::LeftButton, {}, at(w, local)); }

    void turn()
    {
        if (QApplication::activeModalWidget())
            return; // answered by its own timer
        if (done_ >= options_.actions) {
            finish();
            return;
        }
        clock_.advance(std::uniform_real_distribution<double>(0.0, 1.0)(random_));
        act();
        ++done_;
        pages_seen_.insert(tutor().probe().page_label());
        watchdog_.tick();
        check();
        report_progress();
    }

    void finish()
    {
        pace_.stop();
        exited_ = true;
        log_.add(done_, "exit");
        std::vector<QMenu*> path;
        std::vector<MenuLeaf> leaves;
        collect_leaves(program_.window().menuBar()->actions(), path, leaves);
        for (const auto& leaf : leaves)
            if (is_exit(*leaf.action) && leaf.action->isEnabled()) {
                leaf.action->trigger();
                return;
            }
        program_.window().close(); // no "Exit" item: the close button ends the program too
    }

    void report_progress()
    {
        const long n = options_.actions;
        if (done_ == std::max(1L, n / 10) || done_ == std::max(1L, n / 2) || done_ == n)
            std::printf("soak: %ld actions, VmRSS %ld kB\n", done_, status_kib("VmRSS"));
        std::fflush(stdout);
    }

    void act()
    {
        // Weights: reading on (clicks in the message box and "here") comes
        // first, as it does for a learner; everything else now and then.
        struct Choice {
            int weight;
            void (Learner::*action)();
        };
        static constexpr Choice choices[] = {
            {22, &Learner::click_text},      {4, &Learner::double_click_text}, {8, &Learner::click_here},
            {5, &Learner::click_page_strip}, {3, &Learner::move_pointer},      {8, &Learner::click_arrow},
            {4, &Learner::click_groove},     {4, &Learner::drag_slider},       {9, &Learner::type_numeral},
            {7, &Learner::choose_menu_item}, {2, &Learner::toggle_wait},       {6, &Learner::click_button},
            {12, &Learner::press_key},       {2, &Learner::play_script},
        };
        int total = 0;
        for (const auto& c : choices)
            total += c.weight;
        int roll = below(total);
        for (const auto& c : choices) {
            if (roll < c.weight) {
                (this->*c.action)();
                return;
            }
            roll -= c.weight;
        }
    }

    void click_picture(QWidget* view, const char* name, bool twice)
    {
        if (!view || !view->isVisible()) {
            press_key();
            return;
        }
        const QPoint p = somewhere_in(view);
        log_.add(done_, QString("%1 %2 at %3,%4").arg(twice ? "double-click" : "click", name).arg(p.x()).arg(p.y()).toStdString());
        if (twice)
            QTest::mouseDClick(window(), Qt::LeftButton, {}, at(view, p));
        else
            click(view, p);
    }
    void click_text() { click_picture(view_of(*tutor().probe().find("pbox_text")), "message box", false); }
    void double_click_text() { click_picture(view_of(*tutor().probe().find("pbox_text")), "message box", true); }
    void click_here() { click_picture(view_of(*tutor().probe().find("pbox_go_on")), "here", chance(0.2)); }
    void click_page_strip() { click_picture(view_of(*tutor().probe().find("pbox_pages")), "page strip", chance(0.1)); }

    void move_pointer()
    {
        QWidget& form = form_view();
        const QPoint p = somewhere_in(&form);
        log_.add(done_, QString("move to %1,%2").arg(p.x()).arg(p.y()).toStdString());
        QTest::mouseMove(window(), at(&form, p));
    }

    QRect part_of(QScrollBar* bar, QStyle::SubControl part)
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        option.subControls = QStyle::SC_All;
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
    }

    void click_arrow()
    {
        QScrollBar* bar = pick(shown<QScrollBar>());
        if (!bar)
            return click_text();
        const bool right = chance(0.5);
        const QRect arrow = part_of(bar, right ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine);
        const int times = 1 + (chance(0.3) ? below(6) : 0);
        log_.add(done_, QString("%1 x%2 arrow of %3").arg(right ? "right" : "left").arg(times).arg(bar->objectName()).toStdString());
        for (int k = 0; k < times && bar->isVisible(); ++k)
            click(bar, arrow.center());
    }

    void click_groove()
    {
        QScrollBar* bar = pick(shown<QScrollBar>());
        if (!bar)
            return click_text();
        const QRect groove = part_of(bar, QStyle::SC_ScrollBarGroove);
        if (groove.width() < 1)
            return click_arrow();
        const QPoint p(groove.left() + below(groove.width()), groove.center().y());
        log_.add(done_, QString("groove of %1 at %2").arg(bar->objectName()).arg(p.x()).toStdString());
        click(bar, p);
    }

    void drag_slider()
    {
        QScrollBar* bar = pick(shown<QScrollBar>());
        if (!bar)
            return click_text();
        const QPoint from = part_of(bar, QStyle::SC_ScrollBarSlider).center();
        // Now and then past either end of the bar.
        const QPoint to(below(bar->width() + 80) - 40, from.y() + (chance(0.2) ? below(60) - 30 : 0));
        log_.add(done_, QString("drag %1 from %2 to %3").arg(bar->objectName()).arg(from.x()).arg(to.x()).toStdString());
        QTest::mousePress(window(), Qt::LeftButton, {}, at(bar, from));
        const int steps = 1 + below(4);
        for (int k = 1; k <= steps; ++k)
            QTest::mouseMove(window(), at(bar, from + (to - from) * k / steps));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, at(bar, to));
    }

    QString some_text()
    {
        static const char* const odd[] = {"", " ", "abc", "x1", "1x", "-1", "-32768", "32767", "32768", "99999999999999999999",
                                          "0", "00", "1.5", "1/2", " 7 ", "+3", "٣", "é"};
        switch (below(3)) {
        case 0:
            return QString::number(below(40));
        case 1:
            return QString::number(below(40000));
        default:
            return QString::fromUtf8(odd[below(static_cast<int>(std::size(odd)))]);
        }
    }

    void type_numeral()
    {
        QLineEdit* box = pick(numeral_boxes());
        if (!box)
            return click_text();
        const QString text = some_text();
        log_.add(done_, QString("type '%1' into %2").arg(text, box->objectName()).toStdString());
        click(box, somewhere_in(box));
        if (!box->isVisible() || !box->hasFocus())
            return;
        QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window(), Qt::Key_Backspace);
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(window(), c.toLatin1());
            else // a character no key of this keyboard makes: as an input method would
                QTest::sendKeyEvent(QTest::Click, window(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        if (chance(0.7))
            QTest::keyClick(window(), Qt::Key_Return);
        if (chance(0.6) && box->isVisible()) {
            log_.add(done_, "click " + box->objectName().toStdString() + " again");
            const QPoint p = somewhere_in(box);
            click(box, p);
            check_numerals_after_click(box, p);
        }
    }

    void choose_menu_item()
    {
        std::vector<QMenu*> path;
        std::vector<MenuLeaf> leaves;
        collect_leaves(program_.window().menuBar()->actions(), path, leaves);
        std::vector<MenuLeaf*> open;
        for (auto& leaf : leaves)
            if (leaf.action->isEnabled() && !is_exit(*leaf.action))
                open.push_back(&leaf);
        MenuLeaf* leaf = pick(open);
        if (!leaf)
            return click_text();
        log_.add(done_, "menu " + plain(*leaf->action).toStdString());
        // Opening each menu on the way runs its own handler first.
        for (QMenu* menu : leaf->path)
            Q_EMIT menu->aboutToShow();
        leaf->action->trigger();
        for (QMenu* menu : leaf->path)
            Q_EMIT menu->aboutToHide();
    }

    // Writes a short script into the authoring window, when "Test" has shown
    // it, and plays it: bad lines raise the program's message boxes.
    void play_script()
    {
        app::AuthoringWindow* authoring = program_.authoring_window();
        auto* playback = program_.window().menuBar()->findChild<QAction*>("mnu_playback");
        QPlainTextEdit* script = authoring && authoring->isVisible() ? authoring->findChild<QPlainTextEdit*>() : nullptr;
        if (!script || !playback || !playback->isEnabled())
            return choose_menu_item();
        static const char* const lines[] = {"#nw&Hello there&",         "#wait&",
                                            "#clear&Scene one&",        "#setfraction&0&3/4&",
                                            "#setfraction&9&1/2&",      "#setfraction&x&1/2&",
                                            "#setfraction&0&99999/1&",  "#exercise&condition 2 0 + 1&set the sum&",
                                            "#exercise&nonsense&do it&", "#write&FontSize__20 Big",
                                            "#frobnicate&1&",           "&&&#"};
        QStringList chosen;
        for (int k = 0, n = 1 + below(4); k < n; ++k)
            chosen << lines[below(static_cast<int>(std::size(lines)))];
        log_.add(done_, "play script " + chosen.join(' ').toStdString());
        script->setFocus();
        QTest::keyClick(script, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(script, Qt::Key_Delete);
        for (const QString& line : chosen) {
            QTest::keyClicks(script, line);
            QTest::keyClick(script, Qt::Key_Return);
        }
        playback->trigger();
    }

    void toggle_wait()
    {
        auto* wait = program_.window().menuBar()->findChild<QAction*>("mnu_waitt");
        if (!wait || !wait->isEnabled())
            return choose_menu_item();
        log_.add(done_, "menu Wait");
        wait->trigger();
    }

    void click_button()
    {
        QPushButton* button = pick(shown<QPushButton>());
        if (!button)
            return press_key();
        log_.add(done_, "button " + button->text().toStdString());
        click(button, somewhere_in(button));
    }

    void press_key()
    {
        static constexpr Qt::Key keys[] = {Qt::Key_Space,  Qt::Key_Return, Qt::Key_Enter,  Qt::Key_PageUp, Qt::Key_PageDown,
                                           Qt::Key_Escape, Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Left,  Qt::Key_Right,
                                           Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Home,   Qt::Key_End,    Qt::Key_0,
                                           Qt::Key_1,      Qt::Key_3,      Qt::Key_7,      Qt::Key_9,      Qt::Key_A};
        const Qt::Key key = keys[below(static_cast<int>(std::size(keys)))];
        log_.add(done_, "key " + QKeySequence(key).toString().toStdString());
        QTest::keyClick(window(), key);
    }

    // --- checks ---

    void fail(const QString& what)
    {
        ++failures_;
        std::fprintf(stderr, "soak: FAIL after action %ld (seed %llu): %s\n", done_,
                     static_cast<unsigned long long>(options_.seed), qPrintable(what));
        describe_slots();
        log_.print();
        if (failures_ >= 5) {
            std::fprintf(stderr, "soak: too many failures, stopping\n");
            pace_.stop();
            tutor().quit();
        }
    }

    void describe_slots()
    {
        const app::Probe& p = tutor().probe();
        for (int i = 0; i < fractions::Slots::count; ++i) {
            const ui::Control* picture = p.find("pbox_fracbar", i);
            const auto value = p.slots().value(i);
            if (!picture || !picture->visible() || !value)
                continue;
            const fractions::SlotState& mode = p.slots().modes().state(i);
            std::fprintf(stderr, "soak: slot %d holds %lld/%lld%s%s, picture at %d,%d size %dx%d\n", i,
                         static_cast<long long>(value->num()), static_cast<long long>(value->den()),
                         mode.mixed_mode ? " mixed" : "", mode.circle_mode ? " pizzas" : "", picture->left(),
                         picture->top(), picture->width(), picture->height());
        }
    }

    void check()
    {
        app::MainWindow& window = program_.window();
        if (!window.isVisible())
            return fail("the window has gone");
        if (tutor().probe().quitting() && done_ < options_.actions)
            return fail("the program is ending though no one chose \"Exit\"");
        const QRect bounds = form_view().rect();
        for (const auto& control : tutor().window().controls()) {
            QWidget* view = view_of(*control);
            if (!view)
                continue;
            const QString name = QString::fromStdString(control->name());
            if (view->isHidden() == control->visible())
                return fail(name + ": the widget's visibility differs from its control's");
            const QRect place(control->left(), control->top(), control->width(), control->height());
            if (view->geometry() != place && !(place.width() <= 0 || place.height() <= 0))
                return fail(name + ": the widget is not where its control is");
            if (control->visible() && !place.isEmpty() && !bounds.intersects(place))
                return fail(QString("%1: shown wholly outside the window, at %2,%3 size %4x%5 (page '%6')")
                                .arg(name)
                                .arg(place.left())
                                .arg(place.top())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(QString::fromStdString(tutor().probe().page_label())));
            if (const auto* slider = dynamic_cast<const ui::Slider*>(control.get()))
                check_slider(*slider, *static_cast<QScrollBar*>(view), name);
        }
    }

    void check_slider(const ui::Slider& slider, const QScrollBar& bar, const QString& name)
    {
        const int low = std::min(slider.min(), slider.max());
        const int high = std::max(slider.min(), slider.max());
        if (slider.value() < low || slider.value() > high)
            return fail(QString("%1 holds %2 outside %3..%4").arg(name).arg(slider.value()).arg(low).arg(high));
        if (bar.isSliderDown())
            return;
        if (bar.minimum() != low || bar.maximum() != high || bar.value() != slider.value())
            return fail(QString("%1 shows %2 in %3..%4 but holds %5 in %6..%7")
                            .arg(name)
                            .arg(bar.value())
                            .arg(bar.minimum())
                            .arg(bar.maximum())
                            .arg(slider.value())
                            .arg(low)
                            .arg(high));
    }

    // Clicking a numeral box takes its text or gives the slot's own numerals
    // back: either way both boxes of the slot then show what it holds.
    void check_numerals_after_click(QLineEdit* box, QPoint local)
    {
        if (QApplication::activeModalWidget() || widget_at(at(box, local)) != box)
            return;
        const app::Probe& p = tutor().probe();
        for (int i = 0; i < fractions::Slots::count; ++i) {
            const auto* num = p.find<ui::TextBox>("inbox", 2 * i);
            const auto* den = p.find<ui::TextBox>("inbox", 2 * i + 1);
            const auto value = p.slots().value(i);
            if (!value || !num || !den)
                continue;
            if (view_of(*num) != box && view_of(*den) != box)
                continue;
            const int n = static_cast<int>(value->num());
            const int d = static_cast<int>(value->den());
            const std::string want_num = std::to_string(p.slots().modes().state(i).mixed_mode && d > 0 ? n % d : n);
            const std::string want_den = std::to_string(d);
            if (num->text() != want_num || den->text() != want_den)
                fail(QString("slot %1 holds %2/%3 but its boxes show '%4' and '%5'")
                         .arg(i)
                         .arg(n)
                         .arg(d)
                         .arg(QString::fromStdString(num->text()), QString::fromStdString(den->text())));
            return;
        }
    }

    app::Program& program_;
    testing::FakeClock& clock_;
    Options options_;
    std::mt19937_64 random_;
    ActionLog log_;
    Watchdog watchdog_;
    QTimer pace_;
    long done_ = 0;
    long failures_ = 0;
    long dialogs_ = 0;
    bool exited_ = false;
    std::set<std::string> pages_seen_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Quorrel");
    QApplication::setQuitOnLastWindowClosed(false);
    const auto options = parse_options(QApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: soak [--seed N] [--actions N] [--trace]\n"
                             "       (or QUORREL_SOAK_SEED, QUORREL_SOAK_ACTIONS)\n");
        return 2;
    }
    std::printf("soak: seed %llu, %ld actions (replay: soak --seed %llu --actions %ld)\n",
                static_cast<unsigned long long>(options->seed), options->actions,
                static_cast<unsigned long long>(options->seed), options->actions);
    std::fflush(stdout);

    const auto began = std::chrono::steady_clock::now();
    testing::FakeClock clock;
    app::Program program(ui::Random::fixed(options->seed), /*author=*/true, clock);
    Learner learner(program, clock, *options);
    learner.start();
    program.exec();

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("soak: %ld actions in %.1f s, %zu pages seen, %ld message boxes answered, peak VmHWM %ld kB\n",
                learner.done(), seconds, learner.pages_seen(), learner.dialogs(), status_kib("VmHWM"));
    if (!learner.exited() && learner.failures() == 0) {
        std::fprintf(stderr, "soak: FAIL: the program ended after %ld of %ld actions\n", learner.done(), options->actions);
        learner.log().print();
        return 1;
    }
    if (learner.failures() > 0) {
        std::fprintf(stderr, "soak: %ld checks failed (seed %llu)\n", learner.failures(),
                     static_cast<unsigned long long>(options->seed));
        return 1;
    }
    std::printf("soak: passed\n");
    return 0;
}
