// The Mouse family on the fake desktop: positions, gliding, relative positions,
// clicks, the wheel, the saved position and the image actions.
#include "actions/mouse/mouse_family.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Calls = std::vector<std::string>;

const char* const kLeftClick[] = {"mouse_event(0x2,0,0,0)", "mouse_event(0x4,0,0,0)"};

class MouseStepTest : public ::testing::Test {
protected:
    MouseStepTest() { rig.desktop.windows.fixed_rect = true; }

    RunRig rig;
    FakeMouseDesktop& desktop = rig.desktop.pointer;
    FakeWindowDesktop& windows = rig.desktop.windows;
    FakeScreen& screen = rig.desktop.screen;
    std::vector<std::string>& calls = rig.desktop.calls;

    Step& add(const char* action, const char* x = "", const char* y = "", uint32_t options = 0) {
        Step& s = rig.add(action);
        copy_to_field(s.value[0], x);
        copy_to_field(s.value[1], y);
        s.options = options;
        return s;
    }
    // Runs the last step added.
    int run() {
        rig.script.current_step = static_cast<int32_t>(rig.script.steps.size()) - 1;
        rig.run.error_text.clear();
        return rig.run_step();
    }
    int32_t setting(const char* path) { return setting_number(rig.store, path); }
};

Calls with_click(Calls calls) {
    calls.insert(calls.end(), std::begin(kLeftClick), std::end(kLeftClick));
    return calls;
}

TEST_F(MouseStepTest, PositionsCountFromOne) {
    add("Move Instantly", "101", "201");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(Calls{"SetCursorPos(100,200)"}, calls);
}

TEST_F(MouseStepTest, PositionsAreExpanded) {
    rig.set_variable("column", "41");
    add("Move Instantly", "%column", "1,001");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(Calls{"SetCursorPos(40,1000)"}, calls);
}

TEST_F(MouseStepTest, GlideSendsTwentyAbsoluteMovesThenJumps) {
    desktop.pointer = ScreenPoint{0, 0};
    add("Move", "200", "100", kMouseShowMovement);
    EXPECT_EQ(kStepSucceeded, run());
    Calls want;
    for (long i = 1; i <= 20; ++i) {
        // 199 / 20 = 9 and 99 / 20 = 4 pixels a step, scaled to 0..65535.
        want.push_back(format("mouse_event(0x8001,%ld,%ld,0)", 9 * i * 65535 / 1280, 4 * i * 65535 / 1024));
        want.push_back("sleep 25");
    }
    want.push_back("SetCursorPos(199,99)");
    EXPECT_EQ(want, calls);
}

TEST_F(MouseStepTest, ShortGlideTakesEightSteps) {
    desktop.pointer = ScreenPoint{100, 300};
    add("Move", "116", "301", kMouseShowMovement);  // 15 pixels to the right
    EXPECT_EQ(kStepSucceeded, run());
    Calls want;
    for (long i = 1; i <= 8; ++i) {
        want.push_back(format("mouse_event(0x8001,%ld,%ld,0)", (100 + i) * 65535 / 1280, 300L * 65535 / 1024));
        want.push_back("sleep 25");
    }
    want.push_back("SetCursorPos(115,300)");
    EXPECT_EQ(want, calls);
}

TEST_F(MouseStepTest, RelativePositions) {
    struct Row {
        const char* name;
        uint32_t options;
        intptr_t current;
        bool current_visible;
        intptr_t foreground;
        Calls calls;
        intptr_t current_after = -1;  // the current window after the step (-1: as before)
    } rows[] = {
        {"inside the current window", kMouseRelativeToWindow, 7, true, 9, with_click({"SetCursorPos(310,220)"})},
        {"no current window: the foreground window after 250 ms", kMouseRelativeToWindow, 0, false, 9,
         with_click({"sleep 250", "SetCursorPos(310,220)"}), 9},
        {"hidden current window", kMouseRelativeToWindow, 7, false, 9,
         with_click({"sleep 250", "SetCursorPos(310,220)"}), 9},
        {"no window at all: screen position", kMouseRelativeToWindow, 0, false, 0,
         with_click({"sleep 250", "SetCursorPos(10,20)"}), 0},
        {"from the pointer", kMouseRelativeToPointer, 7, true, 9, with_click({"SetCursorPos(650,532)"})},
        {"window wins over pointer", kMouseRelativeToWindow | kMouseRelativeToPointer, 7, true, 9,
         with_click({"SetCursorPos(310,220)"})},
        {"stay at the current position", kMouseStayInPlace, 7, true, 9, with_click({"ShowCursor"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        calls.clear();
        desktop.pointer = ScreenPoint{640, 512};
        rig.run.current_window = row.current;
        windows.visible_windows.clear();
        if (row.current_visible) windows.visible_windows.push_back(row.current);
        windows.foreground = row.foreground;
        add("Left Button Click", "11", "21", row.options);
        EXPECT_EQ(kStepSucceeded, run());
        EXPECT_EQ(row.calls, calls);
        EXPECT_EQ(row.current_after < 0 ? row.current : row.current_after, rig.run.current_window);
    }
}

TEST_F(MouseStepTest, PositionOneOneClicksWhereThePointerIs) {
    add("Left Button Click", "1", "1");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(with_click({"ShowCursor"}), calls);
    // ... but a move to (1, 1) goes to the screen's corner.
    calls.clear();
    add("Move Instantly", "1", "1");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(Calls{"SetCursorPos(0,0)"}, calls);
}

TEST_F(MouseStepTest, ButtonsAndWheel) {
    struct Row {
        const char* action;
        Calls calls;
    } rows[] = {
        {"Left Button Click", {"SetCursorPos(4,5)", kLeftClick[0], kLeftClick[1]}},
        {"Right Button Click", {"SetCursorPos(4,5)", "mouse_event(0x8,0,0,0)", "mouse_event(0x10,0,0,0)"}},
        {"Left Button Double-Click",
         {"SetCursorPos(4,5)", kLeftClick[0], kLeftClick[1], "sleep 250", kLeftClick[0], kLeftClick[1]}},
        {"Left Button Down & Hold", {"SetCursorPos(4,5)", kLeftClick[0]}},
        {"Left Button Up", {"SetCursorPos(4,5)", kLeftClick[1]}},
        {"Mouse Wheel Up", {"mouse_event(0x800,0,0,120)"}},    // the position is not used
        {"Mouse Wheel Down", {"mouse_event(0x800,0,0,-120)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        calls.clear();
        add(row.action, "5", "6");
        EXPECT_EQ(kStepSucceeded, run());
        EXPECT_EQ(row.calls, calls);
    }
}

TEST_F(MouseStepTest, SaveAndReturnToTheSavedPosition) {
    desktop.pointer = ScreenPoint{321, 654};
    add("Save Current Position", "50", "50", kMouseShowMovement);
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(321, setting(kSavedPositionX));
    EXPECT_EQ(654, setting(kSavedPositionY));

    desktop.pointer = ScreenPoint{5, 5};
    add("Return to Saved Position", "9", "9");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(Calls{"SetCursorPos(321,654)"}, calls);
}

// A saved position of (0, 0) is a place to return to, not "where the pointer is".
TEST_F(MouseStepTest, ReturnToSavedPositionAtTheScreensCornerMoves) {
    desktop.pointer = ScreenPoint{0, 0};
    add("Save Current Position");
    ASSERT_EQ(kStepSucceeded, run());
    ASSERT_EQ(0, setting(kSavedPositionX));
    desktop.pointer = ScreenPoint{500, 400};
    add("Return to Saved Position");
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ(Calls{"SetCursorPos(0,0)"}, calls);
}

TEST_F(MouseStepTest, MoveToControlAndWindow) {
    windows.answers["Apply|1001"] = {77, {1, 0}};
    windows.answers["ZbTestbed"] = {77, {1, 0}};
    rig.set_variable("which", "Apply");
    add("Move to Control", "5", "5", 1 | 4 | kMouseShowMovement | kMouseRelativeToPointer).text = "%which|1001";
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ((Calls{"find 5 'Apply|1001' 0", "activate 77", "GlideCursorToWindow(77,2,1)"}), calls);

    calls.clear();
    add("Move to Window", "", "", 2).text = "ZbTestbed";
    EXPECT_EQ(kStepSucceeded, run());
    EXPECT_EQ((Calls{"find 2 'ZbTestbed' 0", "activate 77", "GlideCursorToWindow(77,1,0)"}), calls);

    calls.clear();
    add("Move to Window", "", "", 1).text = "Nothing like it";
    EXPECT_EQ(kStepFailed, run());
    EXPECT_EQ("Unable to find window 'Nothing like it'", rig.run.error_text);
    EXPECT_EQ(Calls{"find 1 'Nothing like it' 0"}, calls);
}

class MouseImageStepTest : public MouseStepTest {
protected:
    void SetUp() override {
        image = PixelBuffer(5, 4, kMaskColour);
        for (int32_t y = 1; y < 3; ++y)
            for (int32_t x = 1; x < 4; ++x) image.at(x, y) = rgb_colour(30 * x, 40 * y, 7);
        screen.add_bitmap("framed.bmp", image);
        PixelBuffer inner(3, 2);
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 3; ++x) inner.at(x, y) = image.at(x + 1, y + 1);
        paste_pixels(&screen.screen, inner, 31, 21);  // the whole image's corner at (30, 20)
        rig.script.script_path = "C:\\scripts\\test.zbx";
    }
    PixelBuffer image;
};

TEST_F(MouseImageStepTest, MoveToAndClickOnImageGoToItsCentre) {
    struct Row {
        const char* action;
        Calls calls;
    } rows[] = {
        {"Move to Masked Image", {"SetCursorPos(32,22)"}},
        {"Click on Masked Image", with_click({"SetCursorPos(32,22)"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        calls.clear();
        add(row.action, "900", "900").text = "framed.bmp";
        EXPECT_EQ(kStepSucceeded, run()) << rig.run.error_text;
        EXPECT_EQ(row.calls, calls);
    }
    EXPECT_EQ((std::vector<std::string>{"idle", "restored", "idle", "restored"}), screen.priority);
}

TEST_F(MouseImageStepTest, FailureMessages) {
    rig.desktop.files.present.insert("C:\\scripts\\picture.gif");  // exists, but is no bitmap
    struct Row {
        const char* action;
        const char* text;
        const char* error;
    } rows[] = {
        // The magenta frame only matches the grey screen through the mask.
        {"Move to Image", "framed.bmp", "The image \"C:\\scripts\\framed.bmp\" could not be found on the screen"},
        {"Click on Image", "missing.bmp", "The file \"missing.bmp\" could not be found"},
        {"Move to Masked Image", "picture.gif", "Unable to load image file 'C:\\scripts\\picture.gif'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        calls.clear();
        add(row.action).text = row.text;
        EXPECT_EQ(kStepFailed, run());
        EXPECT_EQ(row.error, rig.run.error_text);
        EXPECT_TRUE(calls.empty());
    }
}

TEST_F(MouseImageStepTest, StopKeyEndsTheSearchAndTheStepFails) {
    rig.desktop.keyboard.down_keys.push_back(rig.run.stop_key);
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    add("Click on Masked Image").text = "framed.bmp";
    EXPECT_EQ(kStepFailed, run());
    EXPECT_TRUE(calls.empty());
    EXPECT_NE(std::string::npos, rig.log().find("\tStop key pressed, aborting image search\r\n")) << rig.log();
}

}  // namespace
}  // namespace zorbel
