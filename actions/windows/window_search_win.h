// Window search and the primitives that act on a found window (Windows only).
// Everything here runs on the main thread; the search state is private to one
// search at a time.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "actions/windows/window_rules.h"

namespace zorbel {

// Turns a window specification into a window handle. `criteria` holds the bits
// kCriterionTitle..kCriterionUserData, or one of kCriteriaListWindows (writes
// "windows.txt" beside the program), kCriteriaMinimizeAll, kCriteriaCloseAll.
// `mode` is kModeAnyWindow, kModeFramedVisible or kModeFramedVisibleTopLevel.
// Returns the last match in enumeration order, else the FindWindow fallback when it
// passes the same test as an enumerated top-level window (framed, visible, the mode)
// and is not one of the program's own windows; null when nothing matches.
// `specification` may be null. `counts` (optional) receives the match counters.
// "Close all" spares the program's own windows; "minimize all" does not.
HWND FindTargetWindow(uint32_t criteria, const char* specification, uint32_t mode,
                      WindowMatchCounts* counts = nullptr);

// A window's title as the search reads it: WM_GETTEXT with a 100 ms time-out, at most
// `limit` characters; for a top-level window that does not answer, the title the
// system keeps for it, read without sending it a message.
std::string ReadWindowTitle(HWND window, size_t limit);

// The per-window test of an ordinary search: the mode filter, then the criteria.
// A top-level window whose thread does not answer WM_GETTEXT within 100 ms is
// matched with the title read without sending it a message.
bool WindowMatches(HWND window, const WindowCriteria& criteria, uint32_t mode);

// True when the class name of `main_window` occurs (case-sensitively) in the class
// of `window` or of any of its five nearest ancestors, or when one of them is
// `main_window` itself. False for a null main window.
bool IsOwnWindow(HWND main_window, HWND window);

// The program's main window for the own-window test. Set by the program when it
// creates its main window; until then, the first top-level window of this process
// whose class is "Zorbel" (null when there is none).
void SetOwnMainWindow(HWND main_window);
HWND OwnMainWindow();

// Brings a window to the foreground (for a label: its next focusable control).
void ActivateWindow(HWND window);

// Closes a window: WM_CLOSE with a time-out of `wait_ms` (at least 250), ending its
// process when that fails, then posting WM_CLOSE, DestroyWindow and ALT+F4 while it
// still exists. Returns true.
bool CloseWindowForcibly(HWND window, uint32_t wait_ms);

// Clicks a control (or selects an edit control's text); returns the control acted
// on, null for a dead window.
HWND PressControl(HWND control);

// Moves the pointer to the window's top-left corner, or its centre for where = 2,
// gliding in 20 steps of 25 ms when `glide` is set.
void GlideCursorToWindow(HWND window, int where, bool glide);

// For a label, the next control in tab order that is not a label; else the control.
HWND FirstFocusableControl(HWND control);

// The window under a screen point, refined to the smallest visible sibling that
// contains it.
HWND WindowAtPoint(POINT point);

bool IsControlChecked(HWND control);

// The control kind (ControlKindValue) of a window from its class and style.
int ControlKind(HWND window);

}  // namespace zorbel
