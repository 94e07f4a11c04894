// Running the open script from the editor: the running state, commands refused while
// a run lasts, and closing the editor in the middle of a run.
#include <gtest/gtest.h>

#include "core/text_rules.h"
#include "tests/win/editor/editor_driver.h"

namespace zorbel {
namespace wintest {
namespace {

// Ticks until stopped: repeats without end at a slow speed.
ScriptState endless() {
    ScriptState script;
    Step speed = test_step("Set Run Speed");
    copy_to_field(speed.timeout, "5");
    Step repeats = test_step("Set Run Repeats");
    copy_to_field(repeats.timeout, "-1");
    script.steps = {speed, repeats, test_step("Write to Log", "tick")};
    return script;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

std::string screen_saver() {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &h) != ERROR_SUCCESS) return "";
    char value[32] = {};
    DWORD size = sizeof(value) - 1;
    RegQueryValueExA(h, "ScreenSaveActive", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(h);
    return value;
}

void set_screen_saver(const char* value) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, "ScreenSaveActive", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(strlen(value) + 1));
    RegCloseKey(h);
}

class EditorRun : public ::testing::Test {
protected:
    void SetUp() override {
        set_setting_text("Logfile", folder / "log.txt");
        set_setting_number("DisableScreenSaver", 1);
        set_setting_number("DefaultReturnCode", 7);
        set_screen_saver("1");
        ASSERT_TRUE(write_script(endless(), path));
    }
    void TearDown() override {
        set_setting_number("DisableScreenSaver", 0);
        set_setting_number("DefaultReturnCode", 0);
    }
    TempFolder folder;
    const std::string path = folder / "endless.zbx";
};

// Edits sent while a run lasts are refused by the commands themselves, not only greyed.
TEST_F(EditorRun, CommandsThatChangeStepsAreRefusedWhileRunning) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({2});
    ASSERT_TRUE(editor.command(cmd::kIndent));
    ASSERT_TRUE(editor.command(cmd::kCopy));
    ASSERT_TRUE(editor.key(VK_F5));
    ASSERT_TRUE(wait_until([&] { return editor.button_enabled(cmd::kPause); }));
    for (int id : {cmd::kRun, cmd::kCut, cmd::kPaste, cmd::kDelete, cmd::kUndo, cmd::kSave, cmd::kOpen,
                   cmd::kMoveUp, cmd::kIndent, cmd::kSkip, cmd::kBreakpoint, cmd::kEditStep})
        EXPECT_FALSE(editor.button_enabled(id)) << id;
    editor.select_rows({2});
    for (int id : {cmd::kUndo, cmd::kIndent, cmd::kUnindent, cmd::kAddComment, cmd::kDelete, cmd::kCut, cmd::kPaste,
                   cmd::kMoveUp, cmd::kSkip, cmd::kBreakpoint, cmd::kRemoveAllSkips, cmd::kRemoveAllBreakpoints})
        ASSERT_TRUE(editor.command(id));
    EXPECT_EQ(3, editor.row_count());
    ASSERT_TRUE(editor.command(cmd::kPause));
    ASSERT_TRUE(wait_until([&] { return editor.button_enabled(cmd::kRun); }));
    EXPECT_FALSE(editor.button_enabled(cmd::kPause));
    // Paused between two steps, or at the end of a pass.
    const std::string status = editor.status_part(0);
    EXPECT_TRUE(status.find(" Stopped at step #") == 0 || status == " Run Completed") << status;
    EXPECT_NE(std::string::npos, editor.text_of(res::kOutputEdit).find("Starting Run at"));
    EXPECT_EQ("Write to Log", editor.text_of(res::kPaneHost));  // the selected step's pane
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState expected = endless();
    expected.steps[2].indents = 1;
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

// Closing during a run stops it quietly first: the screen saver comes back, no
// completion line, the exit code untouched.
TEST_F(EditorRun, ClosingDuringARunStopsItQuietly) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/L /e " + quoted(path)));
    editor.select_rows({2});
    ASSERT_TRUE(editor.command(cmd::kIndent));
    ASSERT_TRUE(editor.command(cmd::kRun));
    ASSERT_TRUE(wait_until([&] { return read_file(folder / "log.txt").find("tick") != std::string::npos; }));
    EXPECT_EQ("0", screen_saver());
    // The run has ended before the editor asks about the edits.
    editor.expect_box("Save changes to endless.zbx?", IDNO, "", [](HWND) { EXPECT_EQ("1", screen_saver()); });
    DWORD code = 0;
    ASSERT_TRUE(editor.close(&code));
    EXPECT_EQ(7u, code);
    EXPECT_EQ("1", screen_saver());
    EXPECT_EQ(std::string::npos, read_file(folder / "log.txt").find("Run Completed"));
}

// "/v" opens the script in the visible editor and runs it; the editor stays open.
TEST_F(EditorRun, VisibleRunFromTheCommandLine) {
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/v " + quoted(path)));
    ASSERT_TRUE(wait_until([&] { return editor.button_enabled(cmd::kPause); }));
    EXPECT_EQ("endless.zbx - Zorbel", editor.title());
    ASSERT_TRUE(editor.command(cmd::kPause));
    ASSERT_TRUE(wait_until([&] { return editor.button_enabled(cmd::kRun); }));
    EXPECT_TRUE(editor.process().running());
}

// A variable a step saves shows in the Variables palette.
TEST_F(EditorRun, ARunFillsTheVariablesPalette) {
    ScriptState script;
    Step set = test_step("Create/Set Variable", "forty-two");
    set.options = kOptionResultToVariable;
    copy_to_field(set.variable, "%answer");
    script.steps = {set};
    ASSERT_TRUE(write_script(script, folder / "set.zbx"));
    EditorDriver editor;
    set_setting_number("ResetUserVariables", 1);
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "set.zbx")));
    EXPECT_EQ("%answer = forty-two", editor.cell(0, 2));
    ASSERT_TRUE(editor.key(VK_F5));  // the run starts by emptying the user variables
    // Listed once, as the store names it, whether the step or the clock put it there.
    ASSERT_TRUE(wait_until([&] { return editor.list_cell(res::kVariablesList, 0, 1) == "forty-two"; }));
    EXPECT_EQ("answer", editor.list_cell(res::kVariablesList, 0, 0));
    PostMessageA(editor.frame(), WM_TIMER, res::kClockTimer, 0);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.frame(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    pump_for(200);
    EXPECT_EQ(1, static_cast<int>(SendMessageA(editor.child(res::kVariablesList), LVM_GETITEMCOUNT, 0, 0)));
    EXPECT_EQ(" Run Completed", editor.status_part(0));
}

TEST_F(EditorRun, ClosingTheHiddenRunWindowStopsItQuietly) {
    ChildProcess zorbel;
    ASSERT_TRUE(zorbel.start("\"" + built_program("zorbel.exe") + "\" /L /r " + quoted(path)));
    ASSERT_TRUE(wait_until([&] { return read_file(folder / "log.txt").find("tick") != std::string::npos; }));
    HWND hidden = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, "Zorbel", nullptr); w; w = FindWindowExA(nullptr, w, "Zorbel", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == zorbel.pid()) hidden = w;
    }
    ASSERT_NE(nullptr, hidden);
    PostMessageA(hidden, WM_CLOSE, 0, 0);
    DWORD code = 0;
    ASSERT_TRUE(zorbel.wait_exit(&code));
    EXPECT_EQ(7u, code);
    EXPECT_EQ("1", screen_saver());
    EXPECT_EQ(std::string::npos, read_file(folder / "log.txt").find("Run Completed"));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
