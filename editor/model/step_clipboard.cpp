#include "editor/model/step_clipboard.h"

#include "core/action_catalogue.h"
#include "core/text_rules.h"

namespace zorbel {

std::vector<RecordingEvent> recording_events_of(const ScriptState& script, const Step& step) {
    const int32_t wanted = text_to_number(field_text(step.value[0]));
    const int32_t slot = text_to_number(field_text(step.value[1]));
    if (wanted <= 0 || slot < 0 || slot >= script.recording_count) return {};
    const std::vector<RecordingEvent>& events = script.recordings[static_cast<size_t>(slot)];
    // A slot shorter than the step says is not this step's recording.
    if (events.size() < static_cast<size_t>(wanted)) return {};
    return std::vector<RecordingEvent>(events.begin(), events.begin() + wanted);
}

void StepClipboard::copy(const ScriptState& script, const std::vector<int32_t>& rows) {
    steps_.clear();
    for (int32_t row : rows) {
        if (row < 0 || row >= script.step_count()) continue;
        ClipboardStep copy;
        copy.step = script.steps[static_cast<size_t>(row)];
        if (copy.step.family == kFamilyRecording) {
            copy.has_recording = true;
            copy.events = recording_events_of(script, copy.step);
        }
        steps_.push_back(std::move(copy));
    }
}

int32_t StepClipboard::paste(ScriptState* script, int32_t index, std::string* full_message) const {
    if (index < 0 || index > script->step_count()) index = script->step_count();
    const int32_t first = index;
    for (const ClipboardStep& copy : steps_) {
        Step step = copy.step;
        if (copy.has_recording) {
            const int32_t slot = script->add_recording(copy.events);
            if (slot < 0) {
                if (full_message)
                    *full_message = "A maximum of " + std::to_string(kMaxRecordings) +
                                    " recordings per script can be recorded.\n\nIf you recorded many test "
                                    "recordings, close and restart Zorbel to create more recordings.";
                copy_to_field(step.value[0], "0");
                copy_to_field(step.value[1], "0");
            } else {
                copy_to_field(step.value[0], std::to_string(copy.events.size()));
                copy_to_field(step.value[1], std::to_string(slot));
            }
        }
        script->steps.insert(script->steps.begin() + index, std::move(step));
        ++index;
    }
    return first;
}

}  // namespace zorbel
