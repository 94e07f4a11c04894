// Import of version 4 script files (line-oriented, numbered action types).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/legacy_record.h"
#include "core/script_state.h"
#include "core/user_interface.h"

namespace zorbel {

// Replaces `script` with the converted steps of the version 4 file at `path`.
// Returns the number of steps, 0 on failure or cancel. A file that is refused, or
// whose import the user cancels, leaves `script` as it was. The imported script
// has no path: it is a new script until it is saved in the current format.
int32_t import_version4(ScriptState* script, const std::string& path, UserInterface* ui);

// The same for file contents already in memory (fuzzers and tests).
int32_t import_version4_text(ScriptState* script, const std::string& text, const std::string& path,
                             UserInterface* ui);

// Clears `script` and fills it with the steps converted from `records` (read by
// read_version4_records), their recordings and the labels their jumps need.
// Returns the step count; stops early, with an "Out of memory error" box, when
// a step cannot be added.
int32_t convert_version4_records(std::vector<LegacyRecord> records, ScriptState* script, UserInterface* ui);

}  // namespace zorbel
