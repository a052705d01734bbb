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

void fill(QMenu& menu, MenuItem& item)
{
    menu.setObjectName(QString::fromStdString(item.name()));
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&item] { item.choose(); });
    for (const auto& child : item.items()) {
        if (child->items().empty()) {
            menu.addAction(make_action(*child, &menu));
        } else {
            QMenu* sub = menu.addMenu(QString::fromStdString(child->caption()));
            fill(*sub, *child);
        }
    }
}

} // namespace

void release_menu_tree(MenuItem& root)
{
    root.set_listener(nullptr);
    for (const auto& item : root.items())
        release_menu_tree(*item);
}

void build_menu_bar(QMenuBar& bar, MenuItem& root)
{
    for (const auto& item : root.items()) {
        if (item->items().empty()) {
            bar.addAction(make_action(*item, &bar));
        } else {
            QMenu* menu = bar.addMenu(QString::fromStdString(item->caption()));
            fill(*menu, *item);
        }
    }
}

} // namespace quorrel::ui
