// End to end: zorbel.exe runs keyboard scripts hidden ("/L /r") while Wine's notepad is
// in front; the text notepad ends up with and the run log are what a user would check.
#include <gtest/gtest.h>

#include <string>

#include "tests/win/actions/input/keyboard_win_support.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace keyboard_test {
namespace {

class KeyboardEndToEnd : public ScriptRunFixture {
protected:
    void SetUp() override {
        ScriptRunFixture::SetUp();
        ASSERT_TRUE(notepad_.start());
    }

    void TearDown() override {
        notepad_.process().end();  // before anything else: a notepad left running holds the test's output open
        ScriptRunFixture::TearDown();
    }
    Notepad notepad_;
};

// Every typing method of one script, in order: the buffered step has finished typing
// before the next step pastes its line.
TEST_F(KeyboardEndToEnd, EveryMethodTypesIntoNotepadInStepOrder) {
    ZorbelRun r = run("keyboard_notepad.zbx", "who=e2e");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(notepad_.has_text("Typed by Zorbel (step 1)\r\n"
                                  ">ABC e2e\r\n"
                                  "buffered {line}\r\n"
                                  "pasted line{enter}%who {enter}"))
        << r.log;
    // The next step follows the buffered one (a busy machine may log its wait between them).
    const size_t buffered = r.log.find("[STEP 3]: Buffered Virtual Keys \"buffered {line}{ENTER}\"\r\n");
    const size_t pasted = r.log.find("[STEP 4]: Text via Clipboard");
    EXPECT_TRUE(buffered != std::string::npos && pasted > buffered &&
                r.log.find("[STEP", buffered + 1) == pasted)
        << r.log;
    EXPECT_TRUE(r.has("keyboard steps done\r\n")) << r.log;
    EXPECT_FALSE(r.has("ERROR")) << r.log;
}

}  // namespace
}  // namespace keyboard_test
}  // namespace zorbel
