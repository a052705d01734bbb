#include "app/authoring_window.h"

#include "ui/canvas.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
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
    layout->addWidget(text_section());
    layout->addLayout(frames);
    layout->addWidget(hint);

    resize(640, 560);
    show_script();
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
    connect(save, &QPushButton::clicked, this, [this] { model_.cmd_savefile_Click(); });
    connect(load, &QPushButton::clicked, this, [this] {
        // The model plays what it loaded; the box shows it first.
        model_.cmd_loadfile_Click();
        show_script();
    });
    return box;
}

QWidget* AuthoringWindow::script_section()
{
    auto* box = new QGroupBox("Script", this);
    script_ = new QPlainTextEdit(box);
    script_->setObjectName("writestring");
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(box))->addWidget(script_);
    connect(script_, &QPlainTextEdit::textChanged, this, &AuthoringWindow::script_edited);
    return box;
}

QWidget* AuthoringWindow::text_section()
{
    auto* box = new QGroupBox("Text", this);
    auto* label = new QLabel("Line to write", box);
    label->setObjectName("Label1");
    text1_ = line_edit("Text1", model_.Text1, box);
    text1_->setFont(ui::to_qfont(ui::Font{"Arial Narrow", 14}));
    label->setBuddy(text1_);
    auto* write = button("cmd_write", "Write", box);
    auto* wait = button("cmd_wait", "Wait", box);
    auto* row = new QHBoxLayout(box);
    row->addWidget(label);
    row->addWidget(text1_, 1);
    row->addWidget(write);
    row->addWidget(wait);
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.Text1 = text.toStdString(); });
    connect(write, &QPushButton::clicked, this, [this] { append([this] { model_.cmd_write_Click(); }); });
    connect(wait, &QPushButton::clicked, this, [this] { append([this] { model_.cmd_wait_Click(); }); });
    return box;
}

void AuthoringWindow::add_updown(int i, QWidget* box, QFormLayout* form)
{
    static constexpr const char* roles[] = {"The slot that holds the answer", "The first slot of the operation",
                                            "The second slot of the operation", "The slot to set"};
    auto* spin = new QSpinBox(box);
    spin->setToolTip(roles[i]);
    spin->setObjectName(indexed("UpDown_f", i));
    spin->setRange(0, scenes::Authoring::updown_max);
    spin->setValue(model_.updown(i));
    auto* label = new QLabel(qs(model_.updown_label(i)), box);
    label->setObjectName(indexed("tbox_f", i));
    label->setBuddy(spin);
    connect(spin, &QSpinBox::valueChanged, this, [this, i, label](int value) {
        model_.set_updown(i, value);
        label->setText(qs(model_.updown_label(i)));
    });
    updowns_[static_cast<std::size_t>(i)] = spin;
    labels_[static_cast<std::size_t>(i)] = label;
    form->addRow(label, spin);
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
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        auto* option = new QRadioButton(qs(scenes::Authoring::op_captions[i]), frame);
        option->setObjectName(indexed("option_op", static_cast<int>(i)));
        option->setChecked(model_.selected_op() == static_cast<int>(i));
        op_group->addButton(option, static_cast<int>(i));
        op_row->addWidget(option);
        ops_[i] = option;
    }
    connect(op_group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            model_.select_op(id);
    });
    for (int i = 0; i < 3; ++i)
        add_updown(i, frame, form);
    form->addRow("Operation", op_row);
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
    add_updown(3, frame, form);
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
    add_line();
    show_script();
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
