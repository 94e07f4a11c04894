#include "actions/windows/desktop_current_window.h"

namespace zorbel {

intptr_t DesktopCurrentWindow::current() {
    if (!state_.current_window) state_.current_window = desktop_.foreground_window();
    return state_.current_window;
}

intptr_t DesktopCurrentWindow::handle() { return current(); }

bool DesktopCurrentWindow::rect(WindowRect* out) {
    intptr_t window = current();
    return window && desktop_.window_rect(window, out);
}

std::string DesktopCurrentWindow::title() {
    intptr_t window = current();
    return window ? desktop_.window_title(window, 510) : std::string();
}

std::string DesktopCurrentWindow::class_name() {
    intptr_t window = current();
    return window ? desktop_.window_class(window) : std::string();
}

}  // namespace zorbel
