#include "editor/popup_win.h"

namespace zorbel {

namespace {

constexpr UINT_PTR kCloseTimer = 1;

LRESULT CALLBACK popup_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_TIMER:
            if (wparam == kCloseTimer) DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            RECT r;
            GetClientRect(window, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
            char text[512] = {};
            GetWindowTextA(window, text, sizeof(text));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            DrawTextA(dc, text, -1, &r, DT_NOPREFIX);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
            DestroyWindow(window);
            return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND show_popup(HINSTANCE instance, HWND owner, const char* text, int x, int y, UINT milliseconds) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = popup_procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "QuenbyPopup";
        registered = RegisterClassA(&wc) != 0;
    }
    // Size the box to its text.
    HDC dc = GetDC(owner);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(owner, dc);
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "QuenbyPopup", text, WS_POPUP | WS_BORDER, x, y,
                                 r.right + 4, r.bottom + 4, owner, nullptr, instance, nullptr);
    if (!popup) return nullptr;
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    SetTimer(popup, kCloseTimer, milliseconds, nullptr);
    return popup;
}

}  // namespace zorbel
