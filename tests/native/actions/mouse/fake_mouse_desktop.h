// A desktop in memory for the mouse step tests: it records every effect as a short
// line ("SetCursorPos(100,200)", "mouse_event(0x2,0,0,0)", "Sleep(25)") and answers
// questions about the pointer and windows from its fields.
#pragma once
#include <string>
#include <vector>

#include "actions/mouse/mouse_desktop.h"
#include "core/text_rules.h"

namespace zorbel {

class FakeMouseDesktop : public MouseDesktop {
public:
    ScreenPoint pointer{640, 512};
    ScreenPoint screen{1280, 1024};
    uint32_t double_click_ms = 500;
    intptr_t current = 0;
    intptr_t foreground = 0;
    std::vector<intptr_t> visible_windows;
    WindowRect rect_of_windows{300, 200, 700, 500};  // every window's rectangle
    intptr_t found_window = 0;                       // what find_window answers
    std::vector<std::string> calls;

    ScreenPoint cursor_position() override { return pointer; }
    void set_cursor_position(long x, long y) override {
        calls.push_back(format("SetCursorPos(%ld,%ld)", x, y));
        pointer = ScreenPoint{x, y};
    }
    void mouse_event(uint32_t flags, long x, long y, int32_t data) override {
        calls.push_back(format("mouse_event(0x%X,%ld,%ld,%d)", flags, x, y, data));
    }
    void show_cursor() override { calls.push_back("ShowCursor"); }
    void sleep(uint32_t ms) override { calls.push_back(format("Sleep(%u)", ms)); }
    ScreenPoint screen_size() override { return screen; }
    uint32_t double_click_time() override { return double_click_ms; }
    intptr_t current_window() override { return current; }
    void set_current_window(intptr_t window) override {
        calls.push_back(format("SetCurrentWindow(%ld)", static_cast<long>(window)));
        current = window;
    }
    bool is_visible_window(intptr_t window) override {
        for (intptr_t w : visible_windows)
            if (w == window) return true;
        return false;
    }
    intptr_t foreground_window() override { return foreground; }
    bool window_rect(intptr_t window, WindowRect* out) override {
        if (!window) return false;
        *out = rect_of_windows;
        return true;
    }
    intptr_t find_window(uint32_t criteria, const std::string& specification) override {
        calls.push_back(format("FindTargetWindow(%u,%s)", criteria, specification.c_str()));
        return found_window;
    }
    void activate_window(intptr_t window) override {
        calls.push_back(format("ActivateWindow(%ld)", static_cast<long>(window)));
    }
    void glide_to_window(intptr_t window, int where, bool glide) override {
        calls.push_back(format("GlideCursorToWindow(%ld,%d,%d)", static_cast<long>(window), where, glide ? 1 : 0));
    }
};

}  // namespace zorbel
