// The status and progress popup (class "QuenbyPopup"): a framed window with the text
// and, for progress, a bar whose position is read from the text ("50% Complete" shows
// 50). A later request reuses the open popup, except that a topmost popup asked for
// while a normal one is open replaces it. It closes on a key, a click or its timer.
#include <windows.h>

#include <commctrl.h>

#include "actions/prompts/prompt_text.h"
#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr const char* kPopupClass = "QuenbyPopup";
constexpr UINT_PTR kPopupTimerId = 1002;
constexpr int kProgressBarId = 1003;
constexpr int kProgramCursor = 1029;
constexpr size_t kPopupTextLimit = 1023;

void add_progress_bar(HWND popup) {
    RECT client;
    GetClientRect(popup, &client);
    const int margin = client.right / 30 < 10 ? client.right / 30 : 10;
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, margin, client.bottom - margin - 17,
                               client.right - 2 * margin, 17, popup,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressBarId)),
                               GetModuleHandleA(nullptr), nullptr);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
}

void paint(HWND popup) {
    const bool progress = GetWindowLongPtrA(popup, GWLP_USERDATA) != 0;
    if (progress && GetDlgItem(popup, kProgressBarId) == nullptr) add_progress_bar(popup);
    char text[512] = {};
    GetWindowTextA(popup, text, sizeof(text));
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(popup, &ps);
    RECT area;
    GetClientRect(popup, &area);
    area.left += 5;
    area.right -= 10;
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text, -1, &area, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old_font);
    EndPaint(popup, &ps);
    const int percent = progress_percent(text);
    if (progress && percent >= 0) SendDlgItemMessageA(popup, kProgressBarId, PBM_SETPOS, percent, 0);
}

LRESULT CALLBACK popup_procedure(HWND popup, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint(popup);
            return 0;
        case WM_TIMER:
            if (wparam != kPopupTimerId) break;
            DestroyWindow(popup);
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            DestroyWindow(popup);
            return 0;
    }
    return DefWindowProcA(popup, message, wparam, lparam);
}

void register_popup_class(HINSTANCE instance) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(instance, kPopupClass, &wc)) return;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = popup_procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.hCursor = LoadCursorA(instance, MAKEINTRESOURCEA(kProgramCursor));
    if (wc.hCursor == nullptr) wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPopupClass;
    RegisterClassA(&wc);
}

HWND create_popup(bool topmost, bool progress, int x, int y, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    register_popup_class(instance);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    if (width <= 0) width = screen_width / 3 < 400 ? screen_width / 3 : 400;
    if (height <= 0) height = screen_width / 10 < 150 ? screen_width / 10 : 150;
    if (x == 0 && y == 0) {
        x = (screen_width - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    HWND popup = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, kPopupClass, "", WS_POPUP | WS_VISIBLE | WS_DLGFRAME, x,
                                 y, width, height, nullptr, nullptr, instance, nullptr);
    if (popup == nullptr) return nullptr;
    SetWindowLongPtrA(popup, GWLP_USERDATA, progress ? 1 : 0);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    return popup;
}

}  // namespace

HWND PromptWindows::popup() const { return popup_ != nullptr && IsWindow(popup_) ? popup_ : nullptr; }

HWND PromptWindows::show_popup(const PopupPrompt& request, int x, int y, int width, int height) {
    HWND open = popup();
    const bool open_topmost = open != nullptr && (GetWindowLongA(open, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    switch (popup_reuse(open != nullptr, open_topmost, request.topmost)) {
        case PopupReuse::kReplace:
            DestroyWindow(open);
            popup_ = create_popup(request.topmost, request.progress, x, y, width, height);
            break;
        case PopupReuse::kCreate:
            popup_ = create_popup(request.topmost, request.progress, x, y, width, height);
            break;
        case PopupReuse::kReuse:
            break;
    }
    if (popup_ == nullptr) return nullptr;
    SetWindowTextA(popup_, request.text.substr(0, kPopupTextLimit).c_str());
    InvalidateRect(popup_, nullptr, TRUE);
    UpdateWindow(popup_);
    SetWindowPos(popup_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (request.close_ms >= 1) SetTimer(popup_, kPopupTimerId, request.close_ms, nullptr);
    return popup_;
}

void PromptWindows::close_popup() {
    if (HWND open = popup()) DestroyWindow(open);
    popup_ = nullptr;
}

}  // namespace zorbel
