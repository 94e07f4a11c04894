#include "engine/window_run_host_win.h"

#include <vector>

#include "actions/input/key_events.h"
#include "actions/input/keyboard_executor.h"
#include "actions/screen/bitmap_capture.h"
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

bool WindowRunHost::key_down(int virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

void WindowRunHost::release_key(int virtual_key) {
    SendKeyTransition(static_cast<uint8_t>(virtual_key), false, kKeyRelease);
}

bool WindowRunHost::buffered_typing_active() { return zorbel::buffered_typing_active(); }

void WindowRunHost::remove_buffered_typing_hook() { zorbel::remove_buffered_typing_hook(); }

void WindowRunHost::set_status(int part, const std::string& text) {
    if (part == 0) status_text_ = text;
    if (on_status) on_status(part, text);
}

Answer WindowRunHost::box(const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) {
    UINT style = MB_TASKMODAL | MB_SETFOREGROUND | box_style | (yes_no ? MB_YESNO : MB_OK);
    switch (icon) {
        case BoxIcon::kInformation: style |= MB_ICONINFORMATION; break;
        case BoxIcon::kExclamation: style |= MB_ICONEXCLAMATION; break;
        case BoxIcon::kStop: style |= MB_ICONSTOP; break;
        case BoxIcon::kQuestion: style |= MB_ICONQUESTION; break;
    }
    int answer = MessageBoxA(main_window_, text.c_str(), title.c_str(), style);
    return answer == IDNO ? Answer::kNo : Answer::kYes;
}

bool WindowRunHost::capture_screen(const std::string& path) { return capture_to_bitmap_file(0, path); }

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

bool WindowRunHost::caps_lock_on() { return (GetKeyState(VK_CAPITAL) & 0x8001) != 0; }

intptr_t WindowRunHost::foreground_window() { return reinterpret_cast<intptr_t>(GetForegroundWindow()); }

std::string WindowRunHost::window_title(intptr_t window, size_t limit) {
    std::vector<char> buffer(limit + 1, '\0');
    GetWindowTextA(reinterpret_cast<HWND>(window), buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

intptr_t WindowRunHost::next_titled_window(intptr_t window) {
    HWND w = reinterpret_cast<HWND>(window);
    while ((w = GetWindow(w, GW_HWNDNEXT)) != nullptr) {
        if (IsWindowVisible(w) && GetWindowTextLengthA(w) > 0) return reinterpret_cast<intptr_t>(w);
    }
    return 0;
}

}  // namespace zorbel
