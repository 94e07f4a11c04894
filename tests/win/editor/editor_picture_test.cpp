// Pictures of the main layouts, kept beside the tests for review, and the README's
// picture (a disabled test that docs/make_picture.sh runs).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

std::string demo_script() {
    std::string path = "Z:";
    for (char c : std::string(ZORBEL_SOURCE_DIR)) path += c == '/' ? '\\' : c;
    return path + "\\examples\\demo.zbx";
}

// The colours the settings give: a skipped row, a breakpoint row and a comment row.
TEST(EditorPicture, RowColoursOnTheScreen) {
    TempFolder folder;
    ScriptState script;
    script.steps.push_back(test_step("Write to Log", "skipped"));
    script.steps.push_back(test_step("Write to Log", "stop here"));
    script.steps.push_back(test_step("Comment", "", "a note"));
    script.steps.push_back(test_step("Write to Log", "plain"));
    script.steps[0].status = kStatusSkip;
    script.steps[1].status = kStatusBreakpoint;
    ASSERT_TRUE(write_script(script, folder / "colours.zbx"));
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e \"" + (folder / "colours.zbx") + "\""));
    HWND grid = editor.child(res::kGrid);
    editor.select_rows({3});
    SetForegroundWindow(editor.frame());
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.frame(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    keep_picture(editor.frame(), "editor_row_colours");
    // Each row's fill near its right end, where no text stands.
    auto fill_at = [&](int row) {
        const RECT r = editor.row_rect(row);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, r.right - 6, (r.top + r.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return static_cast<uint32_t>(c);
    };
    EXPECT_EQ(0xF0F0F0u, fill_at(0));   // SkipFill
    EXPECT_EQ(0x463A96u, fill_at(1));   // BreakFill
    EXPECT_EQ(0xC0FFFFu, fill_at(2));   // CommentFill
    EXPECT_EQ(237, editor.row_image(0));
    EXPECT_EQ(238, editor.row_image(1));
}

TEST(EditorPicture, DISABLED_Readme) {
    const char* target = std::getenv("ZORBEL_PICTURE");
    ASSERT_NE(nullptr, target);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e \"" + demo_script() + "\""));
    MoveWindow(editor.frame(), 0, 0, 1000, 640, TRUE);
    editor.select_rows({2});
    SetForegroundWindow(editor.frame());
    pump_for(1500);  // the clock's first tick and a full paint
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(editor.frame(), WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    ASSERT_TRUE(save_window_picture(editor.frame(), target));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
