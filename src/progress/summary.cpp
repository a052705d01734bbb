#include "progress/summary.h"

#include <QIODevice>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace quorrel::progress {

namespace {

void add_pages(const Store& store, std::map<qint64, Summary>& all)
{
    QSqlQuery query(store.database());
    query.exec("SELECT learner, lesson, sum(finished), sum(seconds) FROM pages GROUP BY learner, lesson");
    while (query.next()) {
        LessonSummary& lesson = all[query.value(0).toLongLong()][query.value(1).toString().toStdString()];
        lesson.pages_done = query.value(2).toInt();
        lesson.seconds = query.value(3).toDouble();
    }
}

void add_turns(const Store& store, std::map<qint64, Summary>& all)
{
    QSqlQuery query(store.database());
    query.exec("SELECT learner, lesson, sum(outcome = 'right' AND tries <= 1), sum(outcome = 'right' AND tries > 1), "
               "sum(outcome IS NOT 'right') FROM turns GROUP BY learner, lesson");
    while (query.next()) {
        LessonSummary& lesson = all[query.value(0).toLongLong()][query.value(1).toString().toStdString()];
        lesson.right_first += query.value(2).toInt();
        lesson.right_later += query.value(3).toInt();
        lesson.not_finished += query.value(4).toInt();
    }
}

// A practice problem is done right at the first check, right after others,
// or never right.
void add_checks(const Store& store, std::map<qint64, Summary>& all)
{
    QSqlQuery query(store.database());
    query.exec("SELECT learner, lesson, problem, count(*), sum(verdict = 'right'), "
               "min(CASE WHEN verdict = 'right' THEN id END) = min(id) FROM checks GROUP BY learner, lesson, problem, kind");
    while (query.next()) {
        LessonSummary& lesson = all[query.value(0).toLongLong()][query.value(1).toString().toStdString()];
        if (query.value(4).toInt() == 0)
            ++lesson.not_finished;
        else if (query.value(5).toInt() == 1)
            ++lesson.right_first;
        else
            ++lesson.right_later;
    }
}

} // namespace

std::map<qint64, Summary> summarize(const Store& store)
{
    std::map<qint64, Summary> all;
    add_pages(store, all);
    add_turns(store, all);
    add_checks(store, all);
    return all;
}

std::vector<HardExercise> hardest(const Store& store, qint64 learner, int count)
{
    std::vector<HardExercise> found;
    QSqlQuery query(store.database());
    query.prepare("SELECT lesson, page, problem, avg(tries) AS mean FROM turns WHERE learner = ? AND tries > 0 "
                  "GROUP BY lesson, page, problem HAVING mean > 1 ORDER BY mean DESC, lesson, page LIMIT ?");
    query.addBindValue(learner);
    query.addBindValue(count);
    query.exec();
    while (query.next())
        found.push_back({query.value(0).toString().toStdString(), query.value(1).toInt(), query.value(2).toString(),
                         query.value(3).toDouble()});
    return found;
}

QString csv_field(const QString& text)
{
    if (!text.contains(QRegularExpression("[\",\r\n]")))
        return text;
    QString quoted = text;
    quoted.replace("\"", "\"\"");
    return "\"" + quoted + "\"";
}

bool write_answers_csv(const Store& store, QIODevice& out)
{
    QSqlQuery query(store.database());
    query.setForwardOnly(true);
    query.exec("SELECT l.name, a.time, t.lesson, t.page, t.exercise, "
               "t.problem || CASE WHEN t.dealt = '' THEN '' ELSE ' (' || t.dealt || ')' END, a.answer, a.verdict, "
               "a.id AS n, 0 AS source FROM answers a JOIN turns t ON t.id = a.turn JOIN learners l ON l.id = t.learner "
               "UNION ALL SELECT l.name, c.time, c.lesson, c.page, c.kind, c.problem, c.answer, c.verdict, c.id, 1 "
               "FROM checks c JOIN learners l ON l.id = c.learner ORDER BY 2, 10, 9");
    bool ok = out.write("learner,time,lesson,page,exercise,problem,answer,verdict\r\n") > 0;
    while (ok && query.next()) {
        QStringList fields;
        for (int i = 0; i < 8; ++i)
            fields << csv_field(query.value(i).toString());
        ok = out.write((fields.join(',') + "\r\n").toUtf8()) > 0;
    }
    return ok;
}

} // namespace quorrel::progress
