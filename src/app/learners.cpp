#include "app/learners.h"

#include "app/progress_window.h"

#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <pwd.h>
#include <unistd.h>

namespace quorrel::app {

namespace {

constexpr int chooser_rows = 6;

QString greeting(const QString& name)
{
    return QString("Welcome back, %1. Here is where you stopped.").arg(name);
}

void tell(QWidget& parent, const QString& text) { QMessageBox::information(&parent, "Quorrel", text); }

// Large buttons, the learner seen last first and focused: Return takes them.
std::optional<qint64> pick(QWidget& parent, const std::vector<progress::Learner>& learners, bool& someone_new)
{
    QDialog dialog(&parent);
    dialog.setObjectName("learnerchooser");
    dialog.setWindowTitle("Quorrel");
    auto* layout = new QVBoxLayout(&dialog);
    auto* question = new QLabel("Who is learning today?", &dialog);
    QFont font = question->font();
    font.setPointSize(16);
    question->setFont(font);
    layout->addWidget(question);
    std::optional<qint64> chosen;
    const auto add_button = [&](const QString& text, const std::function<void()>& action) {
        auto* button = new QPushButton(text, &dialog);
        button->setFont(font);
        button->setMinimumHeight(48);
        button->setAutoDefault(true);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, action] {
            action();
            dialog.accept();
        });
        return button;
    };
    for (std::size_t i = 0; i < learners.size() && i < chooser_rows; ++i)
        add_button(QString(learners[i].name).replace("&", "&&"), [&chosen, id = learners[i].id] { chosen = id; });
    if (learners.size() > chooser_rows)
        add_button("Someone else…", [&] {
            QStringList names;
            for (const progress::Learner& learner : learners)
                names << learner.name;
            bool ok = false;
            const QString name = QInputDialog::getItem(&dialog, "Quorrel", "Who is learning today?", names, 0, false, &ok);
            for (const progress::Learner& learner : learners)
                if (ok && learner.name == name)
                    chosen = learner.id;
        });
    add_button("Someone new…", [&someone_new] { someone_new = true; });
    if (auto* first = dialog.findChild<QPushButton*>())
        first->setFocus();
    dialog.exec();
    return chosen;
}

} // namespace

QString account_name()
{
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_gecos) {
        // The full name is the first of the comma-separated fields.
        const QString name = QString::fromLocal8Bit(entry->pw_gecos).section(',', 0, 0).trimmed();
        if (!name.isEmpty())
            return name;
    }
    return "Learner";
}

LearnerDesk::LearnerDesk(progress::Store& store, Tutor& tutor, QWidget& window)
    : store_(store), tutor_(tutor), window_(window)
{
    ui::MenuItem& menu = *tutor_.window().menu_bar().find("mnu_learner");
    menu.on_open = [this] { refresh_menu(); };
    for (const std::string& name : kept_choices()) {
        ui::MenuItem& item = *tutor_.window().menu_bar().find(name);
        item.on_choose = [this, name, choose = std::move(item.on_choose)] {
            if (choose)
                choose();
            keep_choice(name);
        };
    }
    refresh_menu();
}

const std::vector<std::string>& LearnerDesk::kept_choices()
{
    static const std::vector<std::string> items = {"mnu_waitt",   "mnu_circle0", "mnu_mixed0", "mnu_circle1",
                                                   "mnu_mixed1", "mnu_circle2", "mnu_mixed2", "mnu_read"};
    return items;
}

const std::vector<QString>& LearnerDesk::kept_settings()
{
    // The View menu's size and contrast, as kept between runs.
    static const std::vector<QString> keys = {"view/zoom", "view/high_contrast"};
    return keys;
}

bool LearnerDesk::start(const std::optional<QString>& named, QString& why)
{
    if (!store_.notice().isEmpty()) {
        // Said without holding up the lesson.
        const QString text = store_.saving() ? store_.notice() : "Progress is not being saved. " + store_.notice();
        auto* box = new QMessageBox(QMessageBox::Warning, "Quorrel", text, QMessageBox::Ok, &window_);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setObjectName("progressnotice");
        box->show();
    }
    std::optional<qint64> id;
    const std::vector<progress::Learner> learners = store_.learners();
    if (named) {
        for (const progress::Learner& learner : learners)
            if (learner.name == named->trimmed())
                id = learner.id;
        if (!id && !(id = store_.add_learner(*named, why)))
            return false;
    } else if (learners.empty()) {
        id = store_.add_learner(account_name(), why);
        if (!id)
            id = store_.add_learner("Learner", why);
    } else {
        id = learners.size() == 1 ? std::optional(learners.front().id) : ask_who();
        if (!id)
            id = learners.front().id;
    }
    if (id)
        switch_to(*id);
    return true;
}

std::optional<qint64> LearnerDesk::ask_who()
{
    bool someone_new = false;
    const std::optional<qint64> chosen = pick(window_, store_.learners(), someone_new);
    if (!someone_new)
        return chosen;
    for (;;) {
        bool ok = false;
        const QString name = QInputDialog::getText(&window_, "Quorrel", "The new learner's name:", QLineEdit::Normal,
                                                   {}, &ok);
        if (!ok)
            return std::nullopt;
        QString why;
        if (const auto id = store_.add_learner(name, why))
            return id;
        tell(window_, why);
    }
}

void LearnerDesk::switch_to(qint64 id)
{
    if (store_.current())
        keep_settings();
    const bool returning = store_.last_place(id).has_value();
    store_.choose(id);
    restore_choices(id);
    tutor_.show_finished(store_.finished_pages(id));
    tutor_.resume_at(store_.last_place(id), returning ? greeting(current_name()).toStdString() : std::string());
}

void LearnerDesk::keep_choice(const std::string& name)
{
    if (const ui::MenuItem* item = tutor_.window().menu_bar().find(name))
        store_.set_choice(QString::fromStdString(name), item->checked() ? "1" : "0");
}

void LearnerDesk::keep_settings()
{
    if (!store_.current())
        return;
    const QSettings settings;
    for (const QString& key : kept_settings())
        if (settings.contains(key))
            store_.set_choice("setting:" + key, settings.value(key).toString());
}

void LearnerDesk::restore_choices(qint64 id)
{
    for (const std::string& name : kept_choices()) {
        ui::MenuItem* item = tutor_.window().menu_bar().find(name);
        const std::optional<QString> kept = store_.choice(id, QString::fromStdString(name));
        // Through the item's own handler, as the learner's click would.
        if (item && kept && (*kept == "1") != item->checked())
            item->choose();
    }
    QSettings settings;
    for (const QString& key : kept_settings())
        if (const auto kept = store_.choice(id, "setting:" + key))
            settings.setValue(key, *kept);
}

QString LearnerDesk::current_name() const
{
    for (const progress::Learner& learner : store_.learners())
        if (learner.id == store_.current())
            return learner.name;
    return {};
}

void LearnerDesk::refresh_menu()
{
    ui::MenuItem& menu = *tutor_.window().menu_bar().find("mnu_learner");
    menu.remove_items();
    for (const progress::Learner& learner : store_.learners()) {
        ui::MenuItem& item = menu.add("mnu_learner_" + std::to_string(learner.id), learner.name.toStdString());
        item.checkable = true;
        item.set_checked(learner.id == store_.current());
        item.on_choose = [this, id = learner.id] {
            if (id != store_.current())
                switch_to(id);
        };
    }
    menu.add("mnu_newlearner", "New learner…").on_choose = [this] { new_learner(); };
    menu.add("mnu_renamelearner", "Rename…").on_choose = [this] { rename_learner(); };
    menu.add("mnu_forgetlearner", "Forget this learner…").on_choose = [this] { forget_learner(); };
    menu.add("mnu_progress", "Progress…").on_choose = [this] {
        if (store_.current())
            show_progress(window_, store_, *store_.current());
    };
    if (!store_.saving()) {
        ui::MenuItem& warning = menu.add("mnu_notsaving", "Progress is not being saved");
        warning.set_tooltip(store_.notice().toStdString());
        warning.on_choose = [this] { tell(window_, "Progress is not being saved. " + store_.notice()); };
    }
}

void LearnerDesk::new_learner()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(&window_, "Quorrel", "The new learner's name:", QLineEdit::Normal, {}, &ok);
    if (!ok)
        return;
    QString why;
    if (const auto id = store_.add_learner(name, why))
        switch_to(*id);
    else
        tell(window_, why);
}

void LearnerDesk::rename_learner()
{
    if (!store_.current())
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(&window_, "Quorrel", "The learner's new name:", QLineEdit::Normal,
                                               current_name(), &ok);
    QString why;
    if (ok && !store_.rename_learner(*store_.current(), name, why))
        tell(window_, why);
}

void LearnerDesk::forget_learner()
{
    const std::optional<qint64> id = store_.current();
    if (!id)
        return;
    const QString name = current_name();
    const auto answer = QMessageBox::question(
        &window_, "Quorrel",
        QString("Forget %1? Everything Quorrel remembers of %1's work will be deleted.").arg(name),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    store_.forget_learner(*id);
    QString why;
    const std::vector<progress::Learner> left = store_.learners();
    if (!left.empty())
        switch_to(left.front().id);
    else if (const auto fresh = store_.add_learner(account_name(), why))
        switch_to(*fresh);
}

} // namespace quorrel::app
