// The fake desktop's windows: searches answer from a table, and every effect is
// written into the desktop's one call log so that tests compare what the steps did.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "actions/windows/window_desktop.h"
#include "core/text_rules.h"

namespace zorbel {

class FakeWindowDesktop : public WindowDesktop {
public:
    explicit FakeWindowDesktop(std::vector<std::string>& log) : calls(log) {}

    struct Answer {
        intptr_t window = 0;
        WindowMatchCounts counts;
    };
    // Answers by specification; a specification not in the table finds nothing.
    std::map<std::string, Answer> answers;
    std::vector<std::string>& calls;
    std::vector<intptr_t> visible_windows;  // what is_visible_window says yes to
    WindowRect rect_of_windows{300, 200, 700, 500};  // every window's rectangle, when set
    bool fixed_rect = false;
    std::vector<intptr_t> window_order;      // next_titled_window walks it
    std::vector<intptr_t> own_windows;
    std::vector<intptr_t> checked;
    std::map<std::string, intptr_t> images;  // image path -> window under it
    std::map<intptr_t, std::string> texts;
    intptr_t foreground = 0;
    intptr_t pressed_result = 0;  // what press() says was acted on (0: the control itself)
    uint32_t menu_id = 0;         // what select_menu_path answers
    bool keys_pressed = false;    // what press_menu_key answers

    intptr_t find_window(uint32_t criteria, const char* specification, uint32_t mode,
                         WindowMatchCounts* counts) override {
        std::string spec = specification ? specification : "(null)";
        calls.push_back(format("find %u '%s' %u", criteria, spec.c_str(), mode));
        auto it = answers.find(spec);
        Answer answer = it == answers.end() ? Answer() : it->second;
        if (counts) *counts = answer.counts;
        return answer.window;
    }
    bool is_own_window(intptr_t window) override {
        for (intptr_t w : own_windows)
            if (w == window) return true;
        return false;
    }
    intptr_t foreground_window() override { return foreground; }
    bool is_window(intptr_t window) override { return window != 0; }
    bool window_rect(intptr_t window, WindowRect* out) override {
        if (!window) return false;
        *out = fixed_rect ? rect_of_windows : WindowRect{static_cast<long>(window), 20, 300, 400};
        return true;
    }
    std::string window_title(intptr_t window, size_t limit) override {
        return format("Window %ld", static_cast<long>(window)).substr(0, limit);
    }
    std::string window_class(intptr_t window) override { return format("Class%ld", static_cast<long>(window)); }
    bool is_visible_window(intptr_t window) override {
        for (intptr_t w : visible_windows)
            if (w == window) return true;
        return false;
    }
    intptr_t next_titled_window(intptr_t window) override {
        for (size_t i = 0; i + 1 < window_order.size(); ++i)
            if (window_order[i] == window) return window_order[i + 1];
        return 0;
    }
    bool window_under_image(RunContext&, const std::string& path, intptr_t* window) override {
        auto it = images.find(path);
        if (it == images.end()) return false;
        *window = it->second;
        return true;
    }
    void activate(intptr_t window) override { calls.push_back(format("activate %ld", static_cast<long>(window))); }
    intptr_t press(intptr_t control) override {
        calls.push_back(format("press %ld", static_cast<long>(control)));
        return pressed_result ? pressed_result : control;
    }
    std::string read_text(intptr_t window) override {
        calls.push_back(format("read %ld", static_cast<long>(window)));
        return texts[window];
    }
    void move(intptr_t window, long x, long y) override {
        calls.push_back(format("move %ld %ld,%ld", static_cast<long>(window), x, y));
    }
    void resize(intptr_t window, long width, long height) override {
        calls.push_back(format("resize %ld %ldx%ld", static_cast<long>(window), width, height));
    }
    void maximize(intptr_t window) override { calls.push_back(format("maximize %ld", static_cast<long>(window))); }
    void minimize_or_restore(intptr_t window) override {
        calls.push_back(format("minimize/restore %ld", static_cast<long>(window)));
    }
    void close(intptr_t window, uint32_t wait_ms) override {
        calls.push_back(format("close %ld %u", static_cast<long>(window), wait_ms));
    }
    void set_style(intptr_t window, const WindowStyleName* style) override {
        calls.push_back(format("style %ld %s", static_cast<long>(window), style ? style->name : "(none)"));
    }
    bool is_checked(intptr_t control) override {
        for (intptr_t c : checked)
            if (c == control) return true;
        return false;
    }
    uint32_t select_menu_path(intptr_t window, const std::string& path, bool post) override {
        calls.push_back(format("menu path %ld '%s' %s", static_cast<long>(window), path.c_str(), post ? "post" : "no post"));
        return menu_id;
    }
    bool press_menu_key(char key, bool with_alt) override {
        calls.push_back(format("menu key %c%s", key, with_alt ? " alt" : ""));
        return keys_pressed;
    }
    void open_system_menu(intptr_t window) override {
        calls.push_back(format("system menu %ld", static_cast<long>(window)));
    }
    void system_command(intptr_t window, SystemMenuCommand command) override {
        calls.push_back(format("system command %ld %d", static_cast<long>(window), static_cast<int>(command)));
    }
};

}  // namespace zorbel
