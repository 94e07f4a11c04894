// Without a desktop there is no keyboard to send to: every event is dropped.
#include "actions/input/key_events.h"

namespace zorbel {

namespace {

class NoKeyEvents : public KeyEventSink {
public:
    void key_event(uint8_t, uint8_t, uint32_t) override {}
    uint8_t scan_code(uint8_t) override { return 0; }
    bool windows_9x() override { return false; }
    void flip_key_state(uint8_t) override {}
    void send_events(const KeyEvent*, size_t) override {}
    void type_character(unsigned char) override {}
};

}  // namespace

KeyEventSink& system_key_events() {
    static NoKeyEvents keys;
    return keys;
}

ModifierKeys held_modifier_keys() { return ModifierKeys(); }

}  // namespace zorbel
