#pragma once

#include "ui/controls.h"

#include <QMenuBar>

namespace quorrel::ui {

// Fills a menu bar from a menu tree. Opening a submenu or choosing an item
// runs the model item's handler; check marks and availability follow the model.
void build_menu_bar(QMenuBar& bar, MenuItem& root);
// Detaches the tree from the widgets built for it.
void release_menu_tree(MenuItem& root);

} // namespace quorrel::ui
