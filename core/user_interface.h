// What the script model needs from the user interface: message boxes, the status
// bar, the title and the recent-file list. The editor supplies the real boxes; the
// player and native tests supply their own.
#pragma once
#include <string>

namespace zorbel {

enum class Answer { kYes, kNo, kCancel };
enum class BoxIcon { kInformation, kExclamation, kStop, kQuestion };

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
