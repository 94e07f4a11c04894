#include "editor/step_panes_win.h"

#include <commctrl.h>

#include <string>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "editor/command_ids.h"
#include "editor/recording_pane_win.h"

namespace zorbel {

namespace {

constexpr int kRowHeight = 22;
constexpr int kMultiHeight = 60;
constexpr int kLabelWidth = 90;
constexpr int kMargin = 6;
constexpr LPARAM kTextLimit = 1 << 20;

bool has_label(FieldKind kind) { return kind != FieldKind::kCheck && kind != FieldKind::kRadio; }

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

HWND StepPanes::create(HWND parent, HINSTANCE instance) {
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
    for (int code = 0; code < kPaneCount; ++code) build(code, instance);
    ShowWindow(pages_[0].window, SW_SHOW);
    return window;
}

void StepPanes::build(int code, HINSTANCE instance) {
    Page& page = pages_[static_cast<size_t>(code)];
    page.window = CreateWindowExA(0, "ZorbelPane", pane_spec(code).name, WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10,
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
    const int width = client.right;
    for (Page& page : pages_) MoveWindow(page.window, 0, 0, width, client.bottom, TRUE);
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (!page.undo) return;
    int y = kMargin;
    MoveWindow(page.undo, kMargin, y, 110, kRowHeight - 2, TRUE);
    y += kRowHeight + 4;
    if (shown_ == kFamilyRecording && recording) y += recording->layout(kMargin, y, width);
    const int field_width = width - kLabelWidth - 2 * kMargin;
    for (size_t i = 0; i < page.controls.size(); ++i) {
        if (!IsWindowVisible(page.controls[i])) continue;
        const FieldKind kind = pane_spec(shown_).fields[i].kind;
        const int height = kind == FieldKind::kMultiEdit ? kMultiHeight : kRowHeight - 2;
        if (page.labels[i]) {
            MoveWindow(page.labels[i], kMargin, y + 3, kLabelWidth - 4, 16, TRUE);
            MoveWindow(page.controls[i], kMargin + kLabelWidth, y, field_width, height, TRUE);
        } else {
            MoveWindow(page.controls[i], kMargin, y, width - 2 * kMargin, height, TRUE);
        }
        y += height + 4;
        if (page.warning && i == 0) {
            MoveWindow(page.warning, kMargin, y, width - 2 * kMargin, 30, TRUE);
            y += 34;
        }
    }
}

void StepPanes::show_pane_for(int32_t index) {
    ScriptState& script = edit_.script();
    const bool valid = index >= 0 && index < script.step_count();
    const int code = valid ? static_cast<int>(pane_spec(static_cast<int32_t>(script.steps[static_cast<size_t>(index)].family)).code) : 0;
    if (code != shown_) {
        for (Page& page : pages_) ShowWindow(page.window, SW_HIDE);
        shown_ = code;
        ShowWindow(pages_[static_cast<size_t>(code)].window, SW_SHOW);
    }
    binding_.load(script, valid ? index : -1);
    // The host's own text names the step on show (read by tests and accessibility tools).
    SetWindowTextA(window, valid ? std::string(field_text(script.steps[static_cast<size_t>(index)].action)).c_str()
                                 : "Nothing Selected");
    fill(true);
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

void StepPanes::fill(bool edits) {
    Page& page = pages_[static_cast<size_t>(shown_)];
    if (shown_ == 0 || binding_.loaded_index() < 0) return;
    const Step& step = edit_.script().steps[static_cast<size_t>(binding_.loaded_index())];
    const std::vector<FieldSpec>& fields = pane_spec(shown_).fields;
    binding_.loading = true;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldSpec& spec = fields[i];
        HWND control = page.controls[i];
        const std::string value = load_field(step, spec);
        switch (spec.kind) {
            case FieldKind::kEdit:
            case FieldKind::kPassword:
            case FieldKind::kMultiEdit:
                if (!edits) break;
                if (!field_limit(spec.field) && value.size() > static_cast<size_t>(kTextLimit))
                    SendMessageA(control, EM_LIMITTEXT, value.size() + 1, 0);
                SetWindowTextA(control, value.c_str());
                break;
            case FieldKind::kCheck:
            case FieldKind::kRadio:
                SendMessageA(control, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case FieldKind::kList:
                SendMessageA(control, CB_SETCURSEL,
                             SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(value.c_str())),
                             0);
                break;
        }
        if (spec.field == StepField::kOnfailLabel) {
            const char* caption = failure_extra_caption(field_text(step.onfail));
            ShowWindow(control, caption ? SW_SHOW : SW_HIDE);
            ShowWindow(page.labels[i], caption ? SW_SHOW : SW_HIDE);
            if (caption) SetWindowTextA(page.labels[i], caption);
        }
    }
    if (page.warning) SetWindowTextA(page.warning, keyboard_warning(field_text(step.action), step.text).c_str());
    EnableWindow(page.undo, binding_.changed(edit_.script()));
    binding_.loading = false;
}

void StepPanes::on_control(int field, int notification) {
    if (binding_.loading || shown_ == 0 || edit_.run_active()) return;
    const std::vector<FieldSpec>& fields = pane_spec(shown_).fields;
    if (field < 0 || static_cast<size_t>(field) >= fields.size()) return;
    const FieldSpec& spec = fields[static_cast<size_t>(field)];
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
    after_write(action_before != field_text(script.steps[static_cast<size_t>(binding_.loaded_index())].action));
}

void StepPanes::after_write(bool action_changed) {
    edit_.mark_changed();
    if (action_changed) edit_.refresh_rows(-1);
    else if (on_row_changed) on_row_changed(binding_.loaded_index());
    fill(false);
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

LRESULT CALLBACK StepPanes::host_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<StepPanes*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_SIZE && self) {
        self->layout();
        return 0;
    }
    if (message == WM_COMMAND && self && LOWORD(wparam) == cmd::kPaneLoad) {
        self->reload();
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK StepPanes::page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<StepPanes*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && self && lparam) {
        const int id = LOWORD(wparam);
        if (id == cmd::kPaneUndoChanges && HIWORD(wparam) == BN_CLICKED) self->undo_changes();
        else if (self->recording && self->recording->command(id, HIWORD(wparam))) {}
        else if (id >= res::kPaneFieldFirst) self->on_control(id - res::kPaneFieldFirst, HIWORD(wparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace zorbel
