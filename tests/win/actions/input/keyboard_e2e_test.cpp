// End to end: zorbel.exe runs keyboard scripts hidden ("/L /r") while Wine's notepad is
// in front; the text notepad ends up with and the run log are what a user would check.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/actions/input/keyboard_win_support.h"
#include "tests/win/e2e/program_runner.h"
#include "tests/win/e2e/script_run_fixture.h"

namespace zorbel {
namespace keyboard_test {
namespace {

class KeyboardEndToEnd : public e2e::ScriptRunFixture {
protected:
    void SetUp() override {
        e2e::ScriptRunFixture::SetUp();
        ASSERT_TRUE(notepad_.start());
    }
    static bool has(const e2e::ProgramRun& r, const std::string& text) { return r.log.find(text) != std::string::npos; }

    Notepad notepad_;
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
