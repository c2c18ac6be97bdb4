#pragma once

#include <string>
#include <vector>

// One item of a window's main menu as the shell's cores hold it: the item's
// component name (the key of the menu-level table NIVELMENU), its caption
// ("-" draws a separator line) and its visibility, with its sub-items in
// order. The root of a menu is an item with no name whose `Items` are the
// top-level entries. Views rebuild their menu bar from this tree, so a change
// of visibility shows once the view rebuilds. Plain data: no source file.
struct ItemMenu {
    std::string Name;
    std::string Caption;
    bool Visible = true;
    std::vector<ItemMenu> Items;
};
