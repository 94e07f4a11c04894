// Keeping edits and the modified state: a save that does not happen keeps the
// script, a No keeps its edits marked until the script is really replaced, and every
// change to the steps shows in the title.
#include <gtest/gtest.h>

#include "core/text_rules.h"
#include "tests/win/editor/editor_driver.h"

namespace zorbel {
namespace wintest {
namespace {

ScriptState two_logs() {
    ScriptState script;
    script.steps.push_back(test_step("Write to Log", "one"));
    script.steps.push_back(test_step("Write to Log", "two"));
    return script;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

// Yes, then a No to the ".zbp" question: nothing was saved, so Close is abandoned and
// no "Unable to create the file" box follows.
TEST(EditorKeepEdits, YesWithoutASaveAbandonsTheCommand) {
    TempFolder folder;
    const std::string path = folder / "old.zbp";
    ASSERT_TRUE(write_script(two_logs(), path));
    const std::string before = read_file(path);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kDelete));
    editor.expect_box("Save changes to old.zbp?", IDYES);
    editor.expect_box("You have chosen file name that has the ZBP extension.", IDNO);
    ASSERT_TRUE(editor.command(cmd::kClose));
    EXPECT_EQ(1, editor.row_count());
    EXPECT_EQ("* old.zbp - Zorbel", editor.title());
    EXPECT_EQ(before, read_file(path));
}

// No, then Cancel in the file dialog: the script stays, and so do its marks.
TEST(EditorKeepEdits, NoThenCancelKeepsTheEditsMarked) {
    TempFolder folder;
    const std::string path = folder / "f.zbx";
    ASSERT_TRUE(write_script(two_logs(), path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({1});
    ASSERT_TRUE(editor.command(cmd::kIndent));
    editor.expect_box("Save changes to f.zbx?", IDNO);
    editor.expect_box("Open", IDCANCEL);
    ASSERT_TRUE(editor.command(cmd::kOpen));
    EXPECT_EQ("* f.zbx - Zorbel", editor.title());
    editor.expect_box("Save changes to f.zbx?", IDCANCEL);
    ASSERT_TRUE(editor.command(cmd::kClose));
    EXPECT_EQ(2, editor.row_count());
}

// An undo that empties the stack after a save leaves a script unlike its file.
TEST(EditorKeepEdits, UndoPastTheSaveStaysModified) {
    TempFolder folder;
    const std::string path = folder / "u.zbx";
    ASSERT_TRUE(write_script(two_logs(), path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kDelete));
    ASSERT_TRUE(editor.command(cmd::kSave));
    EXPECT_EQ("u.zbx - Zorbel", editor.title());
    ASSERT_TRUE(editor.command(cmd::kUndo));
    EXPECT_EQ(2, editor.row_count());
    EXPECT_EQ("* u.zbx - Zorbel", editor.title());
    EXPECT_FALSE(editor.button_enabled(cmd::kUndo));
    editor.expect_box("Save changes to u.zbx?", IDNO);
    ASSERT_TRUE(editor.command(cmd::kClose));
    EXPECT_EQ("Zorbel", editor.title());
    EXPECT_EQ(0, editor.row_count());
}

// Steps pasted into an empty script are an edit like any other.
TEST(EditorKeepEdits, PasteIntoAnEmptyScriptIsAChange) {
    TempFolder folder;
    const std::string path = folder / "p.zbx";
    ASSERT_TRUE(write_script(two_logs(), path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0, 1});
    ASSERT_TRUE(editor.command(cmd::kCopy));
    ASSERT_TRUE(editor.command(cmd::kClose));
    ASSERT_TRUE(editor.command(cmd::kPaste));
    EXPECT_EQ(2, editor.row_count());
    EXPECT_EQ("* (Untitled) - Zorbel", editor.title());
    editor.expect_box("Save changes to (Untitled)?", IDCANCEL);
    ASSERT_TRUE(editor.command(cmd::kClose));
    EXPECT_EQ(2, editor.row_count());
}

// Save As: a name without a dot gets ".zbx"; an existing file is replaced only on Yes,
// and No shows the dialog again.
TEST(EditorKeepEdits, SaveAsNamesAndReplaces) {
    TempFolder folder;
    ASSERT_TRUE(write_script(two_logs(), folder / "src.zbx"));
    ASSERT_TRUE(write_file(folder / "taken.zbx", "keep me"));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "src.zbx")));
    editor.expect_box("Save As", IDOK, folder / "taken.zbx");
    editor.expect_box("already exists", IDNO);
    editor.expect_box("Save As", IDOK, folder / "fresh");
    ASSERT_TRUE(editor.command(cmd::kSaveAs));
    EXPECT_EQ("keep me", read_file(folder / "taken.zbx"));
    EXPECT_EQ(script_to_text(two_logs()), read_file(folder / "fresh.zbx"));
    EXPECT_EQ("fresh.zbx - Zorbel", editor.title());
    EXPECT_EQ(folder / "fresh.zbx", setting_of("RecentFile1"));
}

// A load that stopped early shows fewer steps than the file holds: Ctrl+S asks first.
TEST(EditorKeepEdits, SavingAShortenedLoadAsksBeforeReplacing) {
    TempFolder folder;
    const std::string path = folder / "short.zbx";
    ScriptState script = two_logs();
    script.steps.push_back(test_step("Write to Log", "three"));
    copy_to_field(script.steps[1].action, "EMPTYME");
    std::string text = script_to_text(script);
    text.replace(text.find("EMPTYME"), 7, "");
    ASSERT_TRUE(write_file(path, text));
    EditorDriver editor;
    editor.expect_box("Empty <action> tag in step #2", IDOK);
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ(1, editor.row_count());
    editor.expect_box("already exists", IDNO);
    ASSERT_TRUE(editor.key('S', {VK_CONTROL}));
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ(text, read_file(path));
    editor.expect_box("already exists", IDYES);
    ASSERT_TRUE(editor.command(cmd::kSave));
    ScriptState shown;
    shown.steps.push_back(script.steps[0]);
    EXPECT_EQ(script_to_text(shown), read_file(path));
}

// A Recording step pasted into another script brings its events into a slot of its own.
TEST(EditorKeepEdits, PastedRecordingKeepsItsEvents) {
    TempFolder folder;
    auto recording = [](ScriptState* script, std::vector<RecordingEvent> events) {
        Step step = test_step("Recording");
        copy_to_field(step.value[0], std::to_string(events.size()));
        copy_to_field(step.value[1], std::to_string(script->add_recording(events)));
        script->steps.push_back(step);
    };
    ScriptState a, b;
    recording(&a, {{256, 65, 30, 100, 0}, {257, 65, 30, 180, 0}});
    recording(&b, {{512, 10, 20, 50, 0}});
    ASSERT_TRUE(write_script(a, folder / "a.zbx"));
    ASSERT_TRUE(write_script(b, folder / "b.zbx"));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "a.zbx")));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kCopy));
    set_setting_text("RecentFile2", folder / "b.zbx");
    ASSERT_TRUE(editor.command(cmd::kRecentFirst + 1));
    ASSERT_EQ("b.zbx - Zorbel", editor.title());
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kPaste));
    ASSERT_TRUE(editor.command(cmd::kSave));

    ScriptState expected = b;
    Step pasted = a.steps[0];
    copy_to_field(pasted.value[1], std::to_string(expected.add_recording(a.recordings[0])));
    expected.steps.insert(expected.steps.begin(), pasted);
    EXPECT_EQ(script_to_text(expected), read_file(folder / "b.zbx"));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
