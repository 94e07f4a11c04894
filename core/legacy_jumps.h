// Numbered jumps of version 4 scripts: a jump named the step number of its
// target. Converted scripts jump to labels instead, so a "Label" step is inserted
// before every target and the jumps take its name.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/script_state.h"

namespace zorbel {

constexpr int kLegacyMaxJumpTargets = 64;  // targets that get a label

extern const char* const kAddedLabelComment;

enum class JumpKind : uint8_t { kGoto, kOnFailure };

struct LegacyJump {
    int32_t step_index;  // the converted step that jumps (before any label is inserted)
    int64_t target;      // index of the step it jumps to, counted from 0
    JumpKind kind;       // a "Goto Label" (its text names the label) or its On Failure jump (the label field)
};

// The target index of a numbered jump field: its step number - 1, at least 0.
int64_t jump_target_of(const std::string& field);

// Names every jump after the label that will stand before its target, then inserts
// those labels. Targets beyond the last step get one label at the end; only the
// first kLegacyMaxJumpTargets distinct targets (in step order) get a label. A
// label's name is the step number it has once all labels stand in the script.
void resolve_version4_jumps(const std::vector<LegacyJump>& jumps, ScriptState* script);

}  // namespace zorbel
