#include "tests/testbed/input_logging.h"

#include <windowsx.h>

#include "tests/testbed/event_log.h"

namespace zorbel::testbed {
namespace {

HWND g_main = nullptr;
HHOOK g_queue_hook = nullptr;
HHOOK g_send_hook = nullptr;

struct MessageName {
    UINT message;
    const char* name;
};

constexpr MessageName kKeyMessages[] = {
    {WM_KEYDOWN, "KEYDOWN"}, {WM_KEYUP, "KEYUP"}, {WM_SYSKEYDOWN, "SYSKEYDOWN"}, {WM_SYSKEYUP, "SYSKEYUP"},
};
constexpr MessageName kCharMessages[] = {{WM_CHAR, "CHAR"}, {WM_SYSCHAR, "SYSCHAR"}};
constexpr MessageName kButtonMessages[] = {
    {WM_LBUTTONDOWN, "LBUTTONDOWN"},     {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
    {WM_RBUTTONDOWN, "RBUTTONDOWN"},     {WM_RBUTTONUP, "RBUTTONUP"}, {WM_RBUTTONDBLCLK, "RBUTTONDBLCLK"},
    {WM_MBUTTONDOWN, "MBUTTONDOWN"},     {WM_MBUTTONUP, "MBUTTONUP"},
};

struct SysCommandName {
    UINT command;
    const char* name;
};

constexpr SysCommandName kSysCommands[] = {
    {SC_SIZE, "SIZE"},           {SC_MOVE, "MOVE"},               {SC_MINIMIZE, "MINIMIZE"},
    {SC_MAXIMIZE, "MAXIMIZE"},   {SC_NEXTWINDOW, "NEXTWINDOW"},   {SC_PREVWINDOW, "PREVWINDOW"},
    {SC_CLOSE, "CLOSE"},         {SC_VSCROLL, "VSCROLL"},         {SC_HSCROLL, "HSCROLL"},
    {SC_MOUSEMENU, "MOUSEMENU"}, {SC_KEYMENU, "KEYMENU"},         {SC_ARRANGE, "ARRANGE"},
    {SC_RESTORE, "RESTORE"},     {SC_TASKLIST, "TASKLIST"},       {SC_SCREENSAVE, "SCREENSAVE"},
    {SC_HOTKEY, "HOTKEY"},       {SC_DEFAULT, "DEFAULT"},         {SC_MONITORPOWER, "MONITORPOWER"},
    {SC_CONTEXTHELP, "CONTEXTHELP"},
};

template <size_t N>
const char* name_of(const MessageName (&table)[N], UINT message) {
    for (const MessageName& row : table) {
        if (row.message == message) return row.name;
    }
    return nullptr;
}

void log_key(const char* name, const MSG& msg) {
    unsigned scan = (static_cast<unsigned>(msg.lParam) >> 16) & 0xFF;
    unsigned extended = (static_cast<unsigned>(msg.lParam) >> 24) & 1;
    log_eventf("%s vk=0x%02X scan=0x%02X ext=%u ctl=%d", name, static_cast<unsigned>(msg.wParam), scan, extended,
               control_id_of(g_main, msg.hwnd));
}

void log_char(const char* name, const MSG& msg) {
    unsigned code = static_cast<unsigned>(msg.wParam);
    char shown[2] = {0, 0};
    if (code >= 0x20 && code <= 0x7E) shown[0] = static_cast<char>(code);
    log_eventf("%s '%s' 0x%02X ctl=%d", name, shown, code, control_id_of(g_main, msg.hwnd));
}

// Button messages carry client coordinates of the window they are for; the log gives them
// in the main window's client coordinates and on the screen.
void log_button(const char* name, const MSG& msg) {
    POINT screen = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    ClientToScreen(msg.hwnd, &screen);
    POINT client = screen;
    ScreenToClient(g_main, &client);
    log_eventf("%s x=%ld y=%ld ctl=%d sx=%ld sy=%ld", name, client.x, client.y, control_id_of(g_main, msg.hwnd),
               screen.x, screen.y);
}

// The wheel message carries screen coordinates.
void log_wheel(const MSG& msg) {
    POINT screen = {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    POINT client = screen;
    ScreenToClient(g_main, &client);
    log_eventf("MOUSEWHEEL delta=%d x=%ld y=%ld ctl=%d sx=%ld sy=%ld", GET_WHEEL_DELTA_WPARAM(msg.wParam), client.x,
               client.y, control_id_of(g_main, msg.hwnd), screen.x, screen.y);
}

// Called for every message a loop of this thread takes from the queue (GetMessage, and
// PeekMessage with or without PM_REMOVE); only removed messages are logged, so each is logged once.
LRESULT CALLBACK queue_hook(int code, WPARAM removed, LPARAM lparam) {
    if (code == HC_ACTION && removed == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lparam);
        if (const char* name = name_of(kKeyMessages, msg.message)) {
            log_key(name, msg);
        } else if (const char* name = name_of(kCharMessages, msg.message)) {
            log_char(name, msg);
        } else if (const char* name = name_of(kButtonMessages, msg.message)) {
            log_button(name, msg);
        } else if (msg.message == WM_MOUSEWHEEL) {
            log_wheel(msg);
        }
    }
    return CallNextHookEx(g_queue_hook, code, removed, lparam);
}

// Focus changes arrive as sent messages, which no message loop sees; so do the system commands
// that DefWindowProc of a control sends to the control itself (Alt+letter in an edit gives
// SC_KEYMENU to the edit). The main window logs its own system commands.
LRESULT CALLBACK send_hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
        const CWPSTRUCT& sent = *reinterpret_cast<const CWPSTRUCT*>(lparam);
        if (sent.message == WM_SETFOCUS) {
            log_eventf("FOCUS ctl=%d", control_id_of(g_main, sent.hwnd));
        } else if (sent.message == WM_SYSCOMMAND && sent.hwnd != g_main) {
            log_sys_command(sent.hwnd, sent.wParam);
        }
    }
    return CallNextHookEx(g_send_hook, code, wparam, lparam);
}

}  // namespace

void log_sys_command(HWND window, WPARAM wparam) {
    UINT command = static_cast<UINT>(wparam) & 0xFFF0;
    const char* name = "?";
    for (const SysCommandName& row : kSysCommands) {
        if (row.command == command) name = row.name;
    }
    log_eventf("SYSCOMMAND 0x%04X %s ctl=%d", command, name, control_id_of(g_main, window));
}

int control_id_of(HWND main_window, HWND window) {
    if (window == main_window) return 0;
    for (HWND w = window; w != nullptr;) {
        HWND parent = GetAncestor(w, GA_PARENT);
        if (parent == main_window) return GetDlgCtrlID(w);
        w = parent;
    }
    return -1;
}

bool install_input_logging(HWND main_window) {
    g_main = main_window;
    DWORD thread = GetCurrentThreadId();
    g_queue_hook = SetWindowsHookExA(WH_GETMESSAGE, queue_hook, nullptr, thread);
    g_send_hook = SetWindowsHookExA(WH_CALLWNDPROC, send_hook, nullptr, thread);
    return g_queue_hook != nullptr && g_send_hook != nullptr;
}

void remove_input_logging() {
    if (g_queue_hook) UnhookWindowsHookEx(g_queue_hook);
    if (g_send_hook) UnhookWindowsHookEx(g_send_hook);
    g_queue_hook = g_send_hook = nullptr;
}

}  // namespace zorbel::testbed
