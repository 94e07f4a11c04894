// "Screen Image Capture" and "Window Image Capture" of the System family: the screen,
// or the run's current window, written to the bitmap file named by the step's text.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

// "Screen" in the action's name captures the whole screen; any other name the current
// window if it is still a visible window, else (after 250 ms) the foreground window,
// which becomes the current window (with no window at all, the whole screen).
// kStepSucceeded when the file was written, else kStepFailed without a message of
// its own.
int capture_step(RunContext& context, Step& step);

}  // namespace zorbel
