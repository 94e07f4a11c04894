// Placing the pointer reliably (Windows only; declared without <windows.h>).
#pragma once

namespace zorbel {

// True when the program runs under Wine.
bool running_on_wine();

// After SetCursorPos: under Wine, waits (at most half a second) until the pointer has
// stood at (x, y) for 120 ms, since Wine's virtual desktop can move a pointer just
// placed back to an earlier place for about 100 ms, and a click sent meanwhile lands
// there. Returns at once on Windows.
void wait_for_pointer_at(long x, long y);

}  // namespace zorbel
