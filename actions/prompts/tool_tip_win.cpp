// The tool tip of "Tool Tip Popup": one tracking tip at an absolute position. A later
// tip reuses the window (and its place unless a place is given); its close timer
// removes it.
#include <windows.h>

#include <commctrl.h>

#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr UINT_PTR kToolTipTimerId = 12345;

void CALLBACK remove_tool_tip(HWND tip, UINT, UINT_PTR id, DWORD) {
    KillTimer(tip, id);
    DestroyWindow(tip);
}

TTTOOLINFOA tool_of(HWND tip, const std::string& text) {
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = tip;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(text.c_str());
    return tool;
}

}  // namespace

HWND PromptWindows::tool_tip() const { return tool_tip_ != nullptr && IsWindow(tool_tip_) ? tool_tip_ : nullptr; }

HWND PromptWindows::show_tool_tip(const std::string& text, uint32_t close_ms, int x, int y, HFONT font) {
    HWND tip = tool_tip();
    TTTOOLINFOA tool = tool_of(tip, text);
    if (tip != nullptr) {
        if (x == 0 && y == 0) {
            RECT r;
            GetWindowRect(tip, &r);
            x = r.left;
            y = r.top;
        }
        SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        if (x == 0 && y == 0) {
            POINT pointer = {};
            GetCursorPos(&pointer);
            x = pointer.x + 12;
            y = pointer.y + 22;
        }
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        if (tip == nullptr) return nullptr;
        tool_tip_ = tip;
        SendMessageA(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        tool = tool_of(tip, text);
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
    }
    if (close_ms != 0) SetTimer(tip, kToolTipTimerId, close_ms, remove_tool_tip);
    SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

}  // namespace zorbel
