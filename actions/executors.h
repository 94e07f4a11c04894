// The executor of each action family; the dispatcher routes steps to them by family code.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

int execute_loops_family(RunContext& context);   // actions/flow/loops_executor.cpp
int execute_if_family(RunContext& context);      // actions/flow/if_executor.cpp
int execute_system_family(RunContext& context);  // actions/system/system_executor.cpp
int execute_wait_family(RunContext& context);    // actions/wait/wait_executor.cpp

}  // namespace zorbel
