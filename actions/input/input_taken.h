// The end of every step that sends keys or clicks: the input must have reached the
// window it was sent to before the step ends, or the next step's activation could take
// it away from that window. Free when the window's thread has already read it.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

// The longest a step waits for its input to be taken; then the run goes on with a log line.
constexpr uint32_t kInputTakenLimitMs = 500;
// How often the wait asks again.
constexpr uint32_t kInputTakenPollMs = 5;

// Waits on the run's clock until the thread of `window` has taken the input queued for
// it, at most kInputTakenLimitMs; when the bound is reached, logs
// "\tInput not taken by its window within 500 ms\r\n". Returns the milliseconds waited.
uint32_t wait_until_input_taken(RunContext& context, intptr_t window);

}  // namespace zorbel
