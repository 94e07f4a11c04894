// What the window and menu steps need from the desktop, as one interface: the real
// desktop (window_desktop_win.cpp) and in-memory fakes for native tests implement
// it. Window handles travel as intptr_t so the step logic stays desktop-free.
#pragma once
#include <cstdint>
#include <string>

#include "actions/menus/menu_path.h"
#include "actions/windows/window_rules.h"
#include "actions/windows/window_styles.h"
#include "engine/current_window.h"

namespace zorbel {

struct RunContext;

class WindowDesktop {
public:
    virtual ~WindowDesktop() = default;

    // FindTargetWindow.
    virtual intptr_t find_window(uint32_t criteria, const char* specification, uint32_t mode,
                                 WindowMatchCounts* counts) = 0;
    // IsOwnWindow with the program's main window.
    virtual bool is_own_window(intptr_t window) = 0;
    virtual intptr_t foreground_window() = 0;
    virtual bool is_window(intptr_t window) = 0;
    virtual bool window_rect(intptr_t window, WindowRect* out) = 0;
    // The window's text, at most `limit` characters ("" for a dead window).
    virtual std::string window_title(intptr_t window, size_t limit) = 0;
    virtual std::string window_class(intptr_t window) = 0;
    // A window that still exists and is visible (WS_VISIBLE and IsWindowVisible).
    virtual bool is_visible_window(intptr_t window) = 0;
    // The next top-level window after `window` in the system's window order that is
    // visible and has a title; 0 when there is none.
    virtual intptr_t next_titled_window(intptr_t window) = 0;

    // The bitmap option: the window under the place the image is shown on the screen
    // (false when it is not on the screen; the search writes its lines to the run log).
    virtual bool window_under_image(RunContext& context, const std::string& path, intptr_t* window) = 0;

    // The effects of the window actions.
    virtual void activate(intptr_t window) = 0;
    // "Press Button/Control": activates the parent, glides to the centre and presses;
    // returns the control acted on.
    virtual intptr_t press(intptr_t control) = 0;
    // The whole text (WM_GETTEXT with a capacity of at least 1022).
    virtual std::string read_text(intptr_t window) = 0;
    virtual void move(intptr_t window, long x, long y) = 0;
    virtual void resize(intptr_t window, long width, long height) = 0;
    // SW_MAXIMIZE, then activation unless the window is hidden, foreground, on top
    // or focused.
    virtual void maximize(intptr_t window) = 0;
    // Minimizes a window that is not minimized, restores and activates one that is.
    virtual void minimize_or_restore(intptr_t window) = 0;
    virtual void close(intptr_t window, uint32_t wait_ms) = 0;
    // Applies the style, then repaints and focuses the window.
    virtual void set_style(intptr_t window, const WindowStyleName* style) = 0;
    virtual bool is_checked(intptr_t control) = 0;

    // Menus: SelectMenuPath (the item identifier, 0 when not found).
    virtual uint32_t select_menu_path(intptr_t window, const std::string& path, bool post) = 0;
    // Presses the key of a menu level (with ALT for the first level); false when the
    // character has no key.
    virtual bool press_menu_key(char key, bool with_alt) = 0;
    // Opens the window's system menu with ALT+SPACE.
    virtual void open_system_menu(intptr_t window) = 0;
    // Sends the window a system command (maximize, minimize, restore, move, close, size).
    virtual void system_command(intptr_t window, SystemMenuCommand command) = 0;
};

// The desktop the program runs on (for the program shell to assemble); natively a
// desktop without windows.
WindowDesktop& system_window_desktop();

}  // namespace zorbel
