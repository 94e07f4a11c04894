// Without a desktop: time passes, nothing else is there.
#include <chrono>
#include <thread>

#include "actions/input/keyboard_desktop.h"

namespace zorbel {

namespace {

class NoKeyboardDesktop : public KeyboardDesktop {
public:
    KeyEventSink& keys() override { return system_key_events(); }
    BufferedTypingDriver& buffered_typing() override { return system_buffered_typing(); }
    void sleep(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    uint32_t tick_count() override {
        auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    bool save_clipboard_text(std::string* saved) override {
        saved->clear();
        return true;
    }
    void put_clipboard_text(const std::string&) override {}
    intptr_t foreground_window() override { return 0; }
    void set_window_text(intptr_t, const std::string&) override {}
    BlockInputResult block_input(bool) override { return BlockInputResult::kNoLibrary; }
};

}  // namespace

KeyboardDesktop& system_keyboard_desktop() {
    static NoKeyboardDesktop desktop;
    return desktop;
}

}  // namespace zorbel
