// The run host of the Windows programs: the step timer and the boxes belong to the
// program's main window.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "engine/run_host.h"

namespace zorbel {

class WindowRunHost : public RunHost {
public:
    explicit WindowRunHost(HWND main_window = nullptr) : main_window_(main_window) {}
    void set_main_window(HWND window) { main_window_ = window; }
    HWND main_window() const { return main_window_; }

    // The status bar text setter and the step grid's selection, when the program has them.
    std::function<void(int, const std::string&)> on_status;
    std::function<int32_t()> on_selected_step;
    std::function<void(int32_t)> on_select_step;
    std::function<void(bool)> on_enable_editing;
    // Or-ed into every box's style (the on-top style, 0 or MB_TOPMOST).
    UINT box_style = 0;

    void set_step_timer(uint32_t milliseconds) override;
    void kill_step_timer() override;
    void post_tick() override;
    bool key_down(int virtual_key) override;
    void release_key(int virtual_key) override;
    void set_status(int part, const std::string& text) override;
    Answer box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) override;
    bool capture_screen(const std::string& path) override;
    void enable_editing(bool enabled) override;
    int32_t selected_step() override;
    void select_step(int32_t index) override;
    void minimize_main_window() override;
    void restore_main_window() override;
    void close_main_window() override;
    bool other_instance_running() override;
    bool buffered_typing_active() override;
    void remove_buffered_typing_hook() override;
    void remove_keypress_watcher() override {}
    void set_progress(int) override {}
    void sleep_milliseconds(uint32_t milliseconds) override { Sleep(milliseconds); }
    bool caps_lock_on() override;
    intptr_t foreground_window() override;
    std::string window_title(intptr_t window, size_t limit) override;
    intptr_t next_titled_window(intptr_t window) override;

    const std::string& status_text() const { return status_text_; }

private:
    HWND main_window_;
    bool timer_armed_ = false;
    std::string status_text_;
};

}  // namespace zorbel
