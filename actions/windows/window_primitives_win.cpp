// The primitives that act on a found window: activation, closing, pressing a
// control, moving the pointer to a window, the window under a point, check state.
#include "actions/windows/window_keys_win.h"
#include "actions/windows/window_search_win.h"
#include "platform/scoped_win.h"

namespace zorbel {

namespace {

// Messages to windows of other programs go with a time-out, so that a hung window
// cannot stop the run for good.
constexpr UINT kSendTimeoutMs = 2000;

LRESULT send_quietly(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 0;
    return static_cast<LRESULT>(result);
}

// Attaches the input of this thread and of `other` (first `other` to this thread,
// then the other way round); returns which direction worked (0 none).
int attach_input(DWORD other, bool attach) {
    const DWORD self = GetCurrentThreadId();
    if (AttachThreadInput(other, self, attach)) return 1;
    if (AttachThreadInput(self, other, attach)) return 2;
    return 0;
}

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

long area_of(const RECT& rect) { return (rect.right - rect.left) * (rect.bottom - rect.top); }

// The normalised absolute coordinate (0..65535) that lands on pixel `pixel`.
DWORD absolute_coordinate(long pixel, long extent) {
    if (extent <= 0) return 0;
    return static_cast<DWORD>((pixel * 65536L + extent - 1) / extent);
}

void move_pointer(POINT point) {
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, absolute_coordinate(point.x, GetSystemMetrics(SM_CXSCREEN)),
                absolute_coordinate(point.y, GetSystemMetrics(SM_CYSCREEN)), 0, 0);
    SetCursorPos(point.x, point.y);
}

// Puts the pointer on `point` and makes sure it stays there before anything clicks:
// Wine's virtual desktop can put a just-set pointer back where it was for about
// 100 ms, so the place is checked a few times and set again when it moved.
void place_pointer(POINT point) {
    constexpr DWORD kSettleLimitMs = 300;
    constexpr int kSteadyReadings = 3;
    move_pointer(point);
    const DWORD begin = GetTickCount();
    int steady = 0;
    while (GetTickCount() - begin < kSettleLimitMs) {
        Sleep(10);
        POINT now = {};
        GetCursorPos(&now);
        if (now.x == point.x && now.y == point.y) {
            if (++steady >= kSteadyReadings) return;
        } else {
            steady = 0;
            move_pointer(point);
        }
    }
}

}  // namespace

void ActivateWindow(HWND window) {
    if (!window || !IsWindow(window)) return;
    if (window == GetForegroundWindow() && !IsIconic(window)) return;
    send_quietly(window, WM_SYSCOMMAND, SC_HOTKEY, reinterpret_cast<LPARAM>(window));
    HWND target = window;
    if (ControlKind(window) == kControlLabel) {
        target = FirstFocusableControl(window);
        if (ControlKind(target) == kControlEdit) send_quietly(target, EM_SETSEL, 0, -1);
    }
    const DWORD foreground_thread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    attach_input(foreground_thread, true);
    SetForegroundWindow(target);
    BringWindowToTop(target);
    SetFocus(target);
    attach_input(foreground_thread, false);
    HWND parent = GetParent(target);
    if (parent && IsIconic(parent)) ShowWindow(parent, SW_RESTORE);
    if (IsIconic(target)) ShowWindow(target, SW_RESTORE);
    ShowWindow(target, SW_SHOW);
}

bool CloseWindowForcibly(HWND window, uint32_t wait_ms) {
    if (wait_ms < 250) wait_ms = 250;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, wait_ms, &result)) {
        DWORD process_id = 0;
        GetWindowThreadProcessId(window, &process_id);
        // Never our own process: ending it would end the run itself.
        if (process_id && process_id != GetCurrentProcessId()) {
            ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, process_id));
            if (process) TerminateProcess(process.get(), 0);
        }
    }
    Sleep(250);
    if (IsWindow(window)) PostMessageA(window, WM_CLOSE, 0, 0);
    Sleep(250);
    if (IsWindow(window)) DestroyWindow(window);
    Sleep(250);
    if (IsWindow(window)) {
        ActivateWindow(window);
        // ALT+F4 goes to whatever window is in front: only press it when that is the
        // window to close, never into another program.
        if (GetForegroundWindow() == GetAncestor(window, GA_ROOT)) {
            send_key_transition(VK_MENU, true, false);
            tap_key(VK_F4);
            send_key_transition(VK_MENU, false, false);
        }
    }
    return true;
}

HWND FirstFocusableControl(HWND control) {
    if (ControlKind(control) != kControlLabel) return control;
    HWND parent = GetParent(control);
    HWND next = control;
    for (int step = 0; step < 1024; ++step) {
        next = GetNextDlgTabItem(parent, next, FALSE);
        if (!next || next == control) break;
        if (ControlKind(next) != kControlLabel) return next;
    }
    return control;
}

HWND PressControl(HWND control) {
    if (!control || !IsWindow(control)) return nullptr;
    ActivateWindow(GetParent(control));
    HWND target = FirstFocusableControl(control);
    RECT rect = {};
    GetWindowRect(target, &rect);
    place_pointer(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    SetFocus(target);
    if (ControlKind(target) == kControlEdit) {
        send_quietly(target, EM_SETSEL, 0, -1);
    } else {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        Sleep(50);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        Sleep(50);
    }
    UpdateWindow(target);
    SetFocus(target);
    return target;
}

void GlideCursorToWindow(HWND window, int where, bool glide) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT target = {rect.left, rect.top};
    if (where == 2) target = POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (glide) {
        POINT position = {};
        GetCursorPos(&position);
        const long step_x = (target.x - position.x) / 20;
        const long step_y = (target.y - position.y) / 20;
        const long screen_width = GetSystemMetrics(SM_CXSCREEN);
        const long screen_height = GetSystemMetrics(SM_CYSCREEN);
        for (int i = 0; i < 20; ++i) {
            position.x += step_x;
            position.y += step_y;
            mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                        static_cast<DWORD>(position.x * 65535L / (screen_width > 0 ? screen_width : 1)),
                        static_cast<DWORD>(position.y * 65535L / (screen_height > 0 ? screen_height : 1)), 0, 0);
            Sleep(25);
        }
    }
    place_pointer(target);
}

HWND WindowAtPoint(POINT point) {
    HWND window = WindowFromPoint(point);
    if (!window) return nullptr;
    HWND parent = GetParent(window);
    if (!parent) return window;
    HWND best = window;
    RECT rect = {};
    GetWindowRect(window, &rect);
    long best_area = area_of(rect);
    for (HWND sibling = GetWindow(window, GW_HWNDNEXT); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (GetParent(sibling) != parent || !IsWindowVisible(sibling)) continue;
        if (!GetWindowRect(sibling, &rect) || !contains(rect, point)) continue;
        if (area_of(rect) < best_area) {
            best = sibling;
            best_area = area_of(rect);
        }
    }
    return best;
}

bool IsControlChecked(HWND control) {
    if (!control) return false;
    if (IsDlgButtonChecked(GetParent(control), GetDlgCtrlID(control)) != 0) return true;
    if (send_quietly(control, BM_GETCHECK, 0, 0) != 0) return true;
    return send_quietly(control, BM_GETSTATE, 0, 0) == 1;
}

}  // namespace zorbel
