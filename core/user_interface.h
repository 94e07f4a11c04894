// What the script model needs from the user interface: message boxes, the status
// bar, the title and the recent-file list. The editor supplies the real boxes; the
// player and native tests supply their own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace zorbel {

enum class Answer { kYes, kNo, kCancel };
enum class BoxIcon { kInformation, kExclamation, kStop, kQuestion };

// How a prompt of a run ended. A box that could not be shown is kFailed.
enum class PromptEnd { kOk, kYes, kNo, kCancelled, kTimedOut, kFailed };

// The message box of "Display Message", "Display Warning" and "Ask Yes/No Question".
struct MessagePrompt {
    enum Kind { kMessage, kWarning, kQuestion };
    std::string text;
    Kind kind = kMessage;
    bool system_modal = false;
    bool on_top = false;      // the program's "Keep on Top" setting
    uint32_t timeout_ms = 0;  // 0: no limit
};

// The input, login, list, file and folder prompts: `value` holds the preset and, on
// kOk, the answer; the list prompt answers with `chosen` (an index of `items`, or -1).
struct DialogPrompt {
    std::string prompt;
    std::string value;
    std::string password;
    std::vector<std::string> items;
    int chosen = -1;
    uint32_t timeout_ms = 0;  // 0: no limit
};

// The status or progress popup; `close_ms` 0 keeps it until it is clicked.
struct PopupPrompt {
    std::string text;
    bool topmost = false;
    bool progress = false;
    uint32_t close_ms = 0;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // The program's error box: title "Error", exclamation icon.
    virtual void error_box(const std::string& text) = 0;
    // A box with its own title (such as "Load Error" or "Maximum Recordings").
    virtual void titled_error_box(const std::string& title, const std::string& text) = 0;
    // A Yes/No question with the given title.
    virtual Answer ask_yes_no(const std::string& title, const std::string& text) = 0;
    // Sets status-bar part `part` to `text`.
    virtual void set_status(int part, const std::string& text) = 0;
    virtual void set_title(const std::string& title) = 0;
    virtual void remove_recent_file(const std::string& path) = 0;
    // The script changed wholesale: reset the unsaved-changes counter, refresh the grid.
    virtual void script_replaced() = 0;
    // A message box of the run: an OK box, or a Yes/No question; returns Yes or No for
    // a question and Yes otherwise. A user interface that shows nothing answers No.
    virtual Answer box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) {
        (void)title, (void)text, (void)icon;
        return yes_no ? Answer::kNo : Answer::kYes;
    }
    // The popup menu of "Show Popup Menu": one item per line of `text`; `choice` gets
    // the chosen line from 1 (0 when none was chosen). False when this user
    // interface has no popup menu.
    virtual bool popup_menu(const std::string& text, int* choice) {
        (void)text, (void)choice;
        return false;
    }
    // The system's dialog that maps a network drive: Yes when a drive was mapped,
    // Cancel when the user cancelled, No when the dialog could not be shown. A user
    // interface without the dialog answers Cancel.
    virtual Answer map_drive_prompt() { return Answer::kCancel; }

    // The prompts of the User Prompt steps. An interface that shows nothing answers
    // each as cancelled (a question as No), keeps popups, tool tips and images unshown
    // and reports the image as shown.
    virtual PromptEnd message_prompt(const MessagePrompt& prompt) {
        return prompt.kind == MessagePrompt::kQuestion ? PromptEnd::kNo : PromptEnd::kOk;
    }
    virtual PromptEnd input_prompt(DialogPrompt&) { return PromptEnd::kCancelled; }
    virtual PromptEnd login_prompt(DialogPrompt&) { return PromptEnd::kCancelled; }
    virtual PromptEnd list_prompt(DialogPrompt&) { return PromptEnd::kCancelled; }
    virtual PromptEnd file_prompt(DialogPrompt&) { return PromptEnd::kCancelled; }
    virtual PromptEnd folder_prompt(DialogPrompt&) { return PromptEnd::kCancelled; }
    // Shows the popup, or replaces the text of the open one.
    virtual void status_popup(const PopupPrompt&) {}
    virtual void close_popup() {}
    // The tool tip at the pointer, closed after `close_ms`.
    virtual void tool_tip(const std::string& text, uint32_t close_ms) { (void)text, (void)close_ms; }
    // The image window; false when the image cannot be loaded or shown.
    virtual bool image_window(const std::string& path, uint32_t close_ms) {
        (void)path, (void)close_ms;
        return true;
    }
    // A small modal input box: true for OK (with `text` the answer), false for Cancel.
    virtual bool input_box(const std::string& title, bool multi_line, const std::string& prompt, std::string* text) {
        (void)title, (void)multi_line, (void)prompt, (void)text;
        return false;
    }
};

// A user interface that shows nothing and answers No: for code that must not block.
class SilentUserInterface : public UserInterface {
public:
    void error_box(const std::string&) override {}
    void titled_error_box(const std::string&, const std::string&) override {}
    Answer ask_yes_no(const std::string&, const std::string&) override { return Answer::kNo; }
    void set_status(int, const std::string&) override {}
    void set_title(const std::string&) override {}
    void remove_recent_file(const std::string&) override {}
    void script_replaced() override {}
};

}  // namespace zorbel
