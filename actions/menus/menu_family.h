// The Menu family (4); its record is kMenuFamily (actions/families.h).
#pragma once
#include <string>

namespace zorbel {

// The line `choice` (from 1) of a popup menu's text, split at line feeds, without
// trailing line feeds and carriage returns; empty for 0 or a line that is not there.
std::string popup_menu_line(const std::string& text, int choice);

}  // namespace zorbel
