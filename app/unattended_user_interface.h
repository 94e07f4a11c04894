// The user interface of an unattended run ("/u"): nothing is shown and nothing waits
// for a person. Every box, question, dialog and prompt the program would show is
// written as one line to the run log and to standard error, saying which answer was
// taken, and answered at once:
//   - an information or error box: OK;
//   - a question (a damaged file, a save that would change a file's format): No,
//     which keeps the file unchanged and stops the load or the save;
//   - a run failure box: OK, so "Display Error and Continue" goes on; a box that asks
//     whether to continue ("Ask to Continue"): No, which stops the run;
//   - a popup menu: no item chosen;
//   - the prompts of prompt steps: a question No, a message OK, every dialog and
//     chooser Cancel (its preset kept); popups, tool tips and images are not shown.
// This class is the one place that answers prompts unattended. Each kind of prompt
// (input box, list, file and folder choosers, timed message box...) is added to
// UserInterface as its own method, and its override here reports the prompt with
// `report` and returns the prompt's Cancel or time-out answer, never showing it.
// The status bar, title and file list go to the program's own interface.
#pragma once
#include <functional>
#include <string>

#include "core/user_interface.h"

namespace zorbel {

class RunLog;

// The one-line form of a box: "Unattended: "TITLE" box: TEXT -> answered ANSWER",
// each run of line breaks in the text as " / " and each TAB as a blank.
std::string unattended_box_line(const std::string& title, const std::string& text, const char* answer);

class UnattendedUserInterface : public UserInterface {
public:
    // `shown`: the program's interface for the status bar, title and file list.
    // `standard_error`: writes one line (without its line end) to standard error.
    UnattendedUserInterface(UserInterface& shown, RunLog& log, std::function<void(const std::string&)> standard_error)
        : shown_(shown), log_(log), standard_error_(std::move(standard_error)) {}

    void error_box(const std::string& text) override;
    void titled_error_box(const std::string& title, const std::string& text) override;
    Answer ask_yes_no(const std::string& title, const std::string& text) override;
    Answer box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) override;
    bool popup_menu(const std::string& text, int* choice) override;
    // The prompts of the User Prompt steps: dialogs and choosers are cancelled, a
    // question is answered No, a message OK; popups, tool tips and images are not shown.
    PromptEnd message_prompt(const MessagePrompt& prompt) override;
    PromptEnd input_prompt(DialogPrompt& prompt) override;
    PromptEnd login_prompt(DialogPrompt& prompt) override;
    PromptEnd list_prompt(DialogPrompt& prompt) override;
    PromptEnd file_prompt(DialogPrompt& prompt) override;
    PromptEnd folder_prompt(DialogPrompt& prompt) override;
    void status_popup(const PopupPrompt& popup) override;
    void tool_tip(const std::string& text, uint32_t close_ms) override;
    bool image_window(const std::string& path, uint32_t close_ms) override;
    bool input_box(const std::string& title, bool multi_line, const std::string& prompt, std::string* text) override;
    void set_status(int part, const std::string& text) override { shown_.set_status(part, text); }
    void set_title(const std::string& title) override { shown_.set_title(title); }
    void remove_recent_file(const std::string& path) override { shown_.remove_recent_file(path); }
    void script_replaced() override { shown_.script_replaced(); }

    // Writes the line of a box answered with `answer` to the run log and standard error.
    void report(const std::string& title, const std::string& text, const char* answer);
    // How many boxes were answered.
    int answered() const { return answered_; }

private:
    UserInterface& shown_;
    RunLog& log_;
    std::function<void(const std::string&)> standard_error_;
    int answered_ = 0;
};

}  // namespace zorbel
