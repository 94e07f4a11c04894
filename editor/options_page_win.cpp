// One options page: its controls made from its table, and the transfer of values
// between the controls and the page's values.
#include <windows.h>
#include <commctrl.h>

#include "core/text_rules.h"
#include "editor/model/pane_fields.h"
#include "editor/options_sheet_win.h"

namespace zorbel {

namespace {

using K = OptionKind;

HWND make(HWND page, const char* cls, const char* text, DWORD style, DWORD ex, int id, RECT r) {
    HWND control = CreateWindowExA(ex, cls, text ? text : "", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, page,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id < 0 ? 0xFFFF : id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(page, GWLP_HINSTANCE)), nullptr);
    SendMessageA(control, WM_SETFONT, SendMessageA(page, WM_GETFONT, 0, 0), FALSE);
    return control;
}

std::string text_of(HWND control) {
    char text[300] = {};
    GetWindowTextA(control, text, sizeof(text));
    return text;
}

COLORREF colour_value(const std::string& text) { return static_cast<COLORREF>(text_to_number(text)); }

}  // namespace

int OptionsPageWindow::row_of(int id) const {
    const OptionRow* row = find_option_row(spec(), id);
    return row ? static_cast<int>(row - spec().rows) : -1;
}

int OptionsPageWindow::row_of_setting(const char* setting) const {
    for (int i = 0; i < spec().count; ++i)
        if (spec().rows[i].setting && equals_ignore_case(spec().rows[i].setting, setting)) return i;
    return -1;
}

void OptionsPageWindow::create_controls() {
    const OptionPage& page = spec();
    int last_group = -1;
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& row = page.rows[i];
        RECT r = {row.x, row.y, row.x + row.w, row.y + row.h};
        MapDialogRect(window, &r);
        const bool radio = row.kind == K::kRadio || row.kind == K::kTextRadio;
        // A radio group ends where a control with WS_GROUP follows it.
        const DWORD group = (!radio || row.group != last_group) ? WS_GROUP : 0;
        last_group = radio ? row.group : -1;
        switch (row.kind) {
            case K::kGroup: make(window, "BUTTON", row.label, BS_GROUPBOX | WS_GROUP, 0, row.id, r); break;
            case K::kLabel: make(window, "STATIC", row.label, SS_LEFT | WS_GROUP, 0, row.id, r); break;
            case K::kCheck:
                make(window, "BUTTON", row.label, BS_AUTOCHECKBOX | WS_TABSTOP | group, 0, row.id, r);
                break;
            case K::kRadio:
            case K::kTextRadio:
                make(window, "BUTTON", row.label, BS_AUTORADIOBUTTON | (group ? WS_TABSTOP | WS_GROUP : 0), 0, row.id,
                     r);
                break;
            case K::kNumberEdit:
            case K::kTextEdit:
                make(window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | group, WS_EX_CLIENTEDGE, row.id, r);
                break;
            case K::kSlider: {
                HWND slider = make(window, TRACKBAR_CLASSA, "", TBS_AUTOTICKS | WS_TABSTOP | group, 0, row.id, r);
                SendMessageA(slider, TBM_SETRANGE, TRUE, MAKELONG(row.low, row.high));
                break;
            }
            case K::kStopKeyList:
            case K::kModeList: {
                HWND list = make(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | group, 0,
                                 row.id, r);
                if (row.kind == K::kStopKeyList) {
                    for (int k = 0; k < kStopKeyCount; ++k)
                        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kStopKeys[k].name));
                } else {
                    for (int m = 0;; ++m) {
                        const std::string mode = list_item(kFailureModes, ';', m);
                        if (mode.empty()) break;
                        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.c_str()));
                    }
                }
                break;
            }
            case K::kSpin: {
                HWND edit = make(window, "EDIT", "", ES_NUMBER | WS_TABSTOP | group, WS_EX_CLIENTEDGE, row.id, r);
                HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "",
                                            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS,
                                            0, 0, 0, 0, window, reinterpret_cast<HMENU>(opt::kIndentSpin), nullptr,
                                            nullptr);
                SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
                SendMessageA(spin, UDM_SETRANGE32, row.low, row.high);
                break;
            }
            case K::kColor: make(window, "BUTTON", row.label, BS_OWNERDRAW | WS_TABSTOP | group, 0, row.id, r); break;
            case K::kFontFace:
            case K::kButton:
            case K::kDefaultButton:
                make(window, "BUTTON", row.label, BS_PUSHBUTTON | WS_TABSTOP | group, 0, row.id, r);
                break;
            case K::kSample:
                make(window, "STATIC", row.label, SS_CENTER | SS_CENTERIMAGE | WS_BORDER | WS_GROUP, 0, row.id, r);
                break;
            case K::kFontPart: break;
        }
    }
}

void OptionsPageWindow::show_values() {
    const OptionPage& page = spec();
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& row = page.rows[i];
        const std::string& value = values[static_cast<size_t>(i)];
        HWND control = GetDlgItem(window, row.id);
        switch (row.kind) {
            case K::kCheck:
            case K::kRadio:
            case K::kTextRadio:
                SendMessageA(control, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case K::kNumberEdit:
            case K::kTextEdit:
            case K::kSpin: SetWindowTextA(control, value.c_str()); break;
            case K::kSlider:
                SendMessageA(control, TBM_SETPOS, TRUE, text_to_number(value));
                SetDlgItemTextA(window, opt::kSpeedCaption, speed_caption(text_to_number(value)).c_str());
                break;
            case K::kStopKeyList: SendMessageA(control, CB_SETCURSEL, stop_key_index(text_to_number(value)), 0); break;
            case K::kModeList:
                SendMessageA(control, CB_SETCURSEL,
                             SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(value.c_str())),
                             0);
                break;
            default: break;
        }
    }
    refresh_dependents();
}

void OptionsPageWindow::take_values() {
    const OptionPage& page = spec();
    for (int i = 0; i < page.count; ++i) {
        const OptionRow& row = page.rows[i];
        std::string& value = values[static_cast<size_t>(i)];
        HWND control = GetDlgItem(window, row.id);
        switch (row.kind) {
            case K::kCheck:
            case K::kRadio:
            case K::kTextRadio: value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0"; break;
            case K::kNumberEdit:
            case K::kTextEdit:
            case K::kSpin: value = text_of(control); break;
            case K::kSlider: value = std::to_string(SendMessageA(control, TBM_GETPOS, 0, 0)); break;
            case K::kStopKeyList: {
                const LRESULT at = SendMessageA(control, CB_GETCURSEL, 0, 0);
                if (at >= 0 && at < kStopKeyCount) value = std::to_string(kStopKeys[at].vk);
                break;
            }
            case K::kModeList: {
                const LRESULT at = SendMessageA(control, CB_GETCURSEL, 0, 0);
                char text[128] = {};
                if (at >= 0 && SendMessageA(control, CB_GETLBTEXTLEN, at, 0) < static_cast<LRESULT>(sizeof(text)))
                    SendMessageA(control, CB_GETLBTEXT, at, reinterpret_cast<LPARAM>(text)), value = text;
                break;
            }
            default: break;  // colours and the font live in the values themselves
        }
    }
}

void OptionsPageWindow::refresh_dependents() {
    const OptionPage& page = spec();
    const bool logging = SendDlgItemMessageA(window, opt::kLog, BM_GETCHECK, 0, 0) == BST_CHECKED;
    for (int i = 0; i < page.count; ++i)
        if (page.rows[i].flags & kNeedsLog) EnableWindow(GetDlgItem(window, page.rows[i].id), logging);
    if (HWND mode = GetDlgItem(window, opt::kFailureMode)) {
        char text[128] = {};
        GetWindowTextA(mode, text, sizeof(text));
        const char* caption = failure_extra_label(text);
        SetDlgItemTextA(window, opt::kFailureExtraLabel, caption ? caption : "");
        ShowWindow(GetDlgItem(window, opt::kFailureExtra), caption ? SW_SHOW : SW_HIDE);
    }
    const int face = row_of(opt::kOutputFont);
    if (face >= 0) {
        if (sample_font) DeleteObject(sample_font);
        auto number = [&](const char* setting) {
            return text_to_number(values[static_cast<size_t>(row_of_setting(setting))]);
        };
        LOGFONTA font = {};
        HDC dc = GetDC(window);
        font.lfHeight = -number("Palettes\\Output\\FontSize") * GetDeviceCaps(dc, LOGPIXELSY) / 72;
        ReleaseDC(window, dc);
        font.lfItalic = number("Palettes\\Output\\Font_Italic") != 0;
        font.lfWeight = number("Palettes\\Output\\Font_Weight");
        lstrcpynA(font.lfFaceName, values[static_cast<size_t>(face)].c_str(), LF_FACESIZE);
        sample_font = CreateFontIndirectA(&font);
        SendDlgItemMessageA(window, opt::kOutputSample, WM_SETFONT, reinterpret_cast<WPARAM>(sample_font), TRUE);
    }
    if (HWND italic = GetDlgItem(window, opt::kCommentItalic)) {
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
        font.lfItalic = SendMessageA(italic, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (comment_font) DeleteObject(comment_font);
        comment_font = CreateFontIndirectA(&font);
        SendDlgItemMessageA(window, opt::kCommentSample, WM_SETFONT, reinterpret_cast<WPARAM>(comment_font), TRUE);
    }
    InvalidateRect(window, nullptr, TRUE);
}

// A sample shows its group's text colour on its fill; the Output sample its font's colour.
HBRUSH OptionsPageWindow::sample_colours(HWND control, HDC dc) {
    const OptionRow* sample = find_option_row(spec(), GetDlgCtrlID(control));
    if (!sample || sample->kind != K::kSample) return nullptr;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT), fill = GetSysColor(COLOR_WINDOW);
    int found = 0;
    for (int i = 0; i < spec().count; ++i) {
        const OptionRow& r = spec().rows[i];
        if (r.group != sample->group) continue;
        if (r.kind == K::kColor) (found++ == 0 ? text : fill) = colour_value(values[static_cast<size_t>(i)]);
        if (r.kind == K::kFontPart && equals_ignore_case(r.setting, "Palettes\\Output\\Font_Color"))
            text = colour_value(values[static_cast<size_t>(i)]);
    }
    const int slot = sample->group & 3;
    if (brushes[slot]) DeleteObject(brushes[slot]);
    brushes[slot] = CreateSolidBrush(fill);
    SetTextColor(dc, text);
    SetBkColor(dc, fill);
    return brushes[slot];
}

void OptionsPageWindow::draw_colour_button(const DRAWITEMSTRUCT* item) {
    const int at = row_of(static_cast<int>(item->CtlID));
    if (at < 0) return;
    RECT r = item->rcItem;
    DrawFrameControl(item->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | ((item->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
    InflateRect(&r, -4, -4);
    const COLORREF colour = colour_value(values[static_cast<size_t>(at)]);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(item->hDC, &r, brush);
    DeleteObject(brush);
    const int light = GetRValue(colour) + GetGValue(colour) + GetBValue(colour);
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, light > 384 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    DrawTextA(item->hDC, spec().rows[at].label, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &r);
}

void OptionsPageWindow::release() {
    if (sample_font) DeleteObject(sample_font);
    if (comment_font) DeleteObject(comment_font);
    comment_font = nullptr;
    for (HBRUSH& b : brushes)
        if (b) DeleteObject(b), b = nullptr;
    sample_font = nullptr;
    window = nullptr;
}

}  // namespace zorbel
