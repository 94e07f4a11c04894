// Whether another program has taken the input queued for it. Synthetic keys and clicks
// wait in the queue of the thread they are meant for until that thread reads them; if
// the foreground moves to another program first, Wine hands them to whatever window then
// has the focus in that queue, or drops them (attaching thread input replaces the queue
// they wait in). Steps therefore wait until the thread has read them.
#pragma once
#include <windows.h>

namespace zorbel {

// The window with the keyboard focus in the foreground thread, else the foreground window.
HWND FocusedWindow();

// True when the thread of `window` has read every input queued for it: its process is
// waiting for input with none pending (WaitForInputIdle answers at once). Also true for
// no window, a window of this process, or a process that cannot be asked.
bool ThreadInputTaken(HWND window);

// Waits, at most `limit_ms`, until ThreadInputTaken(window); returns whether it was.
// For the primitives that change the foreground themselves; steps wait on the run's clock.
bool WaitForThreadInputTaken(HWND window, DWORD limit_ms);

}  // namespace zorbel
