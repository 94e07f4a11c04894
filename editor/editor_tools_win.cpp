// The Tools commands that inspect the script and the desktop: Auto-Indent and
// Validate, the three window listings and Open Logfile.
#include <windows.h>
#include <shellapi.h>

#include "actions/windows/window_rules.h"
#include "actions/windows/window_search_win.h"
#include "editor/command_ids.h"
#include "editor/editor_frame_win.h"
#include "editor/model/auto_indent.h"
#include "editor/model/tool_commands.h"

namespace zorbel {

namespace {

std::string file_text(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return text;
}

bool open_with_shell(HWND owner, const std::string& path) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

// "Currently Running Windows": the listing in a read-only box, for when no program opens it.
INT_PTR CALLBACK running_windows_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            HWND text = GetDlgItem(dialog, res::kRunningWindowsText);
            SendMessageA(text, EM_SETLIMITTEXT, 0, 0);
            SetWindowTextA(text, reinterpret_cast<const std::string*>(lparam)->c_str());
            // The caret at the top, nothing selected: the list opens at its first line.
            SetFocus(text);
            SendMessageA(text, EM_SETSEL, 0, 0);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK) EndDialog(dialog, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void EditorFrame::auto_indent_and_validate() {
    if (commands_.running || program_.run.running) return;
    std::vector<Step>& steps = program_.script.steps;
    if (!push_snapshot() && !steps.empty()) mark_changed();
    const BlockDepths depths = auto_indent(steps);
    refresh_rows(-1);
    const std::string error = validation_error(depths);
    if (error.empty())
        program_.ui.set_status(0, validation_complete(program_.script.step_count()));
    else
        box(error, "Error", MB_OK | MB_ICONEXCLAMATION);
}

void EditorFrame::list_windows(int id) {
    const int32_t mode = window_listing_mode(id);
    if (mode < 0) return;
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string path = window_listing_path(program);
    DeleteFileA(path.c_str());
    FindTargetWindow(kCriteriaListWindows, nullptr, static_cast<uint32_t>(mode));
    if (open_with_shell(frame_, path)) return;
    const std::string listing = file_text(path);
    DialogBoxParamA(instance_, MAKEINTRESOURCEA(res::kRunningWindowsDialog), frame_, running_windows_procedure,
                    reinterpret_cast<LPARAM>(&listing));
}

void EditorFrame::open_logfile() {
    SettingsStore& store = program_.store;
    const std::string path = setting_text(store, "SOFTWARE\\Zorbel\\Logfile");
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    const bool exists = !path.empty() && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
                        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const uint64_t size = exists ? (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow : 0;
    switch (logfile_answer(exists, size, setting_number(store, "SOFTWARE\\Zorbel\\Log"))) {
        case LogfileAnswer::kOpen:
            open_with_shell(frame_, path);
            return;
        case LogfileAnswer::kEmpty:
            box(kLogfileEmpty, "System Message", MB_OK | MB_ICONINFORMATION);
            return;
        case LogfileAnswer::kEmptyAndLoggingOff:
            if (box(kLogfileEmptyLoggingOff, "Confirm Action", MB_YESNO | MB_ICONQUESTION) == IDYES)
                on_command(cmd::kOptions);
            return;
    }
}

}  // namespace zorbel
