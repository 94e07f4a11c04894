// The recording pane of the real editor: keys typed by another program into the
// testbed are recorded by the pane's Start/Stop button and the stop key, and the saved
// file holds them in the step that started the recording.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/script_file.h"
#include "core/text_rules.h"
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
    ASSERT_TRUE(wait_until([&] { return button_text(record) == "Start Recording"; }));
    ASSERT_TRUE(editor.command(cmd::kSave));

    ScriptState saved;
    SilentUserInterface quiet;
    ASSERT_EQ(2, load_script(&saved, path, &quiet));
    // The keys, in step 1's slot; Wine may add a pointer move when the testbed comes forward.
    EXPECT_EQ(0, text_to_number(field_text(saved.steps[1].value[0])));
    const std::vector<RecordingEvent>& events =
        saved.recordings[static_cast<size_t>(text_to_number(field_text(saved.steps[0].value[1])))];
    std::vector<RecordingEvent> keys;
    for (const RecordingEvent& e : events)
        if (e.message != WM_MOUSEMOVE) keys.push_back(e);
    EXPECT_EQ(std::to_string(events.size()), saved.steps[0].value[0]);
    ASSERT_EQ(4u, keys.size());
    const uint32_t messages[] = {WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(messages[i], keys[i].message) << i;
    EXPECT_EQ(72u, keys[0].param_first & 0xFF);
    EXPECT_EQ(73u, keys[2].param_first & 0xFF);
    EXPECT_TRUE(editor.close());
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
