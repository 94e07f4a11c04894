// `RunMouseStep`: the executor of the mouse actions (family 5): moves, clicks, wheel
// turns, the saved position, and the image actions that move to or click on a bitmap
// found on the screen.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

class MouseDesktop;
class ScreenDesktop;

// `options` bits of mouse steps (the low four bits are the window criteria of "Move
// to Control" and "Move to Window").
constexpr uint32_t kMouseCriteriaMask = 0x0F;
constexpr uint32_t kMouseShowMovement = 16;
constexpr uint32_t kMouseRelativeToWindow = 32;
constexpr uint32_t kMouseRelativeToPointer = 64;
constexpr uint32_t kMouseStayInPlace = 128;

// The saved pointer position, in screen pixels from 0 (always these names, without
// the user-variable prefix).
constexpr const char* kSavedPositionX = "SOFTWARE\\Zorbel\\UserVariables\\SavedMousePosition_X";
constexpr const char* kSavedPositionY = "SOFTWARE\\Zorbel\\UserVariables\\SavedMousePosition_Y";

// Runs the current step against the given desktop and screen; kStepSucceeded, or
// kStepFailed with the reason in the error text.
int RunMouseStep(RunContext& context, MouseDesktop& desktop, ScreenDesktop& screen);

// The family's executor for the dispatcher: the step on the system's desktop.
int execute_mouse_family(RunContext& context);

}  // namespace zorbel
