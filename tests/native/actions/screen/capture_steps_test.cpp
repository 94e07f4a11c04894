#include "actions/screen/capture_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/actions/mouse/fake_mouse_desktop.h"
#include "tests/native/actions/screen/fake_screen.h"
#include "tests/native/engine/run_rig.h"

namespace zorbel {
namespace {

class CaptureStepTest : public ::testing::Test {
protected:
    RunRig rig;
    FakeMouseDesktop desktop;
    FakeScreen screen;

    int run(const char* action, const std::string& text) {
        rig.add(action, text);
        rig.script.current_step = static_cast<int32_t>(rig.script.steps.size()) - 1;
        RunContext context{rig.script, rig.run, rig.services, rig.host, &rig.controller};
        return run_capture_step(context, desktop, screen);
    }
};

TEST_F(CaptureStepTest, ScreenCaptureWritesTheExpandedPath) {
    rig.set_variable("folder", "C:\\shots");
    desktop.current = 7;
    EXPECT_EQ(kStepSucceeded, run("Screen Image Capture", "%folder\\screen.bmp"));
    EXPECT_EQ(std::vector<std::string>{"0|C:\\shots\\screen.bmp"}, screen.captured_files);
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(CaptureStepTest, WindowCaptureTakesTheCurrentWindowOrTheForegroundOne) {
    struct Row {
        const char* name;
        intptr_t current;
        bool visible;
        intptr_t foreground;
        int result;
        std::vector<std::string> calls;
        std::vector<std::string> captured;
    } rows[] = {
        {"visible current window", 7, true, 9, kStepSucceeded, {}, {"7|w.bmp"}},
        {"no current window", 0, false, 9, kStepSucceeded, {"Sleep(250)", "SetCurrentWindow(9)"}, {"9|w.bmp"}},
        {"hidden current window", 7, false, 9, kStepSucceeded, {"Sleep(250)", "SetCurrentWindow(9)"}, {"9|w.bmp"}},
        {"no window at all: the screen", 0, false, 0, kStepSucceeded, {"Sleep(250)", "SetCurrentWindow(0)"}, {"0|w.bmp"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        desktop.calls.clear();
        screen.captured_files.clear();
        desktop.current = row.current;
        desktop.visible_windows.clear();
        if (row.visible) desktop.visible_windows.push_back(row.current);
        desktop.foreground = row.foreground;
        EXPECT_EQ(row.result, run("Window Image Capture", "w.bmp"));
        EXPECT_EQ(row.calls, desktop.calls);
        EXPECT_EQ(row.captured, screen.captured_files);
    }
}

TEST_F(CaptureStepTest, FailedWriteFailsWithoutAMessage) {
    screen.capture_fails = true;
    rig.run.error_text = "left over";
    EXPECT_EQ(kStepFailed, run("Screen Image Capture", "Q:\\nowhere\\x.bmp"));
    EXPECT_EQ("", rig.run.error_text);
}

}  // namespace
}  // namespace zorbel
