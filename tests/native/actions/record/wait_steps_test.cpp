// "Wait for Keypress" with its watcher on the fake desktop, and the times of "Delay"
// and "Freeze".
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr uint32_t kKeyDown = 0x100, kSysKeyDown = 0x104, kKeyUp = 0x101;

struct WaitRig : RunRig {
    FakeRecorderDesktop& hooks = desktop.recorder;
    void press(uint32_t message, uint8_t code) {
        if (hooks.watcher) hooks.watcher->key_pressed(message, code);
    }
    size_t count(const std::string& call) const { return static_cast<size_t>(std::count(desktop.calls.begin(), desktop.calls.end(), call)); }
};

TEST(WaitForKeypress, EndsOnTheAwaitedKeyOnly) {
    struct Case {
        const char* text;
        std::vector<std::pair<uint32_t, uint8_t>> presses;
        bool ends;
    } cases[] = {
        {"{F5}", {{kKeyDown, 65}, {kKeyUp, 116}}, false},
        {"{F5}", {{kKeyDown, 65}, {kKeyDown, 116}}, true},
        {"{F5}", {{kSysKeyDown, 116}}, true},
        {"", {{kKeyDown, 90}}, true},
        {"", {{kKeyUp, 90}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        WaitRig rig;
        rig.only("Wait for Keypress", c.text, "10");
        rig.run.running = true;
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ(1u, rig.count("key watcher"));
        for (const auto& press : c.presses) rig.press(press.first, press.second);
        EXPECT_EQ(c.ends ? kStepSucceeded : kStepFailed, rig.run_step());
        EXPECT_EQ(c.ends ? 1u : 0u, rig.count("key watcher removed"));
        // Still waiting: the watcher is not put in twice.
        EXPECT_EQ(1u, rig.count("key watcher"));
    }
}

TEST(WaitForKeypress, LogsTheAwaitedAndThePressedKeys) {
    WaitRig rig;
    rig.only("Wait for Keypress", "{F5}", "10");
    rig.run.running = true;
    rig.run_step();
    rig.press(kKeyDown, 65);
    const std::vector<std::string> expected = {"\tWaiting for keypress {F5} (116)",
                                               "\tWaiting for keypress [116], user pressed [65]"};
    EXPECT_EQ(expected, rig.lines());
}

TEST(WaitForKeypress, ARefusedWatcherFailsTheStep) {
    WaitRig rig;
    rig.only("Wait for Keypress", "", "10");
    rig.hooks.refuse_watcher = true;
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ("Unable to start keyboard watcher", rig.run.error_text);
}

TEST(WaitForKeypress, TheWatcherGoesWhenTheTimeHasPassed) {
    WaitRig rig;
    RunRig::on_failure(rig.only("Wait for Keypress", "{F5}", "1"), "Ignore/Continue");
    rig.add("Comment");
    rig.run_script();
    EXPECT_FALSE(rig.run.running);
    EXPECT_EQ(1u, rig.count("key watcher"));
    EXPECT_EQ(1u, rig.count("key watcher removed"));
    EXPECT_EQ(nullptr, rig.hooks.watcher);
}

// A key that came during one run does not end the wait of the next.
TEST(WaitForKeypress, AKeyOfAnEarlierRunIsForgotten) {
    WaitRig rig;
    RunRig::on_failure(rig.only("Wait for Keypress", "", "0"), "Ignore/Continue");
    rig.controller.start_run(kCommandRun);
    rig.controller.step_tick();
    ASSERT_NE(nullptr, rig.hooks.watcher);
    rig.press(kKeyDown, 90);
    rig.controller.stop_run();
    EXPECT_EQ(1u, rig.count("key watcher removed"));
    rig.run.running = true;
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_EQ(2u, rig.count("key watcher"));
    rig.controller.stop_run();
    EXPECT_EQ(2u, rig.count("key watcher removed"));
    EXPECT_EQ(nullptr, rig.hooks.watcher);
}

// A negative time (a computed "-2") is no wait at all.
TEST(WaitSteps, DelayAndFreezeWaitTheirTimeAndNothingForANegativeOne) {
    struct Case {
        const char* action;
        const char* timeout;
        uint32_t waited;
    } cases[] = {
        {"Delay", "1.5", 1500}, {"Delay", "-2", 0}, {"Freeze", "0.25", 250}, {"Freeze", "-2", 0}, {"Freeze", "-0.5", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + c.timeout);
        WaitRig rig;
        rig.only(c.action, "", c.timeout);
        rig.run_step();
        if (c.action[0] == 'D') {
            EXPECT_TRUE(rig.host.timer_armed);
            EXPECT_EQ(c.waited, rig.host.timer_ms);
        } else {
            EXPECT_EQ(c.waited, rig.desktop.clock.slept_ms);
        }
    }
}

}  // namespace
}  // namespace zorbel
