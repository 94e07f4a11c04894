#include "core/script_state.h"

#include <new>

namespace zorbel {

int32_t ScriptState::insert_step(int32_t index) {
    const int32_t count = step_count();
    if (index < 0 || index >= count) index = count;
    try {
        Step fresh;
        fresh.text.reserve(kNewTextSize);
        steps.insert(steps.begin() + index, std::move(fresh));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    return index;
}

void ScriptState::delete_step(int32_t index) {
    if (index < 0 || index >= step_count()) return;
    steps.erase(steps.begin() + index);
}

int32_t ScriptState::add_recording(std::vector<RecordingEvent> events) {
    if (recording_count >= kMaxRecordings) return -1;
    int32_t slot = recording_count++;
    recordings[static_cast<size_t>(slot)] = std::move(events);
    return slot;
}

void ScriptState::clear() {
    steps.clear();
    steps.shrink_to_fit();
    for (auto& r : recordings) std::vector<RecordingEvent>().swap(r);
    recording_count = 0;
    current_step = 0;
    last_announced_step = -1;
    script_path.clear();
}

}  // namespace zorbel
