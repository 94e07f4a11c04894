// The editor as a user meets it: the frame, the grid, the file commands and what the
// editor stores when it closes.
#include <gtest/gtest.h>

#include "core/text_rules.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

ScriptState three_steps() {
    ScriptState script;
    script.steps.push_back(test_step("Write to Log", "one", "first"));
    script.steps.push_back(test_step("Write to Log", "two"));
    script.steps.push_back(test_step("Comment", "", "a note"));
    return script;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

TEST(EditorFrame, OpensAFileIntoTheGridWithToolbarAndClock) {
    TempFolder folder;
    ScriptState script = three_steps();
    script.steps[1].indents = 2;
    script.steps[1].status = kStatusSkip;
    ASSERT_TRUE(write_script(script, folder / "three.zbx"));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "three.zbx")));
    EXPECT_EQ("three.zbx - Zorbel", editor.title());
    ASSERT_EQ(3, editor.row_count());
    EXPECT_EQ("1", editor.cell(0, 0));
    EXPECT_EQ("Write to Log", editor.cell(0, 1));
    EXPECT_EQ("one", editor.cell(0, 2));
    EXPECT_EQ("first", editor.cell(0, 4));
    EXPECT_EQ(std::string(12, ' ') + "two", editor.cell(1, 2));
    EXPECT_TRUE(editor.button_enabled(cmd::kRun));
    EXPECT_FALSE(editor.button_enabled(cmd::kPause));
    EXPECT_FALSE(editor.button_enabled(cmd::kUndo));
    ASSERT_TRUE(wait_until([&] { return !editor.status_part(2).empty(); }));
    const std::string clock = editor.status_part(2);
    EXPECT_TRUE(clock.find(" AM") != std::string::npos || clock.find(" PM") != std::string::npos) << clock;
    EXPECT_EQ(' ', clock[0]);
    keep_picture(editor.frame(), "editor_main");
}

// The saved bytes are the truth of an edit sequence made with real keys and commands.
TEST(EditorFrame, EditsWithKeysAndCommandsSaveTheExpectedScript) {
    TempFolder folder;
    ScriptState script = three_steps();
    const std::string path = folder / "edit.zbx";
    ASSERT_TRUE(write_script(script, path));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(path)));
    editor.select_rows({0});
    ASSERT_TRUE(editor.key(VK_DOWN, {VK_CONTROL}));   // move "one" down
    ASSERT_TRUE(wait_until([&] { return editor.cell(1, 2) == "one"; }));
    ASSERT_TRUE(editor.key(VK_F8));                   // skip it
    ASSERT_TRUE(editor.key(VK_RIGHT, {VK_CONTROL}));  // indent it
    EXPECT_EQ("* edit.zbx - Zorbel", editor.title());
    ASSERT_TRUE(editor.command(cmd::kCopy));
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kPaste));         // a copy before "two"
    editor.select_rows({3});
    ASSERT_TRUE(editor.command(cmd::kDelete));        // the comment goes
    ASSERT_TRUE(editor.command(cmd::kUndo));          // and comes back
    editor.select_rows({0});
    ASSERT_TRUE(editor.command(cmd::kBreakpoint));
    ASSERT_TRUE(editor.key('S', {VK_CONTROL}));
    ASSERT_TRUE(wait_until([&] { return editor.title() == "edit.zbx - Zorbel"; }));

    ScriptState expected;
    Step one = script.steps[0];
    one.status = kStatusSkip;
    one.indents = 1;
    Step pasted = one;
    pasted.status = kStatusBreakpoint;
    expected.steps = {pasted, script.steps[1], one, script.steps[2]};
    EXPECT_EQ(script_to_text(expected), read_file(path));
}

TEST(EditorFrame, RefusedCommandsAndMessages) {
    TempFolder folder;
    ASSERT_TRUE(write_script(three_steps(), folder / "m.zbx"));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e " + quoted(folder / "m.zbx")));
    editor.expect_box("Nothing selected", IDOK);
    ASSERT_TRUE(editor.command(cmd::kDelete));
    editor.expect_box("Undo not available", IDOK);
    ASSERT_TRUE(editor.command(cmd::kUndo));
    editor.select_rows({0, 1});
    editor.expect_box("Only single rows can be moved.", IDOK);
    ASSERT_TRUE(editor.command(cmd::kMoveUp));
    EXPECT_EQ(3, editor.row_count());
    // Step New points at the Actions tree with a hint that closes itself.
    ASSERT_TRUE(editor.command(cmd::kNewStep));
    HWND hint = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, "QuenbyPopup", nullptr); w; w = FindWindowExA(nullptr, w, "QuenbyPopup", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == editor.process().pid()) hint = w;
    }
    ASSERT_NE(nullptr, hint);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(hint); }, 6000));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
