// The main window's toolbar: 27 buttons in a fixed order, their tips, and the Keep on
// Top button's two images.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace zorbel {

HWND create_toolbar_window(HWND parent, HINSTANCE instance);
// Fills the tip of a toolbar button (TTN_GETDISPINFO); false when it is not one.
bool toolbar_tip(NMTTDISPINFOA* info);
void set_keep_on_top_button(HWND toolbar, bool on);

}  // namespace zorbel
