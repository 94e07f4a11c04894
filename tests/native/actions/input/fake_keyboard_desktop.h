// An in-memory desktop for the keyboard actions: it records every key event as a short
// line ("down 65", "up 17 ext", "input down 16", "char 0xE9") so tests compare what was
// sent with an expected table, and keeps a clock that sleeping moves on.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "actions/input/keyboard_desktop.h"

namespace zorbel {

// The fake's scan codes: a fixed function of the key, so expected lines can name them.
constexpr uint8_t fake_scan(uint8_t code) { return static_cast<uint8_t>(code + 1); }

// "down 65", "up 17 ext", with " scan=N" when the scan code is not fake_scan(code).
inline std::string key_line(const char* prefix, uint8_t code, uint8_t scan, uint32_t flags) {
    std::string line = std::string(prefix) + ((flags & kKeyEventUp) ? "up " : "down ") + std::to_string(code);
    if (flags & kKeyEventExtended) line += " ext";
    if (scan != fake_scan(code)) line += " scan=" + std::to_string(scan);
    return line;
}

class RecordingKeys : public KeyEventSink {
public:
    std::vector<std::string> lines;
    bool is_9x = false;
    std::vector<uint8_t> flipped;
    int batches = 0;  // calls of send_events

    void key_event(uint8_t code, uint8_t scan, uint32_t flags) override {
        lines.push_back(key_line("", code, scan, flags));
    }
    uint8_t scan_code(uint8_t code) override { return fake_scan(code); }
    bool windows_9x() override { return is_9x; }
    void flip_key_state(uint8_t code) override {
        flipped.push_back(code);
        lines.push_back("flip " + std::to_string(code));
    }
    void send_events(const KeyEvent* events, size_t count) override {
        ++batches;
        for (size_t i = 0; i < count; ++i) lines.push_back(key_line("input ", events[i].code, events[i].scan, events[i].flags));
    }
    void type_character(unsigned char character) override {
        static const char kHex[] = "0123456789ABCDEF";
        lines.push_back(std::string("char 0x") + kHex[character >> 4] + kHex[character & 15]);
    }
};

class FakeBufferedTyping : public BufferedTypingDriver {
public:
    bool hooks_work = false;      // journal_playback_works()
    bool refuse_hook = false;     // install_playback_hook() fails
    bool refuse_timer = false;    // start_ticks() fails
    bool hooked = false;
    bool ticking = false;
    uint32_t interval = 0;

    bool journal_playback_works() override { return hooks_work; }
    bool install_playback_hook() override {
        if (refuse_hook) return false;
        hooked = true;
        return true;
    }
    void remove_playback_hook() override { hooked = false; }
    bool start_ticks(uint32_t interval_ms) override {
        if (refuse_timer) return false;
        ticking = true;
        interval = interval_ms;
        return true;
    }
    void stop_ticks() override { ticking = false; }
};

class FakeKeyboardDesktop : public KeyboardDesktop {
public:
    RecordingKeys recorded;
    FakeBufferedTyping buffered;
    uint32_t now = 5000;
    std::vector<uint32_t> sleeps;
    bool has_clipboard = false;
    std::string clipboard;
    std::vector<std::string> clipboard_history;  // every text put on the clipboard
    bool no_memory = false;
    intptr_t foreground = 0;
    std::vector<std::pair<intptr_t, std::string>> window_texts;
    BlockInputResult block_result = BlockInputResult::kDone;
    std::vector<bool> block_calls;

    KeyEventSink& keys() override { return recorded; }
    BufferedTypingDriver& buffered_typing() override { return buffered; }
    void sleep(uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
    uint32_t tick_count() override { return now; }
    bool save_clipboard_text(std::string* saved) override {
        if (no_memory) return false;
        *saved = has_clipboard ? clipboard : std::string();
        return true;
    }
    void put_clipboard_text(const std::string& text) override {
        has_clipboard = true;
        clipboard = text;
        clipboard_history.push_back(text);
        recorded.lines.push_back("clipboard \"" + text + "\"");
    }
    intptr_t foreground_window() override { return foreground; }
    void set_window_text(intptr_t window, const std::string& text) override { window_texts.emplace_back(window, text); }
    BlockInputResult block_input(bool block) override {
        block_calls.push_back(block);
        return block_result;
    }
};

// Puts a fake desktop in for the keyboard actions while it lives.
class ScopedKeyboardDesktop {
public:
    explicit ScopedKeyboardDesktop(KeyboardDesktop* desktop) { use_keyboard_desktop(desktop); }
    ~ScopedKeyboardDesktop() { use_keyboard_desktop(nullptr); }
    ScopedKeyboardDesktop(const ScopedKeyboardDesktop&) = delete;
    ScopedKeyboardDesktop& operator=(const ScopedKeyboardDesktop&) = delete;
};

}  // namespace zorbel
