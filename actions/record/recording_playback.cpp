#include "actions/record/recording_playback.h"

#include <utility>

#include "actions/input/key_events.h"
#include "actions/input/keyboard_desktop.h"
#include "actions/mouse/mouse_desktop.h"
#include "actions/mouse/mouse_glide.h"
#include "engine/run_context.h"

namespace zorbel {

namespace {

constexpr int64_t kLongestDelay = 0x7FFFFFFF;

int32_t clamped(int64_t ms) { return static_cast<int32_t>(ms < 0 ? 0 : ms > kLongestDelay ? kLongestDelay : ms); }

// Keys whose played key-down does not reach the keyboard's state: pressed once more.
bool pressed_again(uint8_t code) { return code == 91 || code == 92 || code == 93 || code == 20 || code == 144 || code == 145; }

}  // namespace

int playback_speed_of(uint32_t options) { return (options & 1) ? kPlayFast : (options & 2) ? kPlaySlow : kPlayNormal; }

const char* playback_speed_name(int speed) { return speed == kPlaySlow ? "slow" : speed == kPlayFast ? "fast" : "normal"; }

int32_t playback_delay(uint32_t earlier, uint32_t later, int speed) {
    const int32_t delay = clamped(static_cast<int32_t>(later - earlier));
    return speed == kPlaySlow ? clamped(int64_t{delay} * 4) : delay;
}

bool RecordingPlayback::start(RunContext& context, std::vector<RecordingEvent> events, int speed, int stop_key,
                              Ended ended) {
    stop();
    context_ = &context;
    events_ = std::move(events);
    index_ = 0;
    pending_delay_ = 0;
    last_event_tick_ = context.now();
    speed_ = speed;
    stop_key_ = stop_key;
    pressed_index_ = -1;
    ended_ = std::move(ended);
    active_ = true;  // before the hook goes in: the system may call it at once
    if (!context.desktop().recorder->install_playback_hook(this)) {
        active_ = false;
        return false;
    }
    return true;
}

void RecordingPlayback::stop() {
    if (!active_) return;
    active_ = false;
    context_->desktop().recorder->remove_journal_hook();
}

void RecordingPlayback::end(PlaybackEnd how) {
    if (!active_) return;
    if (how == PlaybackEnd::kCancelled) active_ = false;  // the hook is already gone
    stop();
    Ended ended = ended_;
    if (ended) ended(how);
}

NextEvent RecordingPlayback::next_event(RecordingEvent* event, uint32_t* wait_ms) {
    *event = RecordingEvent();
    *wait_ms = 0;
    if (!active_) return NextEvent::kEnded;
    RunContext& context = *context_;
    const int32_t count = static_cast<int32_t>(events_.size());
    if (index_ >= count) {
        context.log("Recording playback completed successfully (%d events)\r\n", index_);
        end(PlaybackEnd::kCompleted);
        return NextEvent::kEnded;
    }
    KeyState* keys = context.desktop().key_state;
    if (index_ > 0 && keys && keys->key_down(stop_key_)) {
        context.log("Stop button pressed during recording playback\r\n");
        end(PlaybackEnd::kStopKey);
        return NextEvent::kEnded;
    }
    const uint32_t now = context.now();
    pending_delay_ = clamped(int64_t{pending_delay_} - clamped(static_cast<int32_t>(now - last_event_tick_)));
    if (pending_delay_ >= kShortestPlaybackWait && speed_ != kPlayFast) {
        if (context.detailed_log()) context.log("        Synchronizing by adding %li milliseconds...\r\n", static_cast<long>(pending_delay_));
        last_event_tick_ = now;
        *wait_ms = static_cast<uint32_t>(pending_delay_);
        return NextEvent::kWait;
    }
    *event = events_[static_cast<size_t>(index_)];
    event->time = now;
    if (pressed_index_ != index_) {
        pressed_index_ = index_;
        press_extras(*event);
    }
    last_event_tick_ = now;
    if (context.detailed_log())
        context.log("    Playing Recorded Event #%d (message=%li %s)\r\n", index_ + 1, static_cast<long>(event->message),
                    event->message == kMessageMouseMove ? "WM_MOUSEMOVE" : "");
    return NextEvent::kPlay;
}

void RecordingPlayback::press_extras(const RecordingEvent& event) {
    Desktop& desktop = context_->desktop();
    if (event.message == kMessageMouseWheel && desktop.pointer) {
        ScreenPoint at;
        at.x = static_cast<int32_t>(event.param_first);
        at.y = static_cast<int32_t>(event.param_second);
        const ScreenPoint absolute = absolute_mouse_coordinates(at, desktop.pointer->screen_size());
        desktop.pointer->mouse_event(kMouseWheel | kMouseAbsolute | kMouseMove, absolute.x, absolute.y, -kWheelDelta);
    }
    const uint8_t code = static_cast<uint8_t>(event.param_first & 0xFF);
    if (event.message == kMessageKeyFirst && pressed_again(code) && desktop.keyboard) {
        SendKeyTransition(desktop.keyboard->keys(), code, false, kKeyPress);
        SendKeyTransition(desktop.keyboard->keys(), code, false, kKeyRelease);
    }
}

void RecordingPlayback::skip() {
    if (!active_) return;
    ++index_;
    const int32_t count = static_cast<int32_t>(events_.size());
    if (index_ < count) {
        pending_delay_ = playback_delay(events_[static_cast<size_t>(index_ - 1)].time,
                                        events_[static_cast<size_t>(index_)].time, speed_);
        return;
    }
    pending_delay_ = 0;
    context_->log("Recording playback completed successfully (%d events)\r\n", index_);
    end(PlaybackEnd::kCompleted);
}

void RecordingPlayback::journal_cancelled() { end(PlaybackEnd::kCancelled); }

}  // namespace zorbel
