// The real pointer and mouse events, and the window primitives of the window actions.
#include <windows.h>

#include "actions/mouse/mouse_desktop.h"
#include "actions/mouse/pointer_settle.h"
#include "actions/windows/window_search_win.h"

namespace zorbel {

namespace {

HWND as_window(intptr_t window) { return reinterpret_cast<HWND>(window); }

constexpr uint32_t kButtonEvents = kMouseLeftDown | kMouseLeftUp | kMouseRightDown | kMouseRightUp;

// Under Wine a button event without a position can land where an earlier placing left
// the pointer rather than where it stands now; the event is given the pointer's place
// as an absolute position, which rounds back to the same pixel.
void pin_to_pointer(uint32_t* flags, long* x, long* y) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    const long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return;
    *flags |= kMouseMove | kMouseAbsolute;
    *x = static_cast<long>((static_cast<int64_t>(p.x) * 65536 + width - 1) / width);
    *y = static_cast<long>((static_cast<int64_t>(p.y) * 65536 + height - 1) / height);
}

class SystemPointer : public MouseDesktop {
public:
    ScreenPoint cursor_position() override {
        POINT p = {0, 0};
        GetCursorPos(&p);
        return ScreenPoint{p.x, p.y};
    }
    void set_cursor_position(long x, long y) override {
        SetCursorPos(x, y);
        // A position off the screen puts the pointer on the screen's nearest edge.
        const long left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        const long right = left + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
        const long bottom = top + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1;
        wait_for_pointer_at(x < left ? left : x > right ? right : x, y < top ? top : y > bottom ? bottom : y);
    }
    void mouse_event(uint32_t flags, long x, long y, int32_t data) override {
        if (running_on_wine() && (flags & kButtonEvents) && !(flags & kMouseMove)) pin_to_pointer(&flags, &x, &y);
        ::mouse_event(flags, static_cast<DWORD>(x), static_cast<DWORD>(y), static_cast<DWORD>(data), 0);
    }
    void show_cursor() override { ShowCursor(TRUE); }
    ScreenPoint screen_size() override {
        return ScreenPoint{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    uint32_t double_click_time() override { return GetDoubleClickTime(); }
    void glide_to_window(intptr_t window, int where, bool glide) override {
        GlideCursorToWindow(as_window(window), where, glide);
    }
};

}  // namespace

MouseDesktop& system_mouse_desktop() {
    static SystemPointer desktop;
    return desktop;
}

}  // namespace zorbel
