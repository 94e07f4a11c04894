// The recording pane's recorder on the run rig's context (no run going): what is
// recorded, where it is stored, the slot limit, the buffer's growth, test playback
// and a cancelled journal.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/record/recorder.h"
#include "core/script_file.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kMove = 0x200, kClick = 0x201;
constexpr intptr_t kOwnWindow = 77, kOtherWindow = 88;

struct RecorderRig : RunRig {
    Recorder recorder{context};
    FakeRecorderDesktop& hooks = desktop.recorder;
    RecorderRig() {
        add("Recording");
        add("Recording");
        desktop.windows.own_windows.push_back(kOwnWindow);
    }
    void type_keys(int n) {
        for (int i = 0; i < n; ++i) hooks.see(i % 2 ? kKeyUp : kKeyDown, 65, 1, kOtherWindow, 10);
    }
    std::string values(int step) const {
        return std::string(script.steps[static_cast<size_t>(step)].value[0]) + "/" +
               script.steps[static_cast<size_t>(step)].value[1];
    }
};

TEST(Recorder, RecordsUntilTheStopKeyAndStoresIntoTheStepThatStarted) {
    RecorderRig rig;
    ASSERT_TRUE(rig.recorder.start_recording(1));
    EXPECT_EQ("PRESS \"Pause\" TO STOP", rig.ui.status);
    rig.hooks.see(kMove, 5, 6, kOwnWindow, 100);      // moves over the editor are kept
    rig.hooks.see(kClick, 5, 6, kOwnWindow, 100);     // clicks on it are not
    rig.hooks.see(kKeyDown, 65, 1, kOtherWindow, 250);
    rig.hooks.see(kKeyDown, 19, 1, kOtherWindow, 10);  // the stop key
    rig.hooks.see(kKeyUp, 19, 1, kOtherWindow, 10);
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
    EXPECT_FALSE(rig.hooks.journal_hook_installed());
    EXPECT_EQ("2/0", rig.values(1));
    EXPECT_EQ("/", rig.values(0));
    const std::vector<RecordingEvent>& slot = rig.script.recordings[0];
    ASSERT_EQ(2u, slot.size());
    EXPECT_EQ(kMove, slot[0].message);
    EXPECT_EQ(1100u, slot[0].time);
    EXPECT_EQ(65u, slot[1].param_first);
    EXPECT_EQ(1450u, slot[1].time);
    EXPECT_EQ("", rig.ui.status);
}

TEST(Recorder, TheBufferGrowsBeforeItRunsShortAndAFailedGrowthEndsTheRecording) {
    RecorderRig rig;
    rig.recorder.start_recording(0);
    rig.type_keys(215);
    EXPECT_EQ(kRecordBufferEvents, rig.recorder.events().capacity());
    rig.type_keys(85);
    EXPECT_EQ(2 * kRecordBufferEvents, rig.recorder.events().capacity());
    rig.recorder.stop();
    EXPECT_EQ("300/0", rig.values(0));

    rig.recorder.buffer_limit = kRecordBufferEvents;
    rig.recorder.start_recording(1);
    rig.type_keys(300);
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
    EXPECT_EQ("216/1", rig.values(1));
}

// A recording of 300 events (the buffer grown once) comes back whole from its file,
// in the step that holds it, every field but the window.
TEST(Recorder, ThreeHundredEventsRoundTripThroughTheScriptFile) {
    RecorderRig rig;
    rig.recorder.start_recording(1);
    for (uint32_t i = 0; i < 300; ++i) rig.hooks.see(i % 3 ? kMove : kKeyDown, 65 + i % 26, i * 7, kOtherWindow, i % 50);
    rig.recorder.stop();
    ASSERT_EQ("300/0", rig.values(1));
    ScriptState loaded;
    SilentUserInterface quiet;
    ASSERT_EQ(2, load_script_text(&loaded, script_to_text(rig.script), "x.zbx", &quiet));
    EXPECT_STREQ("300", loaded.steps[1].value[0]);
    const std::vector<RecordingEvent>& back = loaded.recordings[static_cast<size_t>(text_to_number(loaded.steps[1].value[1]))];
    ASSERT_EQ(300u, back.size());
    for (size_t i = 0; i < back.size(); ++i) {
        const RecordingEvent& was = rig.script.recordings[0][i];
        EXPECT_EQ(was.message, back[i].message);
        EXPECT_EQ(was.param_first, back[i].param_first);
        EXPECT_EQ(was.param_second, back[i].param_second);
        EXPECT_EQ(was.time, back[i].time);
    }
}

// A file may already hold every slot: "256 or more" refuses, not only exactly 256.
TEST(Recorder, RefusesANewRecordingWhenTheSlotsAreUsedUp) {
    for (int32_t used : {254, 255, 256}) {
        SCOPED_TRACE(used);
        RecorderRig rig;
        rig.script.recording_count = used;
        EXPECT_EQ(used < 255, rig.recorder.start_recording(0));
        EXPECT_EQ(used < 255 ? 0u : 1u, rig.ui.boxes.size());
        if (used >= 255) {
            EXPECT_EQ(0u, rig.ui.boxes[0].find("System Message|A maximum of 256 recordings per script"));
        }
    }
}

TEST(Recorder, AFailedSlotAtTheStopChangesNothing) {
    RecorderRig rig;
    rig.recorder.start_recording(0);
    rig.type_keys(4);
    rig.script.recording_count = kMaxRecordings;  // taken meanwhile (a paste)
    rig.recorder.stop();
    EXPECT_EQ(std::vector<std::string>{"System Message|Insufficient Memory Avaiable"}, rig.ui.boxes);
    EXPECT_EQ("/", rig.values(0));
    EXPECT_EQ(kMaxRecordings, rig.script.recording_count);
}

TEST(Recorder, ARefusedHookSaysSoAndStaysIdle) {
    RecorderRig rig;
    rig.hooks.refuse_record = true;
    EXPECT_FALSE(rig.recorder.start_recording(0));
    EXPECT_EQ(std::vector<std::string>{"System Message|Start Recording Failed!"}, rig.ui.boxes);
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
}

TEST(Recorder, TestPlaybackPlaysTheStepsRecordingAndStoresNothing) {
    RecorderRig rig;
    rig.recorder.start_recording(0);
    rig.type_keys(3);
    rig.recorder.stop();
    ASSERT_TRUE(rig.recorder.test_playback(0));
    EXPECT_EQ(Recorder::State::kTesting, rig.recorder.state());
    rig.hooks.play_all();
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
    EXPECT_EQ(1, rig.script.recording_count);
    EXPECT_EQ("3/0", rig.values(0));
    EXPECT_EQ("Recording playback completed successfully (3 events)", rig.lines().back());
}

TEST(Recorder, TestPlaybackOfNothingOrABadSlotSaysNothingWasRecorded) {
    struct Case {
        const char* count;
        const char* slot;
    } cases[] = {{"", ""}, {"0", "0"}, {"3", "-1"}, {"3", "256"}, {"3", "5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.count) + "/" + c.slot);
        RecorderRig rig;
        rig.script.add_recording({{kKeyDown, 65, 1, 0, 0}});
        copy_to_field(rig.script.steps[0].value[0], c.count);
        copy_to_field(rig.script.steps[0].value[1], c.slot);
        EXPECT_FALSE(rig.recorder.test_playback(0));
        ASSERT_EQ(1u, rig.ui.boxes.size());
        EXPECT_EQ(0u, rig.ui.boxes[0].find("System Message|Nothing recorded."));
        EXPECT_FALSE(rig.hooks.journal_hook_installed());
    }
}

// Acting by what was installed: a recording is kept, a test playback just ends.
TEST(Recorder, ACancelledJournalEndsWhatWasInstalled) {
    RecorderRig rig;
    rig.recorder.start_recording(1);
    rig.type_keys(2);
    rig.hooks.cancel_journal();
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
    EXPECT_EQ("2/0", rig.values(1));
    ASSERT_TRUE(rig.recorder.test_playback(1));
    rig.hooks.get_next();
    rig.hooks.cancel_journal();
    EXPECT_EQ(Recorder::State::kIdle, rig.recorder.state());
    EXPECT_EQ(1, rig.script.recording_count);
    EXPECT_EQ("2/0", rig.values(1));
}

}  // namespace
}  // namespace zorbel
