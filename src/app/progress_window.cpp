#include "app/progress_window.h"

#include "pages/catalogue.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace quorrel::app {

namespace {

constexpr int row_height = 24;
constexpr int label_width = 60;

void add(progress::LessonSummary& total, const progress::LessonSummary& more)
{
    total.pages_done += more.pages_done;
    total.right_first += more.right_first;
    total.right_later += more.right_later;
    total.not_finished += more.not_finished;
    total.seconds += more.seconds;
}

QString duration(double seconds)
{
    if (seconds < 59.5)
        return QString("%1 s").arg(std::lround(seconds));
    const int minutes = static_cast<int>(std::lround(seconds / 60));
    return minutes < 60 ? QString("%1 min").arg(minutes) : QString("%1 h %2 min").arg(minutes / 60).arg(minutes % 60);
}

QStringList cells(const ProgressRow& row, const progress::LessonSummary& s, bool of_pages)
{
    const QString pages = of_pages ? QString("%1 of %2").arg(s.pages_done).arg(row.pages) : QString::number(s.pages_done);
    return {pages, QString::number(s.right_first), QString::number(s.right_later), QString::number(s.not_finished),
            duration(s.seconds)};
}

const QStringList headers = {"Lesson",       "Pages done",   "Right first try", "Right after tries", "Not finished",
                             "Time",         "All: pages",   "All: first try",  "All: after tries",  "All: not finished",
                             "All: time"};

QString learner_name(const progress::Store& store, qint64 learner)
{
    for (const progress::Learner& l : store.learners())
        if (l.id == learner)
            return l.name;
    return {};
}

QString hardest_text(const progress::Store& store, qint64 learner)
{
    QString text = "Took most tries:";
    const auto hard = progress::hardest(store, learner, 5);
    if (hard.empty())
        return text + " none yet.";
    for (const progress::HardExercise& e : hard)
        text += QString("\n  %1 page %2: %3 (%4 tries on average)")
                    .arg(QString::fromStdString(e.lesson))
                    .arg(e.page)
                    .arg(e.problem)
                    .arg(e.tries, 0, 'f', 1);
    return text;
}

void paint_summary(QPainter& painter, const progress::Store& store, qint64 learner,
                   const std::vector<ProgressRow>& rows, const ui::Canvas& chart)
{
    const QRect page = painter.viewport();
    int y = 0;
    const int line = painter.fontMetrics().height();
    painter.drawText(0, y += line, "Quorrel: progress of " + learner_name(store, learner));
    y += line / 2;
    for (const ProgressRow& row : rows) {
        const QStringList mine = cells(row, row.mine, true);
        painter.drawText(0, y += line, QString("Lesson %1: pages %2; right first try %3, after tries %4, not finished "
                                               "%5; time %6")
                                           .arg(QString::fromStdString(row.lesson), mine[0], mine[1], mine[2],
                                                mine[3], mine[4]));
    }
    y += line;
    for (const QString& text : hardest_text(store, learner).split('\n'))
        painter.drawText(0, y += line, text);
    y += line;
    const QImage& image = chart.image();
    const double scale = std::min(1.0, double(page.width()) / image.width());
    painter.drawImage(QRect(0, y, int(image.width() * scale), int(image.height() * scale)), image);
}

} // namespace

std::vector<ProgressRow> progress_rows(const progress::Store& store, qint64 learner)
{
    const std::map<qint64, progress::Summary> all = progress::summarize(store);
    std::vector<ProgressRow> rows;
    for (const pages::LessonInfo& info : pages::catalogue) {
        if (info.code == "1f")
            continue;
        ProgressRow row{std::string(info.code), info.pages, {}, {}};
        for (const auto& [id, summary] : all) {
            const auto found = summary.find(row.lesson);
            if (found == summary.end())
                continue;
            if (id == learner)
                row.mine = found->second;
            add(row.everyone, found->second);
        }
        rows.push_back(row);
    }
    return rows;
}

std::unique_ptr<ui::Canvas> draw_progress_chart(const std::vector<ProgressRow>& rows, int width)
{
    auto canvas = std::make_unique<ui::Canvas>(width, row_height * static_cast<int>(rows.size()) + 8,
                                               ui::colors::white);
    canvas->set_font({"Arial", 10});
    int most = 1;
    for (const ProgressRow& row : rows)
        most = std::max(most, row.mine.right_first + row.mine.right_later + row.mine.not_finished);
    const double room = width - label_width - 10;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ProgressRow& row = rows[i];
        const int top = 4 + row_height * static_cast<int>(i);
        canvas->set_fore_color(ui::colors::black);
        canvas->set_pen(4, top + 2);
        canvas->print(row.lesson);
        // Pages done of the lesson's pages, then the exercises in three parts.
        const double done = room * row.mine.pages_done / std::max(1, row.pages);
        canvas->box(label_width, top, label_width + room, top + 8, ui::Color::rgb(220, 220, 220), true);
        if (done >= 1)
            canvas->box(label_width, top, label_width + done, top + 8, ui::colors::fraction_blue, true);
        double x = label_width;
        const std::pair<int, ui::Color> parts[] = {{row.mine.right_first, ui::Color::rgb(0, 160, 0)},
                                                   {row.mine.right_later, ui::Color::rgb(230, 180, 0)},
                                                   {row.mine.not_finished, ui::Color::rgb(210, 40, 40)}};
        for (const auto& [count, color] : parts) {
            const double w = room * count / most;
            if (w >= 1)
                canvas->box(x, top + 10, x + w, top + 18, color, true);
            x += w;
        }
    }
    return canvas;
}

bool export_progress(const progress::Store& store, qint64 learner, const QString& csv_path, QString& why)
{
    QSaveFile csv(csv_path);
    if (!csv.open(QIODevice::WriteOnly) || !progress::write_answers_csv(store, csv) || !csv.commit()) {
        why = QString("%1 could not be written: %2").arg(csv_path, csv.errorString());
        return false;
    }
    QString pdf_path = csv_path;
    pdf_path.replace(QRegularExpression("\\.csv$", QRegularExpression::CaseInsensitiveOption), "");
    pdf_path += ".pdf";
    QSaveFile pdf(pdf_path);
    if (!pdf.open(QIODevice::WriteOnly)) {
        why = QString("%1 could not be written: %2").arg(pdf_path, pdf.errorString());
        return false;
    }
    {
        QPdfWriter writer(&pdf);
        writer.setTitle("Quorrel progress");
        writer.setResolution(96);
        QPainter painter(&writer);
        const std::vector<ProgressRow> rows = progress_rows(store, learner);
        paint_summary(painter, store, learner, rows, *draw_progress_chart(rows, 700));
    }
    if (!pdf.commit()) {
        why = QString("%1 could not be written: %2").arg(pdf_path, pdf.errorString());
        return false;
    }
    return true;
}

void show_progress(QWidget& parent, const progress::Store& store, qint64 learner)
{
    QDialog dialog(&parent);
    dialog.setObjectName("progresswindow");
    dialog.setWindowTitle("Progress");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QString("%1 beside all learners").arg(learner_name(store, learner)), &dialog));
    const std::vector<ProgressRow> rows = progress_rows(store, learner);
    auto* table = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headers.size()), &dialog);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ProgressRow& row = rows[static_cast<std::size_t>(r)];
        const QStringList line =
            QStringList{QString::fromStdString(row.lesson)} + cells(row, row.mine, true) + cells(row, row.everyone, false);
        for (int c = 0; c < line.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(line[c]));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->setMinimumHeight(table->horizontalHeader()->height() + table->verticalHeader()->length() + 4);
    layout->addWidget(table);
    layout->addWidget(new QLabel("Bars: pages done (blue) of the lesson's pages (grey); exercises right at the first "
                                 "try (green), right after more tries (amber), not finished (red).",
                                 &dialog));
    const auto chart = draw_progress_chart(rows, 700);
    auto* bars = new QLabel(&dialog);
    bars->setObjectName("progresschart");
    bars->setPixmap(QPixmap::fromImage(chart->image()));
    layout->addWidget(bars);
    layout->addWidget(new QLabel(hardest_text(store, learner), &dialog));
    layout->addWidget(new QLabel(store.saving() ? "Kept on this computer in " + store.path()
                                                : "Progress is not being saved. " + store.notice(),
                                 &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QPushButton* exporting = buttons->addButton("Export…", QDialogButtonBox::ActionRole);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(exporting, &QPushButton::clicked, &dialog, [&] {
        const QString path =
            QFileDialog::getSaveFileName(&dialog, "Export progress", "progress.csv", "CSV files (*.csv)");
        QString why;
        if (!path.isEmpty() && !export_progress(store, learner, path, why))
            QMessageBox::warning(&dialog, "Quorrel", why);
    });
    layout->addWidget(buttons);
    dialog.resize(table->horizontalHeader()->length() + 40, dialog.sizeHint().height());
    dialog.exec();
}

} // namespace quorrel::app
