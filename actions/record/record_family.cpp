// The Record Actions family (8): the "Recording" step plays the events of its slot
// through the playback hook at the speed its options choose. The step returns at once
// and the run waits: when the playback has played every event the run goes on at the
// next step; the stop key ends it as a failure of the step (its On Failure mode
// decides); a journal the system cancelled stops the run.
#include "actions/families.h"
#include "actions/record/recorder.h"
#include "engine/failure_handling.h"

namespace zorbel {

namespace {

constexpr uint32_t kRecordFamilyCode = 8;

struct RecordingRun : FamilyRunState {
    RecordingPlayback playback;
};

void playback_ended(RunContext& context, PlaybackEnd how) {
    RunState& run = context.run;
    run.ticks_held = false;
    if (!run.running) return;
    switch (how) {
        case PlaybackEnd::kCompleted:
            ++context.script.current_step;
            run.retry_counter = 0;
            context.host.set_step_timer(speed_delay(run.speed));
            return;
        case PlaybackEnd::kStopKey:
            context.fail("Stop button pressed during recording playback");
            if (handle_failure(context) != kFailureStopped) context.host.set_step_timer(speed_delay(run.speed));
            return;
        case PlaybackEnd::kCancelled:
            context.log("Recording playback cancelled by the system, stopping run\r\n");
            context.stop_run();
            return;
    }
}

int play_recording(RunContext& context, Step& step) {
    RecorderDesktop* recorder = context.desktop().recorder;
    if (recorder && recorder->journal_hook_installed()) return context.fail("Another recording is currently playing");
    const int32_t count = context.number_of(step.value[0]);
    if (count < 1) return kStepSucceeded;
    std::vector<RecordingEvent> events;
    if (!recorder || !events_to_play(context.script, context.number_of(step.value[1]), count, &events))
        return context.fail("Unable to start recording");
    const int speed = playback_speed_of(step.options);
    context.log("\t%s events at %s speed\r\n", std::string(field_text(step.value[0])).c_str(), playback_speed_name(speed));
    RecordingRun& state = context.run.state_of<RecordingRun>(kRecordFamilyCode);
    RunContext* owner = &context;
    context.run.ticks_held = true;
    if (!state.playback.start(context, std::move(events), speed, context.run.stop_key,
                              [owner](PlaybackEnd how) { playback_ended(*owner, how); })) {
        context.run.ticks_held = false;
        return context.fail("Unable to start recording");
    }
    return kStepArranged;
}

const ActionRow kActions[] = {
    {"Recording", play_recording},
};

}  // namespace

const ActionFamily kRecordFamily = ActionFamily(kRecordFamilyCode, "Record Actions", kActions, play_recording).without_retries();

}  // namespace zorbel
