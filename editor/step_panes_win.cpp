#include "editor/step_panes_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "editor/command_ids.h"
#include "editor/recording_pane_win.h"
#include "editor/file_associations_win.h"
#include "editor/model/actions_tree.h"
#include "editor/model/pane_program_menu.h"
#include "editor/model/pane_layout.h"
#include "editor/model/pane_system_variables.h"

namespace zorbel {

namespace {

constexpr int kRowHeight = 22;
constexpr int kMultiHeight = 60;
constexpr int kLabelWidth = 90;
constexpr int kMargin = 6;
constexpr LPARAM kTextLimit = 1 << 20;

bool has_label(FieldKind kind) {
    return kind != FieldKind::kCheck && kind != FieldKind::kRadio && kind != FieldKind::kTextCheck;
}
bool is_edit(FieldKind kind) {
    return kind == FieldKind::kEdit || kind == FieldKind::kPassword || kind == FieldKind::kMultiEdit;
}
// The panes' own controls: ready-made programs, an image file browser, the ODBC
// administrator, the pixel colour picker.
struct Beside {
    int code;
    const char* text;
    int id;
    size_t field;
    bool wide;  // on a row of its own under the field
};
const Beside kBesides[] = {
    {kFamilyRunProgram, ">", res::kPaneProgramMenu, 0, false},
    {kFamilyUserPrompt, "...", res::kPaneBrowseImage, 0, false},
    {kFamilyDatabase, "Data Source Administrator", res::kPaneDataSources, 1, true},
    {kFamilyWait, "click && drag to choose a pixel color", res::kPanePixelPicker, 1, true},
};

// Moves a child only when it is not already there (each move is a round trip to the display).
void place(HWND child, int x, int y, int width, int height) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    if (r.left != x || r.top != y || r.right - r.left != width || r.bottom - r.top != height)
        MoveWindow(child, x, y, width, height, TRUE);
}

bool usable(HWND window) { return window && IsWindow(window) && IsWindowVisible(window) && IsWindowEnabled(window); }

std::string window_text(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

void set_font(HWND window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

}  // namespace

HWND StepPanes::create(HWND parent, HINSTANCE instance, bool tips) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = host_procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZorbelPaneHost";
    RegisterClassA(&wc);
    wc.lpfnWndProc = page_procedure;
    wc.lpszClassName = "ZorbelPane";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, "ZorbelPaneHost", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 10, 10, parent,
                             reinterpret_cast<HMENU>(res::kPaneHost), instance, this);
    if (!window) return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    for (int code = 0; code < kPaneCount; ++code) {
        build(code, instance);
        if (tips && code) add_tips(pages_[static_cast<size_t>(code)], instance);
    }
    ShowWindow(pages_[0].window, SW_SHOW);
    return window;
}

void StepPanes::build(int code, HINSTANCE instance) {
    Page& page = pages_[static_cast<size_t>(code)];
    page.window = CreateWindowExA(0, "ZorbelPane", pane_spec(code).name, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL, 0, 0, 10, 10,
                                  window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(code)), instance, nullptr);
    SetWindowLongPtrA(page.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (code == 0) {
        HWND empty = CreateWindowExA(0, "STATIC", "Nothing Selected", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 40, 250,
                                     20, page.window, nullptr, instance, nullptr);
        set_font(empty);
        return;
    }
    page.undo = CreateWindowExA(0, "BUTTON", "U&ndo Changes", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                10, 10, page.window, reinterpret_cast<HMENU>(cmd::kPaneUndoChanges), instance, nullptr);
    set_font(page.undo);
    EnableWindow(page.undo, FALSE);
    // The System Variables button and the Help link are drawn by the page.
    page.variables = CreateWindowExA(0, "BUTTON", "System Variables", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 10,
                                     10, page.window, reinterpret_cast<HMENU>(cmd::kPaneSystemVariables), instance,
                                     nullptr);
    page.help = CreateWindowExA(0, "BUTTON", "Help", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 10, 10, page.window,
                                reinterpret_cast<HMENU>(res::kPaneHelp), instance, nullptr);
    const std::vector<FieldSpec>& fields = pane_spec(code).fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& spec = fields[i];
        HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(res::kPaneFieldFirst + static_cast<int>(i)));
        HWND label = nullptr, control = nullptr;
        if (has_label(spec.kind)) {
            label = CreateWindowExA(0, "STATIC", spec.label, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, page.window, nullptr,
                                    instance, nullptr);
            set_font(label);
        }
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
        switch (spec.kind) {
            case FieldKind::kEdit:
            case FieldKind::kPassword:
                control = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", style | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                          page.window, id, instance, nullptr);
                break;
            case FieldKind::kMultiEdit:
                control = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                          style | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0, 0, 10,
                                          10, page.window, id, instance, nullptr);
                break;
            case FieldKind::kCheck:
            case FieldKind::kTextCheck:
                control = CreateWindowExA(0, "BUTTON", spec.label, style | BS_AUTOCHECKBOX, 0, 0, 10, 10, page.window,
                                          id, instance, nullptr);
                break;
            case FieldKind::kRadio:
                control = CreateWindowExA(0, "BUTTON", spec.label, style | BS_RADIOBUTTON, 0, 0, 10, 10, page.window,
                                          id, instance, nullptr);
                break;
            case FieldKind::kList: {
                control = CreateWindowExA(0, "COMBOBOX", "", style | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 10, 200,
                                          page.window, id, instance, nullptr);
                std::string choices = spec.choices;
                for (int n = 0;; ++n) {
                    const std::string item = list_item(choices, ';', n);
                    if (item.empty()) break;
                    SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
                }
                break;
            }
        }
        set_font(control);
        if (spec.kind == FieldKind::kEdit || spec.kind == FieldKind::kPassword || spec.kind == FieldKind::kMultiEdit) {
            const size_t limit = field_limit(spec.field);
            SendMessageA(control, EM_LIMITTEXT, limit ? static_cast<WPARAM>(limit) : kTextLimit, 0);
        }
        page.labels.push_back(label);
        page.controls.push_back(control);
        page.shown.push_back(true);
    }
    // The pane's own control beside (or under) one of its fields.
    for (const Beside& own : kBesides) {
        if (own.code != code) continue;
        const DWORD kind = own.id == res::kPanePixelPicker ? SS_NOTIFY | SS_SUNKEN | SS_CENTER : BS_PUSHBUTTON;
        page.beside = CreateWindowExA(0, own.id == res::kPanePixelPicker ? "STATIC" : "BUTTON", own.text,
                                      WS_CHILD | WS_VISIBLE | kind, 0, 0, 10, 10, page.window,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(own.id)), instance, nullptr);
        set_font(page.beside);
        page.beside_field = own.field;
        page.beside_wide = own.wide;
    }
    if (code == kFamilyKeyboard) {
        page.warning = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, page.window,
                                       reinterpret_cast<HMENU>(res::kPaneWarning), instance, nullptr);
        set_font(page.warning);
    }
    if (code == kFamilyRecording && recording) recording->create(page.window, instance);
}

void StepPanes::layout() {
    RECT client;
    GetClientRect(window, &client);
    for (Page& page : pages_) place(page.window, 0, 0, client.right, client.bottom);
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (!page.undo) return;
    GetClientRect(page.window, &client);  // without the scroll bar
    const int width = client.right;
    int y = kMargin - scroll_;
    place(page.undo, kMargin, y, 96, kRowHeight - 2);
    place(page.variables, kMargin + 100, y, 104, kRowHeight - 2);
    place(page.help, kMargin + 210, y, 30, kRowHeight - 2);
    y += kRowHeight + 4;
    if (shown_ == kFamilyRecording && recording) y += recording->layout(kMargin, y, width);
    const int field_width = width - kLabelWidth - 2 * kMargin;
    for (size_t i = 0; i < page.controls.size(); ++i) {
        if (!page.shown[i]) continue;
        const FieldKind kind = pane_spec(shown_).fields[i].kind;
        const int height = kind == FieldKind::kMultiEdit ? kMultiHeight : kRowHeight - 2;
        if (page.labels[i]) {
            const bool by = page.beside && i == page.beside_field && !page.beside_wide;
            place(page.labels[i], kMargin, y + 3, kLabelWidth - 4, 16);
            place(page.controls[i], kMargin + kLabelWidth, y, field_width - (by ? 26 : 0), height);
            if (by) place(page.beside, kMargin + kLabelWidth + field_width - 22, y, 22, kRowHeight - 2);
        } else {
            place(page.controls[i], kMargin, y, width - 2 * kMargin, height);
        }
        y += height + 4;
        if (page.beside && page.beside_wide && i == page.beside_field) {
            place(page.beside, kMargin + kLabelWidth, y, 220, kRowHeight - 2);
            y += kRowHeight + 2;
        }
        if (page.warning && i == 0) {
            place(page.warning, kMargin, y, width - 2 * kMargin, 30);
            y += 34;
        }
    }
    // A pane taller than the palette scrolls.
    const int total = y + scroll_;
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    bar.nMax = total;
    bar.nPage = static_cast<UINT>(client.bottom > 0 ? client.bottom : 0);
    bar.nPos = scroll_;
    SetScrollInfo(page.window, SB_VERT, &bar, TRUE);
    if (scroll_ > 0 && total <= client.bottom) {
        scroll_ = 0;
        layout();
    }
}

void StepPanes::scroll(int request, int thumb) {
    Page& page = pages_[static_cast<size_t>(shown_)];
    SCROLLINFO bar = {};
    bar.cbSize = sizeof(bar);
    bar.fMask = SIF_ALL;
    GetScrollInfo(page.window, SB_VERT, &bar);
    int to = scroll_;
    switch (request) {
        case SB_LINEUP: to -= kRowHeight; break;
        case SB_LINEDOWN: to += kRowHeight; break;
        case SB_PAGEUP: to -= static_cast<int>(bar.nPage); break;
        case SB_PAGEDOWN: to += static_cast<int>(bar.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: to = thumb; break;
        case SB_TOP: to = 0; break;
        case SB_BOTTOM: to = bar.nMax; break;
        default: return;
    }
    const int most = bar.nMax - static_cast<int>(bar.nPage) + 1;
    scroll_ = to > most ? most : to;
    if (scroll_ < 0) scroll_ = 0;
    layout();
}

void StepPanes::show_pane_for(int32_t index) {
    ScriptState& script = edit_.script();
    const bool valid = index >= 0 && index < script.step_count();
    const int code = valid ? static_cast<int>(pane_spec(static_cast<int32_t>(script.steps[static_cast<size_t>(index)].family)).code) : 0;
    if (code != shown_) {
        for (Page& page : pages_) ShowWindow(page.window, SW_HIDE);
        shown_ = code;
        scroll_ = 0;
        ShowWindow(pages_[static_cast<size_t>(code)].window, SW_SHOW);
    }
    binding_.load(script, valid ? index : -1);
    // The host's own text names the step on show (read by tests and accessibility tools).
    SetWindowTextA(window, valid ? std::string(field_text(script.steps[static_cast<size_t>(index)].action)).c_str()
                                 : "Nothing Selected");
    last_field_ = -1;
    fill(nullptr);
    if (recording) recording->show(code == kFamilyRecording ? index : -1);
    layout();
}

void StepPanes::follow_selection(int32_t index) {
    if (!binding_.needs_reload(edit_.script(), index, PaneSync::kSelection) && shown_ != 0) return;
    show_pane_for(index);
}

void StepPanes::focus() {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (!page.controls.empty()) SetFocus(page.controls.front());
}

// Fills the controls from the loaded step; `source` (the control being edited) keeps
// its text, every other edit box whose text differs is set again.
void StepPanes::fill(HWND source) {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (shown_ == 0 || binding_.loaded_index() < 0) return;
    const Step& step = edit_.script().steps[static_cast<size_t>(binding_.loaded_index())];
    const std::vector<FieldSpec>& fields = pane_spec(shown_).fields;
    const std::vector<FieldLook> looks = pane_looks(step);
    binding_.loading = true;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& spec = fields[i];
        HWND control = page.controls[i];
        const std::string value = load_field(step, spec);
        switch (spec.kind) {
            case FieldKind::kEdit:
            case FieldKind::kPassword:
            case FieldKind::kMultiEdit:
                if (control == source || window_text(control) == value) break;
                if (!field_limit(spec.field) && value.size() > static_cast<size_t>(kTextLimit))
                    SendMessageA(control, EM_LIMITTEXT, value.size() + 1, 0);
                SetWindowTextA(control, value.c_str());
                break;
            case FieldKind::kCheck:
            case FieldKind::kRadio:
            case FieldKind::kTextCheck:
                SendMessageA(control, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case FieldKind::kList:
                SendMessageA(control, CB_SETCURSEL,
                             SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(value.c_str())),
                             0);
                break;
        }
        bool visible = i < looks.size() ? looks[i].visible : true;
        const std::string label = i < looks.size() ? looks[i].label : spec.label;
        if (spec.field == StepField::kOnfailLabel) {
            const char* caption = failure_extra_caption(field_text(step.onfail));
            visible = caption != nullptr;
            if (caption) SetWindowTextA(page.labels[i], caption);
        } else if (page.labels[i] && window_text(page.labels[i]) != label) {
            SetWindowTextA(page.labels[i], label.c_str());
        } else if (!page.labels[i] && window_text(control) != label) {
            SetWindowTextA(control, label.c_str());
        }
        const bool enabled = i < looks.size() ? looks[i].enabled : true;
        page.shown[i] = visible;
        ShowWindow(control, visible ? SW_SHOW : SW_HIDE);
        EnableWindow(control, enabled);
        if (page.labels[i]) {
            ShowWindow(page.labels[i], visible ? SW_SHOW : SW_HIDE);
            EnableWindow(page.labels[i], enabled);
        }
        if (page.tips) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof(tool);
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = page.window;
            tool.uId = reinterpret_cast<UINT_PTR>(control);
            const std::string tip = field_tip(spec, label);
            tool.lpszText = const_cast<char*>(tip.c_str());
            SendMessageA(page.tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    if (page.beside && page.beside_field < page.shown.size()) {
        const bool image = equals_ignore_case(field_text(step.action), "Display Image");
        ShowWindow(page.beside, page.shown[page.beside_field] && (shown_ != kFamilyUserPrompt || image) ? SW_SHOW : SW_HIDE);
    }
    if (page.warning) SetWindowTextA(page.warning, keyboard_warning(field_text(step.action), step.text).c_str());
    EnableWindow(page.undo, binding_.changed(edit_.script()));
    binding_.loading = false;
}

void StepPanes::add_tips(Page& page, HINSTANCE instance) {
    // Unowned, so that their topmost window has no say in the main window's Z order.
    page.tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                nullptr);
    if (!page.tips) return;
    SendMessageA(page.tips, TTM_SETMAXTIPWIDTH, 0, 400);
    const auto add = [&](HWND control, const std::string& text) {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = page.window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<char*>(text.c_str());
        SendMessageA(page.tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    };
    add(page.undo, kUndoChangesTip);
    add(page.variables, kSystemVariablesTip);
    const std::vector<FieldSpec>& fields = pane_spec(GetDlgCtrlID(page.window)).fields;
    for (size_t i = 0; i < fields.size(); ++i) add(page.controls[i], field_tip(fields[i], fields[i].label));
}

void StepPanes::on_control(int field, int notification) {
    const std::vector<FieldSpec>& fields = pane_spec(shown_).fields;
    if (field < 0 || static_cast<size_t>(field) >= fields.size() || shown_ == 0) return;
    const FieldSpec& spec = fields[static_cast<size_t>(field)];
    if (is_edit(spec.kind) && notification == EN_SETFOCUS) last_field_ = field;
    if (binding_.loading || edit_.run_active()) return;
    HWND control = pages_[static_cast<size_t>(shown_)].controls[static_cast<size_t>(field)];
    std::string value;
    switch (spec.kind) {
        case FieldKind::kEdit:
        case FieldKind::kPassword:
        case FieldKind::kMultiEdit:
            if (notification != EN_CHANGE) return;
            value = window_text(control);
            break;
        case FieldKind::kCheck:
        case FieldKind::kTextCheck:
            if (notification != BN_CLICKED) return;
            value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
            break;
        case FieldKind::kRadio:
            if (notification != BN_CLICKED) return;
            value = "1";
            break;
        case FieldKind::kList: {
            if (notification != CBN_SELCHANGE) return;
            char text[128] = {};
            const LRESULT chosen = SendMessageA(control, CB_GETCURSEL, 0, 0);
            if (chosen >= 0) SendMessageA(control, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text));
            value = text;
            break;
        }
    }
    ScriptState& script = edit_.script();
    const int32_t focused = edit_.focused_index();
    std::string action_before;
    if (binding_.loaded_index() >= 0 && binding_.loaded_index() < script.step_count())
        action_before = std::string(field_text(script.steps[static_cast<size_t>(binding_.loaded_index())].action));
    const WriteResult result = binding_.write(script, focused, spec, value, [this] { edit_.push_snapshot(); });
    if (result == WriteResult::kReload) {
        show_pane_for(focused);
        return;
    }
    if (result != WriteResult::kWritten) return;
    edit_.mark_changed();
    if (action_before != field_text(script.steps[static_cast<size_t>(binding_.loaded_index())].action))
        edit_.refresh_rows(-1);
    else if (on_row_changed)
        on_row_changed(binding_.loaded_index());
    fill(control);
    layout();
}

void StepPanes::undo_changes() {
    ScriptState& script = edit_.script();
    const int32_t focused = edit_.focused_index();
    if (binding_.undo_changes(script, focused)) {
        edit_.mark_changed();
        edit_.refresh_rows(-1);
    }
    show_pane_for(focused);
}

bool StepPanes::command(int id) {
    if (id == cmd::kPaneLoad) reload();
    else if (id == cmd::kPaneUndoChanges) undo_changes();
    else if (id == cmd::kPaneSystemVariables) system_variables_menu();
    else if (id >= kSystemVariableFirst && id <= kSystemVariableLast) insert_system_variable(id);
    else if (id == res::kPaneHelp && on_help) on_help(help_topic_for_pane(shown_));
    else if (id == res::kPaneProgramMenu) program_menu();
    else if (id >= res::kProgramMenuFirst && id < res::kProgramMenuFirst + 32) insert_program(id);
    else if (id == res::kPaneBrowseImage) browse_image();
    else if (id == res::kPaneDataSources) ShellExecuteA(window, "open", "odbcad32.exe", nullptr, nullptr, SW_SHOWNORMAL);
    else return false;
    return true;
}

void StepPanes::system_variables_menu() {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (!page.variables) return;
    HMENU menu = CreatePopupMenu();
    int id = kSystemVariableFirst;
    for (const SystemVariableMenu& group : system_variable_menus()) {
        HMENU sub = CreatePopupMenu();
        for (const char* item : group.items) AppendMenuA(sub, MF_STRING, static_cast<UINT_PTR>(id++), item);
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), group.title);
    }
    RECT r;
    GetWindowRect(page.variables, &r);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left, r.bottom, 0, page.window, nullptr);
    DestroyMenu(menu);
}

namespace {

std::vector<std::string> program_commands() {
    ProgramPaths paths;
    paths.notepad = program_on_path("NOTEPAD.EXE");
    paths.calc = program_on_path("CALC.EXE");
    paths.cmd = program_on_path("CMD.EXE");
    paths.explorer = program_on_path("EXPLORER.EXE");
    paths.excel = program_on_path("EXCEL.EXE");
    paths.winword = program_on_path("WINWORD.EXE");
    paths.browser = browser_program();
    paths.mail = mail_program();
    return program_menu_commands(paths);
}

}  // namespace

void StepPanes::program_menu() {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (!page.beside) return;
    HMENU menu = CreatePopupMenu();
    int id = res::kProgramMenuFirst;
    for (const std::string& command : program_commands())
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id++), command.c_str());
    RECT r;
    GetWindowRect(page.beside, &r);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left, r.bottom, 0, page.window, nullptr);
    DestroyMenu(menu);
}

// A ready-made command replaces the program field's text (and so writes it back).
void StepPanes::insert_program(int id) {
    const std::vector<std::string> commands = program_commands();
    const size_t n = static_cast<size_t>(id - res::kProgramMenuFirst);
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (shown_ != kFamilyRunProgram || n >= commands.size() || page.controls.empty()) return;
    SendMessageA(page.controls[0], EM_SETSEL, 0, -1);
    SendMessageA(page.controls[0], EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(commands[n].c_str()));
}

// "Display Image": a chosen picture file replaces the "Image File:" field's text.
void StepPanes::browse_image() {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (shown_ != kFamilyUserPrompt || page.controls.empty()) return;
    char file[MAX_PATH] = {};
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof(open);
    open.hwndOwner = page.window;
    open.lpstrFilter = "Image Files (*.bmp *.gif *.jpg *.jpeg *.ico *.cur *.wmf)\0*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.cur;*.wmf\0";
    open.lpstrFile = file;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&open)) return;
    SendMessageA(page.controls[0], EM_SETSEL, 0, -1);
    SendMessageA(page.controls[0], EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(file));
}

// The last data field that had the focus while it is still there, shown and enabled;
// else the main text box; else the comment box.
HWND StepPanes::insert_target() const {
    const Page& page = pages_[static_cast<size_t>(shown_)];
    const std::vector<FieldSpec>& fields = pane_spec(shown_).fields;
    if (last_field_ >= 0 && static_cast<size_t>(last_field_) < page.controls.size() &&
        usable(page.controls[static_cast<size_t>(last_field_)]))
        return page.controls[static_cast<size_t>(last_field_)];
    for (StepField wanted : {StepField::kText, StepField::kComment})
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i].field == wanted && is_edit(fields[i].kind) && usable(page.controls[i])) return page.controls[i];
    return nullptr;
}

void StepPanes::insert_system_variable(int id) {
    const std::string text = system_variable_insert(system_variable_item(id));
    HWND target = insert_target();
    if (text.empty() || !target) return;
    SendMessageA(target, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK StepPanes::host_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<StepPanes*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_SIZE && self) {
        self->layout();
        return 0;
    }
    if (message == WM_COMMAND && self && self->command(LOWORD(wparam))) return 0;
    if (message == WM_DESTROY && self)
        for (Page& page : self->pages_)
            if (page.tips) DestroyWindow(page.tips), page.tips = nullptr;
    return DefWindowProcA(window, message, wparam, lparam);
}

// The System Variables button as a push button and the Help link as underlined blue text.
static void draw_owned(const DRAWITEMSTRUCT* draw) {
    char text[64] = {};
    GetWindowTextA(draw->hwndItem, text, sizeof(text));
    RECT r = draw->rcItem;
    HGDIOBJ old_font = SelectObject(draw->hDC, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(draw->hDC, TRANSPARENT);
    if (draw->CtlID == static_cast<UINT>(res::kPaneHelp)) {
        FillRect(draw->hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        LOGFONTA font = {};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        font.lfUnderline = TRUE;
        HFONT underlined = CreateFontIndirectA(&font);
        SelectObject(draw->hDC, underlined);
        SetTextColor(draw->hDC, RGB(0, 0, 255));
        DrawTextA(draw->hDC, text, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        SelectObject(draw->hDC, GetStockObject(DEFAULT_GUI_FONT));
        DeleteObject(underlined);
    } else {
        const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
        DrawFrameControl(draw->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        SetTextColor(draw->hDC, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(draw->hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(draw->hDC, old_font);
}

LRESULT CALLBACK StepPanes::page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<StepPanes*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_VSCROLL && self) {
        self->scroll(LOWORD(wparam), static_cast<short>(HIWORD(wparam)));
        return 0;
    }
    if (message == WM_MOUSEWHEEL && self) {
        self->scroll(static_cast<short>(HIWORD(wparam)) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return 0;
    }
    // The pixel colour picker: pressed, dragged anywhere on the screen, released.
    if (message == WM_PARENTNOTIFY && self && LOWORD(wparam) == WM_LBUTTONDOWN) {
        POINT at = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        HWND under = ChildWindowFromPoint(window, at);
        if (under && GetDlgCtrlID(under) == res::kPanePixelPicker) {
            self->picking_ = true;
            SetCapture(window);
            SetCursor(LoadCursor(nullptr, IDC_CROSS));
        }
        return 0;
    }
    if (message == WM_LBUTTONUP && self && self->picking_) {
        self->picking_ = false;
        ReleaseCapture();
        POINT at;
        GetCursorPos(&at);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        Page& page = self->pages_[static_cast<size_t>(self->shown_)];
        if (colour != CLR_INVALID && page.beside && page.beside_field < page.controls.size()) {
            HWND field = page.controls[page.beside_field];
            const std::string text = picked_colour_text(colour);
            SendMessageA(field, EM_SETSEL, 0, -1);
            SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        }
        return 0;
    }
    if (message == WM_CAPTURECHANGED && self) self->picking_ = false;
    if (message == WM_DRAWITEM) {
        draw_owned(reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
        return TRUE;
    }
    if (message == WM_COMMAND && self) {
        const int id = LOWORD(wparam);
        if (lparam && self->recording && self->recording->command(id, HIWORD(wparam))) {}
        else if (lparam && id >= res::kPaneFieldFirst) self->on_control(id - res::kPaneFieldFirst, HIWORD(wparam));
        else if (!lparam || HIWORD(wparam) == BN_CLICKED) self->command(id);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace zorbel
