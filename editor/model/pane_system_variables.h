// The System Variables menu of the editing panes: six submenus of items, each the
// text to insert, a tab and a description; and the text an item inserts.
// Desktop-free.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

struct SystemVariableMenu {
    const char* title;
    std::vector<const char*> items;  // "text\tdescription"
};

// The submenus in menu order. Item n of the whole menu (counted across the
// submenus from 0) has the command kSystemVariableFirst + n.
const std::vector<SystemVariableMenu>& system_variable_menus();
constexpr int kSystemVariableFirst = 6024;
constexpr int kSystemVariableLast = 6324;
// The item of a menu command ("" outside the menu).
std::string system_variable_item(int command);
// What choosing the item inserts: the text before the tab, with the ranges and the
// long date format written out and the leading blanks of indented key items dropped.
std::string system_variable_insert(std::string_view item);

}  // namespace zorbel
