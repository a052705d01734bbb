#include "app/learners.h"
#include "app/progress_window.h"
#include "progress/store.h"
#include "progress/summary.h"
#include "support/harness.h"
#include "support/learner.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

using namespace quorrel;

namespace {

// Every checked answer as stored, in order: "answer verdict".
QStringList stored_answers(const progress::Store& store, const QString& learner)
{
    QSqlQuery query(store.database());
    query.prepare("SELECT a.answer || ' ' || a.verdict FROM answers a JOIN turns t ON t.id = a.turn "
                  "JOIN learners l ON l.id = t.learner WHERE l.name = ? ORDER BY a.id");
    query.addBindValue(learner);
    query.exec();
    QStringList rows;
    while (query.next())
        rows << query.value(0).toString();
    return rows;
}

// Reports each answer on stdout once the store has it.
class Echo final : public progress::Recorder {
public:
    Echo(progress::Store& store, int limit) : store_(store), limit_(limit) {}
    void record(const progress::Event& event) override
    {
        store_.record(event);
        if (const auto* asked = std::get_if<progress::ExerciseAsked>(&event))
            drill_ = !asked->dealt.empty();
        if (const auto* checked = std::get_if<progress::AnswerChecked>(&event)) {
            std::printf("%s%s %s\n", drill_ ? "D" : "", checked->answer.c_str(),
                        checked->verdict == progress::Verdict::right ? "right" : "wrong");
            std::fflush(stdout);
            if (++count_ == limit_)
                std::_Exit(0);
        }
    }

private:
    progress::Store& store_;
    int limit_;
    int count_ = 0;
    bool drill_ = false;
};

// A learner who answers every exercise and drill turn wrong, then right, and
// never stops a drill: the course from 1a for `learner`, until `limit`
// answers (0: until killed).
int run_child(const QString& path, const QString& learner, int limit)
{
    progress::Store store(path);
    QString why;
    store.choose(*store.add_learner(learner, why));
    Echo echo(store, limit);
    testing::Harness h(1, 1280, 1000, &echo);
    h.turn_limit = 1000000;
    bool wrong = true;
    h.set_learner([&wrong](testing::Harness& l) {
        if (const auto* condition = l.probe().asked())
            if (const auto answer = testing::answer_for(*condition, l.probe().slots()))
                l.set_fraction(answer->slot, answer->num + ((wrong = !wrong) ? 0 : 1), answer->den);
        l.click_text();
    });
    h.start();
    return 0;
}

QProcess* start_child(const QString& path, const QString& learner, int limit)
{
    auto* child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUORREL_PROGRESS_CHILD", path + "\n" + learner + "\n" + QString::number(limit));
    child->setProcessEnvironment(env);
    child->start(QCoreApplication::applicationFilePath(), {});
    return child;
}

QStringList lines_of(QProcess& child)
{
    return QString::fromUtf8(child.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TestProgress : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void learnersKeepTheirOwnProgress();
    void namesAreCheckedAndQuoted();
    void damagedFilesAreSetAside_data();
    void damagedFilesAreSetAside();
    void anUnwritableFolderKeepsProgressInMemory();
    void aReturningLearnerGoesOnWhereTheyStopped();
    void theTeachersNumbersMatchTheLearner();
    void aKilledProgramKeepsEveryCheckedAnswer();
    void twoProgramsRecordAtOnce();
    void aStoreLockedTooLongStopsSaving();
    void theProgramChoosesTheNamedLearner();

private:
    QTemporaryDir dir_;
};

void TestProgress::learnersKeepTheirOwnProgress()
{
    const QString path = dir_.filePath("own.sqlite");
    {
        progress::Store store(path);
        QVERIFY2(store.saving() && store.notice().isEmpty(), qPrintable(store.notice()));
        QString why;
        const qint64 ann = *store.add_learner("Ann", why);
        const qint64 bea = *store.add_learner("Bea", why);
        store.choose(ann);
        store.record(progress::PageReached{"1b", 1});
        store.record(progress::ExerciseAsked{"set 1/2", ""});
        store.record(progress::AnswerChecked{"1/3", progress::Verdict::wrong});
        store.record(progress::AnswerChecked{"1/2", progress::Verdict::right});
        store.record(progress::ExerciseEnded{progress::Outcome::right});
        store.record(progress::PageFinished{"1b", 1});
        store.record(progress::PageReached{"1b", 2});
        store.set_choice("mnu_waitt", "0");
        store.choose(bea);
        store.record(progress::PageReached{"2a", 1});
        store.record(progress::Lesson4Check{"sum", "1/2 and 1/3", "5/6", progress::Verdict::right});
    }
    progress::Store store(path);
    const auto learners = store.learners();
    QCOMPARE(learners.size(), std::size_t(2));
    QCOMPARE(learners.front().name, QString("Bea")); // seen last, listed first
    const qint64 ann = learners.back().id;
    QCOMPARE(store.last_place(ann), std::optional(progress::Place{"1b", 2}));
    QCOMPARE(store.finished_pages(ann), (std::set<progress::Place>{{"1b", 1}}));
    QCOMPARE(store.choice(ann, "mnu_waitt"), std::optional<QString>("0"));
    QCOMPARE(store.choice(learners.front().id, "mnu_waitt"), std::nullopt);
    const auto summary = progress::summarize(store);
    QCOMPARE(summary.at(ann).at("1b"), (progress::LessonSummary{1, 0, 1, 0, 0}));
    QCOMPARE(summary.at(learners.front().id).at("2a").right_first, 1);
    QCOMPARE(stored_answers(store, "Ann"), (QStringList{"1/3 wrong", "1/2 right"}));

    QString why;
    QVERIFY2(app::export_progress(store, ann, dir_.filePath("ann.csv"), why), qPrintable(why));
    QVERIFY(QFile(dir_.filePath("ann.pdf")).size() > 1000);
    QFile exported(dir_.filePath("ann.csv"));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QCOMPARE(exported.readAll().count('\n'), 4); // the header, Ann's two answers and Bea's check
    // Forgetting takes everything of that learner and nothing of another.
    store.forget_learner(ann);
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    QVERIFY(progress::write_answers_csv(store, csv));
    QCOMPARE(csv.data().count('\n'), 2); // the header and Bea's check
    QVERIFY(csv.data().contains("Bea,"));
}

void TestProgress::namesAreCheckedAndQuoted()
{
    progress::Store store(dir_.filePath("names.sqlite"));
    QString why;
    const QString odd = QString("Zoë \"the\" O'Brien, 李") + QString(180, QChar(0x263A));
    QCOMPARE(odd.size(), 200);
    const auto id = store.add_learner(odd, why);
    QVERIFY2(id, qPrintable(why));
    QVERIFY(!store.add_learner("  ", why));
    QCOMPARE(why, QString("A learner needs a name."));
    QVERIFY(!store.add_learner(odd + "x", why));
    QVERIFY(!store.add_learner(odd, why));
    QVERIFY(store.rename_learner(*id, odd + "\n", why)); // trimmed to the same name
    QCOMPARE(store.learners().front().name, odd);

    store.choose(*id);
    store.record(progress::PageReached{"1b", 1});
    store.record(progress::ExerciseAsked{"set \"a\", b", ""});
    store.record(progress::AnswerChecked{"1/2", progress::Verdict::right});
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    QVERIFY(progress::write_answers_csv(store, csv));
    const QString row = QString::fromUtf8(csv.data()).split("\r\n").at(1);
    QVERIFY2(row.startsWith("\"Zoë \"\"the\"\" O'Brien, 李☺"), qPrintable(row));
    QVERIFY2(row.endsWith(",1b,1,1,\"set \"\"a\"\", b\",1/2,right"), qPrintable(row));
}

void TestProgress::damagedFilesAreSetAside_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("random bytes") << "random";
    QTest::newRow("cut short") << "truncated";
    QTest::newRow("from a newer program") << "newer";
}

void TestProgress::damagedFilesAreSetAside()
{
    QFETCH(QString, damage);
    const QString path = dir_.filePath(damage + ".sqlite");
    {
        progress::Store store(path);
        QString why;
        store.choose(*store.add_learner("Ann", why));
        for (int i = 0; i < 400; ++i)
            store.record(progress::ExerciseAsked{std::string(200, 'x'), ""});
        if (damage == "newer")
            QSqlQuery(store.database()).exec("PRAGMA user_version = 99");
        QSqlQuery(store.database()).exec("PRAGMA wal_checkpoint(TRUNCATE)");
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    if (damage == "random") {
        QByteArray noise(8192, 0);
        for (char& c : noise)
            c = static_cast<char>(std::rand());
        file.write(noise);
    } else if (damage == "truncated") {
        file.resize(file.size() / 3);
    }
    file.close();
    QFile original(path);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    progress::Store store(path);
    QVERIFY2(store.saving(), qPrintable(store.notice()));
    QVERIFY2(store.notice().contains(path) && store.notice().contains(".unreadable"), qPrintable(store.notice()));
    QVERIFY(store.learners().empty());
    const QStringList aside = QDir(dir_.path()).entryList({damage + ".sqlite.*.unreadable"});
    QCOMPARE(aside.size(), 1);
    QFile kept(dir_.filePath(aside.front()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), before);
    QString why;
    QVERIFY(store.add_learner("Ann", why));
}

void TestProgress::anUnwritableFolderKeepsProgressInMemory()
{
    QFile blocker(dir_.filePath("not-a-folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    progress::Store store(dir_.filePath("not-a-folder/progress.sqlite"));
    QVERIFY(!store.saving());
    QVERIFY2(store.notice().contains("not-a-folder"), qPrintable(store.notice()));
    QString why;
    store.choose(*store.add_learner("Ann", why));
    store.record(progress::PageReached{"1a", 2});
    QCOMPARE(store.last_place(*store.current()), std::optional(progress::Place{"1a", 2}));
}

void TestProgress::aReturningLearnerGoesOnWhereTheyStopped()
{
    const QString path = dir_.filePath("return.sqlite");
    QWidget window;
    std::set<int> finished;
    {
        progress::Store store(path);
        testing::Harness h(1, 1280, 1000, &store);
        app::LearnerDesk desk(store, h.tutor(), window);
        QString why;
        QVERIFY(desk.start(QString("Ann"), why));
        testing::Walker walker;
        h.set_learner([&walker](testing::Harness& l) {
            if (l.probe().lesson() == "1b" && l.probe().page() == 2) {
                l.choose("mnu_read");
                l.choose("mnu_exit");
            }
            else
                walker(l);
        });
        QVERIFY(h.start());
        finished = h.probe().page_finished();
        QVERIFY(finished.size() >= 3);
    }
    progress::Store store(path);
    testing::Harness h(1, 1280, 1000, &store);
    app::LearnerDesk desk(store, h.tutor(), window);
    QString why;
    QVERIFY(desk.start(QString("Ann"), why));
    QCOMPARE(h.probe().page_finished(), finished);
    std::string place;
    h.set_learner([&place](testing::Harness& l) {
        place = l.probe().lesson() + " " + std::to_string(l.probe().page());
        l.choose("mnu_exit");
    });
    QVERIFY(h.start());
    QCOMPARE(place, std::string("1b 2"));
    QCOMPARE(h.transcript().front(), std::string("Welcome back, Ann. Here is where you stopped."));
    QVERIFY(h.probe().menu("mnu_read")->checked());
    QVERIFY(h.probe().menu("mnu_waitt")->checked());
}

void TestProgress::theTeachersNumbersMatchTheLearner()
{
    progress::Store store(dir_.filePath("teacher.sqlite"));
    QString why;
    const qint64 ann = *store.add_learner("Ann", why);
    store.choose(ann);
    testing::Harness h(1, 1280, 1000, &store);
    testing::Walker walker(3);
    h.set_learner([&walker](testing::Harness& l) {
        if (l.probe().lesson() == "3a")
            l.choose("mnu_exit");
        else
            walker(l);
    });
    QVERIFY(h.start());
    QVERIFY(walker.failures.empty());
    int right_first = 0, right_later = 0, not_finished = 0, pages_done = 0;
    const auto summaries = progress::summarize(store);
    for (const auto& [lesson, s] : summaries.at(ann)) {
        right_first += s.right_first;
        right_later += s.right_later;
        not_finished += s.not_finished;
        pages_done += s.pages_done;
    }
    // Each exercise and drill turn is wrong once, then right; Stop ends a
    // drill once its turn is answered.
    QCOMPARE(right_first, 0);
    QCOMPARE(right_later, walker.answers);
    QCOMPARE(not_finished, 0);
    QCOMPARE(pages_done, static_cast<int>(h.probe().page_finished().size()));
    const QStringList answers = stored_answers(store, "Ann");
    QCOMPARE(answers.filter(" wrong").size(), walker.wrong_first + walker.unreduced);
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    QVERIFY(progress::write_answers_csv(store, csv));
    QCOMPARE(csv.data().count('\n'), answers.size() + 1);
}

void TestProgress::aKilledProgramKeepsEveryCheckedAnswer()
{
    const QString path = dir_.filePath("killed.sqlite");
    std::unique_ptr<QProcess> child(start_child(path, "Kit", 0));
    QStringList printed;
    while (printed.filter(QRegularExpression("^D")).size() < 8 && child->waitForReadyRead(10000))
        printed += lines_of(*child);
    child->kill();
    child->waitForFinished();
    printed += lines_of(*child);
    QVERIFY(printed.filter(QRegularExpression("^D")).size() >= 8);
    printed.replaceInStrings(QRegularExpression("^D"), "");
    progress::Store store(path);
    QVERIFY2(store.notice().isEmpty(), qPrintable(store.notice()));
    const QStringList stored = stored_answers(store, "Kit");
    // What the program had kept, in order; at most the one in flight besides.
    QCOMPARE(stored.mid(0, printed.size()), printed);
    QVERIFY(stored.size() <= printed.size() + 1);
}

void TestProgress::twoProgramsRecordAtOnce()
{
    const QString path = dir_.filePath("shared.sqlite");
    std::unique_ptr<QProcess> first(start_child(path, "One", 300));
    std::unique_ptr<QProcess> second(start_child(path, "Two", 300));
    QVERIFY(first->waitForFinished(60000) && second->waitForFinished(60000));
    QCOMPARE(first->exitCode(), 0);
    QCOMPARE(second->exitCode(), 0);
    progress::Store store(path);
    // A copy kept waiting too long stops saving (and says so): what it kept
    // is what it checked, in order, up to then; at least one keeps it all.
    int whole = 0;
    for (auto [name, child] : {std::pair{"One", first.get()}, std::pair{"Two", second.get()}}) {
        const QStringList printed = lines_of(*child).replaceInStrings(QRegularExpression("^D"), "");
        const QStringList stored = stored_answers(store, name);
        QCOMPARE(stored, printed.mid(0, stored.size()));
        whole += stored.size() == printed.size();
    }
    QVERIFY(whole >= 1);
}

void TestProgress::aStoreLockedTooLongStopsSaving()
{
    const QString path = dir_.filePath("locked.sqlite");
    progress::Store store(path);
    QString why;
    store.choose(*store.add_learner("Ann", why));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QVERIFY(QSqlQuery(other).exec("BEGIN IMMEDIATE"));
        store.record(progress::PageReached{"1a", 1});
        QVERIFY(!store.saving());
        QVERIFY2(store.notice().contains("Another copy"), qPrintable(store.notice()));
        QElapsedTimer timer;
        timer.start();
        store.record(progress::PageReached{"1a", 2}); // no second wait
        QVERIFY(timer.elapsed() < 100);
        QSqlQuery(other).exec("ROLLBACK");
    }
    QSqlDatabase::removeDatabase("other");
}

void TestProgress::theProgramChoosesTheNamedLearner()
{
    const QString data = dir_.filePath("home");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", data);
    QProcess empty;
    empty.setProcessEnvironment(env);
    empty.start(QUORREL_PROGRAM, {"--learner", " "});
    QVERIFY(empty.waitForFinished(20000));
    QCOMPARE(empty.exitCode(), 2);
    QVERIFY(empty.readAllStandardError().contains("A learner needs a name."));

    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QUORREL_PROGRAM, {"--learner", "Émile"});
    QVERIFY(program.waitForStarted());
    const QString path = data + "/Quorrel/Quorrel/progress.sqlite";
    std::optional<progress::Place> place;
    for (int tries = 0; tries < 100 && !place; ++tries) {
        QTest::qWait(100);
        if (QFile::exists(path)) {
            progress::Store store(path);
            for (const progress::Learner& learner : store.learners())
                if (learner.name == "Émile")
                    place = store.last_place(learner.id);
        }
    }
    program.kill();
    program.waitForFinished();
    QCOMPARE(place, std::optional(progress::Place{"1a", 1}));
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (const QByteArray child = qgetenv("QUORREL_PROGRESS_CHILD"); !child.isEmpty()) {
        const QStringList parts = QString::fromUtf8(child).split('\n');
        return run_child(parts.value(0), parts.value(1), parts.value(2).toInt());
    }
    TestProgress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_progress.moc"
