// The variable actions of the System family, wired to the run.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

// Runs the step when it is a variable action ("Create/Set Variable", "Increment
// Variable", ...): stores the executor result in `result` and returns true.
bool execute_variable_step(RunContext& context, Step& step, int* result);

}  // namespace zorbel
