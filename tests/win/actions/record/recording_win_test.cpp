// Recording and playback on the real desktop under Wine: input sent by another process
// (zbsendinput.exe) is recorded through the recorder, and "Recording" steps play it into
// the testbed and notepad at each speed, judged by the messages the windows got.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "actions/record/recorder.h"
#include "tests/win/support/desktop.h"
#include "tests/win/support/notepad.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace wintest {
namespace {

using Lines = std::vector<std::string>;

// Runs zbsendinput.exe with `commands`, pumping this thread's messages (the hooks are
// called from them) until it has ended.
::testing::AssertionResult send_input(const std::string& commands) {
    ChildProcess helper;
    ::testing::AssertionResult started = helper.start("\"" + built_program("zbsendinput.exe") + "\" " + commands);
    if (!started) return started;
    ::testing::AssertionResult ended = wait_until([&] { return !helper.running(); });
    pump_for(150);  // the last events reach the hooks
    return ended;
}

std::string at(POINT p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

struct RecordingRig {
    SystemRunRig rig;
    Recorder recorder{rig.context};
    RecordingRig() { rig.add("Recording"); }
    ~RecordingRig() {
        recorder.stop();
        rig.controller.stop_run(true);
        release_modifiers();
    }
    Step& step() { return rig.script.steps[0]; }
    // Plays step 0 as a run does and waits until the playback re-arms the run.
    ::testing::AssertionResult play(uint32_t options) {
        step().options = options;
        rig.script.current_step = 0;
        rig.run.running = true;
        rig.host.timer_armed = false;
        if (rig.run_step() != kStepArranged) return ::testing::AssertionFailure() << rig.run.error_text;
        return wait_until([&] { return rig.host.timer_armed; });
    }
    std::vector<uint32_t> messages() const {
        std::vector<uint32_t> out;
        for (const RecordingEvent& e : recorder.events().empty() ? rig.script.recordings[0] : recorder.events())
            if (e.message != WM_MOUSEMOVE) out.push_back(e.message);
        return out;
    }
};

bool input_line(const std::string& l) {
    return l.rfind("KEY", 0) == 0 || l.rfind("LBUTTON", 0) == 0 || l.rfind("MOUSEWHEEL", 0) == 0;
}

TEST(RecordingWin, InputOfAnotherProgramIsRecordedAndPlayedIntoTheTestbedAtEachSpeed) {
    Testbed testbed;
    ASSERT_TRUE(testbed.start());
    ASSERT_TRUE(bring_to_front(testbed.window()));
    RECT edit;
    GetWindowRect(testbed.control(testbed::kNameEdit), &edit);
    const POINT target{(edit.left + edit.right) / 2, (edit.top + edit.bottom) / 2};
    RecordingRig r;
    ASSERT_TRUE(r.recorder.start_recording(0));
    ASSERT_TRUE(send_input("m:" + at(target) + " c:" + at(target) + " k:65 k:66 w:" + at(target)));
    r.recorder.stop();
    const std::vector<uint32_t> recorded = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_KEYUP,
                                            WM_KEYDOWN,     WM_KEYUP,     WM_MOUSEWHEEL};
    ASSERT_EQ(recorded, r.messages());
    ASSERT_STREQ("0", r.step().value[1]);

    char key_a[64], key_b[64], click[64];
    std::snprintf(key_a, sizeof(key_a), "KEYDOWN vk=0x41 scan=0x%02X ext=0 ctl=%d", MapVirtualKeyA('A', 0), testbed::kNameEdit);
    std::snprintf(key_b, sizeof(key_b), "KEYDOWN vk=0x42 scan=0x%02X ext=0 ctl=%d", MapVirtualKeyA('B', 0), testbed::kNameEdit);
    std::snprintf(click, sizeof(click), "LBUTTONDOWN x=");
    for (uint32_t options : {1u, 0u, 2u}) {
        SCOPED_TRACE(options);
        pump_for(700);  // two clicks closer than this would make a double click
        testbed.skip_log();
        const DWORD begin = GetTickCount();
        ASSERT_TRUE(r.play(options));
        std::printf("playback with options %u took %lu ms\n", options, GetTickCount() - begin);
        const Lines lines = testbed.take(input_line, 7);
        ASSERT_EQ(7u, lines.size());
        EXPECT_EQ(0u, lines[0].find(click)) << lines[0];
        EXPECT_NE(std::string::npos, lines[0].find(" sx=" + std::to_string(target.x) + " sy=" + std::to_string(target.y)))
            << lines[0];
        EXPECT_EQ(key_a, lines[2]);
        EXPECT_EQ(key_b, lines[4]);
        EXPECT_EQ(0u, lines[6].find("MOUSEWHEEL delta=-120 ")) << lines[6];
        EXPECT_FALSE(r.rig.desktop.recorder.journal_hook_installed());
    }
}

TEST(RecordingWin, KeysRecordedInOneProgramArePlayedIntoNotepad) {
    RecordingRig r;
    {
        Testbed testbed;
        ASSERT_TRUE(testbed.start());
        ASSERT_TRUE(bring_to_front(testbed.window()));
        ASSERT_TRUE(r.recorder.start_recording(0));
        ASSERT_TRUE(send_input("k:72 k:73"));
        r.recorder.stop();
    }
    ASSERT_STREQ("4", r.step().value[0]);
    Notepad notepad;
    ASSERT_TRUE(notepad.start());
    std::string expected;
    for (uint32_t options : {0u, 1u, 2u}) {
        SCOPED_TRACE(options);
        ASSERT_TRUE(r.play(options));
        expected += "hi";
        EXPECT_TRUE(notepad.has_text(expected));
    }
}

// The stop key ends the playback as a failure of the step; its On Failure mode decides.
TEST(RecordingWin, TheStopKeyEndsAPlaybackAndTheFailureModeDecides) {
    struct Case {
        const char* onfail;
        bool goes_on;
    } cases[] = {{"Ignore/Continue", true}, {"Stop Silently", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.onfail);
        RecordingRig r;
        // Shift pressed and released, then again 20 s later: the stop key comes between.
        r.rig.script.add_recording({{WM_KEYDOWN, VK_SHIFT, 1, 0, 0}, {WM_KEYUP, VK_SHIFT, 1, 20, 0},
                                    {WM_KEYDOWN, VK_SHIFT, 1, 20000, 0}, {WM_KEYUP, VK_SHIFT, 1, 20020, 0}});
        copy_to_field(r.step().value[0], "4");
        copy_to_field(r.step().value[1], "0");
        RunRig::on_failure(r.step(), c.onfail);
        r.rig.add("Comment");
        r.rig.controller.start_run(kCommandRun);
        r.rig.controller.step_tick();
        ASSERT_TRUE(r.rig.desktop.recorder.journal_hook_installed() || r.rig.system.desktop.recorder->journal_hook_installed());
        pump_for(300);
        ASSERT_TRUE(send_input("d:19 s:300 u:19"));
        ASSERT_TRUE(wait_until([&] { return !r.rig.system.desktop.recorder->journal_hook_installed(); }));
        r.rig.drive(100);
        EXPECT_NE(std::string::npos, r.rig.log().find("Stop button pressed during recording playback\r\n"));
        EXPECT_FALSE(r.rig.run.running);
        EXPECT_EQ(c.goes_on ? 2 : 0, r.rig.script.current_step) << r.rig.log();
    }
}

// The watcher hears keys of another program: a wrong key leaves the wait going, F5 ends it.
TEST(RecordingWin, WaitForKeypressHearsTheKeysOfAnotherProgram) {
    Testbed testbed;
    ASSERT_TRUE(testbed.start());
    ASSERT_TRUE(bring_to_front(testbed.window()));
    SystemRunRig rig;
    rig.only("Wait for Keypress", "{F5}", "10");
    rig.run.running = true;
    ASSERT_EQ(kStepFailed, rig.run_step());
    ASSERT_TRUE(send_input("k:65"));
    EXPECT_EQ(kStepFailed, rig.run_step());
    ASSERT_TRUE(send_input("k:116"));
    EXPECT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_NE(std::string::npos, rig.log().find("\tWaiting for keypress [116], user pressed [65]\r\n"));
    rig.controller.stop_run(true);
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
