// New steps from the Actions tree and the editing panes, judged by the saved file's bytes.
#include <gtest/gtest.h>

#include "core/text_rules.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

ScriptState three_steps() {
    ScriptState script;
    for (const char* text : {"a", "b", "c"}) script.steps.push_back(test_step("Write to Log", text));
    return script;
}

Step new_step(const char* action, const char* onfail, uint32_t options, const char* timeout = "") {
    Step step = test_step(action);
    copy_to_field(step.onfail, onfail);
    copy_to_field(step.onfail_label, "again");
    step.options = options;
    copy_to_field(step.timeout, timeout);
    return step;
}

TEST(EditorPanes, NewStepsByDoubleClickAndCommandsLandWhereInsertNewStepSays) {
    TempFolder folder;
    const std::string path = folder / "new.zbx";
    ASSERT_TRUE(write_script(three_steps(), path));
    set_setting_text("DefaultFailureMode", "Jump to Label");
    set_setting_text("DefaultFailureMode_Jump", "again");
    set_setting_number("InsertNewStep", 1);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(editor.select_action("Delay"));
    editor.double_click_action();  // after row 0
    ASSERT_TRUE(wait_until([&] { return editor.row_count() == 4; }));
    EXPECT_EQ("Delay", editor.cell(1, 1));
    // Any value but 1 inserts at the selected row, never past the end.
    set_setting_number("InsertNewStep", 2);
    editor.select_rows({3});
    ASSERT_TRUE(editor.select_action("Left Button Click"));
    ASSERT_TRUE(editor.command(cmd::kInsertAction));
    ASSERT_TRUE(editor.select_action("Start Hidden"));
    ASSERT_TRUE(editor.command(cmd::kAppendAction));
    ASSERT_TRUE(editor.select_action("Simulate Keypress"));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kInsertAction));
    ASSERT_EQ(7, editor.row_count());
    ASSERT_TRUE(editor.command(cmd::kSave));
    set_setting_number("InsertNewStep", 0);
    set_setting_text("DefaultFailureMode", "Display Error and Stop");
    set_setting_text("DefaultFailureMode_Jump", "");

    const ScriptState old = three_steps();
    ScriptState expected;
    Step keys = new_step("Simulate Keypress", "", 0);
    expected.steps = {keys,
                      old.steps[0],
                      new_step("Delay", "Jump to Label", 0, "2"),
                      old.steps[1],
                      new_step("Left Button Click", "Jump to Label", 128),
                      old.steps[2],
                      new_step("Start", "Jump to Label", 1)};
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

HWND field(EditorDriver& editor, int index) { return editor.pane_control(res::kPaneFieldFirst + index); }

// Replaces the field's text the way typing does (a multi-line edit reports no change on WM_SETTEXT).
void type_into(HWND control, const std::string& text) {
    SendMessageA(control, EM_SETSEL, 0, -1);
    SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string text_of(HWND control) {
    char text[600] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void choose(EditorDriver& editor, HWND list, const char* text) {
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    (void)editor;
}

TEST(EditorPanes, DatabasePaneLoadsEditsAndUndoesThroughItsControls) {
    TempFolder folder;
    const std::string path = folder / "pane.zbx";
    ScriptState script;
    Step sql = test_step("Execute SQL Query", "SELECT 1", "note");
    copy_to_field(sql.value[0], "Source");
    copy_to_field(sql.value[1], "user");
    copy_to_field(sql.value[2], "Vhfuhw");  // "Secret" as stored
    copy_to_field(sql.value[3], "10");
    copy_to_field(sql.value[4], "C:\\out.csv");
    copy_to_field(sql.onfail, "Jump to Label");
    copy_to_field(sql.onfail_label, "L1");
    copy_to_field(sql.variable, "%rows");
    sql.options = kOptionResultToVariable;
    script.steps = {test_step("Write to Log", "x"), sql};
    ASSERT_TRUE(write_script(script, path));
    const std::string original = read_file(path);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({1});
    ASSERT_TRUE(wait_until([&] { return field(editor, 0) && IsWindowVisible(field(editor, 0)); }));
    // Every field as loaded (the password shown plain).
    EXPECT_EQ("Secret", text_of(field(editor, 3)));
    EXPECT_EQ("SELECT 1", text_of(field(editor, 0)));
    EXPECT_EQ("Source", text_of(field(editor, 1)));
    EXPECT_EQ("note", text_of(field(editor, 7)));
    EXPECT_EQ("rows", text_of(field(editor, 15)));
    EXPECT_TRUE(IsWindowVisible(editor.pane_control(cmd::kPaneUndoChanges)));
    EXPECT_FALSE(IsWindowEnabled(editor.pane_control(cmd::kPaneUndoChanges)));
    keep_picture(editor.frame(), "pane_database");

    // Fields in table order: 0 query, 1 source, 2 user, 3 password, 4 rows, 5 all rows,
    // 6 export, 7 comment, 8 mode, 9 label, 10 log, 11 image, 12..14 result, 15 variable.
    type_into(field(editor, 0), "SELECT 2");
    type_into(field(editor, 1), std::string(300, 's'));
    type_into(field(editor, 3), "Pw");
    SendMessageA(field(editor, 5), BM_CLICK, 0, 0);
    type_into(field(editor, 7), "changed");
    choose(editor, field(editor, 8), "Retry the Step x Times");
    type_into(field(editor, 9), "3");
    SendMessageA(field(editor, 10), BM_CLICK, 0, 0);
    SendMessageA(field(editor, 13), BM_CLICK, 0, 0);  // to the clipboard
    type_into(field(editor, 15), "total");
    EXPECT_TRUE(IsWindowEnabled(editor.pane_control(cmd::kPaneUndoChanges)));
    ASSERT_TRUE(editor.command(cmd::kSave));

    Step edited = sql;
    edited.text = "SELECT 2";
    copy_to_field(edited.value[0], std::string(259, 's'));
    copy_to_field(edited.value[2], "Sz");
    edited.options = kOptionResultToClipboard | 1;
    edited.comment = "changed";
    copy_to_field(edited.onfail, "Retry the Step x Times");
    copy_to_field(edited.onfail_label, "3");
    edited.onfail_log = 1;
    copy_to_field(edited.variable, "%total");
    ScriptState expected;
    expected.steps = {script.steps[0], edited};
    EXPECT_EQ(script_to_text(expected), read_file(path));

    // Undo Changes returns the loaded step; the grid's Undo then has nothing of the pane left.
    SendMessageA(editor.pane_control(cmd::kPaneUndoChanges), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(editor.pane_control(cmd::kPaneUndoChanges)));
    ASSERT_TRUE(editor.command(cmd::kSave));
    EXPECT_EQ(original, read_file(path));
    type_into(field(editor, 0), "SELECT 3");
    type_into(field(editor, 0), "SELECT 4");
    ASSERT_TRUE(editor.command(cmd::kUndo));
    ASSERT_TRUE(editor.command(cmd::kSave));
    EXPECT_EQ(original, read_file(path));
}

// The keyboard pane renames only between "Simulate Keypress" and "Text + System Keys";
// after an undone move the pane writes into the step the grid focuses, not the one it
// showed before.
TEST(EditorPanes, KeyboardRenamesAndWritesFollowTheFocusedStep) {
    TempFolder folder;
    const std::string path = folder / "keys.zbx";
    ScriptState script;
    script.steps = {test_step("Simulate Keypress", "a"), test_step("Text via Clipboard", "b"),
                    test_step("Write to Log", "c")};
    ASSERT_TRUE(write_script(script, path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(wait_until([&] { return field(editor, 0) && text_of(field(editor, 0)) == "a"; }));
    type_into(field(editor, 0), "a{enter}");
    EXPECT_EQ("Text + System Keys", editor.cell(0, 1));
    keep_picture(editor.frame(), "pane_keyboard");
    editor.select_rows({1});
    ASSERT_TRUE(wait_until([&] { return text_of(field(editor, 0)) == "b"; }));
    type_into(field(editor, 0), "b{tab}");
    EXPECT_EQ("Text via Clipboard", editor.cell(1, 1));
    // Move row 1 down, then undo: row 1 is the clipboard step again and is focused.
    ASSERT_TRUE(editor.command(cmd::kMoveDown));
    ASSERT_TRUE(editor.command(cmd::kUndo));
    editor.select_rows({1});
    type_into(field(editor, 0), "typed");
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState expected = script;
    expected.steps[0].text = "a{enter}";
    copy_to_field(expected.steps[0].action, "Text + System Keys");
    expected.steps[1].text = "typed";
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
