// The clipboard steps on the real clipboard, with a second program holding it open.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/clipboard.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

using namespace wintest;

// Another process that has the clipboard open until it is ended.
class ClipboardHolder {
public:
    ::testing::AssertionResult hold() {
        const std::string name = "ZorbelClipboardHeld" + std::to_string(GetCurrentProcessId());
        event_ = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
        ::testing::AssertionResult started = process_.start("\"" + built_program("zbclipholder.exe") + "\" " + name);
        if (!started) return started;
        if (WaitForSingleObject(event_, 20000) != WAIT_OBJECT_0)
            return ::testing::AssertionFailure() << "the holder never opened the clipboard";
        return ::testing::AssertionSuccess();
    }
    void release() { process_.end(); }
    ~ClipboardHolder() {
        process_.end();
        if (event_) CloseHandle(event_);
    }

private:
    ChildProcess process_;
    HANDLE event_ = nullptr;
};

int run(SystemRunRig& rig, const char* action, const std::string& text = "") {
    rig.only(action, text);
    return rig.run_step();
}

TEST(ClipboardStepsWin, SetAndClear) {
    SystemRunRig rig;
    ASSERT_EQ(kStepSucceeded, run(rig, "Set Clipboard Text", "first line\r\nsecond"));
    std::string now;
    ASSERT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("first line\r\nsecond", now);
    // A second set replaces the first.
    ASSERT_EQ(kStepSucceeded, run(rig, "Set Clipboard Text", "replaced"));
    ASSERT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("replaced", now);
    ASSERT_EQ(kStepSucceeded, run(rig, "Clear Clipboard"));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

// While another program holds the clipboard the steps fail, without a message of
// their own, and the old text stays; once it lets go they work again.
TEST(ClipboardStepsWin, AnotherProgramHoldingItFailsTheSteps) {
    SystemRunRig rig;
    ASSERT_TRUE(clipboard::set_text("old text"));
    ClipboardHolder holder;
    ASSERT_TRUE(holder.hold());
    for (const char* action : {"Set Clipboard Text", "Clear Clipboard"}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(kStepFailed, run(rig, action, "new text"));
        EXPECT_EQ("", rig.run.error_text);
    }
    holder.release();
    std::string now;
    ASSERT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("old text", now);
    EXPECT_EQ(kStepSucceeded, run(rig, "Set Clipboard Text", "new text"));
    ASSERT_TRUE(clipboard::get_text(&now));
    EXPECT_EQ("new text", now);
}

}  // namespace
}  // namespace zorbel
