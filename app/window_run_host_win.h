// The run host of the Windows programs: the step timer belongs to the program's main
// window.
#pragma once
#include <windows.h>

#include <functional>

#include "engine/run_host.h"

namespace zorbel {

class WindowRunHost : public RunHost {
public:
    explicit WindowRunHost(HWND main_window = nullptr) : main_window_(main_window) {}
    void set_main_window(HWND window) { main_window_ = window; }
    HWND main_window() const { return main_window_; }

    // The step grid's selection and the editing commands, when the program has them.
    std::function<int32_t()> on_selected_step;
    std::function<void(int32_t)> on_select_step;
    std::function<void(bool)> on_enable_editing;

    void set_step_timer(uint32_t milliseconds) override;
    void kill_step_timer() override;
    void post_tick() override;
    void enable_editing(bool enabled) override;
    int32_t selected_step() override;
    void select_step(int32_t index) override;
    void set_progress(int) override {}
    void minimize_main_window() override;
    void restore_main_window() override;
    void close_main_window() override;
    bool other_instance_running() override;

private:
    HWND main_window_;
    bool timer_armed_ = false;
};

}  // namespace zorbel
