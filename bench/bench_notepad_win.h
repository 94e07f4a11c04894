// What the desktop benchmarks share: Wine's notepad started and ended by its handle, its
// edit control's text, a millisecond clock and percentiles.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorbel::bench {

struct Notepad {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    HWND edit = nullptr;
};

inline BOOL CALLBACK find_notepad_window(HWND window, LPARAM data) {
    Notepad* notepad = reinterpret_cast<Notepad*>(data);
    DWORD process_id = 0;
    GetWindowThreadProcessId(window, &process_id);
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (process_id != notepad->process.dwProcessId || std::string(name) != "Notepad") return TRUE;
    notepad->window = window;
    return FALSE;
}

inline bool start(Notepad* notepad) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    char line[] = "notepad.exe";
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &notepad->process))
        return false;
    WaitForInputIdle(notepad->process.hProcess, 10000);
    for (int i = 0; i < 200 && !notepad->window; ++i) {
        EnumWindows(find_notepad_window, reinterpret_cast<LPARAM>(notepad));
        if (!notepad->window) Sleep(50);
    }
    if (notepad->window) notepad->edit = FindWindowExA(notepad->window, nullptr, "Edit", nullptr);
    return notepad->edit != nullptr;
}

inline void end(Notepad* notepad) {
    TerminateProcess(notepad->process.hProcess, 0);
    CloseHandle(notepad->process.hProcess);
    CloseHandle(notepad->process.hThread);
}

inline std::string text_of(HWND edit) {
    char text[1024] = {};
    SendMessageA(edit, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

inline double now_ms() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(p / 100.0 * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

}  // namespace zorbel::bench
