// The External Functions family (15): "Win32 API" and "Call DLL Function" call an
// exported function of a library named by a function-call text; "SendMessage
// Command" posts a menu command to the current window.
#pragma once
#include <string>

#include "engine/run_context.h"

namespace zorbel {

// The result of a call that found its function in no library of the search list.
constexpr int32_t kFunctionNotFound = -998877;

// Parses and performs one call (the call text already expanded), searching the
// step's library first when `library` is not empty. Writes the argument texts 1 to 8
// as the user variables "parameter1" to "parameter8". Returns the function's result,
// or kFunctionNotFound (with the error text set when the call text was refused).
int32_t call_external_function(RunContext& context, const std::string& call, const std::string& library);

}  // namespace zorbel
