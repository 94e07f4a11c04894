#include "app/unattended_user_interface.h"

#include "engine/run_log.h"

namespace zorbel {

std::string unattended_box_line(const std::string& title, const std::string& text, const char* answer) {
    std::string one_line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            while (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) ++i;
            // Line breaks at the start or end of the text leave no mark.
            if (!one_line.empty() && i + 1 < text.size()) one_line += " / ";
        } else {
            one_line += c == '\t' ? ' ' : c;
        }
    }
    return "Unattended: \"" + title + "\" box: " + one_line + " -> answered " + answer;
}

void UnattendedUserInterface::report(const std::string& title, const std::string& text, const char* answer) {
    ++answered_;
    const std::string line = unattended_box_line(title, text, answer);
    log_.text(nullptr, line + "\r\n");
    if (standard_error_) standard_error_(line);
}

void UnattendedUserInterface::error_box(const std::string& text) { report("Error", text, "OK"); }

void UnattendedUserInterface::titled_error_box(const std::string& title, const std::string& text) {
    report(title, text, "OK");
}

Answer UnattendedUserInterface::ask_yes_no(const std::string& title, const std::string& text) {
    report(title, text, "No");
    return Answer::kNo;
}

Answer UnattendedUserInterface::box(const std::string& title, const std::string& text, BoxIcon, bool yes_no) {
    report(title, text, yes_no ? "No" : "OK");
    return yes_no ? Answer::kNo : Answer::kYes;
}

bool UnattendedUserInterface::popup_menu(const std::string& text, int* choice) {
    report("Popup Menu", text, "Cancel (no item chosen)");
    *choice = 0;
    return true;
}

PromptEnd UnattendedUserInterface::message_prompt(const MessagePrompt& prompt) {
    const bool question = prompt.kind == MessagePrompt::kQuestion;
    report("Zorbel Message", prompt.text, question ? "No" : "OK");
    return question ? PromptEnd::kNo : PromptEnd::kOk;
}

PromptEnd UnattendedUserInterface::input_prompt(DialogPrompt& prompt) {
    report("Input Value", prompt.prompt, "Cancel");
    return PromptEnd::kCancelled;
}

PromptEnd UnattendedUserInterface::login_prompt(DialogPrompt& prompt) {
    report("Login Prompt", prompt.prompt, "Cancel");
    return PromptEnd::kCancelled;
}

PromptEnd UnattendedUserInterface::list_prompt(DialogPrompt& prompt) {
    report("Choose from a List", prompt.prompt, "Cancel (no item chosen)");
    prompt.chosen = -1;
    return PromptEnd::kCancelled;
}

PromptEnd UnattendedUserInterface::file_prompt(DialogPrompt& prompt) {
    report("Choose a File", prompt.value, "Cancel");
    return PromptEnd::kCancelled;
}

PromptEnd UnattendedUserInterface::folder_prompt(DialogPrompt& prompt) {
    report("Choose a Folder", prompt.value, "Cancel");
    return PromptEnd::kCancelled;
}

void UnattendedUserInterface::status_popup(const PopupPrompt& popup) {
    report(popup.progress ? "Progress Bar Popup" : "Status Popup", popup.text, "not shown");
}

void UnattendedUserInterface::tool_tip(const std::string& text, uint32_t) { report("Tool Tip", text, "not shown"); }

bool UnattendedUserInterface::image_window(const std::string& path, uint32_t) {
    report("Display Image", path, "not shown");
    return true;
}

bool UnattendedUserInterface::input_box(const std::string& title, bool, const std::string& prompt, std::string* text) {
    report(title, prompt, "Cancel");
    text->clear();
    return false;
}

}  // namespace zorbel
