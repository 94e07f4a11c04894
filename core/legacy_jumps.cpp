#include "core/legacy_jumps.h"

#include <algorithm>

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

const char* const kAddedLabelComment = "This step was added by Zorbel while converting a version 4 script file";

namespace {

// The label's name: its step number once every label before it is in place.
int64_t label_name(int64_t target, const std::vector<int64_t>& sorted_targets) {
    const auto below = std::lower_bound(sorted_targets.begin(), sorted_targets.end(), target) - sorted_targets.begin();
    return target + below + 1;
}

void fill_label(Step* step, int64_t name) {
    copy_to_field(step->action, "Label");
    step->family = kFamilyLoops;
    if (const CatalogueEntry* entry = find_action("Label")) step->icon = entry->icon;
    step->text = std::to_string(name);
    step->comment = kAddedLabelComment;
}

}  // namespace

int64_t jump_target_of(const std::string& field) {
    const int64_t target = static_cast<int64_t>(text_to_number(field)) - 1;
    return target < 0 ? 0 : target;
}

void resolve_version4_jumps(const std::vector<LegacyJump>& jumps, ScriptState* script) {
    if (jumps.empty()) return;
    const int64_t step_count = script->step_count();
    auto clamped = [step_count](int64_t target) { return std::min(std::max<int64_t>(target, 0), step_count); };

    std::vector<int64_t> targets;
    for (const LegacyJump& jump : jumps) {
        const int64_t target = clamped(jump.target);
        if (std::find(targets.begin(), targets.end(), target) != targets.end()) continue;
        if (targets.size() >= static_cast<size_t>(kLegacyMaxJumpTargets)) continue;
        targets.push_back(target);
    }
    std::sort(targets.begin(), targets.end());

    for (const LegacyJump& jump : jumps) {
        if (jump.step_index < 0 || jump.step_index >= script->step_count()) continue;
        Step& step = script->steps[static_cast<size_t>(jump.step_index)];
        const std::string name = std::to_string(label_name(clamped(jump.target), targets));
        if (jump.kind == JumpKind::kGoto)
            step.text = name;
        else
            copy_to_field(step.onfail_label, name);
    }

    // In ascending order, so each label lands before the step it marks.
    for (size_t n = 0; n < targets.size(); ++n) {
        const int64_t at = targets[n] + static_cast<int64_t>(n);
        const int32_t index = script->insert_step(static_cast<int32_t>(at));
        if (index < 0) return;  // out of memory: the jumps stay named, the label is missing
        fill_label(&script->steps[static_cast<size_t>(index)], at + 1);
    }
}

}  // namespace zorbel
