#include "app/authoring_window.h"

#include "scenes/check.h"
#include "ui/canvas.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTextBlock>
#include <QVBoxLayout>

#include <functional>

namespace quorrel::app {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A frame that acts when its own area (not one of its controls) is clicked.
class ClickableFrame final : public QGroupBox {
public:
    ClickableFrame(const QString& title, std::function<void()> clicked, QWidget* parent)
        : QGroupBox(title, parent), clicked_(std::move(clicked))
    {
        setCursor(Qt::PointingHandCursor);
    }

protected:
    // A label inside passes its clicks on; only the frame's own area counts.
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (event->button() == Qt::LeftButton && rect().contains(at) && !childAt(at))
            clicked_();
        event->accept();
    }

private:
    std::function<void()> clicked_;
};

QPushButton* button(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QLineEdit* line_edit(const char* name, const std::string& text, QWidget* parent)
{
    auto* edit = new QLineEdit(qs(text), parent);
    edit->setObjectName(name);
    return edit;
}

QString indexed(const char* name, int i) { return QString("%1(%2)").arg(name).arg(i); }

} // namespace

AuthoringWindow::AuthoringWindow(scenes::Authoring& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model)
{
    setObjectName("interface");
    setWindowTitle("Scene authoring");
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* frames = new QHBoxLayout;
    frames->addWidget(condition_frame(), 2);
    frames->addWidget(setting_frame(), 1);
    auto* hint = new QLabel("Clicking a frame outside its controls adds its line too.", this);
    hint->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_section());
    layout->addWidget(script_section(), 1);
    layout->addWidget(play_section());
    layout->addWidget(text_section());
    layout->addLayout(frames);
    layout->addWidget(hint);

    // A line a button added is undone as the author's own typing is.
    auto* undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, [this] { script_->undo(); });

    resize(640, 640);
    show_script();
    describe_condition();
}

QWidget* AuthoringWindow::file_section()
{
    auto* box = new QGroupBox("Script file", this);
    filename_ = line_edit("tbox_filename", model_.tbox_filename, box);
    auto* load = button("cmd_loadfile", "Load File", box);
    auto* save = button("cmd_savefile", "Save File", box);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel("File name", box));
    row->addWidget(filename_, 1);
    row->addWidget(load);
    row->addWidget(save);
    connect(filename_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.tbox_filename = text.toStdString(); });
    connect(save, &QPushButton::clicked, this, &AuthoringWindow::save);
    connect(load, &QPushButton::clicked, this, &AuthoringWindow::load);
    return box;
}

bool AuthoringWindow::save()
{
    if (model_.save_replaces_bytes()) {
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            "The file this script came from was not UTF-8 text. Saving the edited script writes \"\uFFFD\" for "
            "each byte that was not. Save it anyway?");
        if (answer != QMessageBox::Yes)
            return false;
    }
    return model_.cmd_savefile_Click();
}

void AuthoringWindow::load()
{
    if (!settle_unsaved())
        return;
    // The model plays what it loaded (the scene starts once this returns);
    // the box shows it, and what will not play as meant is listed.
    if (model_.cmd_loadfile_Click()) {
        show_script();
        check();
    }
}

bool AuthoringWindow::settle_unsaved()
{
    if (!model_.modified())
        return true;
    QMessageBox box(QMessageBox::Warning, windowTitle(), "The script has changes that are not saved.",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText("Save them to \"" + filename_->text() + "\" first?");
    box.setDefaultButton(QMessageBox::Save);
    box.setObjectName("unsaved");
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

QWidget* AuthoringWindow::script_section()
{
    auto* box = new QGroupBox("Script", this);
    script_ = new QPlainTextEdit(box);
    script_->setObjectName("writestring");
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    findings_ = new QListWidget(box);
    findings_->setObjectName("findings");
    findings_->setToolTip("Lines that will do nothing or fail when played; click one to go to it.");
    findings_->setMaximumHeight(110);
    findings_->hide();
    auto* column = new QVBoxLayout(box);
    column->addWidget(script_, 1);
    column->addWidget(findings_);
    connect(script_, &QPlainTextEdit::textChanged, this, &AuthoringWindow::script_edited);
    connect(findings_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const QTextBlock line = script_->document()->findBlockByNumber(item->data(Qt::UserRole).toInt() - 1);
        if (!line.isValid())
            return;
        QTextCursor cursor(line);
        script_->setTextCursor(cursor);
        script_->setFocus();
    });
    return box;
}

QWidget* AuthoringWindow::play_section()
{
    auto* row_box = new QWidget(this);
    auto* check_button = button("cmd_check", "Check", row_box);
    check_button->setToolTip("List the lines that will do nothing or fail when played.");
    auto* play_all = button("cmd_play", "Play", row_box);
    play_all->setToolTip("Play the whole script in the main window.");
    auto* play_here = button("cmd_play_here", "Play from cursor", row_box);
    play_here->setToolTip("Play from the line under the cursor; the fractions set before it are set first.");
    auto* stop = button("cmd_stop_playback", "Stop playback", row_box);
    auto* row = new QHBoxLayout(row_box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(check_button);
    row->addStretch(1);
    row->addWidget(play_all);
    row->addWidget(play_here);
    row->addWidget(stop);
    connect(check_button, &QPushButton::clicked, this, [this] { check(); });
    connect(play_all, &QPushButton::clicked, this, [this] { play(false); });
    connect(play_here, &QPushButton::clicked, this, [this] { play(true); });
    connect(stop, &QPushButton::clicked, this, [this] {
        if (player_.stop)
            player_.stop();
    });
    return row_box;
}

void AuthoringWindow::play(bool from_cursor)
{
    // The player checks the script as playback starts.
    if (!player_.play_from) {
        check();
        return;
    }
    std::size_t from = 0;
    if (from_cursor) {
        // The box holds one character for each CRLF of the script; the
        // script's bytes before the cursor's line are counted here.
        const QTextBlock line = script_->textCursor().block();
        for (QTextBlock b = script_->document()->begin(); b.isValid() && b != line; b = b.next())
            from += static_cast<std::size_t>(b.text().toUtf8().size()) + scenes::Authoring::line_break.size();
    }
    player_.play_from(from);
}

int AuthoringWindow::check()
{
    const std::vector<scenes::Finding> findings = scenes::check_script(model_.writestring());
    findings_->clear();
    for (const scenes::Finding& f : findings) {
        auto* item = new QListWidgetItem(
            QString("Line %1: %2 (%3)").arg(f.line).arg(qs(f.problem), qs(f.text).left(60)), findings_);
        item->setData(Qt::UserRole, f.line);
    }
    findings_->setVisible(!findings.empty());
    return static_cast<int>(findings.size());
}

QWidget* AuthoringWindow::text_section()
{
    auto* box = new QGroupBox("Text", this);
    auto* label = new QLabel("Line to write", box);
    label->setObjectName("Label1");
    text1_ = line_edit("Text1", model_.Text1, box);
    text1_->setFont(ui::to_qfont(ui::Font{"Arial Narrow", 14}));
    label->setBuddy(text1_);
    text1_->setToolTip("Return adds it as a write line.");
    auto* write = button("cmd_write", "Write", box);
    write->setToolTip("Add \"#write&\" and the text: drawn where the last text ended, with no pause.");
    auto* line = button("cmd_nw", "New line", box);
    line->setToolTip("Add \"#nw&\", the text and \"&\": a bulleted line, then a click or a pause.");
    auto* wait = button("cmd_wait", "Wait", box);
    wait->setToolTip("Add \"#wait&\": wait for the learner's click.");
    auto* row = new QHBoxLayout(box);
    row->addWidget(label);
    row->addWidget(text1_, 1);
    row->addWidget(write);
    row->addWidget(line);
    row->addWidget(wait);
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.Text1 = text.toStdString(); });
    connect(text1_, &QLineEdit::returnPressed, write, &QPushButton::click);
    connect(write, &QPushButton::clicked, this, [this] { append([this] { model_.cmd_write_Click(); }); });
    connect(line, &QPushButton::clicked, this, [this] { append([this] { model_.cmd_nw_Click(); }); });
    connect(wait, &QPushButton::clicked, this, [this] { append([this] { model_.cmd_wait_Click(); }); });
    return box;
}

void AuthoringWindow::add_updown(int i, const QString& role, QWidget* box, QFormLayout* form)
{
    static constexpr const char* tips[] = {
        "The slot that must hold the answer",
        "The first slot of the operation: for \"-\" the one subtracted, for \"/\" the one divided",
        "The second slot of the operation: for \"-\" the one subtracted from, for \"/\" the one divided by",
        "The slot to set",
    };
    auto* spin = new QSpinBox(box);
    spin->setToolTip(tips[i]);
    spin->setObjectName(indexed("UpDown_f", i));
    spin->setRange(0, scenes::Authoring::updown_max);
    spin->setValue(model_.updown(i));
    auto* label = new QLabel(qs(model_.updown_label(i)), box);
    label->setObjectName(indexed("tbox_f", i));
    label->setBuddy(spin);
    connect(spin, &QSpinBox::valueChanged, this, [this, i, label](int value) {
        model_.set_updown(i, value);
        label->setText(qs(model_.updown_label(i)));
        describe_condition();
    });
    updowns_[static_cast<std::size_t>(i)] = spin;
    labels_[static_cast<std::size_t>(i)] = label;
    auto* row = new QHBoxLayout;
    row->addWidget(spin);
    row->addWidget(label, 1);
    form->addRow(role, row);
}

// What the exercise line will ask, in words: "-" and "/" take their
// operands in an order an author would not guess.
void AuthoringWindow::describe_condition()
{
    if (!condition_line_)
        return;
    const auto slot = [this](int i) { return QString("slot %1").arg(model_.updown(i)); };
    const QString r = slot(0);
    const QString a = slot(1);
    const QString b = slot(2);
    QString says = "No operation is chosen: the condition never holds.";
    switch (model_.selected_op().value_or(-1)) {
    case 0:
        says = QString("The answer holds when %1 = %2 + %3.").arg(r, a, b);
        break;
    case 1:
        says = QString("The answer holds when %1 = %3 \u2212 %2 (the second minus the first).").arg(r, a, b);
        break;
    case 2:
        says = QString("The answer holds when %1 = %2 \u00D7 %3.").arg(r, a, b);
        break;
    case 3:
        says = QString("The answer holds when %1 = %2 \u00F7 %3 (the first divided by the second).").arg(r, a, b);
        break;
    default:
        break;
    }
    condition_line_->setText(says);
}

QWidget* AuthoringWindow::condition_frame()
{
    // The exercise line: result, operand, operation, operand and request.
    const auto add_line = [this] { append([this] { model_.Frame1_Click(); }); };
    auto* frame = new ClickableFrame("Test Condition", add_line, this);
    frame->setObjectName("Frame1");
    frame->setToolTip("Click the frame to add an exercise line to the script.");
    auto* form = new QFormLayout(frame);
    auto* op_row = new QHBoxLayout;
    auto* op_group = new QButtonGroup(frame);
    static constexpr const char* op_tips[] = {"result = first + second", "result = second \u2212 first",
                                              "result = first \u00D7 second", "result = first \u00F7 second"};
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        auto* option = new QRadioButton(qs(scenes::Authoring::op_captions[i]), frame);
        option->setToolTip(op_tips[i]);
        option->setObjectName(indexed("option_op", static_cast<int>(i)));
        option->setChecked(model_.selected_op() == static_cast<int>(i));
        op_group->addButton(option, static_cast<int>(i));
        op_row->addWidget(option);
        ops_[i] = option;
    }
    connect(op_group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            model_.select_op(id);
        describe_condition();
    });
    add_updown(0, "Result", frame, form);
    add_updown(1, "First", frame, form);
    form->addRow("Operation", op_row);
    add_updown(2, "Second", frame, form);
    condition_line_ = new QLabel(frame);
    condition_line_->setObjectName("condition_line");
    condition_line_->setWordWrap(true);
    form->addRow(condition_line_);
    request_ = line_edit("tbox_request", model_.tbox_request, frame);
    form->addRow("Request", request_);
    connect(request_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.tbox_request = text.toStdString(); });
    // The same as clicking the frame, for an author who looks for a button.
    auto* add = button("add_exercise", "Add exercise", frame);
    connect(add, &QPushButton::clicked, this, add_line);
    form->addRow(QString(), add);
    return frame;
}

QWidget* AuthoringWindow::setting_frame()
{
    // The set-fraction line.
    const auto add_line = [this] { append([this] { model_.Frame2_Click(); }); };
    auto* frame = new ClickableFrame("Set Fraction", add_line, this);
    frame->setObjectName("Frame2");
    frame->setToolTip("Click the frame to add a set-fraction line to the script.");
    auto* form = new QFormLayout(frame);
    add_updown(3, "Slot", frame, form);
    fraction_ = line_edit("tbox_f(4)", model_.fraction, frame);
    form->addRow("Fraction", fraction_);
    connect(fraction_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.fraction = text.toStdString(); });
    auto* add = button("add_fraction", "Add fraction", frame);
    connect(add, &QPushButton::clicked, this, add_line);
    form->addRow(QString(), add);
    return frame;
}

void AuthoringWindow::append(const std::function<void()>& add_line)
{
    const std::size_t before = model_.writestring().size();
    add_line();
    QString added = qs(std::string_view(model_.writestring()).substr(before));
    added.replace("\r\n", "\n");
    // Typed at the end as one edit, so that the editor can undo it.
    QTextCursor end(script_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(added);
    script_->setTextCursor(end);
}

void AuthoringWindow::refresh()
{
    show_script();
    filename_->setText(qs(model_.tbox_filename));
    text1_->setText(qs(model_.Text1));
    request_->setText(qs(model_.tbox_request));
    fraction_->setText(qs(model_.fraction));
    for (int i = 0; i < scenes::Authoring::updown_count; ++i)
        updowns_[static_cast<std::size_t>(i)]->setValue(model_.updown(i));
    for (std::size_t i = 0; i < ops_.size(); ++i)
        ops_[i]->setChecked(model_.selected_op() == static_cast<int>(i));
}

// The box shows one line break where the script holds CRLF; edits are
// written back with CRLF, so the script's bytes stay as the buttons make them.
void AuthoringWindow::show_script()
{
    QString shown = qs(model_.writestring());
    shown.replace("\r\n", "\n");
    if (shown == script_->toPlainText())
        return;
    showing_ = true;
    script_->setPlainText(shown);
    script_->moveCursor(QTextCursor::End);
    showing_ = false;
}

void AuthoringWindow::script_edited()
{
    if (showing_)
        return;
    QString text = script_->toPlainText();
    text.replace("\n", "\r\n");
    model_.set_writestring(text.toStdString());
}

} // namespace quorrel::app
