// The Win32 forms of the prompts, shown on the calling thread: the timed message box,
// the input, login and list dialogs (resources 1117, 1062, 1127), the file and folder
// choosers, the status/progress popup, the tool tip, the image window, the popup menu
// and the input box.
#pragma once
#include <windows.h>

#include <string>

#include "core/user_interface.h"

namespace zorbel {

constexpr int kInputDialog = 1117;
constexpr int kLoginDialog = 1062;
constexpr int kListDialog = 1127;
constexpr const char* kPromptTitle = "Zorbel Message";

// A message box titled "Zorbel Message" without owner. With a time limit, timer 1002
// of `timer_window` (or a thread timer when it is null) closes this thread's own box
// of that title when the time is up: kTimedOut.
PromptEnd show_message_box(HWND timer_window, const MessagePrompt& prompt);

// One of the three prompt dialogs, modal, owned by `owner`.
PromptEnd show_prompt_dialog(HWND owner, int template_id, DialogPrompt& prompt);

// The system's open-file dialog and folder browser, owned by the foreground window.
PromptEnd show_file_chooser(DialogPrompt& prompt);
PromptEnd show_folder_chooser(DialogPrompt& prompt);

// The chosen line (from 1) of a popup menu shown at the pointer, 0 for none.
int show_popup_menu(const std::string& text);

// A small modal input window (class "ZorbelInput"): true for OK.
bool show_input_box(const std::string& title, bool multi_line, const std::string& prompt, std::string* text);

// The modeless prompt windows of one program: at most one popup and one tool tip.
class PromptWindows {
public:
    // Shows the popup or replaces the text of the open one. A width or height of 0 or
    // less takes the default size; x and y of 0 centre it.
    HWND show_popup(const PopupPrompt& popup, int x = 0, int y = 0, int width = 0, int height = 0);
    void close_popup();
    HWND popup() const;
    // The tool tip at (x, y), or near the pointer when both are 0.
    HWND show_tool_tip(const std::string& text, uint32_t close_ms, int x = 0, int y = 0, HFONT font = nullptr);
    HWND tool_tip() const;
    // A window of the image's own size, centred; null when the image cannot be loaded.
    static HWND show_image(const std::string& path, uint32_t close_ms);

private:
    HWND popup_ = nullptr;
    HWND tool_tip_ = nullptr;
};

}  // namespace zorbel
