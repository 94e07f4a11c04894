// End to end: zorbel.exe runs a window script and a menu script hidden ("/L /r") against
// the testbed; the run log, the variables and the testbed's event log show what happened.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/testbed.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

using WindowsEndToEnd = ScriptRunFixture;

TEST_F(WindowsEndToEnd, FindsPressesAndReadsTheTestbed) {
    Testbed tb;
    ASSERT_TRUE(tb.start());
    ZorbelRun r = run("windows_find_and_press.zbx", "userdata=1510702679");
    EXPECT_EQ(0u, r.exit_code);
    const std::string hwnd = std::to_string(reinterpret_cast<UINT_PTR>(tb.window()));
    EXPECT_TRUE(r.has("activated Zorbel Testbed|ZbTestbed|" + hwnd + "\r\n")) << r.log;
    EXPECT_TRUE(tb.next_line("BUTTON 1001 clicked"));
    EXPECT_TRUE(tb.next_line("CHECK 1002 checked"));
    EXPECT_EQ("checked", user_variable("bold"));
    EXPECT_EQ("Type here", user_variable("name_text"));
    EXPECT_EQ("Zorbel Testbed", user_variable("main_title"));
    EXPECT_TRUE(r.has("found ZbTestbed at 100,100\r\n")) << r.log;
    // Pressing a label acts on the edit after it, which becomes the current window.
    EXPECT_TRUE(r.has("pressed Edit Type here\r\n")) << r.log;
    EXPECT_FALSE(r.has("ERROR")) << r.log;
}

TEST_F(WindowsEndToEnd, SelectsMenusByPathAndTheSystemMenu) {
    Testbed tb;
    ASSERT_TRUE(tb.start());
    ZorbelRun r = run("menus_select.zbx");
    EXPECT_EQ(0u, r.exit_code);
    // Under Wine 8 these arrive through ALT+letter presses: GetMenu gives nothing for
    // another program's window, so the menu-bar search finds nothing there.
    for (const char* line : {"MENU 40111 Edit>Insert>Date", "MENU 40003 File>Save As...",
                             "MENU 40202 Options>Level>Two", "SYSCOMMAND 0xF030 MAXIMIZE ctl=0", "CLOSE"})
        EXPECT_TRUE(tb.next_line(line));
    DWORD code = 0;
    EXPECT_TRUE(tb.wait_exit(&code));
    EXPECT_TRUE(r.has("menus done\r\n")) << r.log;
    EXPECT_FALSE(r.has("ERROR")) << r.log;
}

}  // namespace
}  // namespace zorbel
