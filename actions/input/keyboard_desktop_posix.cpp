// Without a desktop: no keys, no windows.
#include "actions/input/keyboard_desktop.h"

namespace zorbel {

namespace {

class NoKeyboardDesktop : public KeyboardDesktop {
public:
    KeyEventSink& keys() override { return system_key_events(); }
    BufferedTypingDriver& buffered_typing() override { return system_buffered_typing(); }
    bool key_down(int) override { return false; }
    bool caps_lock_on() override { return false; }
    void set_window_text(intptr_t, const std::string&) override {}
    BlockInputResult block_input(bool) override { return BlockInputResult::kNoLibrary; }
    intptr_t focus_window() override { return 0; }
    intptr_t window_under_pointer() override { return 0; }
    bool input_taken(intptr_t) override { return true; }
    bool offer_paste(intptr_t, const std::string&) override { return false; }
    clipboard::Offer paste_offer() override { return clipboard::Offer::kNone; }
};

}  // namespace

KeyboardDesktop& system_keyboard_desktop() {
    static NoKeyboardDesktop desktop;
    return desktop;
}

}  // namespace zorbel
