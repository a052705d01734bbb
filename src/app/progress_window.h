#pragma once

#include "progress/summary.h"
#include "ui/canvas.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace quorrel::app {

// A lesson's line in the Progress window: the chosen learner's work beside
// every learner's together.
struct ProgressRow {
    std::string lesson;
    int pages = 0;
    progress::LessonSummary mine;
    progress::LessonSummary everyone;
};
std::vector<ProgressRow> progress_rows(const progress::Store& store, qint64 learner);

// Per lesson, pages done of its pages and the exercises right at the first
// try, right after more, and not finished, as bars.
std::unique_ptr<ui::Canvas> draw_progress_chart(const std::vector<ProgressRow>& rows, int width);

// Writes every checked answer to `csv_path` and a summary of `learner`'s
// progress beside it as a PDF of the same name; false with the reason.
bool export_progress(const progress::Store& store, qint64 learner, const QString& csv_path, QString& why);

// The Progress window over `parent`, modal.
void show_progress(QWidget& parent, const progress::Store& store, qint64 learner);

} // namespace quorrel::app
