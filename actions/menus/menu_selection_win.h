// Menu selection on the real desktop (Windows only).
#pragma once
#include <windows.h>

#include <string>

namespace zorbel {

// Finds the item of `path` through the window's menu bar; when found and `post` is
// set, posts WM_COMMAND with its identifier to the window. Returns the identifier,
// 0 when the window has no menu bar or the path is not in it.
UINT SelectMenuPath(HWND window, const std::string& path, bool post);

// Activates the window and presses ALT + the key of the first level, then the key
// of each further level. True when a key was pressed.
bool SelectMenuByKeys(HWND window, const std::string& path);

// A system command by name (maximize, minimize, restore, move, close, size), or the
// system menu opened with ALT+SPACE and the key after "&".
bool SelectSystemMenuItem(HWND window, const std::string& name);

}  // namespace zorbel
