// "Read Registry", "Write Registry", "Copy Registry" and "Delete Registry" of the
// System family, on the desktop's registry. Failures carry no message of their own,
// except paths that name no key, which say so.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

// Chooses the action by "Read", "Write", "Copy" or "Delete" in the step's name.
int registry_step(RunContext& context, Step& step);

}  // namespace zorbel
