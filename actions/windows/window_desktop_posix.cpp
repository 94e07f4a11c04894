// The native build has no desktop: no window is ever found and nothing is acted on.
#include "actions/windows/window_desktop.h"

namespace zorbel {

namespace {

class NoWindowDesktop : public WindowDesktop {
public:
    intptr_t find_window(uint32_t, const char*, uint32_t, WindowMatchCounts* counts) override {
        if (counts) *counts = WindowMatchCounts();
        return 0;
    }
    bool is_own_window(intptr_t) override { return false; }
    intptr_t foreground_window() override { return 0; }
    bool is_window(intptr_t) override { return false; }
    bool window_rect(intptr_t, WindowRect*) override { return false; }
    std::string window_title(intptr_t, size_t) override { return std::string(); }
    std::string window_class(intptr_t) override { return std::string(); }
    bool is_visible_window(intptr_t) override { return false; }
    intptr_t next_titled_window(intptr_t) override { return 0; }
    bool window_under_image(RunContext&, const std::string&, intptr_t*) override { return false; }
    void activate(intptr_t) override {}
    intptr_t press(intptr_t) override { return 0; }
    std::string read_text(intptr_t) override { return std::string(); }
    void move(intptr_t, long, long) override {}
    void resize(intptr_t, long, long) override {}
    void maximize(intptr_t) override {}
    void minimize_or_restore(intptr_t) override {}
    void close(intptr_t, uint32_t) override {}
    void set_style(intptr_t, const WindowStyleName*) override {}
    bool is_checked(intptr_t) override { return false; }
    uint32_t select_menu_path(intptr_t, const std::string&, bool) override { return 0; }
    bool press_menu_key(char, bool) override { return false; }
    void open_system_menu(intptr_t) override {}
    void system_command(intptr_t, SystemMenuCommand) override {}
};

}  // namespace

WindowDesktop& system_window_desktop() {
    static NoWindowDesktop desktop;
    return desktop;
}

}  // namespace zorbel
