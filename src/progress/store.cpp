#include "progress/store.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QStandardPaths>
#include <QVariant>

#include <atomic>

namespace quorrel::progress {

namespace {

// How long a write waits for another copy of the program to finish its own.
constexpr int busy_ms = 1500;
// A pause longer than this is time away from the lesson, not time on it.
constexpr double idle_seconds = 120;

// SQLite's own result codes, as Qt reports them.
bool busy(const QSqlError& error) { return error.nativeErrorCode() == "5" || error.nativeErrorCode() == "6"; }

QString now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs); }

QString verdict_text(Verdict verdict) { return verdict == Verdict::right ? "right" : "wrong"; }

QString outcome_text(Outcome outcome)
{
    switch (outcome) {
    case Outcome::right:
        return "right";
    case Outcome::stopped:
        return "stopped";
    case Outcome::unanswered:
        break;
    }
    return "unanswered";
}

// Version n of the file is made by running steps 0 .. n-1 in order.
const std::vector<std::vector<const char*>>& migrations()
{
    static const std::vector<std::vector<const char*>> steps = {{
        "CREATE TABLE learners(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE, created TEXT NOT NULL, "
        "last_seen TEXT NOT NULL, lesson TEXT, page INTEGER)",
        "CREATE TABLE pages(learner INTEGER NOT NULL REFERENCES learners(id) ON DELETE CASCADE, lesson TEXT NOT NULL, "
        "page INTEGER NOT NULL, first_reached TEXT NOT NULL, last_reached TEXT NOT NULL, "
        "finished INTEGER NOT NULL DEFAULT 0, seconds REAL NOT NULL DEFAULT 0, PRIMARY KEY(learner, lesson, page))",
        "CREATE TABLE turns(id INTEGER PRIMARY KEY, learner INTEGER NOT NULL REFERENCES learners(id) "
        "ON DELETE CASCADE, lesson TEXT NOT NULL, page INTEGER NOT NULL, exercise INTEGER NOT NULL, "
        "problem TEXT NOT NULL, dealt TEXT NOT NULL, started TEXT NOT NULL, tries INTEGER NOT NULL DEFAULT 0, "
        "outcome TEXT)",
        "CREATE INDEX turns_learner ON turns(learner)",
        "CREATE TABLE answers(id INTEGER PRIMARY KEY, turn INTEGER NOT NULL REFERENCES turns(id) ON DELETE CASCADE, "
        "time TEXT NOT NULL, answer TEXT NOT NULL, verdict TEXT NOT NULL)",
        "CREATE INDEX answers_turn ON answers(turn)",
        "CREATE TABLE checks(id INTEGER PRIMARY KEY, learner INTEGER NOT NULL REFERENCES learners(id) "
        "ON DELETE CASCADE, lesson TEXT NOT NULL, page INTEGER NOT NULL, time TEXT NOT NULL, kind TEXT NOT NULL, "
        "problem TEXT NOT NULL, answer TEXT NOT NULL, verdict TEXT NOT NULL)",
        "CREATE INDEX checks_learner ON checks(learner)",
        "CREATE TABLE choices(learner INTEGER NOT NULL REFERENCES learners(id) ON DELETE CASCADE, "
        "name TEXT NOT NULL, value TEXT NOT NULL, PRIMARY KEY(learner, name))",
    }, {
        // The Progress window's counts come from this index alone.
        "CREATE INDEX turns_summary ON turns(learner, lesson, outcome, tries)",
    }};
    return steps;
}

double steady_seconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return timer.nsecsElapsed() / 1e9;
}

// The name a file is set aside under: beside it, with the date, never
// over another.
QString aside_name(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString("yyyy-MM-dd-HHmmss");
    QString name = path + "." + stamp + ".unreadable";
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = path + "." + stamp + "-" + QString::number(n) + ".unreadable";
    return name;
}

} // namespace

Store::Store(const QString& path, Clock clock) : path_(path), clock_(clock ? std::move(clock) : steady_seconds)
{
    static std::atomic<int> count{0};
    connection_ = "quorrel-progress-" + QString::number(++count);
    QString why;
    Opened opened = open_file(why);
    if (opened == Opened::unreadable) {
        set_aside(why);
        opened = open_file(why);
    }
    if (opened != Opened::ok) {
        notice_ = notice_.isEmpty() ? why : notice_ + "\n" + why;
        open_memory();
    }
}

Store::~Store()
{
    if (place_)
        write([this] { return keep_time(); });
    close();
}

QString Store::default_path()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/progress.sqlite";
}

Store::Opened Store::open_file(QString& why)
{
    const QFileInfo file(path_);
    const QString folder = file.absolutePath();
    if (!QDir().mkpath(folder)) {
        why = QString("The folder %1 cannot be made.").arg(folder);
        return Opened::unusable;
    }
    if (!QFileInfo(folder).isWritable() || (file.exists() && !file.isWritable())) {
        why = QString("%1 cannot be written to.").arg(file.exists() ? path_ : folder);
        return Opened::unusable;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
        db.setDatabaseName(path_);
        db.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(busy_ms));
        if (!db.open()) {
            why = QString("%1 cannot be opened: %2").arg(path_, db.lastError().text());
            close();
            return Opened::unusable;
        }
    }
    const Opened opened = prepare_schema(why);
    if (opened != Opened::ok)
        close();
    else
        saving_ = true;
    return opened;
}

Store::Opened Store::prepare_schema(QString& why)
{
    QSqlQuery query(database());
    const auto failed = [&](const QString& what, const QSqlError& error) {
        if (busy(error)) {
            why = QString("Another copy of Quorrel is using %1, so this one is not saving progress.").arg(path_);
            return Opened::unusable;
        }
        why = QString("%1 could not be read (%2).").arg(path_, what);
        return Opened::unreadable;
    };
    if (!query.exec("PRAGMA user_version") || !query.next())
        return failed(query.lastError().text(), query.lastError());
    const int version = query.value(0).toInt();
    if (version > schema_version)
        return failed("it was written by a newer Quorrel", {});
    // Checkpoints copy the journal into the file: done here and on closing,
    // never while a lesson waits on a recorded event.
    if (!query.exec("PRAGMA journal_mode=WAL") || !query.exec("PRAGMA synchronous=NORMAL") ||
        !query.exec("PRAGMA foreign_keys=ON") || !query.exec("PRAGMA wal_autocheckpoint=0") ||
        !query.exec("PRAGMA wal_checkpoint(PASSIVE)"))
        return failed(query.lastError().text(), query.lastError());
    query.finish(); // an unfinished statement would lock the tables against the migration
    if (version < schema_version && !migrate())
        return failed("its tables could not be brought up to date: " + error_.text(), error_);
    // The ends of the tables, where a cut-off file breaks first.
    for (const char* sql : {"SELECT max(id) FROM learners", "SELECT max(id) FROM turns", "SELECT max(id) FROM answers",
                            "SELECT max(id) FROM checks", "SELECT count(*) FROM pages"})
        if (!query.exec(sql) || !query.next())
            return failed(query.lastError().text(), query.lastError());
    return Opened::ok;
}

bool Store::migrate()
{
    const auto& steps = migrations();
    return write([&] {
        // Read again under the write lock: another copy may have just
        // brought the file up to date.
        QSqlQuery query(database());
        if (!query.exec("PRAGMA user_version") || !query.next())
            return false;
        const int from = query.value(0).toInt();
        if (from > schema_version)
            return false;
        query.finish();
        for (std::size_t step = static_cast<std::size_t>(from); step < steps.size(); ++step)
            for (const char* sql : steps[step])
                if (!run(sql, {}))
                    return false;
        return run(("PRAGMA user_version=" + std::to_string(steps.size())).c_str(), {});
    });
}

void Store::set_aside(const QString& why)
{
    const QString aside = aside_name(path_);
    bool moved = QFile::rename(path_, aside);
    // The journal files belong to the file they journal.
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path_ + suffix))
            moved = QFile::rename(path_ + suffix, aside + suffix) && moved;
    notice_ = moved ? QString("%1 The file was kept as %2, and a new %3 was begun.").arg(why, aside, path_)
                    : QString("%1 It could not be renamed to %2.").arg(why, aside);
}

void Store::open_memory()
{
    saving_ = false;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection_);
    db.setDatabaseName(":memory:");
    db.open();
    QSqlQuery(db).exec("PRAGMA foreign_keys=ON");
    migrate();
}

void Store::close()
{
    statements_.clear();
    if (QSqlDatabase::contains(connection_)) {
        if (saving_)
            QSqlQuery(database()).exec("PRAGMA wal_checkpoint(PASSIVE)");
        database().close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

QSqlDatabase Store::database() const { return QSqlDatabase::database(connection_, false); }

bool Store::write(const std::function<bool()>& body)
{
    QSqlQuery control(database());
    if (!control.exec("BEGIN IMMEDIATE")) {
        error_ = control.lastError();
        return false;
    }
    if (body()) {
        if (control.exec("COMMIT"))
            return true;
        error_ = control.lastError();
    }
    control.exec("ROLLBACK");
    return false;
}

QSqlQuery& Store::statement(const char* sql)
{
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        found = statements_.emplace(sql, QSqlQuery(database())).first;
        found->second.prepare(sql);
    }
    return found->second;
}

bool Store::run(const char* sql, const std::vector<QVariant>& values)
{
    QSqlQuery& query = statement(sql);
    for (std::size_t i = 0; i < values.size(); ++i)
        query.bindValue(static_cast<int>(i), values[i]);
    const bool done = query.exec();
    if (!done)
        error_ = query.lastError();
    last_id_ = query.lastInsertId().toLongLong();
    query.finish();
    return done;
}

std::vector<Learner> Store::learners() const
{
    std::vector<Learner> found;
    QSqlQuery query(database());
    query.exec("SELECT id, name FROM learners ORDER BY last_seen DESC, id DESC");
    while (query.next())
        found.push_back({query.value(0).toLongLong(), query.value(1).toString()});
    return found;
}

QString Store::check_name(const QString& name, std::optional<qint64> keeping) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return "A learner needs a name.";
    if (trimmed.toUcs4().size() > longest_name)
        return QString("A name may have at most %1 characters.").arg(longest_name);
    for (const Learner& learner : learners())
        if (learner.name == trimmed && learner.id != keeping)
            return QString("There is already a learner called %1.").arg(trimmed);
    return {};
}

std::optional<qint64> Store::add_learner(const QString& name, QString& why)
{
    why = check_name(name, std::nullopt);
    if (!why.isEmpty())
        return std::nullopt;
    std::optional<qint64> id;
    write([&] {
        const QString when = now();
        if (!run("INSERT INTO learners(name, created, last_seen) VALUES(?, ?, ?)", {name.trimmed(), when, when}))
            return false;
        id = last_id_;
        return true;
    });
    if (!id)
        why = "The learner could not be saved: " + database().lastError().text();
    return id;
}

bool Store::rename_learner(qint64 id, const QString& name, QString& why)
{
    why = check_name(name, id);
    if (!why.isEmpty())
        return false;
    if (write([&] { return run("UPDATE learners SET name = ? WHERE id = ?", {name.trimmed(), id}); }))
        return true;
    why = "The new name could not be saved.";
    return false;
}

void Store::forget_learner(qint64 id)
{
    write([&] { return run("DELETE FROM learners WHERE id = ?", {id}); });
    if (current_ == id) {
        current_.reset();
        place_.reset();
        turn_.reset();
    }
}

void Store::choose(qint64 id)
{
    if (place_)
        write([this] { return keep_time(); });
    current_ = id;
    place_.reset();
    turn_.reset();
    last_activity_ = -1;
    write([&] { return run("UPDATE learners SET last_seen = ? WHERE id = ?", {now(), id}); });
}

std::optional<Place> Store::last_place(qint64 id) const
{
    QSqlQuery query(database());
    query.prepare("SELECT lesson, page FROM learners WHERE id = ? AND lesson IS NOT NULL");
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return Place{query.value(0).toString().toStdString(), query.value(1).toInt()};
}

std::set<Place> Store::finished_pages(qint64 id) const
{
    std::set<Place> found;
    QSqlQuery query(database());
    query.prepare("SELECT lesson, page FROM pages WHERE learner = ? AND finished = 1");
    query.addBindValue(id);
    query.exec();
    while (query.next())
        found.insert({query.value(0).toString().toStdString(), query.value(1).toInt()});
    return found;
}

std::optional<QString> Store::choice(qint64 id, const QString& name) const
{
    QSqlQuery query(database());
    query.prepare("SELECT value FROM choices WHERE learner = ? AND name = ?");
    query.addBindValue(id);
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}

void Store::set_choice(const QString& name, const QString& value)
{
    if (!current_)
        return;
    write([&] {
        return run("INSERT INTO choices(learner, name, value) VALUES(?, ?, ?) "
                   "ON CONFLICT(learner, name) DO UPDATE SET value = excluded.value",
                   {*current_, name, value});
    });
}

void Store::record(const Event& event)
{
    if (!current_ || locked_out_)
        return;
    if (std::holds_alternative<Activity>(event)) {
        apply(std::get<Activity>(event));
        return;
    }
    if (write([&] { return std::visit([this](const auto& e) { return keep_time() && apply(e); }, event); }) ||
        !saving_ || !busy(error_))
        return;
    // Another copy has held the file for longer than a lesson may wait:
    // this one goes on without recording rather than stall at every event.
    locked_out_ = true;
    saving_ = false;
    notice_ = QString("Another copy of Quorrel kept %1 busy, so this one stopped saving progress.").arg(path_);
}

bool Store::keep_time()
{
    if (!place_ || unsaved_seconds_ <= 0)
        return true;
    const double seconds = std::exchange(unsaved_seconds_, 0);
    return run("UPDATE pages SET seconds = seconds + ? WHERE learner = ? AND lesson = ? AND page = ?",
               {seconds, *current_, QString::fromStdString(place_->lesson), place_->page});
}

bool Store::apply(const Activity&)
{
    const double t = clock_();
    if (last_activity_ >= 0 && t - last_activity_ <= idle_seconds)
        unsaved_seconds_ += t - last_activity_;
    last_activity_ = t;
    return true;
}

bool Store::apply(const PageReached& event)
{
    place_ = Place{event.lesson, event.page};
    exercises_on_page_ = 0;
    turn_.reset();
    last_activity_ = clock_();
    const QString lesson = QString::fromStdString(event.lesson);
    const QString when = now();
    return run("INSERT INTO pages(learner, lesson, page, first_reached, last_reached) VALUES(?, ?, ?, ?, ?) "
               "ON CONFLICT(learner, lesson, page) DO UPDATE SET last_reached = excluded.last_reached",
               {*current_, lesson, event.page, when, when}) &&
           run("UPDATE learners SET lesson = ?, page = ?, last_seen = ? WHERE id = ?",
               {lesson, event.page, when, *current_});
}

bool Store::apply(const PageFinished& event)
{
    return run("UPDATE pages SET finished = 1 WHERE learner = ? AND lesson = ? AND page = ?",
               {*current_, QString::fromStdString(event.lesson), event.page});
}

bool Store::apply(const ExerciseAsked& event)
{
    if (!place_)
        return true;
    const char* insert = "INSERT INTO turns(learner, lesson, page, exercise, problem, dealt, started) "
                         "VALUES(?, ?, ?, ?, ?, ?, ?)";
    if (!run(insert, {*current_, QString::fromStdString(place_->lesson), place_->page, ++exercises_on_page_,
                      QString::fromStdString(event.problem), QString::fromStdString(event.dealt), now()}))
        return false;
    turn_ = last_id_;
    return true;
}

bool Store::apply(const AnswerChecked& event)
{
    if (!turn_)
        return true;
    return run("INSERT INTO answers(turn, time, answer, verdict) VALUES(?, ?, ?, ?)",
               {*turn_, now(), QString::fromStdString(event.answer), verdict_text(event.verdict)}) &&
           run("UPDATE turns SET tries = tries + 1 WHERE id = ?", {*turn_});
}

bool Store::apply(const ExerciseEnded& event)
{
    if (!turn_)
        return true;
    const qint64 turn = *std::exchange(turn_, std::nullopt);
    return run("UPDATE turns SET outcome = ? WHERE id = ?", {outcome_text(event.outcome), turn});
}

bool Store::apply(const LessonFinished&)
{
    // The course reports the lesson's last page finished as well; the next
    // place the learner reaches is the next lesson's first page.
    exercises_on_page_ = 0;
    return true;
}

bool Store::apply(const Lesson4Check& event)
{
    const Place place = place_.value_or(Place{"4", 1});
    return run("INSERT INTO checks(learner, lesson, page, time, kind, problem, answer, verdict) "
               "VALUES(?, ?, ?, ?, ?, ?, ?, ?)",
               {*current_, QString::fromStdString(place.lesson), place.page, now(),
                QString::fromStdString(event.kind), QString::fromStdString(event.problem),
                QString::fromStdString(event.answer), verdict_text(event.verdict)});
}

} // namespace quorrel::progress
