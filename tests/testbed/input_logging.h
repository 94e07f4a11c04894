// Logs the keyboard and mouse messages that the testbed's thread takes from its queue, and
// the focus changes, whichever window of the program they are for and whichever message loop
// (the program's own, a menu's or a message box's) takes them.
#pragma once
#include <windows.h>

namespace zorbel::testbed {

// Installs the thread's hooks; `main_window` is the window the coordinates are relative to.
bool install_input_logging(HWND main_window);
void remove_input_logging();

// Logs a WM_SYSCOMMAND for `window` (the main window logs its own from its window procedure).
void log_sys_command(HWND window, WPARAM wparam);

// The "ctl" field: 0 for the main window, the identifier of the main window's child that is
// or contains `window`, -1 for anything else.
int control_id_of(HWND main_window, HWND window);

}  // namespace zorbel::testbed
