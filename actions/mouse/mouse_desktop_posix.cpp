// Natively there is no pointer: it stays at (0, 0) and events go nowhere.
#include "actions/mouse/mouse_desktop.h"

namespace zorbel {

namespace {

class NoPointer : public MouseDesktop {
public:
    ScreenPoint cursor_position() override { return ScreenPoint{}; }
    void set_cursor_position(long, long) override {}
    void mouse_event(uint32_t, long, long, int32_t) override {}
    void show_cursor() override {}
    void sleep(uint32_t) override {}
    ScreenPoint screen_size() override { return ScreenPoint{}; }
    uint32_t double_click_time() override { return 500; }
    intptr_t current_window() override { return 0; }
    void set_current_window(intptr_t) override {}
    bool is_visible_window(intptr_t) override { return false; }
    intptr_t foreground_window() override { return 0; }
    bool window_rect(intptr_t, WindowRect*) override { return false; }
    intptr_t find_window(uint32_t, const std::string&) override { return 0; }
    void activate_window(intptr_t) override {}
    void glide_to_window(intptr_t, int, bool) override {}
};

}  // namespace

MouseDesktop& system_mouse_desktop() {
    static NoPointer desktop;
    return desktop;
}

}  // namespace zorbel
