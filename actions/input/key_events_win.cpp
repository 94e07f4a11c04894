#include <windows.h>

#include <vector>

#include "actions/input/key_events.h"

namespace zorbel {

namespace {

class SystemKeyEvents : public KeyEventSink {
public:
    void key_event(uint8_t code, uint8_t scan, uint32_t flags) override { keybd_event(code, scan, flags, 0); }

    uint8_t scan_code(uint8_t code) override { return static_cast<uint8_t>(MapVirtualKeyA(code, 0)); }

    bool windows_9x() override {
        static const bool is_9x = [] {
            OSVERSIONINFOA version = {};
            version.dwOSVersionInfoSize = sizeof(version);
            return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
        }();
        return is_9x;
    }

    void flip_key_state(uint8_t code) override {
        BYTE state[256] = {};
        if (!GetKeyboardState(state)) return;
        state[code] = state[code] == 0 ? 1 : 0;
        SetKeyboardState(state);
    }

    void send_events(const KeyEvent* events, size_t count) override {
        std::vector<INPUT> inputs(count);
        for (size_t i = 0; i < count; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = events[i].code;
            inputs[i].ki.wScan = events[i].scan;
            inputs[i].ki.dwFlags = events[i].flags;
        }
        if (!inputs.empty()) SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    void type_character(unsigned char character) override {
        char ansi = static_cast<char>(character);
        wchar_t wide = 0;
        if (MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &wide, 1) != 1) return;
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = wide;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
    }
};

}  // namespace

KeyEventSink& system_key_events() {
    static SystemKeyEvents keys;
    return keys;
}

ModifierKeys held_modifier_keys() {
    ModifierKeys held;
    held.shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    held.control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    held.alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    return held;
}

}  // namespace zorbel
