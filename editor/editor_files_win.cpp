// The file commands of the main window (New and the Welcome dialog, Open, Save,
// Save As, Close, recent files, Properties) and the Find and Go to Step prompts.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>

#include "core/script_file.h"
#include "core/text_rules.h"
#include "editor/command_ids.h"
#include "editor/editor_frame_win.h"
#include "editor/model/recent_files.h"
#include "editor/model/samples.h"

namespace zorbel {

namespace {

constexpr char kFilter[] = "Zorbel File (*.zbx, *.zbp, *.xml)\0*.zbx;*.zbp;*.xml\0\0";

// Passes everything through and notes whether the loader complained: a load that
// kept steps but showed an error box stopped early.
class LoadWatch : public UserInterface {
public:
    explicit LoadWatch(UserInterface& inner) : inner_(inner) {}
    void error_box(const std::string& text) override { ++complaints, inner_.error_box(text); }
    void titled_error_box(const std::string& title, const std::string& text) override {
        ++complaints, inner_.titled_error_box(title, text);
    }
    Answer ask_yes_no(const std::string& title, const std::string& text) override { return inner_.ask_yes_no(title, text); }
    void set_status(int part, const std::string& text) override { inner_.set_status(part, text); }
    void set_title(const std::string& title) override { inner_.set_title(title); }
    void remove_recent_file(const std::string& path) override { inner_.remove_recent_file(path); }
    void script_replaced() override { replaced = true; }
    int complaints = 0;
    bool replaced = false;

private:
    UserInterface& inner_;
};

bool is_old_format(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[256] = {};
    file.read(head, sizeof(head));
    return !is_xml_script_text(std::string_view(head, static_cast<size_t>(file.gcount())));
}

std::string name_or_untitled(const std::string& path) { return path.empty() ? "(Untitled)" : file_name_of(path); }

struct WelcomeChoice {
    int kind = res::kWelcomeEmpty;
    std::string sample;
};

struct WelcomeContext {
    SettingsStore* store;
    std::string folder;
    WelcomeChoice choice;
};

INT_PTR CALLBACK welcome_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* context = reinterpret_cast<WelcomeContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            context = reinterpret_cast<WelcomeContext*>(lparam);
            HWND list = GetDlgItem(dialog, res::kWelcomeSampleList);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Hello World"));
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Typing in Notepad"));
            WIN32_FIND_DATAA found;
            HANDLE search = FindFirstFileA((context->folder + "\\Samples\\*.ZBX").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do {
                    std::string name = found.cFileName;
                    const size_t dot = name.find_last_of('.');
                    if (dot != std::string::npos) name.resize(dot);
                    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
                } while (FindNextFileA(search, &found));
                FindClose(search);
            }
            SendMessageA(list, LB_SETCURSEL, 0, 0);
            CheckRadioButton(dialog, res::kWelcomeEmpty, res::kWelcomeSample, res::kWelcomeEmpty);
            const int update = setting_number(*context->store, "SOFTWARE\\Zorbel\\AutoUpdate");
            CheckRadioButton(dialog, res::kWelcomeDaily, res::kWelcomeNever,
                             update == 1 ? res::kWelcomeDaily : update == 2 ? res::kWelcomeWeekly : res::kWelcomeNever);
            CheckDlgButton(dialog, res::kWelcomeShowOnStartup,
                           setting_number(*context->store, "SOFTWARE\\Zorbel\\ShowSamples") ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == res::kWelcomeSampleList && HIWORD(wparam) == LBN_SELCHANGE)
                CheckRadioButton(dialog, res::kWelcomeEmpty, res::kWelcomeSample, res::kWelcomeSample);
            if (LOWORD(wparam) == IDOK) {
                SettingsStore& store = *context->store;
                write_setting_number(store, "SOFTWARE\\Zorbel\\AutoUpdate",
                                     IsDlgButtonChecked(dialog, res::kWelcomeDaily)    ? 1
                                     : IsDlgButtonChecked(dialog, res::kWelcomeWeekly) ? 2
                                                                                       : 0);
                write_setting_number(store, "SOFTWARE\\Zorbel\\ShowSamples",
                                     IsDlgButtonChecked(dialog, res::kWelcomeShowOnStartup) ? 1 : 0);
                for (int kind : {res::kWelcomeEmpty, res::kWelcomeExisting, res::kWelcomeSample})
                    if (IsDlgButtonChecked(dialog, kind)) context->choice.kind = kind;
                HWND list = GetDlgItem(dialog, res::kWelcomeSampleList);
                const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
                char name[MAX_PATH] = {};
                if (index >= 0 && SendMessageA(list, LB_GETTEXTLEN, index, 0) < MAX_PATH)
                    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name));
                context->choice.sample = name;
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
    }
    return FALSE;
}

struct FindContext {
    std::string text;
    int direction;
};

INT_PTR CALLBACK find_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* context = reinterpret_cast<FindContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            context = reinterpret_cast<FindContext*>(lparam);
            SendDlgItemMessageA(dialog, res::kFindText, EM_LIMITTEXT, 63, 0);
            SetDlgItemTextA(dialog, res::kFindText, context->text.c_str());
            CheckRadioButton(dialog, res::kFindUp, res::kFindDown, context->direction == -1 ? res::kFindUp : res::kFindDown);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                char text[64] = {};
                GetDlgItemTextA(dialog, res::kFindText, text, sizeof(text));
                if (!text[0]) {
                    MessageBoxA(dialog, "Please enter some text to search for", "Find", MB_OK | MB_ICONINFORMATION);
                    return TRUE;
                }
                context->text = text;
                context->direction = IsDlgButtonChecked(dialog, res::kFindUp) ? -1 : 1;
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK go_to_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* text = reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            SetDlgItemTextA(dialog, res::kGoToText, reinterpret_cast<std::string*>(lparam)->c_str());
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                char typed[64] = {};
                GetDlgItemTextA(dialog, res::kGoToText, typed, sizeof(typed));
                *text = typed;
                EndDialog(dialog, IDOK);
            } else if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
            }
            return TRUE;
    }
    return FALSE;
}

}  // namespace

// Before the script is replaced or the window closes. A Yes that does not end in a
// saved file abandons the command, as Cancel does; a No changes nothing yet, so a
// command that then does not replace the script leaves its edits marked.
bool EditorFrame::keep_edits() {
    const std::string name = name_or_untitled(program_.script.script_path);
    if (commands_.document.needs_resave()) {
        const Answer answer = ask("The file " + name +
                                      " was created with an older version and needs to be re-saved.\n\n"
                                      "Do you want to save it now?",
                                  "Confirm Action", true);
        if (answer == Answer::kCancel) return false;
        if (answer == Answer::kYes && !save()) return false;
    }
    if (commands_.document.dirty() && setting_number(program_.store, "SOFTWARE\\Zorbel\\PromptSave")) {
        const Answer answer = ask("Save changes to " + name + "?", "Confirm Action", true);
        if (answer == Answer::kCancel) return false;
        if (answer == Answer::kYes && !save()) return false;
    }
    return true;
}

bool EditorFrame::save() {
    ScriptState& script = program_.script;
    if (script.steps.empty()) {
        box(kFileEmpty, "System Message", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (script.script_path.empty()) return save_as();
    // The script is shorter than its file: replacing the file is a choice.
    if (commands_.document.stopped_early() && GetFileAttributesA(script.script_path.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ask("The file '" + script.script_path + "' already exists.\n\nDo you want to replace the existing file?", "Save",
            false) != Answer::kYes)
        return false;
    return write_to(script.script_path);
}

bool EditorFrame::save_as() {
    ScriptState& script = program_.script;
    if (script.steps.empty()) {
        box(kFileEmpty, "System Message", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    std::string name = script.script_path;
    const size_t zbp = find_ignore_case(name, ".zbp");
    if (zbp != std::string::npos) name.replace(zbp, 4, ".zbx");
    for (;;) {
        char path[MAX_PATH] = {};
        lstrcpynA(path, name.c_str(), MAX_PATH);
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = frame_;
        dialog.lpstrFilter = kFilter;
        dialog.lpstrFile = path;
        dialog.nMaxFile = MAX_PATH;
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetSaveFileNameA(&dialog)) return false;
        std::string chosen = path;
        if (file_name_of(chosen).find('.') == std::string::npos) chosen += ".zbx";
        if (GetFileAttributesA(chosen.c_str()) != INVALID_FILE_ATTRIBUTES &&
            ask("The file '" + chosen + "' already exists.\n\nDo you want to replace the existing file?", "Save", false) !=
                Answer::kYes)
            continue;
        return write_to(chosen);
    }
}

bool EditorFrame::write_to(const std::string& path) {
    std::string error;
    if (!save_script(program_.script, path, &program_.ui, &error)) {
        // A No to the ".zbp" question is a cancel: nothing to report.
        if (error.empty() && find_ignore_case(path, ".zbp") != std::string::npos) return false;
        box("Unable to create the file \"" + path + "\"\n\n" + error, "Error", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    program_.script.script_path = path;
    commands_.document.saved();
    SetWindowTextA(frame_, (file_name_of(path) + " - Zorbel").c_str());
    add_recent_file(program_.store, path);
    SHAddToRecentDocs(SHARD_PATHA, path.c_str());
    const int32_t focused = grid_.selection().focused;
    if (focused >= 0) grid_.redraw(focused, focused);
    return true;
}

void EditorFrame::open() {
    if (!keep_edits()) return;
    char path[MAX_PATH] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame_;
    dialog.lpstrFilter = kFilter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog)) return;
    load(path);
}

bool EditorFrame::load(const std::string& path) {
    const bool old_format = is_old_format(clean_script_path(path));
    LoadWatch watch(program_.ui);
    const int32_t count = load_script(&program_.script, path, &watch);
    if (watch.replaced) {
        commands_.replaced(old_format && count > 0, count > 0 && watch.complaints > 0);
        grid_.refresh();
        grid_.select({}, -1);
        panes_.show_pane_for(-1);
        refresh_title();
    }
    if (count > 0) {
        add_recent_file(program_.store, program_.script.script_path);
        SHAddToRecentDocs(SHARD_PATHA, program_.script.script_path.c_str());
    }
    return count > 0;
}

void EditorFrame::after_replace() {
    commands_.replaced(false, false);
    grid_.refresh();
    refresh_title();
}

void EditorFrame::close_script() {
    if (!keep_edits()) return;
    program_.script.clear();
    commands_.replaced(false, false);
    grid_.refresh();
    panes_.show_pane_for(-1);
    SetWindowTextA(frame_, "Zorbel");
    program_.ui.set_status(0, " Drag or double-click an action from the list to add a new step");
}

void EditorFrame::open_recent(int number) {
    const std::vector<std::string> list = recent_files(program_.store);
    const std::string path = list[static_cast<size_t>(number - 1)];
    if (path.empty()) return;
    if (!keep_edits()) return;
    load(path);
}

void EditorFrame::welcome() {
    SettingsStore& store = program_.store;
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "ChosenSampleFile");
    WelcomeContext context{&store, program_.program_folder, {}};
    if (DialogBoxParamA(instance_, MAKEINTRESOURCEA(res::kWelcomeDialog), frame_, welcome_procedure,
                        reinterpret_cast<LPARAM>(&context)) != IDOK)
        return;
    if (context.choice.kind == res::kWelcomeEmpty) {
        PostMessageA(frame_, WM_COMMAND, cmd::kClose, 0);
        return;
    }
    if (context.choice.kind == res::kWelcomeExisting) {
        PostMessageA(frame_, WM_COMMAND, cmd::kOpen, 0);
        return;
    }
    write_setting_text(store, "SOFTWARE\\Zorbel\\ChosenSampleFile", context.choice.sample);
    if (!keep_edits()) return;
    SetWindowTextA(frame_, "Zorbel");
    ScriptState& script = program_.script;
    if (build_sample(context.choice.sample.c_str(), &script)) {
        commands_.replaced(false, false);
        grid_.refresh();
        panes_.show_pane_for(-1);
        return;
    }
    load(program_.program_folder + "\\Samples\\" + context.choice.sample + ".zbx");
}

void EditorFrame::show_properties() {
    const std::string& path = program_.script.script_path;
    if (path.empty()) {
        box("No file currently open", "System Message", MB_OK | MB_ICONINFORMATION);
        return;
    }
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = frame_;
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
}

void EditorFrame::find(int id) {
    if (program_.script.steps.empty()) {
        box(kFileEmpty, "System Message", MB_OK | MB_ICONINFORMATION);
        return;
    }
    SettingsStore& store = program_.store;
    FindDirection direction = id == cmd::kFindPrevious ? FindDirection::kUp : FindDirection::kDown;
    if (id == cmd::kFind || find_text_.empty()) {
        FindContext context{find_text_, setting_number(store, "SOFTWARE\\Zorbel\\FindDirection")};
        if (DialogBoxParamA(instance_, MAKEINTRESOURCEA(res::kFindDialog), frame_, find_procedure,
                            reinterpret_cast<LPARAM>(&context)) != IDOK)
            return;
        find_text_ = context.text;
        write_setting_number(store, "SOFTWARE\\Zorbel\\FindDirection", context.direction);
        if (id == cmd::kFind) direction = context.direction == -1 ? FindDirection::kUp : FindDirection::kDown;
    }
    const EditOutcome out = commands_.find(find_text_, direction, grid_.selection());
    if (!out.message.empty()) {
        box(out.message, "Find", MB_OK | MB_ICONINFORMATION);
        return;
    }
    grid_.apply(out);
}

void EditorFrame::go_to_step() {
    const int32_t focused = grid_.selection().focused;
    std::string text = std::to_string(focused >= 0 ? focused + 1 : 1);
    if (DialogBoxParamA(instance_, MAKEINTRESOURCEA(res::kGoToDialog), frame_, go_to_procedure,
                        reinterpret_cast<LPARAM>(&text)) != IDOK)
        return;
    if (program_.script.steps.empty()) return;
    const int32_t row = commands_.go_to_row(text);
    grid_.select({row}, row);
    SetFocus(grid_.window());
}

}  // namespace zorbel
