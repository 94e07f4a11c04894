// Desktop-free rules of the menu steps: splitting a menu path into levels, the
// label of a menu item as the path compares it, the key that opens a level, and the
// system menu command a name asks for.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

// The names of a menu path's levels, for the menu-bar search: the separator is ";"
// when the path has one, else ","; at most 253 characters are used; "..." and "&"
// are removed; each level is cut at its first tab. "&File; Save &As..." gives
// {"File", "Save As"}. An empty path gives no levels.
std::vector<std::string> menu_path_levels(std::string_view path);

// A menu item's text as it is compared: "&" and "..." removed, cut at the first tab.
std::string menu_item_label(std::string_view item_text);

// The keys that select a path by keystrokes: for each ";"- or ","-separated level
// (leading blanks and separators skipped), the character after "&", else the first
// character, a lower-case letter made upper case. Empty levels give no key.
std::string menu_level_keys(std::string_view path);

enum class SystemMenuCommand { kNone, kMaximize, kMinimize, kRestore, kMove, kClose, kSize, kKey };

// What "Select System Menu" does for `name`: one of the system commands (tested in
// the order max, min, restore, move, close, size, ignoring case), else kKey with the
// key after "&" in `*key` when the name has one, else kNone.
SystemMenuCommand system_menu_command(std::string_view name, char* key);

}  // namespace zorbel
