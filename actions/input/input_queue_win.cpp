#include "actions/input/input_queue_win.h"

#include "platform/scoped_win.h"

namespace zorbel {

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
    ScopedHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, process_id));
    if (!process) return true;
    // The process's idle state is cleared the moment input is queued for a waiting thread
    // and set again only when the thread waits with nothing left to read.
    return WaitForInputIdle(process.get(), 0) != WAIT_TIMEOUT;
}

bool WaitForThreadInputTaken(HWND window, DWORD limit_ms) {
    const DWORD begin = GetTickCount();
    while (!ThreadInputTaken(window)) {
        if (GetTickCount() - begin >= limit_ms) return false;
        Sleep(2);
    }
    return true;
}

}  // namespace zorbel
