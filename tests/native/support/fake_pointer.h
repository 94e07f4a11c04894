// The fake desktop's pointer: every effect goes into the desktop's one call log as a
// short line ("SetCursorPos(100,200)", "mouse_event(0x2,0,0,0)").
#pragma once
#include <string>
#include <vector>

#include "actions/mouse/mouse_desktop.h"
#include "core/text_rules.h"

namespace zorbel {

class FakeMouseDesktop : public MouseDesktop {
public:
    explicit FakeMouseDesktop(std::vector<std::string>& log) : calls(log) {}

    ScreenPoint pointer{640, 512};
    ScreenPoint screen{1280, 1024};
    uint32_t double_click_ms = 500;
    std::vector<std::string>& calls;

    ScreenPoint cursor_position() override { return pointer; }
    void set_cursor_position(long x, long y) override {
        calls.push_back(format("SetCursorPos(%ld,%ld)", x, y));
        pointer = ScreenPoint{x, y};
    }
    void mouse_event(uint32_t flags, long x, long y, int32_t data) override {
        calls.push_back(format("mouse_event(0x%X,%ld,%ld,%d)", flags, x, y, data));
    }
    void show_cursor() override { calls.push_back("ShowCursor"); }
    ScreenPoint screen_size() override { return screen; }
    uint32_t double_click_time() override { return double_click_ms; }
    void glide_to_window(intptr_t window, int where, bool glide) override {
        calls.push_back(format("GlideCursorToWindow(%ld,%d,%d)", static_cast<long>(window), where, glide ? 1 : 0));
    }
};

}  // namespace zorbel
