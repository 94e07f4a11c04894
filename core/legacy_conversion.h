// Converting one version 4 record into a step: the common fields, the On Failure
// mode, the action chosen from the record's type and options, and the changes of
// the step's fields that go with each action.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/legacy_action_table.h"
#include "core/legacy_jumps.h"
#include "core/legacy_record.h"
#include "core/step_record.h"

namespace zorbel {

extern const char* const kParentTitleNote;

// What runs through the conversion of one file.
struct ConversionState {
    ActionTableState table;
    std::vector<LegacyJump> jumps;  // numbered jumps, named once every record is converted
};

// The On Failure mode of a failure-mode byte; empty for a byte no mode answers to.
std::string_view failure_mode_of(uint32_t mode_byte);

// The old display-mode text the way the mode list writes it.
std::string convert_video_mode_text(std::string_view text);

// Fills the fresh step at `step_index` from `record`. A recording's event count
// and slot (value1 and value2) are the caller's, which owns the recording slots.
void convert_version4_record(const LegacyRecord& record, int32_t step_index, ConversionState* state, Step* step);

}  // namespace zorbel
