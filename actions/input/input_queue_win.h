// Whether another program has read the input sent to it. Synthetic keys and clicks wait
// in the input queue of the thread they are meant for until that thread reads them, and
// under Wine that thread looks up the window they go to only when it reads them: keys
// still queued when the foreground moves to another program find no focus and are
// dropped, and keys sent to a newly activated program before its thread has taken the
// activation are dropped the same way. The thread reads sent messages before queued
// input and then one queued message per turn of its message loop, so a message round
// trip shows that it has taken one more of them.
#pragma once
#include <windows.h>

namespace zorbel {

// The window with the keyboard focus in the foreground thread, else the foreground window.
HWND FocusedWindow();

// One message round trip to the thread of `window`: true when it answered, so that it has
// taken what it was sent before and one more queued message. Also true for no window or a
// window of this process; false when the thread did not answer within 100 ms.
bool ThreadInputTaken(HWND window);

// Round trips until the thread of `window` has answered `rounds` of them, for at most
// `limit_ms`; returns whether it did. For the primitives that change the foreground
// themselves; steps wait on the run's clock.
bool WaitForThreadInputTaken(HWND window, int rounds, DWORD limit_ms);

}  // namespace zorbel
