#pragma once

#include "ui/controls.h"

#include <QMenuBar>

#include <vector>

namespace quorrel::ui {

// Fills a menu bar from a menu tree. Opening a submenu or choosing an item
// runs the model item's handler; check marks and availability follow the model.
void build_menu_bar(QMenuBar& bar, MenuItem& root);
// The texts `menu`'s items are shown with: each caption with its mnemonic
// marked by '&' (and a literal '&' doubled). An item's own mnemonic is kept
// when no earlier item of the menu has it; otherwise, and for items without
// one, the first free letter or digit that starts a word of the caption,
// then any free one. Letters compare without case.
std::vector<QString> menu_texts(const MenuItem& menu);
// Detaches the tree from the widgets built for it.
void release_menu_tree(MenuItem& root);

} // namespace quorrel::ui
