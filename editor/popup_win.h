// A short-lived hint window ("QuenbyPopup"): a bordered box of text that closes itself.
#pragma once
#include <windows.h>

namespace zorbel {

// Shows `text` with its top left at (`x`, `y`) on the screen for `milliseconds`.
HWND show_popup(HINSTANCE instance, HWND owner, const char* text, int x, int y, UINT milliseconds);

}  // namespace zorbel
