#include "ui/views/menu_view.h"

#include "ui/views/control_views.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <cctype>
#include <string>

namespace quorrel::ui {

namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool usable(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

char pick_mnemonic(const MenuItem& item, const std::string& taken)
{
    const auto is_free = [&taken](char c) { return usable(c) && taken.find(lower(c)) == std::string::npos; };
    const std::string& caption = item.caption();
    if (item.mnemonic && caption.find(item.mnemonic) != std::string::npos && is_free(item.mnemonic))
        return item.mnemonic;
    for (std::size_t k = 0; k < caption.size(); ++k)
        if ((k == 0 || caption[k - 1] == ' ') && is_free(caption[k]))
            return caption[k];
    for (const char c : caption)
        if (is_free(c))
            return c;
    return 0;
}

QAction* make_action(MenuItem& item, const QString& text, QObject* parent)
{
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromStdString(item.name()));
    action->setCheckable(item.checkable);
    QList<QKeySequence> keys;
    for (const std::string& key : item.shortcuts)
        keys << QKeySequence(QString::fromStdString(key), QKeySequence::PortableText);
    action->setShortcuts(keys);
    auto sync = [action, &item] {
        action->setChecked(item.checked());
        action->setEnabled(item.enabled());
        action->setToolTip(QString::fromStdString(item.tooltip()));
    };
    sync();
    item.set_listener(sync);
    QObject::connect(action, &QAction::triggered, action, [&item, sync] {
        item.choose();
        sync(); // the handler owns the check mark, not the toolkit
    });
    return action;
}

// Leaves become actions, items with children submenus.
template <typename Menu>
void add_items(Menu& menu, MenuItem& item);

void fill(QMenu& menu, MenuItem& item)
{
    menu.setObjectName(QString::fromStdString(item.name()));
    menu.setToolTipsVisible(true);
    add_items(menu, item);
    // The model may take a handler after the menu is built.
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu, &item] {
        if (!item.on_open)
            return;
        for (const auto& child : item.items())
            release_menu_tree(*child);
        item.on_open();
        menu.clear();
        add_items(menu, item);
    });
}

template <typename Menu>
void add_items(Menu& menu, MenuItem& item)
{
    const std::vector<QString> texts = menu_texts(item);
    for (std::size_t k = 0; k < item.items().size(); ++k) {
        MenuItem& child = *item.items()[k];
        if (child.items().empty())
            menu.addAction(make_action(child, texts[k], &menu));
        else
            fill(*menu.addMenu(texts[k]), child);
    }
}

} // namespace

std::vector<QString> menu_texts(const MenuItem& menu)
{
    std::string taken;
    std::vector<QString> texts;
    for (const auto& child : menu.items()) {
        const char mnemonic = pick_mnemonic(*child, taken);
        if (mnemonic)
            taken += lower(mnemonic);
        texts.push_back(mnemonic_text(child->caption(), mnemonic));
    }
    return texts;
}

void release_menu_tree(MenuItem& root)
{
    root.set_listener(nullptr);
    for (const auto& item : root.items())
        release_menu_tree(*item);
}

void build_menu_bar(QMenuBar& bar, MenuItem& root) { add_items(bar, root); }

} // namespace quorrel::ui
