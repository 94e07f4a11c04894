// The real message boxes of the Windows programs.
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

    void error_box(const std::string& text) override;
    void titled_error_box(const std::string& title, const std::string& text) override;
    Answer ask_yes_no(const std::string& title, const std::string& text) override;
    void set_status(int part, const std::string& text) override;
    void set_title(const std::string& title) override;
    void remove_recent_file(const std::string& path) override;
    void script_replaced() override;

private:
    HWND owner_;
};

}  // namespace zorbel
