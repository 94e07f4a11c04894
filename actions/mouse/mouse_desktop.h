// What the mouse steps need from the desktop: the pointer, mouse events, the screen
// size, the current window and the window primitives of "Move to Control" and "Move
// to Window". mouse_desktop_win.cpp is the real desktop; native tests record calls.
#pragma once
#include <cstdint>
#include <string>

#include "engine/current_window.h"
#include "engine/expansion_environment.h"

namespace zorbel {

// mouse_event flags.
constexpr uint32_t kMouseMove = 0x0001;
constexpr uint32_t kMouseLeftDown = 0x0002;
constexpr uint32_t kMouseLeftUp = 0x0004;
constexpr uint32_t kMouseRightDown = 0x0008;
constexpr uint32_t kMouseRightUp = 0x0010;
constexpr uint32_t kMouseWheel = 0x0800;
constexpr uint32_t kMouseAbsolute = 0x8000;
constexpr int32_t kWheelDelta = 120;

class MouseDesktop {
public:
    virtual ~MouseDesktop() = default;

    virtual ScreenPoint cursor_position() = 0;
    // SetCursorPos.
    virtual void set_cursor_position(long x, long y) = 0;
    // mouse_event.
    virtual void mouse_event(uint32_t flags, long x, long y, int32_t data) = 0;
    // ShowCursor(TRUE).
    virtual void show_cursor() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
    virtual ScreenPoint screen_size() = 0;
    virtual uint32_t double_click_time() = 0;

    // The run's current window (0 when none is set) and its replacement.
    virtual intptr_t current_window() = 0;
    virtual void set_current_window(intptr_t window) = 0;
    // A window that still exists and is visible (WS_VISIBLE and IsWindowVisible).
    virtual bool is_visible_window(intptr_t window) = 0;
    virtual intptr_t foreground_window() = 0;
    virtual bool window_rect(intptr_t window, WindowRect* out) = 0;

    // FindTargetWindow with mode 0; 0 when nothing matches.
    virtual intptr_t find_window(uint32_t criteria, const std::string& specification) = 0;
    virtual void activate_window(intptr_t window) = 0;
    // GlideCursorToWindow: to the centre for where = 2, else to the top-left corner.
    virtual void glide_to_window(intptr_t window, int where, bool glide) = 0;
};

// The desktop the program runs on; natively a desktop without a pointer.
MouseDesktop& system_mouse_desktop();

}  // namespace zorbel
