// End to end: keys typed right before an activation of another program reach the window
// they were typed into, also when the machine is busy (test.sh runs this again with both
// cores loaded). Notepad and the testbed take turns in front.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/notepad.h"
#include "tests/win/support/testbed.h"
#include "tests/win/support/zorbel_run.h"

namespace zorbel {
namespace {

using namespace wintest;

class KeyboardAlternation : public ScriptRunFixture {
protected:
    void TearDown() override {
        notepad_.process().end();
        ScriptRunFixture::TearDown();
    }
    Notepad notepad_;
};

TEST_F(KeyboardAlternation, EveryKeyLandsInTheWindowItWasTypedInto) {
    ASSERT_TRUE(notepad_.start());
    Testbed tb;
    ASSERT_TRUE(tb.start());
    ZorbelRun r = run("keyboard_alternation.zbx");
    EXPECT_EQ(0u, r.exit_code);
    EXPECT_TRUE(notepad_.has_text("n1n2")) << r.log;
    std::string line;
    EXPECT_TRUE(tb.next_line_starting("CHAR 'c' 0x63", &line));
    EXPECT_TRUE(r.has("alternation done\r\n")) << r.log;
    EXPECT_FALSE(r.has("ERROR")) << r.log;
}

}  // namespace
}  // namespace zorbel
