// End to end: zorbel.exe runs .zbx scripts hidden ("/r") under Wine; what a user sees of a
// run: its exit code, the command-line variables, the stop key, the boxes and "/?".
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

class RunEngineEndToEnd : public ScriptRunFixture {
protected:
    // Answers every box zorbel.exe shows with OK until it ends; the texts of the boxes.
    std::vector<std::string> answer_boxes(ChildProcess& zorbel, DWORD* code) {
        std::vector<std::string> texts;
        const DWORD begin = GetTickCount();
        while (zorbel.running() && GetTickCount() - begin < 20000) {
            HWND box = nullptr;
            for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w && !box;
                 w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == zorbel.pid() && IsWindowVisible(w)) box = w;
            }
            if (box) {
                char text[512] = {}, title[64] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the box's static text
                GetWindowTextA(box, title, sizeof(title));
                if (texts.empty() || texts.back() != std::string(title) + ": " + text)
                    texts.push_back(std::string(title) + ": " + text);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            WaitForSingleObject(zorbel.handle(), 50);
        }
        EXPECT_TRUE(zorbel.wait_exit(code, 0));
        return texts;
    }
};

TEST_F(RunEngineEndToEnd, PassesAndRepeatsKeepTheirVariableInTheRegistry) {
    ZorbelRun r = run("passes_and_repeats.zbx");
    EXPECT_EQ(0u, r.exit_code);
    for (const char* line : {"\npass 1 of 3, counted 1\r\n", "\npass 3 of 3, counted 3\r\n"})
        EXPECT_TRUE(r.has(line)) << line << r.log;
    EXPECT_EQ(1, r.count("Starting Run at"));
    EXPECT_EQ(1, r.count("Run Completed at"));
    EXPECT_EQ("3", user_variable("passes"));
}

TEST_F(RunEngineEndToEnd, ExitRunCodeComesFromTheCommandLine) {
    ZorbelRun r = run("jump_on_failure.zbx", "code=42");
    EXPECT_EQ(42u, r.exit_code);
    EXPECT_TRUE(r.has("\tJumping to label \"END\" (Step #3)\r\n")) << r.log;
    EXPECT_EQ("42", user_variable("code"));  // command-line variables survive the reset
    set_setting_number("DefaultReturnCode", 9);
    EXPECT_EQ(9u, run("jump_on_failure.zbx", "code=1234").exit_code);  // 1234: the default return code
}

TEST_F(RunEngineEndToEnd, ExitZorbelEndsTheProgram) {
    ZorbelRun r = run("exit_zorbel.zbx");
    EXPECT_TRUE(r.has("before exit\r\n")) << r.log;
    EXPECT_FALSE(r.has("never"));
}

// The stop key, pressed for real while a script runs endlessly, ends the run.
TEST_F(RunEngineEndToEnd, StopKeyEndsAnEndlessRun) {
    ChildProcess zorbel;
    ASSERT_TRUE(start(zorbel, "long_running.zbx"));
    EXPECT_TRUE(wait_until([&] { return log().find("tick") != std::string::npos; }, 15000));
    keybd_event(VK_PAUSE, 0, 0, 0);
    DWORD code = 0;
    const bool ended = zorbel.wait_exit(&code);
    keybd_event(VK_PAUSE, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(ended);
    EXPECT_NE(std::string::npos, log().find("Stop key pressed (0x13), aborting run\r\n")) << log();
}

// A script that cannot be loaded: the error boxes appear, and once they are answered a
// hidden run exits with 0.
TEST_F(RunEngineEndToEnd, MissingScriptShowsTheBoxesThenExitsWithZero) {
    ChildProcess zorbel;
    const std::string missing = folder_ / "no such script.zbx";
    ASSERT_TRUE(start_zorbel(zorbel, "/r \"" + missing + "\""));
    DWORD code = 255;
    std::vector<std::string> texts = answer_boxes(zorbel, &code);
    EXPECT_EQ(0u, code);
    ASSERT_EQ(2u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("Unable to open file '" + missing + "'!")) << texts[0];
    EXPECT_NE(std::string::npos, texts[1].find(": Unable to load '" + missing + "'")) << texts[1];
}

TEST_F(RunEngineEndToEnd, QuestionMarkShowsTheSwitchSummary) {
    ChildProcess zorbel;
    ASSERT_TRUE(start_zorbel(zorbel, "/?"));
    DWORD code = 255;
    std::vector<std::string> texts = answer_boxes(zorbel, &code);
    EXPECT_EQ(0u, code);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Zorbel: Zorbel Startup (Command Line) Options:")) << texts[0];
    EXPECT_NE(std::string::npos, texts[0].find("Set run speed (1-10)"));
}

}  // namespace
}  // namespace zorbel
