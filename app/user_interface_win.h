// The user interface of the Windows programs: the real message boxes, and the status
// bar and title through the program's callbacks.
#pragma once
#include <windows.h>

#include <functional>

#include "actions/prompts/prompt_windows_win.h"
#include "core/user_interface.h"

namespace zorbel {

class WinUserInterface : public UserInterface {
public:
    // `owner` may be null; `set_status_text` and `set_window_title` may be empty.
    explicit WinUserInterface(HWND owner = nullptr) : owner_(owner) {}
    void set_owner(HWND owner) { owner_ = owner; }
    std::function<void(int, const std::string&)> on_status;
    std::function<void(const std::string&)> on_title;
    std::function<void(const std::string&)> on_recent_removed;
    std::function<void()> on_script_replaced;
    // Or-ed into the style of the run's boxes (the on-top style, 0 or MB_TOPMOST).
    UINT box_style = 0;

    void error_box(const std::string& text) override;
    void titled_error_box(const std::string& title, const std::string& text) override;
    Answer ask_yes_no(const std::string& title, const std::string& text) override;
    void set_status(int part, const std::string& text) override;
    void set_title(const std::string& title) override;
    void remove_recent_file(const std::string& path) override;
    void script_replaced() override;
    Answer box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) override;
    // The prompts of the User Prompt steps (user_interface_prompts_win.cpp).
    bool popup_menu(const std::string& text, int* choice) override;
    PromptEnd message_prompt(const MessagePrompt& prompt) override;
    PromptEnd input_prompt(DialogPrompt& prompt) override;
    PromptEnd login_prompt(DialogPrompt& prompt) override;
    PromptEnd list_prompt(DialogPrompt& prompt) override;
    PromptEnd file_prompt(DialogPrompt& prompt) override;
    PromptEnd folder_prompt(DialogPrompt& prompt) override;
    void status_popup(const PopupPrompt& popup) override;
    void close_popup() override;
    void tool_tip(const std::string& text, uint32_t close_ms) override;
    bool image_window(const std::string& path, uint32_t close_ms) override;
    bool input_box(const std::string& title, bool multi_line, const std::string& prompt, std::string* text) override;
    // The open popup and tool tip.
    PromptWindows prompt_windows;

private:
    HWND owner_;
};

}  // namespace zorbel
