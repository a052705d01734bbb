#include "ui/menu_view.h"

#include <QAction>
#include <QMenu>

namespace quorrel::ui {

namespace {

QAction* make_action(MenuItem& item, QObject* parent)
{
    auto* action = new QAction(QString::fromStdString(item.caption()), parent);
    action->setObjectName(QString::fromStdString(item.name()));
    action->setCheckable(item.checkable);
    auto sync = [action, &item] {
        action->setChecked(item.checked());
        action->setEnabled(item.enabled());
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
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&item] { item.choose(); });
    add_items(menu, item);
}

template <typename Menu>
void add_items(Menu& menu, MenuItem& item)
{
    for (const auto& child : item.items()) {
        if (child->items().empty())
            menu.addAction(make_action(*child, &menu));
        else
            fill(*menu.addMenu(QString::fromStdString(child->caption())), *child);
    }
}

} // namespace

void release_menu_tree(MenuItem& root)
{
    root.set_listener(nullptr);
    for (const auto& item : root.items())
        release_menu_tree(*item);
}

void build_menu_bar(QMenuBar& bar, MenuItem& root) { add_items(bar, root); }

} // namespace quorrel::ui
