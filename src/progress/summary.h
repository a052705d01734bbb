#pragma once

#include "progress/store.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

class QIODevice;

namespace quorrel::progress {

// One learner's work in one lesson. An exercise is a drill's turn or an
// exercise on a page; on the practice screen, each problem checked.
struct LessonSummary {
    int pages_done = 0;
    int right_first = 0;
    int right_later = 0;
    int not_finished = 0;
    double seconds = 0;
    friend bool operator==(const LessonSummary&, const LessonSummary&) = default;
};

// By lesson code.
using Summary = std::map<std::string, LessonSummary>;

// Every learner's summary, by learner id, in one pass over the store.
std::map<qint64, Summary> summarize(const Store& store);

// An exercise (a page's prompt, all of a drill's turns together) and how many
// answers were checked for it on average, most first.
struct HardExercise {
    std::string lesson;
    int page = 1;
    QString problem;
    double tries = 0;
};
std::vector<HardExercise> hardest(const Store& store, qint64 learner, int count);

// Every checked answer, one CSV row each (RFC 4180), in the order given:
// learner, time, lesson, page, exercise, problem, answer, verdict.
bool write_answers_csv(const Store& store, QIODevice& out);
// A CSV field, quoted when it needs to be.
QString csv_field(const QString& text);

} // namespace quorrel::progress
