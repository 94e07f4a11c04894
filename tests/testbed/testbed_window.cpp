#include "tests/testbed/testbed_window.h"

#include <string>

#include "tests/testbed/event_log.h"
#include "tests/testbed/input_logging.h"
#include "tests/testbed/picture.h"
#include "tests/testbed/testbed_ids.h"

namespace zorbel::testbed {
namespace {

const Options* g_options = nullptr;
int g_closes_to_refuse = 0;
HWND g_saved_focus = nullptr;

const ControlSpec* find_control(int id) {
    for (const ControlSpec& c : kControls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

const MenuRow* find_menu_item(int id) {
    for (const MenuRow& row : kMenuRows) {
        if (row.id == id && id != 0) return &row;
    }
    return nullptr;
}

struct KindStyle {
    ControlKind kind;
    DWORD style;
    DWORD ex_style;
};

// Every control but a radio button starts a group of its own, so that the three radio
// buttons form one group (arrow keys move between them) and nothing else joins it.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr KindStyle kKindStyles[] = {
    {ControlKind::kPushButton, kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0},
    {ControlKind::kCheckBox, kChild | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0},
    {ControlKind::kRadio, kChild | BS_AUTORADIOBUTTON, 0},
    {ControlKind::kGroupBox, kChild | WS_GROUP | BS_GROUPBOX, 0},
    {ControlKind::kLabel, kChild | WS_GROUP | SS_LEFT, 0},
    {ControlKind::kEdit, kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::kMultiEdit,
     kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE},
    {ControlKind::kListBox, kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE},
    {ControlKind::kComboList, kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, 0},
};

const KindStyle& style_of(ControlKind kind) {
    for (const KindStyle& s : kKindStyles) {
        if (s.kind == kind) return s;
    }
    return kKindStyles[0];
}

bool create_controls(HWND main) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    ControlKind previous = ControlKind::kLabel;
    for (const ControlSpec& c : kControls) {
        const KindStyle& s = style_of(c.kind);
        DWORD style = s.style;
        if (c.kind == ControlKind::kRadio && previous != ControlKind::kRadio) style |= WS_GROUP | WS_TABSTOP;
        if (!c.enabled) style |= WS_DISABLED;
        previous = c.kind;
        HWND control = CreateWindowExA(s.ex_style, class_of(c.kind), c.text, style, c.x, c.y, c.width, c.height, main,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr);
        if (!control) return false;
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    for (const char* item : kFruitItems) {
        SendDlgItemMessageA(main, kFruitList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    for (const char* item : kSizeItems) {
        SendDlgItemMessageA(main, kSizeCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SetWindowLongPtrA(GetDlgItem(main, kApplyButton), GWLP_USERDATA, kApplyUserData);
    return true;
}

HMENU create_menu_bar() {
    constexpr int kMaxDepth = 4;
    HMENU menus[kMaxDepth] = {CreateMenu()};
    for (const MenuRow& row : kMenuRows) {
        if (row.depth >= kMaxDepth - 1 || !menus[row.depth]) continue;
        HMENU into = menus[row.depth];
        if (row.text[0] == '-') {
            AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
        } else if (row.id == 0) {
            HMENU sub = CreatePopupMenu();
            AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), row.text);
            menus[row.depth + 1] = sub;
        } else {
            AppendMenuA(into, MF_STRING, row.id, row.text);
        }
    }
    return menus[0];
}

std::string window_text(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string list_item(HWND control, UINT get_length, UINT get_text, LRESULT index) {
    if (index < 0) return std::string();
    LRESULT length = SendMessageA(control, get_length, index, 0);
    if (length < 0) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(control, get_text, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void on_control_command(HWND main, int id, int code, HWND control) {
    const ControlSpec* spec = find_control(id);
    if (!spec) {
        log_eventf("COMMAND %d code=%d", id, code);
        return;
    }
    switch (spec->kind) {
        case ControlKind::kPushButton:
            if (code != BN_CLICKED) return;
            log_eventf("BUTTON %d clicked", id);
            // Shown later, so that whoever clicked (BM_CLICK through SendMessage) is not held
            // until the box is closed.
            if (id == kMessageButton) PostMessageA(main, kMessageBoxMessage, 0, 0);
            return;
        case ControlKind::kCheckBox:
            if (code != BN_CLICKED) return;
            log_eventf("CHECK %d %s", id,
                       SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "checked" : "unchecked");
            return;
        case ControlKind::kRadio:
            if (code == BN_CLICKED && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                log_eventf("RADIO %d selected", id);
            }
            return;
        case ControlKind::kEdit:
        case ControlKind::kMultiEdit:
            if (code == EN_CHANGE) log_eventf("TEXT %d changed: %s", id, escape_text(window_text(control)).c_str());
            return;
        case ControlKind::kListBox:
            if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
                LRESULT index = SendMessageA(control, LB_GETCURSEL, 0, 0);
                log_eventf("LIST %d %s: %s", id, code == LBN_DBLCLK ? "dblclk" : "selected",
                           list_item(control, LB_GETTEXTLEN, LB_GETTEXT, index).c_str());
            }
            return;
        case ControlKind::kComboList:
            if (code == CBN_SELCHANGE) {
                LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
                log_eventf("COMBO %d selected: %s", id,
                           list_item(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, index).c_str());
            }
            return;
        default:
            return;
    }
}

void hang() {
    int seconds = g_options->hang_seconds > 0 ? g_options->hang_seconds : 0;
    log_eventf("HANG seconds=%d", seconds);
    Sleep(static_cast<DWORD>(seconds) * 1000u);
    log_event("HANG over");
}

// Menu items and accelerators (no control window), and the dialog keys IDOK and IDCANCEL
// that IsDialogMessage sends for Enter and Esc.
void on_menu_command(HWND main, int id, int code) {
    const MenuRow* row = find_menu_item(id);
    if (!row || code > 1) {
        log_eventf("COMMAND %d code=%d", id, code);
        return;
    }
    log_eventf("%s %d %s", code == 1 ? "ACCEL" : "MENU", id, row->path);
    if (id == kMenuExit) {
        PostMessageA(main, WM_CLOSE, 0, 0);
    } else if (id == kMenuHang) {
        hang();
    } else if (id == kMenuSound) {
        HMENU bar = GetMenu(main);
        UINT state = GetMenuState(bar, kMenuSound, MF_BYCOMMAND);
        CheckMenuItem(bar, kMenuSound, MF_BYCOMMAND | ((state & MF_CHECKED) ? MF_UNCHECKED : MF_CHECKED));
    }
}

const char* size_state(WPARAM type) {
    switch (type) {
        case SIZE_RESTORED: return "restored";
        case SIZE_MINIMIZED: return "minimized";
        case SIZE_MAXIMIZED: return "maximized";
        default: return "other";
    }
}

// Like a dialog, the window hands the focus back to the control that had it when it is
// activated again, so typed text goes on into the same edit.
void on_activate(HWND main, WPARAM wparam) {
    bool active = LOWORD(wparam) != WA_INACTIVE;
    log_eventf("ACTIVATE %s", active ? "on" : "off");
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(main, focus)) g_saved_focus = focus;
    } else if (!HIWORD(wparam)) {
        HWND target = g_saved_focus && IsWindow(g_saved_focus) ? g_saved_focus : GetDlgItem(main, kNameEdit);
        SetFocus(target);
    }
}

// IsDialogMessage moves the focus (Tab, Shift+Tab, Alt+mnemonic of a label) by sending
// WM_NEXTDLGCTL, which only the dialog procedure knows; a main window must do it itself.
void on_next_control(HWND main, WPARAM wparam, LPARAM lparam) {
    HWND target = LOWORD(lparam) ? reinterpret_cast<HWND>(wparam)
                                 : GetNextDlgTabItem(main, GetFocus(), wparam != 0 ? TRUE : FALSE);
    if (!target || !IsChild(main, target)) return;
    SetFocus(target);
    // As in a dialog, an edit reached from the keyboard has all its text selected.
    if (SendMessageA(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(target, EM_SETSEL, 0, -1);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE:
            return create_controls(window) ? 0 : -1;
        case WM_COMMAND:
            if (lparam != 0) {
                on_control_command(window, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
            } else {
                on_menu_command(window, LOWORD(wparam), HIWORD(wparam));
            }
            return 0;
        case WM_NEXTDLGCTL:
            on_next_control(window, wparam, lparam);
            return 0;
        case WM_SYSCOMMAND:
            log_sys_command(window, wparam);
            break;
        case WM_ACTIVATE:
            on_activate(window, wparam);
            return 0;
        case WM_MOVE: {
            RECT r;
            GetWindowRect(window, &r);
            log_eventf("MOVE x=%ld y=%ld", r.left, r.top);
            return 0;
        }
        case WM_SIZE: {
            RECT r;
            GetWindowRect(window, &r);
            log_eventf("SIZE w=%ld h=%ld client=%dx%d state=%s", r.right - r.left, r.bottom - r.top, LOWORD(lparam),
                       HIWORD(lparam), size_state(wparam));
            return 0;
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            paint_surface(dc);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_CLOSE:
            if (g_closes_to_refuse != 0) {
                if (g_closes_to_refuse > 0) --g_closes_to_refuse;
                log_event("CLOSE refused");
                return 0;
            }
            log_event("CLOSE");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            log_event("DESTROY");
            PostQuitMessage(0);
            return 0;
        case kHangMessage:
            hang();
            return 0;
        case kMessageBoxMessage: {
            int result = MessageBoxA(window, kMessageBoxText, kMessageBoxTitle, MB_OKCANCEL | MB_ICONINFORMATION);
            log_eventf("MESSAGEBOX result=%d", result);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND create_testbed_window(HINSTANCE instance, const Options& options) {
    g_options = &options;
    g_closes_to_refuse = options.refused_closes;

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    if (!RegisterClassExA(&wc)) return nullptr;

    HMENU menu = create_menu_bar();
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
    int width = options.width, height = options.height;
    if (!options.has_size) {
        RECT r = {0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&r, kStyle, TRUE, 0);
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    int left = options.has_position ? options.left : kDefaultLeft;
    int top = options.has_position ? options.top : kDefaultTop;
    HWND main = CreateWindowExA(0, kClass, options.title.c_str(), kStyle, left, top, width, height, nullptr, menu,
                                instance, nullptr);
    if (!main) return nullptr;
    SetWindowLongPtrA(main, GWLP_USERDATA, options.user_data);
    return main;
}

HACCEL create_testbed_accelerators() {
    ACCEL keys[] = {{FCONTROL | FVIRTKEY, static_cast<WORD>(kAcceleratorNewKey), static_cast<WORD>(kMenuNew)}};
    return CreateAcceleratorTableA(keys, 1);
}

}  // namespace zorbel::testbed
