// The timed message box. Its time-out closes only this thread's own box: a window of
// the dialog class with exactly the title "Zorbel Message", so another program's box
// or a folder window named like it is left alone.
#include <cstring>

#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr UINT_PTR kMessageTimerId = 1002;

// The box the current thread shows, for its timer procedure.
thread_local bool box_timed_out = false;

BOOL CALLBACK find_own_box(HWND window, LPARAM found) {
    char name[16] = {};
    char title[32] = {};
    if (GetClassNameA(window, name, sizeof(name)) > 0 && std::strcmp(name, "#32770") == 0 &&
        GetWindowTextA(window, title, sizeof(title)) > 0 && std::strcmp(title, kPromptTitle) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND own_box() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_own_box, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Closes the box (a plain message ends as OK) and answers a question with No.
void CALLBACK message_box_timeout(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    HWND box = own_box();
    if (box == nullptr) return;
    box_timed_out = true;
    PostMessageA(box, WM_CLOSE, 0, 0);
    box = own_box();
    if (box != nullptr) PostMessageA(box, WM_COMMAND, IDNO, 0);
}

UINT box_style(const MessagePrompt& prompt) {
    UINT style = MB_SETFOREGROUND | (prompt.system_modal ? MB_SYSTEMMODAL : MB_TASKMODAL);
    if (prompt.on_top) style |= MB_TOPMOST;
    switch (prompt.kind) {
        case MessagePrompt::kWarning: return style | MB_OK | MB_ICONWARNING;
        case MessagePrompt::kQuestion: return style | MB_YESNO | MB_ICONQUESTION;
        case MessagePrompt::kMessage: break;
    }
    return style | MB_OK | MB_ICONINFORMATION;
}

}  // namespace

PromptEnd show_message_box(HWND timer_window, const MessagePrompt& prompt) {
    const bool outer_timed_out = box_timed_out;
    box_timed_out = false;
    UINT_PTR timer = 0;
    if (prompt.timeout_ms > 0) {
        timer = SetTimer(timer_window, kMessageTimerId, prompt.timeout_ms, message_box_timeout);
        if (timer_window != nullptr && timer != 0) timer = kMessageTimerId;
    }
    const int answer = MessageBoxA(nullptr, prompt.text.c_str(), kPromptTitle, box_style(prompt));
    if (timer != 0) KillTimer(timer_window, timer);
    const bool timed_out = box_timed_out;
    box_timed_out = outer_timed_out;
    if (answer == 0) return PromptEnd::kFailed;
    if (timed_out) return PromptEnd::kTimedOut;
    switch (answer) {
        case IDYES: return PromptEnd::kYes;
        case IDNO: return PromptEnd::kNo;
        case IDCANCEL: return PromptEnd::kCancelled;
    }
    return PromptEnd::kOk;
}

}  // namespace zorbel
