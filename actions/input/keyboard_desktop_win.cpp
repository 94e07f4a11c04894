#include <windows.h>

#include "actions/input/input_queue_win.h"
#include "actions/input/keyboard_desktop.h"
#include "platform/dynamic_calls_win.h"

namespace zorbel {

namespace {

// A window that does not answer within this long keeps its old text rather than
// stopping the run.
constexpr UINT kSetTextLimitMs = 5000;

class SystemKeyboardDesktop : public KeyboardDesktop {
public:
    KeyEventSink& keys() override { return system_key_events(); }
    BufferedTypingDriver& buffered_typing() override { return system_buffered_typing(); }
    bool key_down(int virtual_key) override { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }
    bool caps_lock_on() override { return (GetKeyState(VK_CAPITAL) & 0x8001) != 0; }

    void set_window_text(intptr_t window, const std::string& text) override {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(reinterpret_cast<HWND>(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_ABORTIFHUNG, kSetTextLimitMs, &result);
    }

    BlockInputResult block_input(bool block) override {
        const dynamic::User32& user32 = dynamic::user32();
        if (!user32.loaded) return BlockInputResult::kNoLibrary;
        if (!user32.BlockInput) return BlockInputResult::kNoFunction;
        user32.BlockInput(block ? TRUE : FALSE);
        return BlockInputResult::kDone;
    }

    intptr_t focus_window() override { return reinterpret_cast<intptr_t>(FocusedWindow()); }

    intptr_t window_under_pointer() override {
        POINT point = {};
        if (!GetCursorPos(&point)) return 0;
        return reinterpret_cast<intptr_t>(WindowFromPoint(point));
    }

    bool input_taken(intptr_t window) override { return ThreadInputTaken(reinterpret_cast<HWND>(window)); }

    bool offer_paste(intptr_t window, const std::string& text) override {
        DWORD process = 0;
        if (window != 0 && !GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &process)) process = 0;
        if (process == GetCurrentProcessId()) return false;
        return clipboard::offer_text(text, process);
    }

    clipboard::Offer paste_offer() override { return clipboard::offered_text(); }
};

}  // namespace

KeyboardDesktop& system_keyboard_desktop() {
    static SystemKeyboardDesktop desktop;
    return desktop;
}

}  // namespace zorbel
