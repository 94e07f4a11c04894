// Synthetic key events: the one primitive that sends a key transition, the per-key rules
// it follows, and the keyboard it sends to. The rules are desktop-free; the system's
// keyboard (keybd_event, SendInput) is in key_events_win.cpp, and tests record the events.
#pragma once
#include <cstddef>
#include <cstdint>

#include "actions/input/key_names.h"

namespace zorbel {

// Flags of one key event, with the values keybd_event takes.
constexpr uint32_t kKeyEventExtended = 0x0001;
constexpr uint32_t kKeyEventUp = 0x0002;

// Directions of SendKeyTransition.
constexpr int kKeyPress = 1;
constexpr int kKeyRelease = 2;  // any value other than kKeyPress releases

struct KeyEvent {
    uint8_t code;
    uint8_t scan;
    uint32_t flags;
};

// Where key events go.
class KeyEventSink {
public:
    virtual ~KeyEventSink() = default;
    // One key transition (keybd_event; its extra-info word is always 0).
    virtual void key_event(uint8_t code, uint8_t scan, uint32_t flags) = 0;
    // The key's scan code (MapVirtualKey, map type 0).
    virtual uint8_t scan_code(uint8_t code) = 0;
    // Windows 95, 98 or ME, where the toggle keys' state must be flipped by hand.
    virtual bool windows_9x() = 0;
    // Flips the key's byte in the keyboard state: 0 becomes 1, anything else 0.
    virtual void flip_key_state(uint8_t code) = 0;
    // The events as one sequence no other input can come between (SendInput).
    virtual void send_events(const KeyEvent* events, size_t count) = 0;
    // One ANSI character typed as a character rather than a key (a Unicode input event).
    virtual void type_character(unsigned char character) = 0;
};

// Sends one transition of key `code`: direction kKeyPress presses, any other releases.
// With `with_shift`, SHIFT goes down before the key and up after it (not for the keys with
// rules of their own: the toggle keys, CTRL, ALT, the Windows and application keys).
// Code 0 sends nothing.
void SendKeyTransition(KeyEventSink& keys, uint8_t code, bool with_shift, int direction);

// The system's keyboard; on a desktop-free build a keyboard that drops every event.
KeyEventSink& system_key_events();
// SendKeyTransition on the system's keyboard, for every part of the program that presses keys.
void SendKeyTransition(uint8_t code, bool with_shift, int direction);
// The modifier keys held down now (all up on a desktop-free build).
ModifierKeys held_modifier_keys();

}  // namespace zorbel
