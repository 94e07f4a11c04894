// The prompts of the Windows programs: message boxes timed by the main window's timer
// 1002, the prompt dialogs owned by the main window, and the modeless popups.
#include "app/user_interface_win.h"

namespace zorbel {

namespace {

// The status and progress popups of prompt steps have this size.
constexpr int kPromptPopupWidth = 350;
constexpr int kPromptPopupHeight = 100;

}  // namespace

bool WinUserInterface::popup_menu(const std::string& text, int* choice) {
    *choice = show_popup_menu(text);
    return true;
}

PromptEnd WinUserInterface::message_prompt(const MessagePrompt& prompt) { return show_message_box(owner_, prompt); }

PromptEnd WinUserInterface::input_prompt(DialogPrompt& prompt) {
    return show_prompt_dialog(owner_, kInputDialog, prompt);
}

PromptEnd WinUserInterface::login_prompt(DialogPrompt& prompt) {
    return show_prompt_dialog(owner_, kLoginDialog, prompt);
}

PromptEnd WinUserInterface::list_prompt(DialogPrompt& prompt) { return show_prompt_dialog(owner_, kListDialog, prompt); }

PromptEnd WinUserInterface::file_prompt(DialogPrompt& prompt) { return show_file_chooser(prompt); }

PromptEnd WinUserInterface::folder_prompt(DialogPrompt& prompt) { return show_folder_chooser(prompt); }

void WinUserInterface::status_popup(const PopupPrompt& popup) {
    prompt_windows.show_popup(popup, 0, 0, kPromptPopupWidth, kPromptPopupHeight);
}

void WinUserInterface::close_popup() { prompt_windows.close_popup(); }

void WinUserInterface::tool_tip(const std::string& text, uint32_t close_ms) {
    prompt_windows.show_tool_tip(text, close_ms);
}

bool WinUserInterface::image_window(const std::string& path, uint32_t close_ms) {
    return PromptWindows::show_image(path, close_ms) != nullptr;
}

bool WinUserInterface::input_box(const std::string& title, bool multi_line, const std::string& prompt,
                                 std::string* text) {
    return show_input_box(title, multi_line, prompt, text);
}

}  // namespace zorbel
