// The two built-in samples of the Welcome dialog.
#pragma once
#include "core/script_state.h"

namespace zorbel {

// Replaces the steps of `script` (left untitled) with the sample; false when the
// name is not a built-in one.
bool build_sample(const char* name, ScriptState* script);

}  // namespace zorbel
