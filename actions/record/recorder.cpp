#include "actions/record/recorder.h"

#include <algorithm>
#include <new>

#include "actions/input/key_names.h"
#include "actions/windows/window_desktop.h"
#include "core/action_catalogue.h"
#include "core/script_state.h"
#include "core/user_interface.h"
#include "engine/run_context.h"
#include "engine/setting_names.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

const char kInsufficientMemory[] = "Insufficient Memory Avaiable";

std::string stop_key_name(int code) {
    std::string name;
    KeyDisplayName(static_cast<uint8_t>(code), &name);
    return name;
}

}  // namespace

bool events_to_play(const ScriptState& script, int32_t slot, int32_t count, std::vector<RecordingEvent>* out) {
    out->clear();
    if (slot < 0 || slot >= kMaxRecordings || slot >= script.recording_count || count < 1) return false;
    const std::vector<RecordingEvent>& events = script.recordings[static_cast<size_t>(slot)];
    if (events.empty()) return false;
    out->assign(events.begin(), events.begin() + std::min(static_cast<size_t>(count), events.size()));
    return true;
}

int recording_stop_key(RunContext& context) {
    const int key = context.services.store ? setting_number(*context.services.store, setting::kStopKey) : 0;
    return key > 0 && key < 256 ? key : kDefaultStopKey;
}

Recorder::~Recorder() {
    if (state_ == State::kRecording) context_.desktop().recorder->remove_journal_hook();
}

void Recorder::message(const std::string& text) {
    context_.ui().box("System Message", text, BoxIcon::kInformation, false);
}

bool Recorder::minimize_setting() {
    return context_.services.store && setting_number(*context_.services.store, "SOFTWARE\\Zorbel\\MinimizeRecord") != 0;
}

void Recorder::start_or_stop(int32_t step) {
    if (state_ == State::kIdle) start_recording(step);
    else stop();
}

bool Recorder::start_recording(int32_t step) {
    if (state_ != State::kIdle) return false;
    RecorderDesktop* desktop = context_.desktop().recorder;
    // A script loaded from a file may already hold every slot.
    if (context_.script.recording_count + 1 >= kMaxRecordings) {
        message("A maximum of 256 recordings per script can be recorded.\n\nIf you recorded many test recordings, "
                "close and restart Zorbel to create more recordings.");
        return false;
    }
    std::vector<RecordingEvent>().swap(buffer_);
    try {
        buffer_.reserve(kRecordBufferEvents);
    } catch (const std::bad_alloc&) {
        message(kInsufficientMemory);
        return false;
    }
    step_ = step;
    stop_key_ = recording_stop_key(context_);
    const std::string key = stop_key_name(stop_key_);
    context_.ui().set_status(0, "PRESS \"" + key + "\" TO STOP");
    state_ = State::kRecording;
    if (changed) changed();
    if (minimize_setting()) {
        message("Press the \"" + key + "\" key to finish recording and return to Zorbel.");
        context_.host.minimize_main_window();
    }
    if (!desktop || !desktop->install_record_hook(this)) {
        state_ = State::kIdle;
        if (minimize_setting()) context_.host.restore_main_window();
        context_.ui().set_status(0, "");
        if (changed) changed();
        message("Start Recording Failed!");
        return false;
    }
    return true;
}

void Recorder::recorded(const RecordingEvent& event) {
    if (state_ != State::kRecording) return;
    const uint8_t code = static_cast<uint8_t>(event.param_first & 0xFF);
    if (event.message == kMessageKeyFirst && code == stop_key_) {
        stop();
        return;
    }
    WindowDesktop* windows = context_.desktop().windows;
    if (event.message != kMessageMouseMove && event.window && windows && windows->is_own_window(event.window)) return;
    if (buffer_.size() + kRecordBufferReserve >= buffer_.capacity() && !enlarge()) {
        // Out of memory: the recording ends with what it has.
        stop();
        return;
    }
    RecordingEvent stamped = event;
    stamped.time = context_.now();
    buffer_.push_back(stamped);
}

bool Recorder::enlarge() {
    const size_t wanted = buffer_.capacity() + kRecordBufferEvents;
    if (wanted > buffer_limit) return false;
    try {
        buffer_.reserve(wanted);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void Recorder::stop() {
    if (state_ == State::kIdle) return;
    if (state_ == State::kRecording) {
        // Only the record hook's events become a recording.
        context_.desktop().recorder->remove_journal_hook();
        state_ = State::kIdle;
        store_recording();
    } else {
        playback_.stop();
        state_ = State::kIdle;
    }
    finish();
}

void Recorder::store_recording() {
    ScriptState& script = context_.script;
    const bool step_there = step_ >= 0 && step_ < script.step_count() &&
                            script.steps[static_cast<size_t>(step_)].family == kFamilyRecording;
    if (!step_there) return;
    const int32_t count = static_cast<int32_t>(buffer_.size());
    if (script.recording_count >= kMaxRecordings) {
        message(kInsufficientMemory);
        return;
    }
    if (before_store) before_store();
    const int32_t slot = script.add_recording(buffer_);
    if (slot < 0) return;
    Step& step = script.steps[static_cast<size_t>(step_)];
    copy_to_field(step.value[0], std::to_string(count));
    copy_to_field(step.value[1], std::to_string(slot));
}

void Recorder::finish() {
    if (minimize_setting()) context_.host.restore_main_window();
    context_.ui().set_status(0, "");
    if (changed) changed();
}

bool Recorder::test_playback(int32_t step) {
    if (state_ != State::kIdle) return false;
    ScriptState& script = context_.script;
    std::vector<RecordingEvent> events;
    const Step* recording = step >= 0 && step < script.step_count() ? &script.steps[static_cast<size_t>(step)] : nullptr;
    if (!recording || !events_to_play(script, text_to_number(field_text(recording->value[1])),
                                      text_to_number(field_text(recording->value[0])), &events)) {
        message("Nothing recorded.\n\nPress the \"Start Recording\" button to record events.");
        return false;
    }
    step_ = step;
    stop_key_ = recording_stop_key(context_);
    context_.ui().set_status(0, "PRESS \"" + stop_key_name(stop_key_) + "\" TO STOP");
    state_ = State::kTesting;
    if (changed) changed();
    if (minimize_setting()) context_.host.minimize_main_window();
    const bool started = playback_.start(context_, std::move(events), playback_speed_of(recording->options), stop_key_,
                                         [this](PlaybackEnd) {
                                             state_ = State::kIdle;
                                             finish();
                                         });
    if (!started) {
        state_ = State::kIdle;
        finish();
        message("Unable to start playback");
    }
    return started;
}

void Recorder::journal_cancelled() {
    // The record hook is gone: the recording ends and is kept.
    if (state_ != State::kRecording) return;
    state_ = State::kIdle;
    store_recording();
    finish();
}

}  // namespace zorbel
