#include "actions/input/input_queue_win.h"

namespace zorbel {

namespace {

constexpr UINT kRoundTripLimitMs = 100;

}  // namespace

HWND FocusedWindow() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return nullptr;
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return foreground;
}

bool ThreadInputTaken(HWND window) {
    if (!window || !IsWindow(window)) return true;
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    if (!process_id || process_id == GetCurrentProcessId()) return true;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kRoundTripLimitMs, &result) != 0;
}

bool WaitForThreadInputTaken(HWND window, int rounds, DWORD limit_ms) {
    const DWORD begin = GetTickCount();
    for (int answered = 0; answered < rounds;) {
        if (ThreadInputTaken(window)) {
            ++answered;
            continue;
        }
        if (GetTickCount() - begin >= limit_ms) return false;
        Sleep(2);
    }
    return true;
}

}  // namespace zorbel
