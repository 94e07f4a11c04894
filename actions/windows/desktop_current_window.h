// The current window as the text expander's window tokens read it, on the real
// desktop: the run's current window, or the foreground window (which then becomes
// the current window) when none is set.
#pragma once
#include "actions/windows/window_desktop.h"
#include "engine/run_state.h"
#include "engine/current_window.h"

namespace zorbel {

class DesktopCurrentWindow : public CurrentWindow {
public:
    DesktopCurrentWindow(WindowDesktop& desktop, RunState& state) : desktop_(desktop), state_(state) {}

    intptr_t handle() override;
    bool rect(WindowRect* out) override;
    std::string title() override;
    std::string class_name() override;

private:
    intptr_t current();

    WindowDesktop& desktop_;
    RunState& state_;
};

}  // namespace zorbel
