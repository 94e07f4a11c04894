// The user interface of the Windows programs: the real message boxes, and the status
// bar and title through the program's callbacks.
#pragma once
#include <windows.h>

#include <functional>

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

private:
    HWND owner_;
};

}  // namespace zorbel
