// The recording pane of the real editor: keys typed by another program into the
// testbed are recorded by the pane's Start/Stop button and the stop key, and the saved
// file holds them in the step that started the recording.
#include <gtest/gtest.h>

#include "core/script_file.h"
#include "core/user_interface.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/support/desktop.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace wintest {
namespace {

std::string button_text(HWND button) {
    char text[64] = {};
    SendMessageA(button, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

TEST(EditorRecording, TheRecordingGoesIntoTheStepThatStartedItWhereverTheFocusIs) {
    TempFolder folder;
    const std::string path = folder / "recording.zbx";
    ScriptState script;
    script.steps = {test_step("Recording"), test_step("Recording")};
    ASSERT_TRUE(write_script(script, path));
    set_setting_number("MinimizeRecord", 0);
    Testbed testbed;
    ASSERT_TRUE(testbed.start());
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e \"" + path + "\""));
    editor.select_rows({0});
    HWND record = nullptr;
    ASSERT_TRUE(wait_until([&] { return (record = editor.pane_control(cmd::kRecordButton)) && IsWindowVisible(record); }));
    EXPECT_EQ("0 actions recorded", window_text(editor.pane_control(res::kRecordedCount)));
    PostMessageA(record, BM_CLICK, 0, 0);
    ASSERT_TRUE(wait_until([&] { return button_text(record) == "Stop Recording"; }));
    EXPECT_FALSE(IsWindowEnabled(editor.pane_control(cmd::kTestPlaybackButton)));
    ASSERT_TRUE(bring_to_front(testbed.window()));
    editor.select_rows({1});  // the focus moves on before the recording stops
    ChildProcess helper;
    ASSERT_TRUE(helper.start("\"" + built_program("zbsendinput.exe") + "\" k:72 k:73 s:200 k:19"));
    DWORD code = 0;
    ASSERT_TRUE(helper.wait_exit(&code));
    ASSERT_TRUE(wait_until([&] { return editor.cell(0, 2) == "4 Events"; })) << editor.cell(0, 2);
    ASSERT_TRUE(editor.command(cmd::kSave));

    ScriptState saved;
    SilentUserInterface quiet;
    ASSERT_EQ(2, load_script(&saved, path, &quiet));
    EXPECT_STREQ("4", saved.steps[0].value[0]);
    EXPECT_STREQ("", saved.steps[1].value[0]);
    ASSERT_EQ(4u, saved.recordings[0].size());
    const uint32_t messages[] = {WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(messages[i], saved.recordings[0][i].message) << i;
    EXPECT_EQ(72u, saved.recordings[0][0].param_first & 0xFF);
    EXPECT_EQ(73u, saved.recordings[0][2].param_first & 0xFF);
    EXPECT_TRUE(editor.close());
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
