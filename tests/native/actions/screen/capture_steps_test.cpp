#include "actions/screen/capture_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

class CaptureStepTest : public ::testing::Test {
protected:
    RunRig rig;
    FakeScreen& screen = rig.desktop.screen;

    int run(const char* action, const std::string& text) {
        rig.only(action, text);
        return rig.run_step();
    }
};

TEST_F(CaptureStepTest, ScreenCaptureWritesTheExpandedPath) {
    rig.set_variable("folder", "C:\\shots");
    rig.run.current_window = 7;
    EXPECT_EQ(kStepSucceeded, run("Screen Image Capture", "%folder\\screen.bmp"));
    EXPECT_EQ(std::vector<std::string>{"0|C:\\shots\\screen.bmp"}, screen.captured_files);
    EXPECT_TRUE(rig.desktop.calls.empty());
}

TEST_F(CaptureStepTest, WindowCaptureTakesTheCurrentWindowOrTheForegroundOne) {
    struct Row {
        const char* name;
        intptr_t current;
        bool visible;
        intptr_t foreground;
        std::vector<std::string> calls;
        intptr_t captured;  // also the current window afterwards
    } rows[] = {
        {"visible current window", 7, true, 9, {}, 7},
        {"no current window", 0, false, 9, {"sleep 250"}, 9},
        {"hidden current window", 7, false, 9, {"sleep 250"}, 9},
        {"no window at all: the screen", 0, false, 0, {"sleep 250"}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        rig.desktop.calls.clear();
        screen.captured_files.clear();
        rig.run.current_window = row.current;
        rig.desktop.windows.visible_windows.clear();
        if (row.visible) rig.desktop.windows.visible_windows.push_back(row.current);
        rig.desktop.windows.foreground = row.foreground;
        EXPECT_EQ(kStepSucceeded, run("Window Image Capture", "w.bmp"));
        EXPECT_EQ(row.calls, rig.desktop.calls);
        EXPECT_EQ(std::vector<std::string>{std::to_string(row.captured) + "|w.bmp"}, screen.captured_files);
        EXPECT_EQ(row.captured, rig.run.current_window);
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
