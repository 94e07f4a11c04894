// The end of every step that sends keys or clicks: the input must have reached the
// window it was sent to before the step ends, or the next step's activation could take
// it away from that window. The desktop's probe answers one round trip to the window's
// thread at a time; the thread takes one queued message per turn of its message loop, so
// a step asks once per message it queued (and once more). Nearly free when the thread has
// already read it all.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

// The longest a step waits for its input to be taken; then the run goes on with a log line.
constexpr uint32_t kInputTakenLimitMs = 500;
// The pause before asking a thread that did not answer again.
constexpr uint32_t kInputTakenPollMs = 5;
// The most round trips a step asks for: long texts have the keyboard-buffer wait besides.
constexpr int kMostInputRounds = 32;

// The round trips that show `messages` queued messages taken.
int input_rounds(int messages);

// Waits on the run's clock until the thread of `window` has answered `rounds` round
// trips, at most kInputTakenLimitMs; when the bound is reached, logs
// "\tInput not taken by its window within 500 ms\r\n". Returns the milliseconds waited.
uint32_t wait_until_input_taken(RunContext& context, intptr_t window, int rounds);

}  // namespace zorbel
