// The recorder behind the editor's recording pane: start recording, stop recording
// (the recording stored in a new slot of the script and named by the step that
// started it) and test playback of that step's recording. There is one record or
// playback hook at a time, shared with the "Recording" steps of runs. Messages go
// through the user interface, the minimizing of the main window through the run host;
// the pane hears of every change through `changed`.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/record/recording_playback.h"

namespace zorbel {

struct ScriptState;

// The first recording buffer and each enlargement: 256 events (5120 bytes); it grows
// when fewer than 40 events are left.
constexpr size_t kRecordBufferEvents = 256;
constexpr size_t kRecordBufferReserve = 40;

// The events a recording step plays: the first `count` of slot `slot`, fewer when the
// slot holds fewer. False when the slot is not one of the script's or holds nothing.
bool events_to_play(const ScriptState& script, int32_t slot, int32_t count, std::vector<RecordingEvent>* out);

// The stop key of runs and recordings (setting "StopKey", Pause when unset).
int recording_stop_key(RunContext& context);

class Recorder : public RecordSink {
public:
    enum class State { kIdle, kRecording, kTesting };

    explicit Recorder(RunContext& context) : context_(context) {}
    ~Recorder() override;

    State state() const { return state_; }
    // The pane's Start/Stop button: starts recording into the step at `step` when idle,
    // stops otherwise.
    void start_or_stop(int32_t step);
    // Starts recording for the recording step at `step`; false (after a message) when
    // the script holds too many recordings, or the hook was refused.
    bool start_recording(int32_t step);
    // Ends a recording (storing it into the step that started it) or a test playback.
    void stop();
    // Plays the recording of the step at `step` (its speed from its options).
    bool test_playback(int32_t step);

    // The most events the record buffer may hold: enlarging it past this fails as
    // running out of memory does (the recording then stops, keeping what it has).
    size_t buffer_limit = static_cast<size_t>(-1) / sizeof(RecordingEvent);
    // The events recorded so far (during a recording).
    const std::vector<RecordingEvent>& events() const { return buffer_; }
    // Called after every change of state (and when a recording was stored), and just
    // before a recording is stored into its step.
    std::function<void()> changed;
    std::function<void()> before_store;

    void recorded(const RecordingEvent& event) override;
    void journal_cancelled() override;

private:
    bool enlarge();
    void finish();
    void store_recording();
    void message(const std::string& text);
    bool minimize_setting();

    RunContext& context_;
    State state_ = State::kIdle;
    int32_t step_ = -1;  // the step that started the recording or test
    int stop_key_ = 0;
    std::vector<RecordingEvent> buffer_;
    RecordingPlayback playback_;
};

}  // namespace zorbel
