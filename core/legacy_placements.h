// Where the parameters of version 4 file, prompt and internet records go in a
// step: their main text held several parameters separated by "^", and their
// second text was the body of what they wrote or sent.
#pragma once
#include "core/legacy_record.h"
#include "core/step_record.h"

namespace zorbel {

// Moves the parameters of a type 9, 12 or 15 record into `step`, whose action,
// text, comment, options and variable are already set. Other types are left alone.
void place_version4_parameters(const LegacyRecord& record, Step* step);

}  // namespace zorbel
