// The testbed's main window: its class, menu bar, controls and window procedure.
#pragma once
#include <windows.h>

#include "tests/testbed/testbed_options.h"

namespace zorbel::testbed {

// Private messages the window posts to itself.
constexpr UINT kHangMessage = WM_APP + 1;        // stop answering for Options::hang_seconds
constexpr UINT kMessageBoxMessage = WM_APP + 2;  // show the greeting message box

// Registers the class and creates the (still hidden) main window with its menu bar and
// controls. `options` must outlive the window. Returns null on failure.
HWND create_testbed_window(HINSTANCE instance, const Options& options);

// The keyboard accelerators of the main window (Ctrl+N).
HACCEL create_testbed_accelerators();

}  // namespace zorbel::testbed
