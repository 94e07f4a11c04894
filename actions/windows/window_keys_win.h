// Key events for the window and menu steps: a virtual key pressed or released with
// the scan code the keyboard layout gives it (or none).
#pragma once
#include <windows.h>

namespace zorbel {

// One key transition through keybd_event; with `use_scan_code` the key's scan code
// from the keyboard layout, else 0.
void send_key_transition(BYTE virtual_key, bool down, bool use_scan_code = true);
// Down and up.
void tap_key(BYTE virtual_key);
// The virtual key that types `character` on the current layout (0 when none).
BYTE virtual_key_of(char character);

}  // namespace zorbel
