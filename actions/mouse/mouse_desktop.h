// What the mouse steps need from the desktop: the pointer, mouse events, the screen
// size and the glide of "Move to Control" and "Move to Window"; the windows they act
// on come from the WindowDesktop. mouse_desktop_win.cpp is the real pointer; native
// tests record calls.
#pragma once
#include <cstdint>
#include <string>

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
    virtual ScreenPoint screen_size() = 0;
    virtual uint32_t double_click_time() = 0;
    // GlideCursorToWindow: to the centre for where = 2, else to the top-left corner.
    virtual void glide_to_window(intptr_t window, int where, bool glide) = 0;
};

// The pointer the program runs with (for the program shell to assemble); natively a
// desktop without a pointer.
MouseDesktop& system_mouse_desktop();

}  // namespace zorbel
