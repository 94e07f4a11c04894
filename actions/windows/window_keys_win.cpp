#include "actions/windows/window_keys_win.h"

namespace zorbel {

void send_key_transition(BYTE virtual_key, bool down, bool use_scan_code) {
    BYTE scan = use_scan_code ? static_cast<BYTE>(MapVirtualKeyA(virtual_key, 0)) : 0;
    keybd_event(virtual_key, scan, down ? 0 : KEYEVENTF_KEYUP, 0);
}

void tap_key(BYTE virtual_key) {
    send_key_transition(virtual_key, true);
    send_key_transition(virtual_key, false);
}

BYTE virtual_key_of(char character) {
    SHORT code = VkKeyScanA(character);
    if (code == -1) return 0;
    return static_cast<BYTE>(code & 0xFF);
}

}  // namespace zorbel
