// Window and menu steps against Wine's notepad: a program the tests do not control,
// found by its title and class, driven through its menus, and closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "actions/windows/window_search_win.h"
#include "tests/native/support/run_rig.h"
#include "tests/win/support/notepad.h"
#include "tests/win/support/window_step_fixture.h"

namespace zorbel {
namespace {

using wintest::wait_until;

class NotepadSteps : public WindowStepFixture {
protected:
    wintest::Notepad notepad;

    void SetUp() override {
        WindowStepFixture::SetUp();
        ASSERT_TRUE(notepad.start());
        Step& appear = make("Wait for Window to Appear", "Notepad");
        ASSERT_TRUE(wait_until([&] { return rig.wait_holds(appear); }));
        main = current();
    }

    int window_step(const char* action, const std::string& text, uint32_t options = kCriterionTitle,
                    const char* timeout = "") {
        copy_to_field(make(action, text, options).timeout, timeout);
        return rig.run_as(rig.context.step(), 2);
    }
    int menu_step(const char* action, const std::string& path) {
        make(action, path, 0);
        return rig.run_as(rig.context.step(), 4);
    }
    HWND current() { return reinterpret_cast<HWND>(rig.run.current_window); }

    HWND main = nullptr;
};

TEST_F(NotepadSteps, FoundByPartOfItsTitleAndByItsClass) {
    char title[256] = {};
    GetWindowTextA(main, title, sizeof(title));
    EXPECT_STREQ(title, "Untitled - Notepad");
    EXPECT_EQ(window_step("Activate", "notepad"), kStepSucceeded) << rig.run.error_text;
    EXPECT_EQ(current(), main);
    EXPECT_EQ(window_step("Activate", "Notepad", kCriterionClass), kStepSucceeded) << rig.run.error_text;
    EXPECT_EQ(current(), main);
    EXPECT_TRUE(wait_until([&] { return GetForegroundWindow() == main; }));
    // Its text area: the only "Edit" control.
    EXPECT_EQ(window_step("Get Text", "Edit", kCriterionClass), kStepSucceeded) << rig.run.error_text;
    EXPECT_EQ(GetParent(current()), main);
}

TEST_F(NotepadSteps, HelpMenuOpensAboutByKeysAndTheBoxCloses) {
    ASSERT_EQ(window_step("Activate", "Untitled - Notepad"), kStepSucceeded);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == main; }));
    EXPECT_EQ(menu_step("Select Menu Item", "&Help;&About Notepad"), kStepSucceeded) << rig.run.error_text;
    Step& appear = make("Wait for Window to Appear", "About Notepad");
    ASSERT_TRUE(wait_until([&] { return rig.wait_holds(appear); }));
    HWND about = current();
    EXPECT_NE(about, main);
    EXPECT_EQ(window_step("Close Window", "About Notepad", kCriterionTitle, "2"), kStepSucceeded);
    Step& gone = make("Wait for Window to Disappear", "About Notepad");
    EXPECT_TRUE(wait_until([&] { return rig.wait_holds(gone); }));
    EXPECT_TRUE(IsWindow(main));
}

TEST_F(NotepadSteps, SystemMenuMaximizesAndCloseWindowEndsIt) {
    EXPECT_EQ(window_step("Activate", "Notepad"), kStepSucceeded);
    EXPECT_EQ(menu_step("Select System Menu", "Maximize"), kStepSucceeded);
    EXPECT_TRUE(wait_until([&] { return IsZoomed(main) != FALSE; }));
    EXPECT_EQ(window_step("Close Window", "Untitled - Notepad", kCriterionTitle, "2"), kStepSucceeded);
    DWORD code = 99;
    EXPECT_TRUE(notepad.process().wait_exit(&code));
    EXPECT_EQ(code, 0u);
}

// With unsaved text notepad asks whether to save inside WM_CLOSE, so the close does
// not come back within the step's wait and the process is ended.
TEST_F(NotepadSteps, CloseWindowEndsNotepadThatAsksToSave) {
    ASSERT_EQ(window_step("Get Text", "Edit", kCriterionClass), kStepSucceeded);
    HWND edit = current();
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("unsaved words"), SMTO_ABORTIFHUNG, 2000, &ignored);
    SendMessageTimeoutA(edit, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    DWORD begin = GetTickCount();
    EXPECT_EQ(window_step("Close Window", "Notepad", kCriterionClass, "1"), kStepSucceeded);
    EXPECT_GE(GetTickCount() - begin, 1000u);
    DWORD code = 99;
    EXPECT_TRUE(notepad.process().wait_exit(&code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace zorbel
