// The run-state items of the window steps: the current window (the window that the
// last window, mouse or wait step found) and `WindowActivated`. The program has one
// of each; window, mouse, wait and prompt steps share them.
#pragma once
#include <cstdint>

namespace zorbel {

struct WindowRunState {
    intptr_t current_window = 0;
    // Set by "Activate" and "Maximize"; the prompts re-activate the current window
    // after a dialog while it is set.
    bool window_activated = false;
};

// The program's window run state.
WindowRunState& window_run_state();

// Clears the current window and `WindowActivated`; called when a run starts at its
// first step.
void reset_window_run_state();

}  // namespace zorbel
