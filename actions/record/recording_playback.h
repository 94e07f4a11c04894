// The playback of a recording, as the playback hook asks for it: each event after the
// recorded time since the one before (four times that slow, none fast), the wheel and
// the toggle and Windows keys pressed as well (the hook's events alone do not turn
// a wheel or flip a lock), the stop key heard once an event has been played. Used by
// the recording pane's test playback and by "Recording" steps alike; what happens
// when the playback ends is the owner's (`Ended`).
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "actions/record/recorder_desktop.h"

namespace zorbel {

struct RunContext;

constexpr int kPlaySlow = -1;
constexpr int kPlayNormal = 0;
constexpr int kPlayFast = 1;
// Remaining delays shorter than this are not waited for.
constexpr int32_t kShortestPlaybackWait = 10;

enum class PlaybackEnd {
    kCompleted,  // every event was played
    kStopKey,    // the stop key was down
    kCancelled,  // the system cancelled the journal
};

// The speed the options of a "Recording" step ask for: bit 0 fast, else bit 1 slow.
int playback_speed_of(uint32_t options);
const char* playback_speed_name(int speed);
// Milliseconds between two recorded tick counts: their signed difference, 0 when
// negative, four times that at slow speed, at most 0x7FFFFFFF.
int32_t playback_delay(uint32_t earlier, uint32_t later, int speed);

class RecordingPlayback : public PlaybackSource {
public:
    using Ended = std::function<void(PlaybackEnd)>;
    ~RecordingPlayback() override { stop(); }

    // Plays `events` at `speed` through the desktop's playback hook, stopping when the
    // key `stop_key` is down; `ended` is called once when the playback ends on its own
    // (never after stop()). False when the hook was refused.
    bool start(RunContext& context, std::vector<RecordingEvent> events, int speed, int stop_key, Ended ended);
    // Ends a playback without calling `ended`.
    void stop();
    bool active() const { return active_; }
    int32_t event_index() const { return index_; }
    int32_t pending_delay() const { return pending_delay_; }

    NextEvent next_event(RecordingEvent* event, uint32_t* wait_ms) override;
    void skip() override;
    void journal_cancelled() override;

private:
    void end(PlaybackEnd how);
    void press_extras(const RecordingEvent& event);

    RunContext* context_ = nullptr;
    std::vector<RecordingEvent> events_;
    int32_t index_ = 0;
    int32_t pending_delay_ = 0;
    uint32_t last_event_tick_ = 0;
    int speed_ = kPlayNormal;
    int stop_key_ = 0;
    int32_t pressed_index_ = -1;  // the last event whose extra input was sent
    bool active_ = false;
    Ended ended_;
};

}  // namespace zorbel
