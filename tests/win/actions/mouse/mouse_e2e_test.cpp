// End to end: zorbel.exe runs mouse scripts hidden ("/r") under Wine, on the desktop
// without Wine's virtual desktop (see testbed_run.h); the pointer's positions come back
// through the run log ("%mouse_x,%mouse_y") and the clicks through the testbed's event
// log, in the testbed's client coordinates.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/actions/screen/testbed_run.h"
#include "tests/win/e2e/program_runner.h"
#include "tests/win/e2e/script_run_fixture.h"

namespace zorbel {
namespace {

using namespace screen_tests;

// A step position: the screen position + 1, as a command-line assignment.
std::string position(const char* name, long x, long y) {
    return std::string(name) + "x=" + std::to_string(x + 1) + " " + name + "y=" + std::to_string(y + 1) + " ";
}

class MouseEndToEnd : public e2e::ScriptRunFixture {
protected:
    void SetUp() override {
        e2e::ScriptRunFixture::SetUp();
    }
    e2e::ProgramRun run(const char* script, const std::string& extra) {
        e2e::ProgramRun r = run_zorbel_on(kRootDesktop, e2e::script_path(script), extra, log_file_);
        EXPECT_TRUE(r.started) << script;
        EXPECT_FALSE(r.timed_out) << script << " did not end by itself; log:\n" << r.log;
        return r;
    }

};

TEST_F(MouseEndToEnd, MovesGlidesRelativeMovesAndTheSavedPosition) {
    e2e::ProgramRun r = run("mouse_moves.zbx", position("zba", 300, 400) + position("zbb", 700, 600));
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(has(r, "\nmoved 300,400\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\nglided 700,600\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\nrelative 710,580\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\ncorner 0,0\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\nreturned 710,580\r\n")) << r.log;
    // The saved position (0, 0) is a place to return to too.
    EXPECT_TRUE(has(r, "\nreturned again 0,0\r\n")) << r.log;
    EXPECT_EQ("0", e2e::user_variable("SavedMousePosition_X"));
    EXPECT_EQ("0", e2e::user_variable("SavedMousePosition_Y"));
}

TEST_F(MouseEndToEnd, ClicksReachTheTestbedWhereTheScriptAimed) {
    TestbedRun tb(kRootDesktop);
    ASSERT_TRUE(tb.start());
    const POINT origin = tb.client_origin();
    const RECT window = tb.window_rect();
    std::string extra = position("zbc1", origin.x + 400, origin.y + 300) +
                        // relative to the window's top-left corner
                        position("zbw2", origin.x - window.left + 410, origin.y - window.top + 310) +
                        position("zbc3", origin.x + 420, origin.y + 320) +
                        position("zbc4", origin.x + 440, origin.y + 350) +
                        position("zbc5", origin.x + 450, origin.y + 360);
    e2e::ProgramRun r = run("mouse_clicks.zbx", extra);
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(has(r, "\nwindow corner " + std::to_string(window.left) + "," + std::to_string(window.top) + "\r\n"))
        << r.log;
    EXPECT_TRUE(has(r, "\ncontrol " + std::to_string(origin.x + 55) + "," + std::to_string(origin.y + 23) + "\r\n"))
        << r.log;
    EXPECT_TRUE(has(r, "\tUnable to find window 'No Such Window 4711'\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\ndone\r\n")) << r.log;

    const std::vector<std::string> want = {
        "LBUTTONDOWN x=400 y=300 ctl=0",   "LBUTTONUP x=400 y=300 ctl=0",
        "RBUTTONDOWN x=410 y=310 ctl=0",   "RBUTTONUP x=410 y=310 ctl=0",
        "LBUTTONDOWN x=420 y=320 ctl=0",   "LBUTTONUP x=420 y=320 ctl=0",
        "LBUTTONDBLCLK x=420 y=320 ctl=0", "LBUTTONUP x=420 y=320 ctl=0",
        "MOUSEWHEEL delta=-120 x=420 y=320 ctl=0", "MOUSEWHEEL delta=120 x=420 y=320 ctl=0",
        // relative to the pointer, then where the pointer is: a double click by then
        "LBUTTONDOWN x=430 y=340 ctl=0",   "LBUTTONUP x=430 y=340 ctl=0",
        "LBUTTONDBLCLK x=430 y=340 ctl=0", "LBUTTONUP x=430 y=340 ctl=0",
        // pressed, glided with the button held, released
        "LBUTTONDOWN x=440 y=350 ctl=0",   "LBUTTONUP x=450 y=360 ctl=0",
        // the Apply button's centre
        "LBUTTONDOWN x=55 y=23 ctl=1001",  "LBUTTONUP x=55 y=23 ctl=1001",
    };
    EXPECT_EQ(want, tb.mouse_lines()) << tb.log();
    EXPECT_NE(std::string::npos, tb.log().find("\nBUTTON 1001 clicked\n")) << tb.log();
}

}  // namespace
}  // namespace zorbel
