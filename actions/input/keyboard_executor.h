// The Keyboard family: "Simulate Keypress" and "Text + System Keys" (one and the same),
// "Buffered Virtual Keys", "Text via Clipboard", "Direct Window Entry", "Block Input" and
// "Unblock Input".
#pragma once
#include "engine/run_context.h"

namespace zorbel {

// The family's executor: runs the context's current step.
int execute_keyboard_family(RunContext& context);

// Whether "Buffered Virtual Keys" is still typing; the run's ticks wait meanwhile.
bool buffered_typing_active();
// Ends a typing in progress without resuming the run (the run is stopping or the
// program is ending).
void remove_buffered_typing_hook();

}  // namespace zorbel
