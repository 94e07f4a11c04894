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

}  // namespace zorbel
