// End to end: zorbel.exe runs .zbx scripts hidden ("/r") under Wine; each test checks
// the run log, the exit code and the registry, as a user would.
#include <gtest/gtest.h>

#include <vector>

#include "tests/win/e2e/program_runner.h"
#include "tests/win/e2e/script_run_fixture.h"

namespace zorbel {
namespace e2e {
namespace {

class RunEngineEndToEnd : public e2e::ScriptRunFixture {
protected:
    void SetUp() override {
        e2e::ScriptRunFixture::SetUp();
    }

};

TEST_F(RunEngineEndToEnd, PassesAndRepeats) {
    ProgramRun r = run("passes_and_repeats.zbx");
    EXPECT_EQ(0u, r.exit_code);
    for (const char* line : {"\npass 1 of 3, counted 1\r\n", "\npass 2 of 3, counted 2\r\n", "\npass 3 of 3, counted 3\r\n"})
        EXPECT_TRUE(has(r, line)) << line << r.log;
    EXPECT_EQ(3, count(r, "[STEP 1]: Set Run Repeats\r\n"));
    EXPECT_EQ(1, count(r, "Starting Run at"));
    EXPECT_EQ(1, count(r, "Run Completed at"));
    EXPECT_EQ("3", user_variable("passes"));
}

TEST_F(RunEngineEndToEnd, SkipsAndBreakpoint) {
    ProgramRun r = run("skips_and_breakpoint.zbx");
    EXPECT_TRUE(has(r, "[STEP 1]: Comment \"runs\"\r\n[STEP 3]: Comment \"runs too\"\r\n"
                       "Breakpoint at step #4 \"Comment\", stopping run\r\nRun Completed at"))
        << r.log;
    EXPECT_FALSE(has(r, "skipped"));
    EXPECT_FALSE(has(r, "never"));
}

TEST_F(RunEngineEndToEnd, FailureModesWithoutDialogs) {
    set_setting_number("ResetUserVariables", 0);
    ProgramRun r = run("failure_modes.zbx");
    EXPECT_TRUE(has(r, "\tERROR while running step #1:  Goto Label missing\r\n\tFailure Action: Ignore/Continue\r\n"
                       "\tLabel \"missing\" not found\r\n\tContinuing with next step...\r\n"))
        << r.log;
    EXPECT_TRUE(has(r, "\tIncrementing variable 'fails' = 1\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\tRetrying step (retry #1 of 2)...\r\n"));
    EXPECT_TRUE(has(r, "\tRetrying step (retry #2 of 2)...\r\n"));
    EXPECT_EQ(1, count(r, "[STEP 3]:"));
    EXPECT_TRUE(has(r, "\tFailure Action: Retry the Step x Times\r\n\tLabel \"missing\" not found\r\n\tRUN FAILED\r\n"))
        << r.log;
    EXPECT_FALSE(has(r, "[STEP 4]"));
    EXPECT_EQ("1", user_variable("fails"));
}

TEST_F(RunEngineEndToEnd, JumpOnFailureAndExitRunCodeFromTheCommandLine) {
    ProgramRun r = run("jump_on_failure.zbx", "code=42");
    EXPECT_EQ(42u, r.exit_code);
    EXPECT_TRUE(has(r, "\tJumping to label \"END\" (Step #3)\r\n")) << r.log;
    EXPECT_FALSE(has(r, "skipped by the jump"));
    EXPECT_EQ("42", user_variable("code"));  // command-line variables survive the reset
}

TEST_F(RunEngineEndToEnd, ExitRunWith1234UsesTheDefaultReturnCode) {
    set_setting_number("DefaultReturnCode", 9);
    ProgramRun r = run("jump_on_failure.zbx", "code=1234");
    EXPECT_EQ(9u, r.exit_code);
    set_setting_number("DefaultReturnCode", 0);
}

TEST_F(RunEngineEndToEnd, FailingStepIsRetriedUntilItsTimeout) {
    DWORD start = GetTickCount();
    ProgramRun r = run("retry_timeout.zbx");
    DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 2000u);
    EXPECT_EQ(1, count(r, "[STEP 1]:"));
    EXPECT_EQ(1, count(r, "\tERROR while running step #1:"));
    EXPECT_TRUE(has(r, "\tRUN FAILED\r\n"));
}

TEST_F(RunEngineEndToEnd, NestedIfElseWithASkippedEndIf) {
    ProgramRun r = run("if_else_nesting.zbx", "mode=outer");
    EXPECT_TRUE(has(r, "inner else\r\n")) << r.log;
    EXPECT_FALSE(has(r, "inner then\r\n"));
    EXPECT_FALSE(has(r, "outer else\r\n"));
    ProgramRun other = run("if_else_nesting.zbx", "mode=other");
    EXPECT_TRUE(has(other, "outer else\r\n")) << other.log;
    EXPECT_FALSE(has(other, "inner else\r\n"));
}

TEST_F(RunEngineEndToEnd, EveryLoopKindWithItsLogLines) {
    write_file(folder_ + "\\lines.txt", "one\r\ntwo\r\n");
    CreateDirectoryA((folder_ + "\\files").c_str(), nullptr);
    write_file(folder_ + "\\files\\a.txt", "a");
    write_file(folder_ + "\\files\\b.txt", "b");
    ProgramRun r = run("loops.zbx", "linesfile=\"" + folder_ + "\\lines.txt\" filesdir=\"" + folder_ + "\\files\"");
    EXPECT_TRUE(has(r, "for 1\r\n")) << r.log;
    EXPECT_TRUE(has(r, "for 3\r\n"));
    EXPECT_TRUE(has(r, "\tCompleted 3 iterations of Loop started at step #1\r\n"));
    EXPECT_TRUE(has(r, "\tBreaking out of Loop started at step #5\r\n\tFound matching NEXT LOOP at step #10\r\n"));
    EXPECT_TRUE(has(r, "while left at 2\r\n"));
    EXPECT_TRUE(has(r, "\nline one\r\n")) << r.log;
    EXPECT_TRUE(has(r, "\nline two\r\n"));
    // The line break that ends the file starts a last, empty line, as Count File Lines counts it.
    EXPECT_TRUE(has(r, "\nline \r\n"));
    EXPECT_TRUE(has(r, "file a.txt\r\n"));
    EXPECT_TRUE(has(r, "file b.txt\r\n"));
}

TEST_F(RunEngineEndToEnd, ExitZorbelEndsTheProgram) {
    ProgramRun r = run("exit_zorbel.zbx");
    EXPECT_TRUE(has(r, "before exit\r\n"));
    EXPECT_FALSE(has(r, "never"));
}

// The stop key, pressed for real while a script runs endlessly, ends the run.
TEST_F(RunEngineEndToEnd, StopKeyEndsAnEndlessRun) {
    set_setting_text("Logfile", log_file_);
    DeleteFileA(log_file_.c_str());
    PROCESS_INFORMATION p = start_zorbel("/L /r \"" + script_path("long_running.zbx") + "\"");
    ASSERT_NE(nullptr, p.hProcess);
    // Wait until the run is under way.
    DWORD deadline = GetTickCount() + 15000;
    while (read_file(log_file_).find("tick") == std::string::npos && GetTickCount() < deadline) Sleep(50);
    keybd_event(VK_PAUSE, 0, 0, 0);
    DWORD waited = WaitForSingleObject(p.hProcess, 10000);
    keybd_event(VK_PAUSE, 0, KEYEVENTF_KEYUP, 0);
    if (waited != WAIT_OBJECT_0) TerminateProcess(p.hProcess, 255);
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, waited);
    std::string log = read_file(log_file_);
    EXPECT_NE(std::string::npos, log.find("Stop key pressed (0x13), aborting run\r\n")) << log;
}

struct BoxSearch {
    DWORD process_id;
    HWND found;
    char text[512];
};

BOOL CALLBACK find_box(HWND window, LPARAM param) {
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (pid != search->process_id || std::string(cls) != "#32770" || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    GetDlgItemTextA(window, 0xFFFF, search->text, sizeof(search->text));  // the box's static text
    return FALSE;
}

// A script that cannot be loaded: the error boxes appear, and once they are
// answered a hidden run exits with 0.
TEST_F(RunEngineEndToEnd, MissingScriptShowsTheBoxesThenExitsWithZero) {
    PROCESS_INFORMATION p = start_zorbel("/r \"" + folder_ + "\\no such script.zbx\"");
    ASSERT_NE(nullptr, p.hProcess);
    std::vector<std::string> texts;
    DWORD deadline = GetTickCount() + 20000;
    while (WaitForSingleObject(p.hProcess, 50) == WAIT_TIMEOUT && GetTickCount() < deadline) {
        BoxSearch search = {p.dwProcessId, nullptr, {}};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (!search.found) continue;
        if (texts.empty() || texts.back() != search.text) texts.push_back(search.text);
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }
    DWORD code = 255;
    if (WaitForSingleObject(p.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(p.hProcess, 255);
    GetExitCodeProcess(p.hProcess, &code);
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    EXPECT_EQ(0u, code);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Unable to open file '" + folder_ + "\\no such script.zbx'!")) << texts[0];
    EXPECT_EQ("Unable to load '" + folder_ + "\\no such script.zbx'", texts[1]);
}

TEST_F(RunEngineEndToEnd, QuestionMarkShowsTheSwitchSummary) {
    PROCESS_INFORMATION p = start_zorbel("/?");
    ASSERT_NE(nullptr, p.hProcess);
    std::string text;
    DWORD deadline = GetTickCount() + 15000;
    while (WaitForSingleObject(p.hProcess, 50) == WAIT_TIMEOUT && GetTickCount() < deadline) {
        BoxSearch search = {p.dwProcessId, nullptr, {}};
        EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
        if (!search.found) continue;
        char title[64] = {};
        GetWindowTextA(search.found, title, sizeof(title));
        EXPECT_STREQ("Zorbel", title);
        text = search.text;
        PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }
    DWORD code = 255;
    if (WaitForSingleObject(p.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(p.hProcess, 255);
    GetExitCodeProcess(p.hProcess, &code);
    CloseHandle(p.hThread);
    CloseHandle(p.hProcess);
    EXPECT_EQ(0u, code);
    EXPECT_EQ(0u, text.find("Zorbel Startup (Command Line) Options:")) << text;
    EXPECT_NE(std::string::npos, text.find("Set run speed (1-10)"));
}

}  // namespace
}  // namespace e2e
}  // namespace zorbel
