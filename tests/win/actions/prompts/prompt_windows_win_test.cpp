// The image window for each picture format, and the input box, on the real desktop.
#include <gtest/gtest.h>
#include <windows.h>

#include "actions/prompts/prompt_windows_win.h"
#include "app/user_interface_win.h"
#include "tests/win/actions/prompts/prompt_watcher.h"
#include "tests/win/actions/prompts/test_images.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace {

using namespace wintest;

TEST(ImageWindow, EachFormatOpensAtItsOwnSizeAndClosesByItsTimer) {
    wintest::TempFolder folder;
    struct Row {
        const char* name;
        std::string bytes;
        int width;
        int height;
    } rows[] = {
        {"picture.bmp", bmp_file(20, 10), 20, 10},
        {"picture.ico", ico_file(16), 16, 16},
        {"picture.gif", gif_file(12, 6), 12, 6},
        {"picture.jpg", jpeg_file(32, 16), 32, 16},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = folder.path() + "\\" + row.name;
        ASSERT_TRUE(write_file(path, row.bytes));
        HWND window = PromptWindows::show_image(path, 300);
        ASSERT_NE(window, nullptr);
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ(r.right - r.left, row.width);
        EXPECT_EQ(r.bottom - r.top, row.height);
        EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - row.width / 2 - 1);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(wait_until([&] { return !IsWindow(window); }));
        if (IsWindow(window)) DestroyWindow(window);
    }
}

// A file that is no picture fails the step with its path.
TEST(ImageWindow, ImageThatCannotBeLoadedFailsDisplayImage) {
    wintest::TempFolder folder;
    const std::string path = folder.path() + "\\not_a_picture.gif";
    ASSERT_TRUE(write_file(path, "plain text"));
    SystemRunRig rig;
    WinUserInterface ui;
    rig.services.ui = &ui;
    for (const std::string& name : {path, folder.path() + "\\missing.bmp"}) {
        SCOPED_TRACE(name);
        rig.only("Display Image", name, "1");
        EXPECT_EQ(rig.run_step(), kStepFailed);
        EXPECT_EQ(rig.run.error_text, "Unable to display image '" + name + "'");
    }
}

TEST(InputBox, OkGivesTheEditedTextAndEscapeCancels) {
    struct Row {
        void (*answer)(HWND);
        bool accepted;
        const char* text;
    } rows[] = {
        {[](HWND box) {
             SendMessageA(GetDlgItem(box, 1005), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("42"));
             PostMessageA(GetDlgItem(box, 1005), WM_KEYDOWN, VK_RETURN, 0);
         },
         true, "42"},
        {[](HWND box) {
             PostMessageA(box, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, 1002)));
         },
         false, ""},
        {[](HWND box) { PostMessageA(GetDlgItem(box, 1005), WM_KEYDOWN, VK_ESCAPE, 0); }, false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string text = "7";
        std::string shown;
        PromptWatcher watcher("ZorbelInput", "Go to Step Number", [&](HWND box) {
            shown = window_text(GetDlgItem(box, 1005));
            row.answer(box);
        });
        EXPECT_EQ(show_input_box("Go to Step Number", false, "Step:", &text), row.accepted);
        EXPECT_TRUE(watcher.answered()) << watcher.seen();
        EXPECT_EQ(shown, "7");
        EXPECT_EQ(text, row.text);
    }
}

}  // namespace
}  // namespace zorbel
