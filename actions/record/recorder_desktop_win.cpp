// The program's record and playback hooks: low-level keyboard and mouse hooks record,
// SendInput plays back on a thread timer. Journal hooks would serve as well where the
// system calls them, but Windows 11 refuses them and Wine never calls them; these work
// everywhere and hand the same events, in the same form, to the same sinks. The hook
// procedures run on the thread that installed them, from its message loop.
#include <windows.h>

#include "actions/record/recorder_desktop.h"

namespace zorbel {

namespace {

// The longest the timer sleeps before asking the playback again (the stop key is heard
// between two asks).
constexpr uint32_t kLongestTimerWait = 50;
// Events played back to back in one tick before the message loop gets a turn.
constexpr int kEventsPerTick = 32;

bool pressed_by_playback(uint8_t code) {
    return code == 91 || code == 92 || code == 93 || code == 20 || code == 144 || code == 145;
}

LONG absolute(LONG at, int size) {
    if (size <= 0) return 0;
    return static_cast<LONG>((static_cast<int64_t>(at) * 65536 + size - 1) / size);
}

// Plays one recorded event as input.
void send_event(const RecordingEvent& event) {
    INPUT input = {};
    const uint32_t message = event.message;
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST) {
        const uint8_t code = static_cast<uint8_t>(event.param_first & 0xFF);
        // The playback presses these itself when their key-down comes.
        if ((message == WM_KEYDOWN || message == WM_KEYUP) && pressed_by_playback(code)) return;
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = code;
        input.ki.wScan = static_cast<WORD>((event.param_first >> 8) & 0xFF);
        if (message == WM_KEYUP || message == WM_SYSKEYUP) input.ki.dwFlags |= KEYEVENTF_KEYUP;
        if (event.param_second & 0x8000) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        SendInput(1, &input, sizeof(input));
        return;
    }
    if (message < WM_MOUSEFIRST || message > WM_MOUSELAST) return;
    input.type = INPUT_MOUSE;
    input.mi.dx = absolute(static_cast<LONG>(event.param_first), GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = absolute(static_cast<LONG>(event.param_second), GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    switch (message) {
        case WM_LBUTTONDOWN: input.mi.dwFlags |= MOUSEEVENTF_LEFTDOWN; break;
        case WM_LBUTTONUP: input.mi.dwFlags |= MOUSEEVENTF_LEFTUP; break;
        case WM_RBUTTONDOWN: input.mi.dwFlags |= MOUSEEVENTF_RIGHTDOWN; break;
        case WM_RBUTTONUP: input.mi.dwFlags |= MOUSEEVENTF_RIGHTUP; break;
        case WM_MBUTTONDOWN: input.mi.dwFlags |= MOUSEEVENTF_MIDDLEDOWN; break;
        case WM_MBUTTONUP: input.mi.dwFlags |= MOUSEEVENTF_MIDDLEUP; break;
        default: break;  // moves; the wheel turns by the playback's own press
    }
    SendInput(1, &input, sizeof(input));
}

class SystemRecorderDesktop : public RecorderDesktop {
public:
    bool install_record_hook(RecordSink* sink) override {
        if (journal_hook_installed()) return false;
        HINSTANCE module = GetModuleHandleA(nullptr);
        record_sink_ = sink;
        keyboard_hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, record_keyboard, module, 0);
        mouse_hook_ = SetWindowsHookExA(WH_MOUSE_LL, record_mouse, module, 0);
        if (keyboard_hook_ && mouse_hook_) return true;
        remove_journal_hook();
        return false;
    }

    bool install_playback_hook(PlaybackSource* source) override {
        if (journal_hook_installed()) return false;
        playback_source_ = source;
        ++generation_;
        if (arm(0)) return true;
        playback_source_ = nullptr;
        return false;
    }

    void remove_journal_hook() override {
        if (keyboard_hook_) UnhookWindowsHookEx(keyboard_hook_);
        if (mouse_hook_) UnhookWindowsHookEx(mouse_hook_);
        keyboard_hook_ = mouse_hook_ = nullptr;
        record_sink_ = nullptr;
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        playback_source_ = nullptr;
        ++generation_;
    }

    bool journal_hook_installed() override { return record_sink_ || playback_source_; }

    void cancel_journal() override {
        JournalClient* client = record_sink_ ? static_cast<JournalClient*>(record_sink_) : playback_source_;
        remove_journal_hook();
        if (client) client->journal_cancelled();
    }

    bool install_key_watcher(KeyWatchSink* sink) override {
        remove_key_watcher();
        watch_sink_ = sink;
        watch_hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, watch_keyboard, GetModuleHandleA(nullptr), 0);
        if (!watch_hook_) watch_sink_ = nullptr;
        return watch_hook_ != nullptr;
    }

    void remove_key_watcher() override {
        if (watch_hook_) UnhookWindowsHookEx(watch_hook_);
        watch_hook_ = nullptr;
        watch_sink_ = nullptr;
    }

    static SystemRecorderDesktop& the() {
        static SystemRecorderDesktop desktop;
        return desktop;
    }

private:
    bool arm(uint32_t wait_ms) {
        timer_ = SetTimer(nullptr, timer_, wait_ms < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait_ms, playback_tick);
        return timer_ != 0;
    }

    // Asks the playback for events and plays them until it wants a wait or ends.
    void play() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        const unsigned generation = generation_;
        for (int n = 0; n < kEventsPerTick; ++n) {
            PlaybackSource* source = playback_source_;
            if (!source) return;
            RecordingEvent event = {};
            uint32_t wait = 0;
            const NextEvent next = source->next_event(&event, &wait);
            if (next == NextEvent::kEnded || generation != generation_) return;
            if (next == NextEvent::kWait) {
                arm(wait < kLongestTimerWait ? wait : kLongestTimerWait);
                return;
            }
            send_event(event);
            source->skip();
            if (generation != generation_) return;
        }
        arm(0);
    }

    static void CALLBACK playback_tick(HWND, UINT, UINT_PTR, DWORD) { the().play(); }

    static LRESULT CALLBACK record_keyboard(int code, WPARAM wparam, LPARAM lparam) {
        SystemRecorderDesktop& self = the();
        if (code == HC_ACTION && self.record_sink_) {
            const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
            RecordingEvent event = {};
            event.message = static_cast<uint32_t>(wparam);
            event.param_first = (key->vkCode & 0xFF) | ((key->scanCode & 0xFF) << 8);
            event.param_second = 1 | ((key->flags & LLKHF_EXTENDED) ? 0x8000u : 0u);
            event.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetForegroundWindow()));
            self.record_sink_->recorded(event);
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static LRESULT CALLBACK record_mouse(int code, WPARAM wparam, LPARAM lparam) {
        SystemRecorderDesktop& self = the();
        if (code == HC_ACTION && self.record_sink_) {
            const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lparam);
            RecordingEvent event = {};
            event.message = static_cast<uint32_t>(wparam);
            event.param_first = static_cast<uint32_t>(mouse->pt.x);
            event.param_second = static_cast<uint32_t>(mouse->pt.y);
            event.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(WindowFromPoint(mouse->pt)));
            self.record_sink_->recorded(event);
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    static LRESULT CALLBACK watch_keyboard(int code, WPARAM wparam, LPARAM lparam) {
        SystemRecorderDesktop& self = the();
        if (code == HC_ACTION && self.watch_sink_ && (wparam == WM_KEYDOWN || wparam == WM_SYSKEYDOWN)) {
            const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lparam);
            self.watch_sink_->key_pressed(static_cast<uint32_t>(wparam), static_cast<uint8_t>(key->vkCode & 0xFF));
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }

    HHOOK keyboard_hook_ = nullptr;
    HHOOK mouse_hook_ = nullptr;
    RecordSink* record_sink_ = nullptr;
    PlaybackSource* playback_source_ = nullptr;
    UINT_PTR timer_ = 0;
    unsigned generation_ = 0;
    HHOOK watch_hook_ = nullptr;
    KeyWatchSink* watch_sink_ = nullptr;
};

}  // namespace

RecorderDesktop& system_recorder_desktop() { return SystemRecorderDesktop::the(); }

}  // namespace zorbel
