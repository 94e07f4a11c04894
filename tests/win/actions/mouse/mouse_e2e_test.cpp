// End to end: zorbel.exe runs mouse scripts hidden ("/r") under Wine, on the desktop
// without Wine's virtual desktop (see testbed.h); the pointer's positions come back
// through the run log ("%mouse_x,%mouse_y") and the clicks through the testbed's event
// log, in the testbed's client coordinates.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/testbed.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

// A step position: the screen position + 1, as a command-line assignment.
std::string position(const char* name, long x, long y) {
    return std::string(name) + "x=" + std::to_string(x + 1) + " " + name + "y=" + std::to_string(y + 1) + " ";
}

// The mouse button and wheel lines, without their screen coordinates.
bool mouse_line(const std::string& line) {
    return line.rfind("MOUSEWHEEL", 0) == 0 ||
           (line.find("BUTTON") != std::string::npos && line.rfind("BUTTON ", 0) != 0);
}
std::vector<std::string> without_screen(std::vector<std::string> lines) {
    for (std::string& l : lines) l = l.substr(0, l.find(" sx="));
    return lines;
}

using MouseEndToEnd = ScriptRunFixture;

TEST_F(MouseEndToEnd, MovesGlidesRelativeMovesAndTheSavedPosition) {
    ZorbelRun r = run("mouse_moves.zbx", position("zba", 300, 400) + position("zbb", 700, 600), kRootDesktop);
    EXPECT_EQ(0u, r.exit_code);
    for (const char* line : {"\nmoved 300,400\r\n", "\nglided 700,600\r\n", "\nrelative 710,580\r\n",
                             "\ncorner 0,0\r\n", "\nreturned 710,580\r\n",
                             "\nreturned again 0,0\r\n"})  // the saved position (0, 0) is a place too
        EXPECT_TRUE(r.has(line)) << line << r.log;
    EXPECT_EQ("0", user_variable("SavedMousePosition_X"));
    EXPECT_EQ("0", user_variable("SavedMousePosition_Y"));
}

TEST_F(MouseEndToEnd, ClicksReachTheTestbedWhereTheScriptAimed) {
    Testbed tb;
    ASSERT_TRUE(tb.start("", kRootDesktop));
    const POINT origin = tb.client_origin();
    const RECT window = tb.window_rect();
    std::string extra = position("zbc1", origin.x + 400, origin.y + 300) +
                        // relative to the window's top-left corner
                        position("zbw2", origin.x - window.left + 410, origin.y - window.top + 310) +
                        position("zbc3", origin.x + 420, origin.y + 320) +
                        position("zbc4", origin.x + 440, origin.y + 350) +
                        position("zbc5", origin.x + 450, origin.y + 360);
    ZorbelRun r = run("mouse_clicks.zbx", extra, kRootDesktop);
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(r.has("\nwindow corner " + std::to_string(window.left) + "," + std::to_string(window.top) + "\r\n"))
        << r.log;
    EXPECT_TRUE(r.has("\ncontrol " + std::to_string(origin.x + 55) + "," + std::to_string(origin.y + 23) + "\r\n"))
        << r.log;
    EXPECT_TRUE(r.has("\tUnable to find window 'No Such Window 4711'\r\n")) << r.log;
    EXPECT_TRUE(r.has("\ndone\r\n")) << r.log;

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
    EXPECT_EQ(want, without_screen(tb.take(mouse_line, want.size(), 2000))) << tb.log();
    EXPECT_TRUE(tb.logged("BUTTON 1001 clicked")) << tb.log();
}

}  // namespace
}  // namespace zorbel
