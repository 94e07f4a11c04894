// "Choose a File" and "Choose a Folder": the system's open-file dialog and folder
// browser, preset with the step's default. With a time limit the chooser is cancelled
// when the time is up, as the other prompts are.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include "actions/prompts/prompt_text.h"
#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr UINT_PTR kChooserTimerId = 1000;

thread_local uint32_t chooser_timeout_ms = 0;
thread_local bool chooser_timed_out = false;

void CALLBACK chooser_timeout(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    chooser_timed_out = true;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
}

void start_chooser_timer(HWND chooser) {
    if (chooser_timeout_ms != 0) SetTimer(chooser, kChooserTimerId, chooser_timeout_ms, chooser_timeout);
}

// The hook's dialog is a child of the explorer-style dialog.
UINT_PTR CALLBACK file_hook(HWND hook, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) start_chooser_timer(GetParent(hook));
    return 0;
}

int CALLBACK folder_callback(HWND browser, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) start_chooser_timer(browser);
    return 0;
}

PromptEnd chooser_end(bool chosen) {
    if (chosen) return PromptEnd::kOk;
    return chooser_timed_out ? PromptEnd::kTimedOut : PromptEnd::kCancelled;
}

}  // namespace

PromptEnd show_file_chooser(DialogPrompt& prompt) {
    char path[kPromptTextLimit + 1] = {};
    lstrcpynA(path, prompt.value.c_str(), sizeof(path));
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = GetForegroundWindow();
    dialog.lpstrFilter = "All Files (*.*)\0*.*\0\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof(path);
    dialog.Flags = OFN_LONGNAMES | OFN_HIDEREADONLY;
    if (prompt.timeout_ms != 0) {
        dialog.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
        dialog.lpfnHook = file_hook;
    }
    chooser_timeout_ms = prompt.timeout_ms;
    chooser_timed_out = false;
    const bool chosen = GetOpenFileNameA(&dialog) != FALSE;
    if (chosen) prompt.value = path;
    return chooser_end(chosen);
}

PromptEnd show_folder_chooser(DialogPrompt& prompt) {
    char path[MAX_PATH] = {};
    BROWSEINFOA browse = {};
    browse.hwndOwner = GetForegroundWindow();
    browse.pszDisplayName = path;
    browse.lpszTitle = "Open Folder";
    browse.lpfn = folder_callback;
    chooser_timeout_ms = prompt.timeout_ms;
    chooser_timed_out = false;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    bool found = false;
    if (chosen != nullptr) {
        found = SHGetPathFromIDListA(chosen, path) != FALSE;
        CoTaskMemFree(chosen);
    }
    if (found) prompt.value = path;
    return chooser_end(found);
}

}  // namespace zorbel
