// The input, login and list dialogs: one dialog procedure for the three templates.
// A dialog with a time limit closes as cancelled when its timer 1000 fires. The list
// dialog answers with the index of the chosen item, never with a copy of its text.
#include "actions/prompts/prompt_text.h"
#include "actions/prompts/prompt_windows_win.h"

namespace zorbel {

namespace {

constexpr int kPromptControl = 1111;
constexpr int kValueEdit = 1110;
constexpr int kPasswordEdit = 1201;
constexpr int kListBox = 1112;
constexpr int kIconControl = 1128;
constexpr UINT_PTR kDialogTimerId = 1000;

struct DialogState {
    int template_id;
    DialogPrompt* prompt;
    bool timed_out = false;
};

std::string control_text(HWND dialog, int control) {
    char text[kPromptTextLimit + 1] = {};
    GetDlgItemTextA(dialog, control, text, sizeof(text));
    return text;
}

BOOL CALLBACK set_default_font(HWND control, LPARAM font) {
    SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

void centre_on_screen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void initialise(HWND dialog, DialogState& state) {
    DialogPrompt& prompt = *state.prompt;
    if (state.template_id == kListDialog) {
        for (const std::string& item : prompt.items)
            SendDlgItemMessageA(dialog, kListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    EnumChildWindows(dialog, set_default_font, reinterpret_cast<LPARAM>(GetStockObject(DEFAULT_GUI_FONT)));
    SendDlgItemMessageA(dialog, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_QUESTION)), 0);
    centre_on_screen(dialog);
    SetDlgItemTextA(dialog, kPromptControl, prompt.prompt.c_str());
    SendDlgItemMessageA(dialog, kValueEdit, EM_LIMITTEXT, kPromptTextLimit, 0);
    SetDlgItemTextA(dialog, kValueEdit, cut_prompt_text(prompt.value).c_str());
    SetWindowTextA(dialog, kPromptTitle);
    SetForegroundWindow(dialog);
    if (prompt.timeout_ms != 0) SetTimer(dialog, kDialogTimerId, prompt.timeout_ms, nullptr);
}

void take_answer(HWND dialog, DialogState& state) {
    DialogPrompt& prompt = *state.prompt;
    switch (state.template_id) {
        case kListDialog: {
            const LRESULT chosen = SendDlgItemMessageA(dialog, kListBox, LB_GETCURSEL, 0, 0);
            prompt.chosen = chosen == LB_ERR ? -1 : static_cast<int>(chosen);
            break;
        }
        case kLoginDialog:
            prompt.value = control_text(dialog, kValueEdit);
            prompt.password = control_text(dialog, kPasswordEdit);
            break;
        default:
            prompt.value = control_text(dialog, kValueEdit);
    }
}

INT_PTR CALLBACK prompt_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    DialogState* state = reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<DialogState*>(lparam);
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            initialise(dialog, *state);
            return TRUE;
        case WM_COMMAND:
            if (state == nullptr) return FALSE;
            if (LOWORD(wparam) == IDOK || (LOWORD(wparam) == kListBox && HIWORD(wparam) == LBN_DBLCLK)) {
                take_answer(dialog, *state);
                EndDialog(dialog, 1);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        case WM_TIMER:
            if (wparam != kDialogTimerId || state == nullptr) return FALSE;
            KillTimer(dialog, kDialogTimerId);
            state->timed_out = true;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

PromptEnd show_prompt_dialog(HWND owner, int template_id, DialogPrompt& prompt) {
    DialogState state{template_id, &prompt};
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(template_id), owner,
                                           prompt_dialog_procedure, reinterpret_cast<LPARAM>(&state));
    if (result == 1) return PromptEnd::kOk;
    if (result == 0) return state.timed_out ? PromptEnd::kTimedOut : PromptEnd::kCancelled;
    return PromptEnd::kFailed;
}

}  // namespace zorbel
