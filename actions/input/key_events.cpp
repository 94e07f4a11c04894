#include "actions/input/key_events.h"

#include "actions/input/key_tokens.h"

namespace zorbel {

namespace {

// Backspace, caps lock, escape, num lock and scroll lock: on Windows 9x keybd_event
// leaves their toggle state alone, so it is flipped first.
bool is_toggled_by_hand(uint8_t code) { return code == 8 || code == 20 || code == 27 || code == 144 || code == 145; }

bool is_letter_or_digit(uint8_t code) { return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'); }

}  // namespace

void SendKeyTransition(KeyEventSink& keys, uint8_t code, bool with_shift, int direction) {
    if (code == 0) return;
    const uint32_t up = direction == kKeyPress ? 0 : kKeyEventUp;
    const uint32_t extended = IsExtendedKey(code) ? kKeyEventExtended : 0;
    const uint8_t scan = keys.scan_code(code);
    if (is_toggled_by_hand(code)) {
        if (keys.windows_9x()) keys.flip_key_state(code);
        keys.key_event(code, scan, extended | up);
        return;
    }
    if (code == kKeyControl || code == 91 || code == 92 || code == 93) {
        keys.key_event(code, scan, extended | up);
        return;
    }
    if (code == kKeyAlt) {
        keys.key_event(code, 0, up);
        return;
    }
    if (with_shift) {
        const uint8_t shift_scan = keys.scan_code(kKeyShift);
        if (up == 0) {
            keys.key_event(kKeyShift, shift_scan, 0);
            keys.key_event(code, scan, 0);
        } else {
            keys.key_event(code, scan, kKeyEventUp);
            keys.key_event(kKeyShift, shift_scan, kKeyEventUp);
        }
        return;
    }
    keys.key_event(code, scan, is_letter_or_digit(code) ? up : extended | up);
}

void SendKeyTransition(uint8_t code, bool with_shift, int direction) {
    SendKeyTransition(system_key_events(), code, with_shift, direction);
}

}  // namespace zorbel
