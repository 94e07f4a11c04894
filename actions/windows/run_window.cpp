#include "actions/windows/run_window.h"

#include "actions/windows/window_desktop.h"

namespace zorbel {

namespace {

constexpr uint32_t kForegroundSettleMs = 250;

}  // namespace

intptr_t visible_current_window(RunContext& context) {
    WindowDesktop& windows = *context.desktop().windows;
    intptr_t window = context.run.current_window;
    if (!window || !windows.is_visible_window(window)) {
        context.clock().sleep(kForegroundSettleMs);
        window = windows.foreground_window();
        context.run.current_window = window;
    }
    return window;
}

}  // namespace zorbel
