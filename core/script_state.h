// The script state: the one script a program instance holds.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/step_record.h"

namespace zorbel {

constexpr int kMaxRecordings = 256;        // recordings one script may hold
constexpr size_t kMaxPathSize = 260;       // the script path field

struct ScriptState {
    std::vector<Step> steps;  // the step array; its size is the step count
    int32_t current_step = 0;
    int32_t last_announced_step = -1;
    std::array<std::vector<RecordingEvent>, kMaxRecordings> recordings;
    int32_t recording_count = 0;
    std::string script_path;

    int32_t step_count() const { return static_cast<int32_t>(steps.size()); }

    // Inserts a zero-filled record at `index` (an index below 0 or not below the
    // step count appends) and returns its index, or -1 when memory ran out, in
    // which case the array is unchanged. The step count rises by one.
    int32_t insert_step(int32_t index);

    // Deletes the step at `index` with its text and comment.
    void delete_step(int32_t index);

    // Takes the next free recording slot for `events`; returns the slot number,
    // or -1 when the script already holds kMaxRecordings recordings.
    int32_t add_recording(std::vector<RecordingEvent> events);

    // Discards every step and recording and the path.
    void clear();
};

}  // namespace zorbel
