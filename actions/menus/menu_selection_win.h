// Menu selection on the real desktop (Windows only).
#pragma once
#include <windows.h>

#include <string>

#include "actions/menus/menu_path.h"

namespace zorbel {

// Finds the item of `path` through the window's menu bar; when found and `post` is
// set, posts WM_COMMAND with its identifier to the window. Returns the identifier,
// 0 when the window has no menu bar or the path is not in it.
UINT SelectMenuPath(HWND window, const std::string& path, bool post);

// Presses the key of `key` (with ALT held around it when `with_alt`); false when the
// character has no key.
bool PressMenuKey(char key, bool with_alt);

// Activates the window and opens its system menu with ALT+SPACE.
void OpenSystemMenu(HWND window);

// Sends WM_SYSCOMMAND for one of the system commands (nothing for kNone and kKey).
void SendSystemCommand(HWND window, SystemMenuCommand command);

}  // namespace zorbel
