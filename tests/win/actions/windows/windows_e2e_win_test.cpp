// End to end: zorbel.exe runs window and menu scripts hidden ("/L /r") against
// testbed programs this test starts; the run log, the variables and the testbed's
// event log show what happened.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/actions/windows/testbed_process.h"
#include "tests/win/e2e/program_runner.h"
#include "tests/win/e2e/script_run_fixture.h"

namespace zorbel {
namespace {

using windows_test::TestbedProcess;
using windows_test::wait_until;

class WindowsEndToEnd : public e2e::ScriptRunFixture {
protected:
    void SetUp() override {
        e2e::ScriptRunFixture::SetUp();
        e2e::set_setting_number("MultipleWindowError", 0);
    }
    void TearDown() override { e2e::set_setting_number("MultipleWindowError", 0); }

    static bool has(const e2e::ProgramRun& r, const std::string& text) { return r.log.find(text) != std::string::npos; }

};

TEST_F(WindowsEndToEnd, FindsPressesAndReadsTheTestbed) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    e2e::ProgramRun r = run("windows_find_and_press.zbx", "userdata=1510702679");
    EXPECT_EQ(0u, r.exit_code);
    const std::string hwnd = std::to_string(reinterpret_cast<UINT_PTR>(tb.window()));
    EXPECT_TRUE(has(r, "activated Zorbel Testbed|ZbTestbed|" + hwnd + "\r\n")) << "testbed " << hwnd << "\n" << r.log
                                                                              << "\ntestbed log:\n" << tb.log();
    EXPECT_TRUE(tb.next_line("BUTTON 1001 clicked"));
    EXPECT_TRUE(tb.next_line("CHECK 1002 checked"));
    EXPECT_EQ("checked", e2e::user_variable("bold"));
    EXPECT_EQ("Type here", e2e::user_variable("name_text"));
    EXPECT_EQ("Zorbel Testbed", e2e::user_variable("main_title"));
    EXPECT_TRUE(has(r, "found ZbTestbed at 100,100\r\n")) << r.log;
    // Pressing a label acts on the edit after it, which becomes the current window.
    EXPECT_TRUE(has(r, "pressed Edit Type here\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

TEST_F(WindowsEndToEnd, MovesResizesRestylesAndClosesTheTestbed) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    e2e::ProgramRun r = run("windows_arrange.zbx");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(tb.next_line("MOVE x=100 y=50"));
    std::string line;
    EXPECT_TRUE(tb.next_line_starting("SIZE w=400 h=300 ", &line));
    EXPECT_TRUE(has(r, "placed 100,50 400 x 300\r\n")) << r.log;
    EXPECT_TRUE(tb.next_line_starting("SIZE ", &line));
    EXPECT_NE(line.find("state=maximized"), std::string::npos) << line;
    EXPECT_TRUE(tb.next_line_starting("SIZE ", &line));
    EXPECT_NE(line.find("state=minimized"), std::string::npos) << line;
    EXPECT_TRUE(tb.next_line_starting("SIZE ", &line));
    EXPECT_NE(line.find("state=maximized"), std::string::npos) << line;  // restored to maximized
    EXPECT_TRUE(tb.next_line("CLOSE"));
    DWORD code = 0;
    EXPECT_TRUE(tb.wait_exit(&code));
    EXPECT_TRUE(has(r, "arranged and closed\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

TEST_F(WindowsEndToEnd, FailureMessagesOfWindowAndMenuSteps) {
    TestbedProcess first, second;
    ASSERT_TRUE(first.start("/title \"Twin Testbed\" /pos 50 50"));
    ASSERT_TRUE(second.start("/title \"Twin Testbed\" /pos 300 300"));
    e2e::set_setting_number("MultipleWindowError", 1);
    e2e::ProgramRun r = run("windows_failures.zbx", "what=Testbed");
    const std::string script = e2e::script_path("windows_failures.zbx");
    const std::string folder = script.substr(0, script.find_last_of('\\'));
    for (const std::string& message : {
             std::string("\tMissing window information\r\n"),
             std::string("\tUnable to find window 'No Such Testbed Window'\r\n"),
             "\tThe file '" + folder + "\\no_such_picture.bmp' does not exist\r\n",
             "\tUnable to find image '" + script + "' on the screen\r\n",
             std::string("\tThere are 2 top-level windows that match the search criteria\r\n"),
             std::string("\tThere are 2 child windows that match the search criteria\r\n"),
             std::string("\tUnable to find menu '; ;'\r\n"),
         }) {
        EXPECT_TRUE(has(r, message)) << message << r.log;
    }
    EXPECT_TRUE(has(r, "failures done\r\n")) << r.log;
    EXPECT_FALSE(first.logged("BUTTON 1001 clicked"));
    EXPECT_FALSE(second.logged("BUTTON 1001 clicked"));
}

TEST_F(WindowsEndToEnd, SelectsMenusByPathAndTheSystemMenu) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    e2e::ProgramRun r = run("menus_select.zbx");
    EXPECT_EQ(0u, r.exit_code);
    // Under Wine 8 these arrive through ALT+letter presses: GetMenu gives nothing for
    // another program's window, so the menu-bar search finds nothing there.
    EXPECT_TRUE(tb.next_line("MENU 40111 Edit>Insert>Date"));
    EXPECT_TRUE(tb.next_line("MENU 40003 File>Save As..."));
    EXPECT_TRUE(tb.next_line("MENU 40202 Options>Level>Two"));
    EXPECT_TRUE(tb.next_line("SYSCOMMAND 0xF030 MAXIMIZE ctl=0"));
    EXPECT_TRUE(tb.next_line("CLOSE"));
    DWORD code = 0;
    EXPECT_TRUE(tb.wait_exit(&code));
    EXPECT_TRUE(has(r, "menus done\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

// A hidden window given by its exact title used to exist for "IF Window Exists", and
// "Wait for Window to Disappear" never ended while it was there.
TEST_F(WindowsEndToEnd, ConditionsAndWaitsLeaveHiddenWindowsOut) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    e2e::ProgramRun r = run("windows_conditions.zbx");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(has(r, "appeared ZbTestbed\r\n")) << r.log;
    EXPECT_TRUE(has(r, "window exists\r\n")) << r.log;
    EXPECT_FALSE(has(r, "a control counted as a window")) << r.log;
    EXPECT_TRUE(has(r, "control exists\r\n")) << r.log;
    EXPECT_TRUE(has(r, "hidden window is gone\r\n")) << r.log;
    EXPECT_FALSE(has(r, "hidden window still exists")) << r.log;
    EXPECT_TRUE(has(r, "conditions done\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

// The hung testbed does not answer WM_GETTEXT; a search by part of its title used to
// miss it, so "Close Window" could not end it.
TEST_F(WindowsEndToEnd, ClosesAHungWindowByEndingItsProcess) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/hang 20"));
    ASSERT_TRUE(tb.next_line("HANG seconds=20"));
    e2e::ProgramRun r = run("windows_close_hung.zbx");
    EXPECT_EQ(0u, r.exit_code);
    DWORD code = 99;
    EXPECT_TRUE(tb.wait_exit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(has(r, "hung window closed\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

}  // namespace
}  // namespace zorbel
