#pragma once

#include "progress/events.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quorrel::progress {

struct Learner {
    qint64 id = 0;
    QString name;
};

// A page of a lesson, by the lesson's code and its own page number.
struct Place {
    std::string lesson;
    int page = 1;
    friend auto operator<=>(const Place&, const Place&) = default;
};

// Every learner's progress in one SQLite file. Each event is its own
// transaction, so a program killed at any moment loses at most the event it
// was writing. A file that cannot be read is renamed aside, never deleted;
// a store that cannot be written keeps this run's learners in memory only.
class Store final : public Recorder {
public:
    // Raised by each forward migration; a file from a later program is set
    // aside rather than misread.
    static constexpr int schema_version = 2;
    static constexpr int longest_name = 200;
    // Seconds on a steady clock, for the time spent on pages.
    using Clock = std::function<double()>;

    explicit Store(const QString& path, Clock clock = {});
    ~Store() override;
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // The file in the user's application data folder.
    static QString default_path();
    const QString& path() const { return path_; }
    // False while this run's progress is kept in memory only.
    bool saving() const { return saving_; }
    // What the learner should be told about the file (set aside, not
    // written, and why); empty when all is well.
    const QString& notice() const { return notice_; }

    // The one seen most recently first.
    std::vector<Learner> learners() const;
    // Empty, with `why` for the learner, for a name that is empty, too long
    // or taken.
    std::optional<qint64> add_learner(const QString& name, QString& why);
    bool rename_learner(qint64 id, const QString& name, QString& why);
    void forget_learner(qint64 id);
    // Whose events are recorded from now on.
    void choose(qint64 id);
    std::optional<qint64> current() const { return current_; }

    // The page the learner was last on, if any.
    std::optional<Place> last_place(qint64 id) const;
    std::set<Place> finished_pages(qint64 id) const;
    std::optional<QString> choice(qint64 id, const QString& name) const;
    // A choice of the current learner.
    void set_choice(const QString& name, const QString& value);

    void record(const Event& event) override;

    // The connection, for the summaries to read.
    QSqlDatabase database() const;

private:
    enum class Opened { ok, unreadable, unusable };
    Opened open_file(QString& why);
    Opened prepare_schema(QString& why);
    bool migrate();
    void set_aside(const QString& why);
    void open_memory();
    void close();
    // Runs `body` in a write transaction; false when it could not be kept.
    bool write(const std::function<bool()>& body);
    QSqlQuery& statement(const char* sql);
    bool run(const char* sql, const std::vector<QVariant>& values);
    QString check_name(const QString& name, std::optional<qint64> keeping) const;

    bool apply(const PageReached& event);
    bool apply(const PageFinished& event);
    bool apply(const ExerciseAsked& event);
    bool apply(const AnswerChecked& event);
    bool apply(const ExerciseEnded& event);
    bool apply(const LessonFinished& event);
    bool apply(const Lesson4Check& event);
    bool apply(const Activity& event);
    // Adds the active time gathered since the last event to the page.
    bool keep_time();

    QString path_;
    QString connection_;
    Clock clock_;
    bool saving_ = false;
    bool locked_out_ = false; // by another copy, while recording
    QString notice_;
    std::map<const char*, QSqlQuery> statements_;
    std::optional<qint64> current_;
    std::optional<Place> place_;
    int exercises_on_page_ = 0;
    std::optional<qint64> turn_;
    qint64 last_id_ = 0;
    QSqlError error_; // of the last statement that failed
    double last_activity_ = -1;
    double unsaved_seconds_ = 0;
};

} // namespace quorrel::progress
