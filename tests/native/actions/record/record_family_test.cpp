// The "Recording" step on the run rig: the fake desktop stands in for the playback
// hook (waits move the fake clock), so timing, slot checks, the extra input of wheel
// and lock keys, and each way a playback ends are read from the one call log.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/record/recording_playback.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr uint32_t kKeyDown = 0x100, kKeyUp = 0x101, kWheel = 0x20A;

// A script of one "Recording" step (and a step after it) whose slot holds `events`.
struct PlayRig : RunRig {
    Step& recording(std::vector<RecordingEvent> events, uint32_t options = 0, const char* count = nullptr) {
        const size_t n = events.size();
        const int32_t slot = script.add_recording(std::move(events));
        Step& s = add("Recording");
        copy_to_field(s.value[0], count ? std::string(count) : std::to_string(n));
        copy_to_field(s.value[1], std::to_string(slot));
        s.options = options;
        return s;
    }
    // The waits and plays of the call log, in order.
    std::vector<std::string> playback() const {
        std::vector<std::string> out;
        for (const std::string& c : desktop.calls)
            if (c.rfind("wait ", 0) == 0 || c.rfind("play ", 0) == 0 || c == "playback hook") out.push_back(c);
        return out;
    }
    size_t count_calls(const std::string& prefix) const {
        size_t n = 0;
        for (const std::string& c : desktop.calls) n += c.rfind(prefix, 0) == 0;
        return n;
    }
};

std::vector<RecordingEvent> three_keys(uint32_t gap_ms) {
    return {{kKeyDown, 65, 1, 5000, 0}, {kKeyUp, 65, 1, 5000 + gap_ms, 0}, {kKeyDown, 66, 1, 5000 + 2 * gap_ms, 0}};
}

TEST(RecordingStep, PlaysAtTheSpeedOfItsOptionsAndTheRunGoesOn) {
    struct Case {
        uint32_t options;
        uint32_t gap;
        const char* log;
        std::vector<std::string> expected;
    } cases[] = {
        {0, 500, "\t3 events at normal speed", {"playback hook", "play 256 65 1", "wait 500", "play 257 65 1", "wait 500", "play 256 66 1"}},
        {2, 500, "\t3 events at slow speed", {"playback hook", "play 256 65 1", "wait 2000", "play 257 65 1", "wait 2000", "play 256 66 1"}},
        {1, 500, "\t3 events at fast speed", {"playback hook", "play 256 65 1", "play 257 65 1", "play 256 66 1"}},
        {3, 500, "\t3 events at fast speed", {"playback hook", "play 256 65 1", "play 257 65 1", "play 256 66 1"}},
        // Shorter than 10 ms is not waited for.
        {0, 9, "\t3 events at normal speed", {"playback hook", "play 256 65 1", "play 257 65 1", "play 256 66 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        PlayRig rig;
        rig.recording(three_keys(c.gap), c.options);
        rig.add("Comment");
        rig.run_script();
        ASSERT_TRUE(rig.run.running);
        rig.desktop.recorder.play_all();
        rig.drive();
        EXPECT_EQ(c.expected, rig.playback());
        EXPECT_FALSE(rig.run.running);
        EXPECT_EQ(2, rig.script.current_step) << rig.log();
        const std::vector<std::string> lines = rig.lines();
        EXPECT_EQ(c.log, lines.at(1));
        EXPECT_EQ("Recording playback completed successfully (3 events)", lines.at(2));
    }
}

TEST(RecordingStep, DelaysAreTheSignedDifferenceClampedBeforeAndAfterSlowing) {
    struct Case {
        uint32_t earlier, later;
        int speed;
        int32_t delay;
    } cases[] = {
        {1000, 1500, kPlayNormal, 500},         {1000, 1500, kPlaySlow, 2000},
        {0xFFFFFF00u, 0x100, kPlayNormal, 512},  // the tick count wrapped between them
        {1500, 1000, kPlayNormal, 0},           {0x10, 0x80000000u, kPlayNormal, 0x7FFFFFF0},
        {0, 0x40000000u, kPlaySlow, 0x7FFFFFFF}, {5000, 0, kPlaySlow, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.earlier) + " -> " + std::to_string(c.later));
        EXPECT_EQ(c.delay, playback_delay(c.earlier, c.later, c.speed));
    }
}

// The playback before left its end event's delay behind: the next starts without it.
TEST(RecordingStep, ASecondPlaybackStartsWithoutTheDelayOfTheFirst) {
    PlayRig rig;
    rig.recording(three_keys(20));
    rig.recording(three_keys(20));
    rig.run_script();
    for (int playbacks = 0; playbacks < 2; ++playbacks) {
        rig.desktop.recorder.play_all();
        rig.drive();
    }
    const std::vector<std::string> expected = {"playback hook", "play 256 65 1", "wait 20", "play 257 65 1", "wait 20",
                                               "play 256 66 1"};
    std::vector<std::string> twice = expected;
    twice.insert(twice.end(), expected.begin(), expected.end());
    EXPECT_EQ(twice, rig.playback());
    EXPECT_FALSE(rig.run.running);
}

TEST(RecordingStep, PlaysOnlyFromAFilledSlotAndNoMoreThanItHolds) {
    struct Case {
        const char* name;
        const char* count;
        const char* slot;  // null: the slot the events went into
        int result;
        size_t plays;
    } cases[] = {
        {"count above the slot's events", "99", nullptr, kStepArranged, 3},
        {"count below", "2", nullptr, kStepArranged, 2},
        {"nothing to play", "0", nullptr, kStepSucceeded, 0},
        {"negative slot", "3", "-1", kStepFailed, 0},
        {"slot past the table", "3", "256", kStepFailed, 0},
        {"slot never filled", "3", "7", kStepFailed, 0},
        {"empty slot", "3", "1", kStepFailed, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayRig rig;
        Step& s = rig.recording(three_keys(0), 1, c.count);
        rig.script.add_recording({});
        if (c.slot) copy_to_field(s.value[1], c.slot);
        rig.script.current_step = 0;
        rig.run.running = true;
        EXPECT_EQ(c.result, rig.run_step());
        if (c.result == kStepFailed) {
            EXPECT_EQ("Unable to start recording", rig.run.error_text);
        }
        rig.desktop.recorder.play_all();
        EXPECT_EQ(c.plays, rig.count_calls("play "));
    }
}

TEST(RecordingStep, RefusesWhileAnotherHookIsInAndWhenThePlaybackHookIsRefused) {
    PlayRig rig;
    rig.recording(three_keys(0));
    rig.run.running = true;
    rig.desktop.recorder.refuse_playback = true;
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("Unable to start recording", rig.run.error_text);
    EXPECT_FALSE(rig.run.ticks_held);
    rig.desktop.recorder.refuse_playback = false;
    ASSERT_EQ(kStepArranged, rig.run_step());
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("Another recording is currently playing", rig.run.error_text);
}

// The extra wheel turn and lock-key press go out once per event, however often the
// system asks for it, and the wheel lands where the event was, on mouse_event's scale.
TEST(RecordingStep, ExtraInputGoesOutOncePerEventOnTheAbsoluteScale) {
    PlayRig rig;
    rig.desktop.pointer.screen = ScreenPoint{1000, 500};
    rig.recording({{kWheel, 500, 100, 0, 0}, {kKeyDown, 20 | (58 << 8), 1, 0, 0}, {kKeyUp, 20, 1, 0, 0}}, 1);
    rig.run_script();
    FakeRecorderDesktop& hook = rig.desktop.recorder;
    for (int i = 0; i < 3; ++i) {
        for (int asked = 0; asked < 3; ++asked) hook.get_next();
        if (hook.playback) hook.playback->skip();
    }
    EXPECT_EQ(1u, rig.count_calls("mouse_event(0x8801,32767,13107,-120)"));
    EXPECT_EQ(1u, rig.count_calls("mouse_event"));
    EXPECT_EQ(1u, rig.count_calls("down 20"));
    EXPECT_EQ(1u, rig.count_calls("up 20"));
    EXPECT_EQ(9u, rig.count_calls("play "));
}

struct EndCase {
    const char* name;
    const char* onfail;
    bool cancelled;  // the system cancels the journal instead of the stop key
    bool goes_on;
    const char* line;
};

// Each way a step's playback ends lets go of the hook and stops or resumes the run;
// none stores anything into the step or the slots.
TEST(RecordingStep, EveryEndOfAPlaybackReleasesTheHookAndStopsOrResumesTheRun) {
    const EndCase cases[] = {
        {"stop key, ignore", "Ignore/Continue", false, true, "Stop button pressed during recording playback"},
        {"stop key, stop", "Stop Silently", false, false, "Stop button pressed during recording playback"},
        {"cancelled journal", "Ignore/Continue", true, false,
         "Recording playback cancelled by the system, stopping run"},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        PlayRig rig;
        Step& s = rig.recording(three_keys(100));
        RunRig::on_failure(s, c.onfail);
        rig.add("Comment");
        rig.run_script();
        FakeRecorderDesktop& hook = rig.desktop.recorder;
        rig.desktop.keyboard.down_keys.push_back(19);
        hook.get_next();  // the stop key is not heard before an event has been played
        hook.playback->skip();
        if (c.cancelled) hook.cancel_journal();
        else hook.play_all();
        rig.desktop.keyboard.down_keys.clear();
        rig.drive();
        EXPECT_EQ(1u, rig.count_calls("play "));
        EXPECT_FALSE(hook.journal_hook_installed());
        EXPECT_FALSE(rig.run.ticks_held);
        EXPECT_FALSE(rig.run.running);
        EXPECT_EQ(c.goes_on ? 2 : 0, rig.script.current_step);
        EXPECT_EQ(1, rig.script.recording_count);
        EXPECT_STREQ("3", rig.script.steps[0].value[0]);
        const std::vector<std::string> lines = rig.lines();
        EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), c.line));
    }
}

TEST(RecordingStep, StoppingTheRunEndsThePlayback) {
    PlayRig rig;
    rig.recording(three_keys(100));
    rig.run_script();
    rig.desktop.recorder.get_next();
    rig.controller.stop_run();
    EXPECT_FALSE(rig.desktop.recorder.journal_hook_installed());
    EXPECT_EQ(1, rig.script.recording_count);
}

}  // namespace
}  // namespace zorbel
