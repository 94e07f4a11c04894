// The editor's own step clipboard (not the Windows clipboard): deep copies of the
// steps last copied or cut, with the events of their recordings, so that a
// recording step pasted into another script brings its events along.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/script_state.h"

namespace zorbel {

struct ClipboardStep {
    Step step;
    bool has_recording = false;
    std::vector<RecordingEvent> events;  // the recording's events, when it has one
};

class StepClipboard {
public:
    // Empties the clipboard and copies the steps at `rows` (ascending) of `script`.
    void copy(const ScriptState& script, const std::vector<int32_t>& rows);
    bool empty() const { return steps_.empty(); }
    size_t size() const { return steps_.size(); }

    // Inserts copies of every clipboard step, in order, before `index` (at the end
    // when `index` is outside the script). A recording step gets its events in a new
    // slot of `script` and its `value2` rewritten; when every slot is taken,
    // `full_message` receives the program's message and the step is pasted with 0
    // events. Returns the index of the first inserted step.
    int32_t paste(ScriptState* script, int32_t index, std::string* full_message) const;

private:
    std::vector<ClipboardStep> steps_;
};

// The events of a recording step: the first `value1` events of the slot its `value2`
// names; a slot that does not exist or holds fewer gives none.
std::vector<RecordingEvent> recording_events_of(const ScriptState& script, const Step& step);

}  // namespace zorbel
