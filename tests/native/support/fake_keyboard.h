// The fake desktop's keyboard: every key event goes into the desktop's one call log as
// a short line ("down 65", "up 17 ext", "input down 16", "char 0xE9") so tests compare
// what was sent with an expected table.
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
    RecordingKeys() : lines(own_lines_) {}
    explicit RecordingKeys(std::vector<std::string>& log) : lines(log) {}
    std::vector<std::string>& lines;  // the fake desktop's call log, or the keys' own
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

private:
    std::vector<std::string> own_lines_;
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
    BufferedTypingEvents* events = nullptr;  // the typing the hook or the timer serves

    bool install_playback_hook(BufferedTypingEvents* to) override {
        if (refuse_hook) return false;
        hooked = true;
        events = to;
        return true;
    }
    void remove_playback_hook() override {
        hooked = false;
        events = nullptr;
    }
    bool start_ticks(uint32_t interval_ms, BufferedTypingEvents* to) override {
        if (refuse_timer) return false;
        ticking = true;
        interval = interval_ms;
        events = to;
        return true;
    }
    void stop_ticks() override {
        ticking = false;
        events = nullptr;
    }
};

class FakeKeyboardDesktop : public KeyboardDesktop {
public:
    explicit FakeKeyboardDesktop(std::vector<std::string>& log) : recorded(log) {}

    RecordingKeys recorded;
    FakeBufferedTyping buffered;
    std::vector<int> down_keys;  // what key_down says is down
    bool caps = false;
    std::vector<std::pair<intptr_t, std::string>> window_texts;
    BlockInputResult block_result = BlockInputResult::kDone;
    std::vector<bool> block_calls;

    KeyEventSink& keys() override { return recorded; }
    BufferedTypingDriver& buffered_typing() override { return buffered; }
    bool key_down(int vk) override {
        for (int k : down_keys)
            if (k == vk) return true;
        return false;
    }
    bool caps_lock_on() override { return caps; }
    void set_window_text(intptr_t window, const std::string& text) override { window_texts.emplace_back(window, text); }
    BlockInputResult block_input(bool block) override {
        block_calls.push_back(block);
        return block_result;
    }

    intptr_t focused = 0;        // focus_window()
    intptr_t under_pointer = 0;  // window_under_pointer()
    int pending_answers = 0;     // input_taken() says "not yet" this many times, then "taken"
    std::vector<intptr_t> probed;  // the window of every input_taken() call (kept out of the call log)

    intptr_t focus_window() override { return focused; }
    intptr_t window_under_pointer() override { return under_pointer; }
    bool input_taken(intptr_t window) override {
        probed.push_back(window);
        if (pending_answers <= 0) return true;
        --pending_answers;
        return false;
    }

    bool refuse_offer = false;  // offer_paste() fails
    int unread_polls = 0;       // paste_offer() says "waiting" this many times, then `offer_ends`
    clipboard::Offer offer_ends = clipboard::Offer::kRead;
    clipboard::Offer offer = clipboard::Offer::kNone;
    std::string offered_text;

    // "offer 77 \"text\"" in the call log.
    bool offer_paste(intptr_t window, const std::string& text) override {
        recorded.lines.push_back("offer " + std::to_string(window) + " \"" + text + "\"");
        offered_text = text;
        offer = refuse_offer ? clipboard::Offer::kNone : clipboard::Offer::kWaiting;
        return !refuse_offer;
    }
    clipboard::Offer paste_offer() override {
        if (offer != clipboard::Offer::kWaiting) return offer;
        if (unread_polls-- > 0) return offer;
        return offer = offer_ends;
    }
};

}  // namespace zorbel
