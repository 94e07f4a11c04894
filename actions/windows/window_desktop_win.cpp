// The window steps' desktop on Windows: the search, the primitives and the menu
// selection applied to real windows.
#include "actions/menus/menu_selection_win.h"
#include "actions/windows/window_desktop.h"
#include "actions/screen/screen_steps.h"
#include "actions/windows/window_search_win.h"

namespace zorbel {

namespace {

HWND as_window(intptr_t handle) { return reinterpret_cast<HWND>(handle); }
intptr_t as_handle(HWND window) { return reinterpret_cast<intptr_t>(window); }

constexpr UINT kReadTimeoutMs = 5000;

class SystemWindowDesktop : public WindowDesktop {
public:
    intptr_t find_window(uint32_t criteria, const char* specification, uint32_t mode,
                         WindowMatchCounts* counts) override {
        return as_handle(FindTargetWindow(criteria, specification, mode, counts));
    }
    bool is_own_window(intptr_t window) override { return IsOwnWindow(OwnMainWindow(), as_window(window)); }
    intptr_t foreground_window() override { return as_handle(GetForegroundWindow()); }
    bool is_window(intptr_t window) override { return window && IsWindow(as_window(window)); }
    bool window_rect(intptr_t window, WindowRect* out) override {
        RECT rect = {};
        if (!is_window(window) || !GetWindowRect(as_window(window), &rect)) return false;
        *out = WindowRect{rect.left, rect.top, rect.right, rect.bottom};
        return true;
    }
    std::string window_title(intptr_t window, size_t limit) override {
        return is_window(window) ? ReadWindowTitle(as_window(window), limit) : std::string();
    }
    std::string window_class(intptr_t window) override {
        char name[kClassLimit + 1] = {};
        GetClassNameA(as_window(window), name, sizeof(name));
        return name;
    }
    bool is_visible_window(intptr_t window) override {
        HWND w = as_window(window);
        return window && IsWindow(w) && (GetWindowLongA(w, GWL_STYLE) & WS_VISIBLE) && IsWindowVisible(w);
    }
    intptr_t next_titled_window(intptr_t window) override {
        HWND w = as_window(window);
        while ((w = GetWindow(w, GW_HWNDNEXT)) != nullptr)
            if (IsWindowVisible(w) && GetWindowTextLengthA(w) > 0) return as_handle(w);
        return 0;
    }

    bool window_under_image(RunContext& context, const std::string& path, intptr_t* window) override {
        const ImageOnScreen image = find_image_for_run(context, *context.desktop().screen, path, false);
        if (!image.found) return false;
        *window = as_handle(WindowAtPoint(POINT{image.x, image.y}));
        return true;
    }

    void activate(intptr_t window) override { ActivateWindow(as_window(window)); }
    intptr_t press(intptr_t control) override {
        HWND window = as_window(control);
        ActivateWindow(GetParent(window));
        GlideCursorToWindow(window, 2, true);
        return as_handle(PressControl(window));
    }
    std::string read_text(intptr_t window) override {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(as_window(window), WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &length);
        size_t capacity = length > 1022 ? static_cast<size_t>(length) : 1022;
        std::string text(capacity + 2, '\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutA(as_window(window), WM_GETTEXT, capacity + 1, reinterpret_cast<LPARAM>(&text[0]),
                                 SMTO_ABORTIFHUNG, kReadTimeoutMs, &copied))
            return std::string();
        text.resize(std::char_traits<char>::length(text.c_str()));
        return text;
    }
    void move(intptr_t window, long x, long y) override {
        SetWindowPos(as_window(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void resize(intptr_t window, long width, long height) override {
        SetWindowPos(as_window(window), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void maximize(intptr_t handle) override {
        HWND window = as_window(handle);
        ShowWindow(window, SW_MAXIMIZE);
        if (!IsWindowVisible(window) || window == GetForegroundWindow() || window == GetTopWindow(nullptr) ||
            window == GetFocus())
            return;
        ActivateWindow(window);
    }
    void minimize_or_restore(intptr_t handle) override {
        HWND window = as_window(handle);
        if (!IsIconic(window)) {
            ShowWindow(window, SW_MINIMIZE);
            return;
        }
        ShowWindow(window, SW_RESTORE);
        ActivateWindow(window);
    }
    void close(intptr_t window, uint32_t wait_ms) override { CloseWindowForcibly(as_window(window), wait_ms); }
    void set_style(intptr_t handle, const WindowStyleName* style) override {
        HWND window = as_window(handle);
        if (style) apply_style(window, *style);
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
        SendMessageTimeoutA(window, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        SendMessageTimeoutA(window, WM_NCPAINT, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        SetFocus(window);
    }
    bool is_checked(intptr_t control) override { return IsControlChecked(as_window(control)); }

    uint32_t select_menu_path(intptr_t window, const std::string& path, bool post) override {
        return SelectMenuPath(as_window(window), path, post);
    }
    bool press_menu_key(char key, bool with_alt) override { return PressMenuKey(key, with_alt); }
    void open_system_menu(intptr_t window) override { OpenSystemMenu(as_window(window)); }
    void system_command(intptr_t window, SystemMenuCommand command) override {
        SendSystemCommand(as_window(window), command);
    }

private:
    static void apply_style(HWND window, const WindowStyleName& style) {
        const UINT no_change = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        switch (style.effect) {
            case StyleEffect::kTopmost: SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, no_change); break;
            case StyleEffect::kNotTopmost: SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, no_change); break;
            case StyleEffect::kShow: ShowWindow(window, SW_SHOW); break;
            case StyleEffect::kHide: ShowWindow(window, SW_HIDE); break;
            case StyleEffect::kDisable: EnableWindow(window, FALSE); break;
            case StyleEffect::kEnable: EnableWindow(window, TRUE); break;
            case StyleEffect::kChangeStyle: {
                LONG old_style = GetWindowLongA(window, GWL_STYLE);
                LONG new_style = static_cast<LONG>((static_cast<uint32_t>(old_style) & ~style.remove) | style.add);
                SetWindowLongA(window, GWL_STYLE, new_style);
                break;
            }
        }
    }
};

}  // namespace

WindowDesktop& system_window_desktop() {
    static SystemWindowDesktop desktop;
    return desktop;
}

}  // namespace zorbel
