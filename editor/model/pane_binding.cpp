#include "editor/model/pane_binding.h"

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

bool PaneBinding::holds(const ScriptState& script, int32_t focused) const {
    return index_ >= 0 && index_ == focused && index_ < script.step_count();
}

void PaneBinding::load(const ScriptState& script, int32_t index) {
    edits_ = 0;
    count_ = script.step_count();
    if (index < 0 || index >= count_) {
        index_ = -1;
        saved_ = Step();
        return;
    }
    index_ = index;
    saved_ = script.steps[static_cast<size_t>(index)];
}

bool PaneBinding::needs_reload(const ScriptState& script, int32_t focused, PaneSync reason) const {
    if (reason != PaneSync::kSelection) return true;
    return focused != index_ || script.step_count() != count_;
}

WriteResult PaneBinding::write(ScriptState& script, int32_t focused, const FieldSpec& spec, std::string_view value,
                               const std::function<void()>& before_first_change) {
    if (loading || index_ < 0) return WriteResult::kIgnored;
    if (!holds(script, focused) || script.step_count() != count_) return WriteResult::kReload;
    Step next = script.steps[static_cast<size_t>(index_)];
    write_field(next, spec, value);
    if (spec.field == StepField::kText && next.family == kFamilyKeyboard) {
        const std::string renamed = keyboard_action_for_text(field_text(next.action), next.text);
        if (renamed != field_text(next.action)) write_field(next, {"", FieldKind::kList, StepField::kAction}, renamed);
    }
    if (steps_equal(next, script.steps[static_cast<size_t>(index_)])) return WriteResult::kWritten;
    if (edits_++ == 0 && before_first_change) before_first_change();
    script.steps[static_cast<size_t>(index_)] = std::move(next);
    return WriteResult::kWritten;
}

bool PaneBinding::undo_changes(ScriptState& script, int32_t focused) {
    if (!holds(script, focused)) return false;
    script.steps[static_cast<size_t>(index_)] = saved_;
    edits_ = 0;
    return true;
}

bool PaneBinding::changed(const ScriptState& script) const {
    if (index_ < 0 || index_ >= script.step_count()) return false;
    return !steps_equal(script.steps[static_cast<size_t>(index_)], saved_);
}

bool store_recording(ScriptState& script, int32_t started_at, std::vector<RecordingEvent> events) {
    if (started_at < 0 || started_at >= script.step_count()) return false;
    Step& step = script.steps[static_cast<size_t>(started_at)];
    if (step.family != kFamilyRecording) return false;
    const size_t count = events.size();
    const int32_t slot = script.add_recording(std::move(events));
    if (slot < 0) return false;
    copy_to_field(step.value[0], std::to_string(count));
    copy_to_field(step.value[1], std::to_string(slot));
    return true;
}

}  // namespace zorbel
