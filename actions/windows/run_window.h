// The run's current window as the mouse and capture steps use it.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

// The current window while it is still a visible window; otherwise, after a pause of
// 250 ms, the foreground window, which becomes the current window (0 when none).
intptr_t visible_current_window(RunContext& context);

}  // namespace zorbel
