// End to end: a click right before the activation of another program lands in the window
// it was aimed at, and keys typed after it in the program activated, also when the machine
// is busy (test.sh runs this again with both cores loaded). Two testbeds lie on top of each
// other, so a click still unread when the other comes to the front would land in that one.
// On the desktop without Wine's virtual desktop, where the pointer stays where it is put.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/testbed.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

// A step position (the screen position + 1) as a command-line assignment.
std::string position(const char* name, POINT at) {
    return std::string(name) + "x=" + std::to_string(at.x + 1) + " " + name + "y=" + std::to_string(at.y + 1) + " ";
}

bool button_line(const std::string& line) { return line.find("BUTTON") != std::string::npos && line.rfind("BUTTON ", 0) != 0; }
bool char_line(const std::string& line) { return line.rfind("CHAR ", 0) == 0; }
std::string without_extras(const std::string& line, const char* from) { return line.substr(0, line.find(from)); }

using ClickAlternation = ScriptRunFixture;

TEST_F(ClickAlternation, EveryClickLandsInTheWindowItWasAimedAt) {
    Testbed clicked, typed;
    ASSERT_TRUE(clicked.start("/title \"Clicked Testbed\"", kRootDesktop));
    ASSERT_TRUE(typed.start("/title \"Typed Testbed\"", kRootDesktop));
    ZorbelRun r = run("keyboard_click_alternation.zbx",
                      position("zbc1", clicked.on_screen(400, 300)) + position("zbc2", clicked.on_screen(420, 320)),
                      kRootDesktop);
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(r.has("click alternation done\r\n")) << r.log;
    EXPECT_FALSE(r.has("ERROR")) << r.log;

    std::vector<std::string> clicks;
    for (const std::string& line : clicked.take(button_line, 4, 2000)) clicks.push_back(without_extras(line, " sx="));
    EXPECT_EQ((std::vector<std::string>{"LBUTTONDOWN x=400 y=300 ctl=0", "LBUTTONUP x=400 y=300 ctl=0",
                                        "RBUTTONDOWN x=420 y=320 ctl=0", "RBUTTONUP x=420 y=320 ctl=0"}),
              clicks)
        << clicked.log();
    std::vector<std::string> chars;
    for (const std::string& line : typed.take(char_line, 2, 2000)) chars.push_back(without_extras(line, " 0x"));
    EXPECT_EQ((std::vector<std::string>{"CHAR 'a'", "CHAR 'b'"}), chars) << typed.log();
    EXPECT_TRUE(typed.take(button_line, 1, 0).empty()) << typed.log();
    EXPECT_TRUE(clicked.take(char_line, 1, 0).empty()) << clicked.log();
}

}  // namespace
}  // namespace zorbel
