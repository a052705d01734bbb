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

    // The file.
    auto* file_box = new QGroupBox("Script file", this);
    filename_ = line_edit("tbox_filename", model_.tbox_filename, file_box);
    auto* load = button("cmd_loadfile", "Load File", file_box);
    auto* save = button("cmd_savefile", "Save File", file_box);
    auto* file_row = new QHBoxLayout(file_box);
    file_row->addWidget(new QLabel("File name", file_box));
    file_row->addWidget(filename_, 1);
    file_row->addWidget(load);
    file_row->addWidget(save);

    // The script.
    auto* script_box = new QGroupBox("Script", this);
    script_ = new QPlainTextEdit(script_box);
    script_->setObjectName("writestring");
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    (new QVBoxLayout(script_box))->addWidget(script_);

    // Lines of text and waits.
    auto* text_box = new QGroupBox("Text", this);
    auto* label1 = new QLabel("Line to write", text_box);
    label1->setObjectName("Label1");
    text1_ = line_edit("Text1", model_.Text1, text_box);
    text1_->setFont(ui::to_qfont(ui::Font{"Arial Narrow", 14}));
    label1->setBuddy(text1_);
    auto* write = button("cmd_write", "Write", text_box);
    auto* wait = button("cmd_wait", "Wait", text_box);
    auto* text_row = new QHBoxLayout(text_box);
    text_row->addWidget(label1);
    text_row->addWidget(text1_, 1);
    text_row->addWidget(write);
    text_row->addWidget(wait);

    static constexpr const char* roles[] = {"The slot that holds the answer", "The first slot of the operation",
                                            "The second slot of the operation", "The slot to set"};
    auto add_updown = [this](int i, QWidget* box, QFormLayout* form) {
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
    };

    // The exercise line: result, operand, operation, operand and request.
    auto* condition = new ClickableFrame("Test Condition", [this] {
        model_.Frame1_Click();
        show_script();
    }, this);
    condition->setObjectName("Frame1");
    condition->setToolTip("Click the frame to add an exercise line to the script.");
    auto* condition_form = new QFormLayout(condition);
    auto* op_row = new QHBoxLayout;
    auto* op_group = new QButtonGroup(condition);
    for (std::size_t i = 0; i < ops_.size(); ++i) {
        auto* option = new QRadioButton(qs(scenes::Authoring::op_captions[i]), condition);
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
        add_updown(i, condition, condition_form);
    condition_form->addRow("Operation", op_row);
    request_ = line_edit("tbox_request", model_.tbox_request, condition);
    condition_form->addRow("Request", request_);
    // The same as clicking the frame, for an author who looks for a button.
    auto* add_exercise = new QPushButton("Add exercise", condition);
    add_exercise->setObjectName("add_exercise");
    connect(add_exercise, &QPushButton::clicked, this, [this] {
        model_.Frame1_Click();
        show_script();
    });
    condition_form->addRow(QString(), add_exercise);

    // The set-fraction line.
    auto* setting = new ClickableFrame("Set Fraction", [this] {
        model_.Frame2_Click();
        show_script();
    }, this);
    setting->setObjectName("Frame2");
    setting->setToolTip("Click the frame to add a set-fraction line to the script.");
    auto* setting_form = new QFormLayout(setting);
    add_updown(3, setting, setting_form);
    fraction_ = line_edit("tbox_f(4)", model_.fraction, setting);
    setting_form->addRow("Fraction", fraction_);
    auto* add_fraction = new QPushButton("Add fraction", setting);
    add_fraction->setObjectName("add_fraction");
    connect(add_fraction, &QPushButton::clicked, this, [this] {
        model_.Frame2_Click();
        show_script();
    });
    setting_form->addRow(QString(), add_fraction);

    auto* frames = new QHBoxLayout;
    frames->addWidget(condition, 2);
    frames->addWidget(setting, 1);

    auto* hint = new QLabel("Clicking a frame outside its controls adds its line too.", this);
    hint->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(file_box);
    layout->addWidget(script_box, 1);
    layout->addWidget(text_box);
    layout->addLayout(frames);
    layout->addWidget(hint);

    connect(filename_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.tbox_filename = text.toStdString(); });
    connect(text1_, &QLineEdit::textChanged, this, [this](const QString& text) { model_.Text1 = text.toStdString(); });
    connect(request_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.tbox_request = text.toStdString(); });
    connect(fraction_, &QLineEdit::textChanged, this,
            [this](const QString& text) { model_.fraction = text.toStdString(); });
    connect(script_, &QPlainTextEdit::textChanged, this, &AuthoringWindow::script_edited);
    connect(write, &QPushButton::clicked, this, [this] {
        model_.cmd_write_Click();
        show_script();
    });
    connect(wait, &QPushButton::clicked, this, [this] {
        model_.cmd_wait_Click();
        show_script();
    });
    connect(save, &QPushButton::clicked, this, [this] { model_.cmd_savefile_Click(); });
    connect(load, &QPushButton::clicked, this, [this] {
        // The model plays what it loaded; the box shows it first.
        model_.cmd_loadfile_Click();
        show_script();
    });

    resize(640, 560);
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
