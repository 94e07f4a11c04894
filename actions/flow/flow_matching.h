// Finding the steps that close IF blocks and loops, by scanning the step array.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

// `find matching end`: the index of the ELSE or END IF that matches the IF or ELSE at
// `index`; skipped and breakpoint steps are invisible. Without a match, the last
// step's index (the pass then ends).
int32_t find_matching_end(RunContext& context, int32_t index);

// Leaves the innermost loop: closes its level and makes the first "NEXT LOOP" from the
// current step onward the current step (the last step when there is none).
void leave_loop(RunContext& context);

}  // namespace zorbel
