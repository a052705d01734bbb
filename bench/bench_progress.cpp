// What remembering the learners costs: one event recorded; opening, and
// drawing the Progress window for, a store of 50 learners with 20,000
// checked answers each; and start-up to the first painted window with that
// store against none (each start a fresh process).
#include "app/program.h"
#include "app/progress_window.h"
#include "progress/store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace quorrel;

namespace {

constexpr int learners = 50;
constexpr int answers_each = 20000;

double median_ms(int runs, const std::function<void()>& body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Two answers a turn, one wrong then one right, over 30 pages a learner.
void fill(const QString& path)
{
    progress::Store store(path);
    QSqlDatabase db = store.database();
    QSqlQuery q(db);
    q.exec("BEGIN");
    QSqlQuery learner(db), turn(db), answer(db), page(db);
    learner.prepare("INSERT INTO learners(name, created, last_seen, lesson, page) VALUES(?, '2026', '2026', '1b', 2)");
    turn.prepare("INSERT INTO turns(learner, lesson, page, exercise, problem, dealt, started, tries, outcome) "
                 "VALUES(?, ?, ?, 1, ?, '', '2026', 2, 'right')");
    answer.prepare("INSERT INTO answers(turn, time, answer, verdict) VALUES(?, '2026-12-10T04:00:00.000Z', ?, ?)");
    page.prepare("INSERT INTO pages(learner, lesson, page, first_reached, last_reached, finished, seconds) "
                 "VALUES(?, ?, ?, '2026', '2026', 1, 60)");
    const char* lessons[] = {"1a", "1b", "1c", "1d", "1e", "2a", "2b", "2c", "3a", "3b", "3c", "4"};
    for (int l = 0; l < learners; ++l) {
        learner.addBindValue(QString("Learner %1").arg(l));
        learner.exec();
        const qint64 id = learner.lastInsertId().toLongLong();
        for (int p = 0; p < 30; ++p) {
            page.addBindValue(id);
            page.addBindValue(lessons[p % 12]);
            page.addBindValue(p / 12 + 1);
            page.exec();
        }
        for (int t = 0; t < answers_each / 2; ++t) {
            turn.addBindValue(id);
            turn.addBindValue(lessons[t % 12]);
            turn.addBindValue(t % 3 + 1);
            turn.addBindValue(QString("problem %1").arg(t % 40));
            turn.exec();
            const qint64 turn_id = turn.lastInsertId().toLongLong();
            for (const char* verdict : {"wrong", "right"}) {
                answer.addBindValue(turn_id);
                answer.addBindValue("3/4");
                answer.addBindValue(verdict);
                answer.exec();
            }
        }
    }
    q.exec("COMMIT");
}

int start_once(int argc, char* argv[], const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QApplication application(argc, argv);
    std::unique_ptr<progress::Store> store;
    if (path != "none")
        store = std::make_unique<progress::Store>(path);
    auto program = store ? std::make_unique<app::Program>(ui::Random::fixed(1), false, *store)
                         : std::make_unique<app::Program>(ui::Random::fixed(1));
    double ms = -1;
    struct Probe final : QObject {
        std::function<void()> on_paint;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && on_paint)
                std::exchange(on_paint, nullptr)();
            return false;
        }
    } probe;
    probe.on_paint = [&] {
        ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        program->tutor().quit();
    };
    program->window().form_view().installEventFilter(&probe);
    program->exec(store ? std::optional<QString>("Learner 7") : std::nullopt);
    std::printf("%.3f\n", ms);
    return 0;
}

double start_up_ms(const QString& path)
{
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--once", path});
        child.waitForFinished(60000);
        ms.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && std::string(argv[1]) == "--once")
        return start_once(argc, argv, argv[2]);
    QApplication application(argc, argv);
    QTemporaryDir dir;

    {
        progress::Store store(dir.filePath("one.sqlite"));
        QString why;
        store.choose(*store.add_learner("Ann", why));
        store.record(progress::PageReached{"1b", 1});
        store.record(progress::ExerciseAsked{"set the fraction", ""});
        std::vector<double> ms;
        for (int i = 0; i < 2000; ++i) {
            QElapsedTimer timer;
            timer.start();
            store.record(progress::AnswerChecked{"3/4", progress::Verdict::wrong});
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        const auto over = std::count_if(ms.begin(), ms.end(), [](double t) { return t >= 2; });
        std::printf("record one answer: median %.3f ms, 99th %.3f ms, most %.3f ms, %ld of %zu over 2 ms (goal < 2 ms)\n",
                    ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back(), static_cast<long>(over), ms.size());
    }

    const QString big = dir.filePath("big.sqlite");
    QElapsedTimer filling;
    filling.start();
    fill(big);
    std::printf("store of %d learners x %d answers made in %.1f s\n", learners, answers_each,
                static_cast<double>(filling.elapsed()) / 1000);
    std::printf("open it: median %.1f ms (goal < 100 ms)\n",
                median_ms(5, [&] { progress::Store store(big); }));
    progress::Store store(big);
    const qint64 chosen = store.learners().front().id;
    std::printf("Progress window's table and bars: median %.1f ms (goal < 300 ms)\n", median_ms(5, [&] {
                    const auto rows = app::progress_rows(store, chosen);
                    const auto chart = app::draw_progress_chart(rows, 700);
                    progress::hardest(store, chosen, 5);
                }));
    const double none = start_up_ms("none");
    const double with = start_up_ms(big);
    std::printf("start-up to first paint: %.1f ms without a store, %.1f ms with it\n", none, with);
    return 0;
}
