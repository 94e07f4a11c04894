// The input box (class "ZorbelInput"): a small modal window with a prompt, an edit and
// OK / Cancel, run by its own message loop. OK (or Enter) gives the edit's text, Cancel
// (or Escape) an empty one.
#include "actions/prompts/prompt_text.h"
#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr const char* kInputClass = "ZorbelInput";
constexpr int kOkButton = 1001;
constexpr int kCancelButton = 1002;
constexpr int kPromptStatic = 1003;
constexpr int kIconStatic = 1004;
constexpr int kEdit = 1005;

// What one box holds while it is open.
struct InputBoxState {
    std::string text;
    bool accepted = false;
    bool done = false;
};

void finish(HWND box, bool accepted) {
    InputBoxState* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (state != nullptr && !state->done) {
        char text[kPromptTextLimit + 1] = {};
        if (accepted) GetDlgItemTextA(box, kEdit, text, sizeof(text));
        state->text = text;
        state->accepted = accepted;
        state->done = true;
    }
    DestroyWindow(box);
}

LRESULT CALLBACK input_box_procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == kOkButton || LOWORD(wparam) == IDOK) return finish(box, true), 0;
            if (LOWORD(wparam) == kCancelButton || LOWORD(wparam) == IDCANCEL) return finish(box, false), 0;
            break;
        case WM_CLOSE:
            finish(box, false);
            return 0;
    }
    return DefWindowProcA(box, message, wparam, lparam);
}

// Dialog units of the default GUI font, as MapDialogRect would give for a dialog.
SIZE dialog_units() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE size = {};
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{(size.cx / 26 + 1) / 2, metrics.tmHeight};
}

}  // namespace

bool show_input_box(const std::string& title, bool multi_line, const std::string& prompt, std::string* text) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(instance, kInputClass, &wc)) {
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = input_box_procedure;
        wc.hInstance = instance;
        wc.hIcon = LoadIcon(nullptr, IDI_QUESTION);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kInputClass;
        RegisterClassA(&wc);
    }
    const SIZE unit = dialog_units();
    RECT frame = {0, 0, MulDiv(195, unit.cx, 4), MulDiv(60, unit.cy, 8)};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND owner = GetForegroundWindow();
    HWND box = CreateWindowExA(ex_style, kInputClass, title.c_str(), style,
                               (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                               width, height, owner, nullptr, instance, nullptr);
    if (box == nullptr) return false;
    InputBoxState state;
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    auto units = [&](int x, int y, int w, int h) {
        return RECT{MulDiv(x, unit.cx, 4), MulDiv(y, unit.cy, 8), MulDiv(w, unit.cx, 4), MulDiv(h, unit.cy, 8)};
    };
    auto add = [&](const char* type, const char* label, DWORD child_style, DWORD child_ex, int id, RECT r) {
        HWND child = CreateWindowExA(child_ex, type, label, WS_CHILD | WS_VISIBLE | child_style, r.left, r.top, r.right,
                                     r.bottom, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return child;
    };
    add("BUTTON", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kOkButton, units(149, 5, 40, 11));
    add("BUTTON", "&Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kCancelButton, units(149, 17, 40, 11));
    add("STATIC", prompt.c_str(), SS_LEFT, 0, kPromptStatic, units(27, 8, 120, 20));
    HWND icon = add("STATIC", "", SS_ICON, 0, kIconStatic, units(6, 6, 10, 10));
    SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_QUESTION)), 0);
    const DWORD edit_style = WS_TABSTOP | (multi_line ? ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL : ES_AUTOHSCROLL);
    HWND edit = add("EDIT", cut_prompt_text(*text).c_str(), edit_style, WS_EX_CLIENTEDGE, kEdit,
                    multi_line ? units(7, 30, 182, 25) : units(7, 40, 182, 11));
    SendMessageA(edit, EM_LIMITTEXT, kPromptTextLimit, 0);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    ShowWindow(box, SW_SHOW);
    SetForegroundWindow(box);
    SetFocus(edit);
    MSG message = {};
    while (!state.done && IsWindow(box) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && (message.hwnd == box || IsChild(box, message.hwnd))) {
            if (message.wParam == VK_ESCAPE) {
                finish(box, false);
                continue;
            }
            if (message.wParam == VK_RETURN && !(multi_line && message.hwnd == edit)) {
                finish(box, true);
                continue;
            }
        }
        if (IsDialogMessageA(box, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (!state.done && message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    if (IsWindow(box)) DestroyWindow(box);
    *text = state.text;
    return state.accepted;
}

}  // namespace zorbel
