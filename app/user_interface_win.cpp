#include "app/user_interface_win.h"

namespace zorbel {

// Every box is task-modal and brought to the foreground.
static const UINT kBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND;

void WinUserInterface::error_box(const std::string& text) { titled_error_box("Error", text); }

void WinUserInterface::titled_error_box(const std::string& title, const std::string& text) {
    MessageBoxA(owner_, text.c_str(), title.c_str(), MB_OK | MB_ICONEXCLAMATION | kBoxStyle);
}

Answer WinUserInterface::ask_yes_no(const std::string& title, const std::string& text) {
    int answer = MessageBoxA(owner_, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION | kBoxStyle);
    return answer == IDYES ? Answer::kYes : Answer::kNo;
}

void WinUserInterface::set_status(int part, const std::string& text) {
    if (on_status) on_status(part, text);
}

void WinUserInterface::set_title(const std::string& title) {
    if (on_title) on_title(title);
    else if (owner_) SetWindowTextA(owner_, title.c_str());
}

void WinUserInterface::remove_recent_file(const std::string& path) {
    if (on_recent_removed) on_recent_removed(path);
}

Answer WinUserInterface::box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) {
    UINT style = kBoxStyle | box_style | (yes_no ? MB_YESNO : MB_OK);
    switch (icon) {
        case BoxIcon::kInformation: style |= MB_ICONINFORMATION; break;
        case BoxIcon::kExclamation: style |= MB_ICONEXCLAMATION; break;
        case BoxIcon::kStop: style |= MB_ICONSTOP; break;
        case BoxIcon::kQuestion: style |= MB_ICONQUESTION; break;
    }
    return MessageBoxA(owner_, text.c_str(), title.c_str(), style) == IDNO ? Answer::kNo : Answer::kYes;
}

void WinUserInterface::script_replaced() {
    if (on_script_replaced) on_script_replaced();
}

}  // namespace zorbel
