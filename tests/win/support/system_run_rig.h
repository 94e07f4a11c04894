// A run rig on the real desktop: the steps of a test run in this process against real
// windows, keys, pointer, screen and clipboard, with the rig's fake host and user
// interface.
#pragma once
#include "actions/windows/desktop_current_window.h"
#include "app/system_desktop_win.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {

struct SystemRunRig : RunRig {
    SystemDesktop system;
    DesktopCurrentWindow current_window{*system.desktop.windows, run};

    SystemRunRig() {
        services.desktop = &system.desktop;
        services.window = &current_window;
    }
    // Runs the step as its family would in a run (names outside the catalogue count
    // as being of `family`).
    int run_as(Step& step, uint32_t family) {
        if (step.family == 0) step.family = family;
        return run_step();
    }
    // The IF or Wait condition of `step`, as its family lends it.
    bool if_holds(Step& step) { return context.families->if_condition(step.action)->test(context, step); }
    bool wait_holds(Step& step) { return context.families->wait_condition(step.action)->test(context, step); }
};

}  // namespace zorbel
