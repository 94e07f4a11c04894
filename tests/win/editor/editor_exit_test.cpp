// What the editor stores on its way out, Keep on Top, and the Welcome dialog at start-up.
#include <gtest/gtest.h>

#include "tests/win/editor/editor_driver.h"

namespace zorbel {
namespace wintest {
namespace {

void set_user_variable(const char* name, const char* value) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\UserVariables", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(h);
}

TEST(EditorExit, StoresItsStateAndResetsUserVariables) {
    EditorDriver editor;
    set_setting_number("RunAtLeastOnce", 4);
    set_setting_text("Find", "needle");
    set_setting_number("ResetUserVariables", 1);
    set_user_variable("%leftover", "x");
    ASSERT_TRUE(editor.start());
    MoveWindow(editor.frame(), 20, 30, 700, 500, TRUE);
    ASSERT_TRUE(editor.command(cmd::kKeepOnTop));
    EXPECT_TRUE(editor.button_checked(cmd::kKeepOnTop));
    EXPECT_TRUE(GetWindowLongA(editor.frame(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(editor.command(cmd::kShowOutput));  // hides the Output palette
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("-1", setting_of("Palettes\\Output\\visible"));
    EXPECT_EQ("262144", setting_of("OnTop"));
    EXPECT_EQ("needle", setting_of("Find"));
    EXPECT_EQ("5", setting_of("RunAtLeastOnce"));
    EXPECT_EQ("19", setting_of("StopKey"));
    EXPECT_EQ("20", setting_of("Left"));
    EXPECT_EQ("530", setting_of("Bottom"));
    EXPECT_EQ("", user_variable("%leftover"));
    set_setting_number("OnTop", 0);
}

TEST(EditorExit, KeepOnTopStartsFromTheSetting) {
    set_setting_number("OnTop", 1);  // not the on-top style: read as off
    {
        EditorDriver editor;
        set_setting_number("OnTop", 1);
        ASSERT_TRUE(editor.start());
        EXPECT_FALSE(editor.button_checked(cmd::kKeepOnTop));
        ASSERT_TRUE(editor.close());
        EXPECT_EQ("0", setting_of("OnTop"));
    }
}

TEST(EditorWelcome, OpensOnTheFirstClockTickWithoutAFile) {
    EditorDriver editor;
    set_setting_number("ShowSamples", 1);
    editor.expect_box("Welcome to Zorbel", IDCANCEL);
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ("1", setting_of("StartupSamplesShown"));
    set_setting_number("ShowSamples", 0);
}

// The last file comes back before the first tick, so the Welcome dialog stays away.
TEST(EditorWelcome, BuildsTheTypingSample) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    editor.expect_box("Welcome to Zorbel", IDOK, "", [](HWND dialog) {
        SendMessageA(GetDlgItem(dialog, res::kWelcomeSampleList), LB_SETCURSEL, 1, 0);
        SendMessageA(GetDlgItem(dialog, res::kWelcomeSample), BM_CLICK, 0, 0);
    });
    ASSERT_TRUE(editor.command(cmd::kNew));
    ASSERT_EQ(22, editor.row_count());
    EXPECT_EQ("Zorbel", editor.title());
    EXPECT_EQ("(70, 120)", editor.cell(14, 2));
    EXPECT_EQ("Typing in Notepad", setting_of("ChosenSampleFile"));
    // A built sample is not an edit: closing asks nothing.
    ASSERT_TRUE(editor.command(cmd::kClose));
    EXPECT_EQ(0, editor.row_count());
}

TEST(EditorWelcome, StartupOptionsShowTheSwitches) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    editor.expect_box("Zorbel Startup (Command Line) Options:", IDOK);
    ASSERT_TRUE(editor.command(cmd::kStartupOptions));
    editor.expect_box("---- Run Commands", IDOK);
    ASSERT_TRUE(editor.command(cmd::kShortcuts));
    editor.expect_box("No file currently open", IDOK);
    ASSERT_TRUE(editor.command(cmd::kProperties));
}

TEST(EditorWelcome, AutoReloadComesFirst) {
    TempFolder folder;
    ScriptState script;
    script.steps.push_back(test_step("Write to Log", "x"));
    ASSERT_TRUE(write_script(script, folder / "last.zbx"));
    EditorDriver editor;
    set_setting_number("ShowSamples", 1);
    set_setting_number("AutoReload", 1);
    set_setting_text("RecentFile1", folder / "last.zbx");
    ASSERT_TRUE(editor.start());
    ASSERT_TRUE(wait_until([&] { return !editor.status_part(2).empty(); }));
    pump_for(300);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.frame(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    EXPECT_EQ("last.zbx - Zorbel", editor.title());
    EXPECT_EQ(1, editor.row_count());
    set_setting_number("ShowSamples", 0);
    set_setting_number("AutoReload", 0);
}

TEST(EditorWelcome, FindAndGoToStep) {
    TempFolder folder;
    ScriptState script;
    for (int i = 1; i <= 10; ++i) script.steps.push_back(test_step("Write to Log", "line " + std::to_string(i)));
    script.steps[0].comment = "only here";
    ASSERT_TRUE(write_script(script, folder / "ten.zbx"));
    EditorDriver editor;
    set_setting_text("Find", "only here");
    set_setting_number("FindDirection", 1);
    ASSERT_TRUE(editor.start("/e \"" + (folder / "ten.zbx") + "\""));
    editor.expect_box("Cannot find \"only here\" while searching down", IDOK);
    ASSERT_TRUE(editor.command(cmd::kFindNext));
    editor.select_rows({1});
    ASSERT_TRUE(editor.command(cmd::kFindPrevious));
    EXPECT_EQ(std::vector<int>{0}, editor.selected_rows());
    editor.expect_box("Go to Step Number", IDOK);
    ASSERT_TRUE(editor.command(cmd::kGoToStep));
    EXPECT_EQ(std::vector<int>{0}, editor.selected_rows());
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
