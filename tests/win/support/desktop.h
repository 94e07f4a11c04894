// Looking at and steering windows of other programs: texts, classes, the foreground
// window and the keyboard focus.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/wait.h"

namespace zorbel {
namespace wintest {

inline std::string window_text(HWND window) {
    std::vector<char> text(65536, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kDeadlineMs, &got))
        return "<no answer>";
    return std::string(text.data(), got);
}

inline std::string class_of(HWND window) {
    char name[256] = {};
    int n = GetClassNameA(window, name, sizeof(name));
    return std::string(name, n > 0 ? n : 0);
}

inline ::testing::AssertionResult bring_to_front(HWND window) {
    return wait_for("foreground window", [&] {
        HWND now = GetForegroundWindow();
        if (now != window) SetForegroundWindow(window);
        return now;
    }, [&](HWND now) { return now == window; });
}

// Waits until the keyboard focus of `window`'s thread is on `control`.
inline ::testing::AssertionResult wait_focus(HWND window, HWND control) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return wait_for("keyboard focus", [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : HWND(nullptr);
    }, [&](HWND focus) { return focus == control; });
}

// Releases the modifier keys, whatever a test left down.
inline void release_modifiers() {
    for (BYTE key : {VK_CONTROL, VK_SHIFT, VK_MENU})
        if (GetAsyncKeyState(key) & 0x8000) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

inline std::string visible(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

}  // namespace wintest
}  // namespace zorbel
