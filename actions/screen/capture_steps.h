// "Screen Image Capture" and "Window Image Capture" of the System family: the screen,
// or the run's current window, written to the bitmap file named by the step's text.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

class MouseDesktop;
class ScreenDesktop;

// "Screen" in the action's name captures the whole screen; any other name the current
// window if it is still a visible window, else (after 250 ms) the foreground window,
// which becomes the current window (with no window at all, the whole screen).
// kStepSucceeded when the file was written, else
// kStepFailed without a message of its own.
int run_capture_step(RunContext& context, MouseDesktop& desktop, ScreenDesktop& screen);

// The same on the system's desktop, for the System family's executor.
int execute_capture_step(RunContext& context);

}  // namespace zorbel
