#include "app/window_run_host_win.h"

#include "engine/run_controller.h"

namespace zorbel {

void WindowRunHost::set_step_timer(uint32_t milliseconds) {
    timer_armed_ = SetTimer(main_window_, kStepTimerId, milliseconds, nullptr) != 0;
}

// Only a timer that was set is killed: each call is a round trip to the window server.
void WindowRunHost::kill_step_timer() {
    if (!timer_armed_) return;
    KillTimer(main_window_, kStepTimerId);
    timer_armed_ = false;
}

void WindowRunHost::post_tick() { PostMessageA(main_window_, WM_TIMER, kStepTimerId, 0); }

void WindowRunHost::enable_editing(bool enabled) {
    if (on_enable_editing) on_enable_editing(enabled);
}

int32_t WindowRunHost::selected_step() { return on_selected_step ? on_selected_step() : -1; }

void WindowRunHost::select_step(int32_t index) {
    if (on_select_step) on_select_step(index);
}

void WindowRunHost::minimize_main_window() { ShowWindow(main_window_, SW_MINIMIZE); }

void WindowRunHost::restore_main_window() { ShowWindow(main_window_, SW_RESTORE); }

void WindowRunHost::close_main_window() { SendMessageA(main_window_, WM_CLOSE, 0, 0); }

bool WindowRunHost::other_instance_running() {
    for (HWND w = FindWindowA("Zorbel", nullptr); w; w = FindWindowExA(nullptr, w, "Zorbel", nullptr))
        if (w != main_window_) return true;
    return false;
}

}  // namespace zorbel
