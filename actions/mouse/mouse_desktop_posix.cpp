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
    ScreenPoint screen_size() override { return ScreenPoint{}; }
    uint32_t double_click_time() override { return 500; }
    void glide_to_window(intptr_t, int, bool) override {}
};

}  // namespace

MouseDesktop& system_mouse_desktop() {
    static NoPointer desktop;
    return desktop;
}

}  // namespace zorbel
