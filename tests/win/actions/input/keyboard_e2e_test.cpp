// End to end: zorbel.exe runs keyboard scripts hidden ("/L /r") while Wine's notepad is
// in front; the text notepad ends up with and the run log are what a user would check.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/actions/input/keyboard_win_support.h"
#include "tests/win/e2e/program_runner.h"

namespace zorbel {
namespace keyboard_test {
namespace {

class KeyboardEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::temp_folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        log_file_ = folder_ + "\\run.log";
        e2e::set_setting_number("GlobalVariables", 1);
        e2e::set_setting_number("ResetUserVariables", 1);
        e2e::set_setting_number("RestartLog", 1);
        e2e::set_setting_number("DefaultSpeed", 10);
        ASSERT_TRUE(notepad_.start());
    }
    e2e::ProgramRun run(const char* script, const std::string& extra) {
        e2e::ProgramRun r = e2e::run_zorbel(e2e::script_path(script), extra, log_file_, 30000);
        EXPECT_TRUE(r.started) << script;
        EXPECT_FALSE(r.timed_out) << script << " did not end by itself; log:\n" << r.log;
        return r;
    }
    static bool has(const e2e::ProgramRun& r, const std::string& text) { return r.log.find(text) != std::string::npos; }

    Notepad notepad_;
    std::string folder_;
    std::string log_file_;
};

// Every typing method of one script, in order: the buffered step has finished typing
// before the next step pastes its line.
TEST_F(KeyboardEndToEnd, EveryMethodTypesIntoNotepadInStepOrder) {
    e2e::ProgramRun r = run("keyboard_notepad.zbx", "who=e2e");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(notepad_.has_text("Typed by Zorbel (step 1)\r\n"
                                  ">ABC e2e\r\n"
                                  "buffered {line}\r\n"
                                  "pasted line{enter}%who {enter}"))
        << r.log;
    EXPECT_TRUE(has(r, "[STEP 3]: Buffered Virtual Keys \"buffered {line}{ENTER}\"\r\n[STEP 4]: Text via Clipboard"))
        << r.log;
    EXPECT_TRUE(has(r, "keyboard steps done\r\n")) << r.log;
    EXPECT_FALSE(has(r, "ERROR")) << r.log;
}

TEST_F(KeyboardEndToEnd, LongTextWaitsForTheKeyboardBufferAndEmptyBufferedTextGoesOn) {
    std::string text;
    while (text.size() < 130) text += "abcdefghij";
    e2e::ProgramRun r = run("keyboard_buffer_wait.zbx", "long=" + text);
    EXPECT_TRUE(notepad_.has_text(text));
    EXPECT_TRUE(has(r, "\t'Simulate Keypress' extra duration for keyboard buffer: 1 second(s)\r\n")) << r.log;
    EXPECT_TRUE(has(r, "[STEP 2]: Buffered Virtual Keys\r\nAn internal error ocurred in Buffered Type\r\n"
                       "[STEP 3]: Write to Log"))
        << r.log;
    EXPECT_TRUE(has(r, "run went on\r\n")) << r.log;
}

}  // namespace
}  // namespace keyboard_test
}  // namespace zorbel
