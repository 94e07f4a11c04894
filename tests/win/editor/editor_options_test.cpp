// Tools - Options in the real editor: every control writes its setting on OK and
// nothing on Cancel, the page it opens on, unvisited pages, the Default and Reset
// buttons, the restart messages, and the editor's own copies of the settings.
#include <gtest/gtest.h>

#include "editor/model/option_pages.h"
#include "tests/win/editor/editor_driver.h"
#include "tests/win/editor/options_settings.h"
#include "tests/win/editor/window_picture.h"

namespace zorbel {
namespace wintest {
namespace {

enum class Act { kClick, kText, kList, kSlider, kNone };

struct Control {
    int page, id;
    Act act;
    const char* text;  // kText
    int number;        // kList, kSlider
    const char* setting;
    const char* before;  // a text setting when `is_text`, else a number
    const char* after;
    bool is_text = false;
};

// In page order; kNone rows check what the row before them did.
const Control kControls[] = {
    {0, opt::kShowTips, Act::kClick, nullptr, 0, "ShowTips", "1", "0"},
    {0, opt::kMinimizeFindWin, Act::kClick, nullptr, 0, "MinimizeFindWin", "1", "0"},
    {0, opt::kShowSplash, Act::kClick, nullptr, 0, "ShowSplash", "1", "0"},
    {0, opt::kInsertBelow, Act::kClick, nullptr, 0, "InsertNewStep", "0", "1"},
    {0, opt::kFailureMode, Act::kList, nullptr, 6, "DefaultFailureMode", "Display Error and Stop", "Jump to Label", true},
    {0, opt::kFailureExtra, Act::kText, "there", 0, "DefaultFailureMode_Jump", "", "there", true},
    {1, opt::kHilite, Act::kClick, nullptr, 0, "Hilite", "0", "1"},
    {1, opt::kProgress, Act::kClick, nullptr, 0, "Progress", "0", "1"},
    {1, opt::kMinimizeStart, Act::kClick, nullptr, 0, "MinimizeStart", "0", "1"},
    {1, opt::kReturnWhenDone, Act::kClick, nullptr, 0, "ReturnWhenDone", "0", "1"},
    {1, opt::kMultipleWindowError, Act::kClick, nullptr, 0, "MultipleWindowError", "1", "0"},
    {1, opt::kResetUserVariables, Act::kClick, nullptr, 0, "ResetUserVariables", "1", "0"},
    {1, opt::kGlobalVariables, Act::kClick, nullptr, 0, "GlobalVariables", "1", "0"},
    {1, opt::kDisableScreenSaver, Act::kClick, nullptr, 0, "DisableScreenSaver", "0", "1"},
    {1, opt::kReturnCode, Act::kText, "-7", 0, "DefaultReturnCode", "3", "-7"},
    {1, opt::kSpeed, Act::kSlider, nullptr, 4, "DefaultSpeed", "10", "4"},
    {1, opt::kStopKey, Act::kList, nullptr, 29, "StopKey", "19", "106"},  // "Num *"
    {2, opt::kCommentDefault, Act::kClick, nullptr, 0, "CommentText", "1", "40960"},
    {2, 0, Act::kNone, nullptr, 0, "CommentFill", "2", "12648447"},
    {2, opt::kSkipDefault, Act::kClick, nullptr, 0, "SkipText", "3", "8421504"},
    {2, 0, Act::kNone, nullptr, 0, "SkipFill", "4", "15790320"},
    {2, opt::kBreakDefault, Act::kClick, nullptr, 0, "BreakText", "5", "16777215"},
    {2, 0, Act::kNone, nullptr, 0, "BreakFill", "6", "4602518"},
    {2, opt::kCommentItalic, Act::kClick, nullptr, 0, "CommentItalic", "1", "0"},
    {2, opt::kFontDefault, Act::kClick, nullptr, 0, "Palettes\\Output\\Font", "Arial", "Courier New", true},
    {2, 0, Act::kNone, nullptr, 0, "Palettes\\Output\\FontSize", "20", "9"},
    {2, 0, Act::kNone, nullptr, 0, "Palettes\\Output\\Font_Weight", "700", "400"},
    {2, opt::kIndentSize, Act::kText, "12", 0, "IndentSize", "6", "12"},
    {2, opt::kIndentAllColumns, Act::kClick, nullptr, 0, "IndentAllColumns", "0", "1"},
    {3, opt::kOffice97, Act::kClick, nullptr, 0, "InterfaceStyle", "Office 2003", "Office 97", true},
    {3, opt::kGridBlank, Act::kClick, nullptr, 0, "GridStyle", "2", "0"},
    {4, opt::kLog, Act::kClick, nullptr, 0, "Log", "0", "1"},
    {4, opt::kLogfile, Act::kText, "C:\\zb-options.txt", 0, "Logfile", "C:\\ZorbelLog.txt", "C:\\zb-options.txt", true},
    {4, opt::kRestartLog, Act::kClick, nullptr, 0, "RestartLog", "1", "0"},
    {4, opt::kLogDetailed, Act::kClick, nullptr, 0, "LogLevel", "0", "1"},
    {5, opt::kAutoReload, Act::kClick, nullptr, 0, "AutoReload", "0", "1"},
    {5, opt::kPromptSave, Act::kClick, nullptr, 0, "PromptSave", "1", "0"},
    {5, opt::kLoadRunInside, Act::kClick, nullptr, 0, "DefaultLoadAction", "0", "1"},
};

std::vector<std::string> control_settings() {
    std::vector<std::string> names = {"LastTab", "StopKey", "Find", "OnTop", "Left", "Top", "Right", "Bottom",
                                      "Column1", "RecentFile1"};
    for (const Control& c : kControls) names.push_back(c.setting);
    return names;
}

void write_before(const Control& c) {
    if (c.is_text) put_setting_text(c.setting, c.before);
    else put_setting_number(c.setting, static_cast<DWORD>(std::stol(c.before)));
}

void act(HWND page, const Control& c) {
    HWND control = GetDlgItem(page, c.id);
    DWORD_PTR ignored = 0;
    auto send = [&](HWND to, UINT message, WPARAM w, LPARAM l) {
        SendMessageTimeoutA(to, message, w, l, SMTO_NORMAL, kDeadlineMs, &ignored);
    };
    switch (c.act) {
        case Act::kClick: send(control, BM_CLICK, 0, 0); break;
        case Act::kText: send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text)); break;
        case Act::kList:
            send(control, CB_SETCURSEL, c.number, 0);
            send(page, WM_COMMAND, MAKEWPARAM(c.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
            break;
        case Act::kSlider: send(control, TBM_SETPOS, TRUE, c.number); break;
        case Act::kNone: break;
    }
}

// Every control changed on its page, then OK or Cancel; what the registry then holds.
void change_every_control(int button) {
    SavedSettings saved(control_settings());
    const bool had_type = class_value("Zorbel File") != "<missing>";
    for (const Control& c : kControls) write_before(c);
    set_setting_number("LastTab", 0);
    {
        EditorDriver editor;
        ASSERT_TRUE(editor.start());
        ASSERT_TRUE(editor.open_options());
        for (int page = 0; page < kOptionPageCount; ++page) {
            HWND window = editor.options_page(page);
            ASSERT_TRUE(window) << page;
            for (const Control& c : kControls)
                if (c.page == page) act(window, c);
            if (button == PSBTN_OK) {
                RedrawWindow(GetParent(window), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                pump_for(200);
                keep_picture(GetParent(window), "options_page_" + std::to_string(page));
            }
        }
        // Two pages ask for a restart; OK tells once, Cancel never.
        if (button == PSBTN_OK) editor.expect_box("You will need to restart Zorbel for the changes to take effect", IDOK);
        ASSERT_TRUE(editor.close_options(button));
        ASSERT_TRUE(editor.boxes_done());
        for (const Control& c : kControls) {
            SCOPED_TRACE(c.setting);
            EXPECT_EQ(button == PSBTN_OK ? c.after : c.before, setting_of(c.setting));
        }
        EXPECT_EQ("5", setting_of("LastTab"));  // the last page shown
        // "Blank" takes the grid lines away at once; Cancel leaves them.
        const LRESULT grid_style = SendMessageA(editor.child(res::kGrid), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        EXPECT_EQ(button == PSBTN_OK ? 0 : LVS_EX_GRIDLINES, grid_style & LVS_EX_GRIDLINES);
        const std::string open = class_value("Zorbel File\\shell\\Open\\command");
        if (button == PSBTN_OK) {
            EXPECT_EQ("\"" + built_program("zorbel.exe") + "\" /v \"%1\"", open);
        }
        ASSERT_TRUE(editor.close());
    }
    if (!had_type) delete_tree(HKEY_CLASSES_ROOT, "Zorbel File");
}

TEST(EditorOptions, CancelWritesNothing) { change_every_control(PSBTN_CANCEL); }

TEST(EditorOptions, OkWritesEveryControlsSetting) { change_every_control(PSBTN_OK); }

// The sheet opens on "LastTab" (page 0 outside the pages); OK writes only the pages
// that were shown: an unshown page keeps even a value its control cannot show.
TEST(EditorOptions, OpensOnLastTabAndOnlyShownPagesWrite) {
    SavedSettings saved(control_settings());
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    const struct {
        int last_tab, first_control;  // a control of the page it opens on
    } cases[] = {{5, opt::kAutoReload}, {-1, opt::kShowTips}, {9, opt::kShowTips}, {1, opt::kHilite}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last_tab);
        set_setting_number("LastTab", static_cast<DWORD>(c.last_tab));
        ASSERT_TRUE(editor.open_options());
        const HWND page = editor.current_options_page();
        EXPECT_TRUE(GetDlgItem(page, c.first_control));
        ASSERT_TRUE(editor.close_options(PSBTN_CANCEL));
    }
    set_setting_number("Hilite", 7);    // Run Options, shown: written back as 1
    set_setting_number("ShowTips", 7);  // General, never shown: kept
    set_setting_number("LogLevel", 7);
    ASSERT_TRUE(editor.open_options());  // on page 1, where the last case left it
    ASSERT_TRUE(editor.close_options(PSBTN_OK));
    EXPECT_EQ("1", setting_of("Hilite"));
    EXPECT_EQ("7", setting_of("ShowTips"));
    EXPECT_EQ("7", setting_of("LogLevel"));
    ASSERT_TRUE(editor.close());
}

// Reset while two pages are open: both show the defaults, so OK writes no stale value,
// and the editor's Keep on Top, stop key and Find text follow, so closing keeps them.
TEST(EditorOptions, ResetAllSettingsReachesOpenPagesAndTheEditorsOwnCopies) {
    SavedSettings saved(control_settings());
    set_setting_number("StopKey", 0x6A);
    set_setting_text("Find", "needle");
    set_setting_number("OnTop", 262144);
    set_setting_number("ShowTips", 0);
    set_setting_text("RecentFile1", "C:\\gone.zbx");
    EditorDriver editor;
    ASSERT_TRUE(editor.start());
    MoveWindow(editor.frame(), 20, 30, 700, 500, TRUE);
    ASSERT_TRUE(editor.open_options());
    HWND run = editor.options_page(1);
    EXPECT_EQ(29, SendDlgItemMessageA(run, opt::kStopKey, CB_GETCURSEL, 0, 0));  // "Num *"
    HWND general = editor.options_page(0);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageA(general, opt::kShowTips, BM_GETCHECK, 0, 0));
    editor.expect_box("Are you sure that you want to reset all confirgurations to their original values?", IDYES);
    editor.expect_box("All settings have been returned to their original values", IDOK);
    PostMessageA(GetDlgItem(general, opt::kResetAll), BM_CLICK, 0, 0);
    ASSERT_TRUE(editor.boxes_done());
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(general, opt::kShowTips, BM_GETCHECK, 0, 0));
    EXPECT_EQ(36, SendDlgItemMessageA(run, opt::kStopKey, CB_GETCURSEL, 0, 0));  // "Pause"
    EXPECT_FALSE(editor.button_checked(cmd::kKeepOnTop));
    ASSERT_TRUE(editor.close_options(PSBTN_OK));
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("19", setting_of("StopKey"));
    EXPECT_EQ("", setting_of("Find"));
    EXPECT_EQ("0", setting_of("OnTop"));
    EXPECT_EQ("1", setting_of("ShowTips"));
    EXPECT_EQ("", setting_of("Left"));  // the window's place is not stored over the reset
    EXPECT_EQ("50", setting_of("Column1"));
    EXPECT_EQ("", setting_of("RecentFile1"));
}

// The stop key chosen in Options stops the next run, and closing the editor keeps it.
TEST(EditorOptions, NewStopKeyStopsTheNextRunAndIsKeptAtExit) {
    SavedSettings saved(control_settings());
    SavedSettings log({"Log", "Logfile", "RestartLog"});
    TempFolder folder;
    const std::string log_file = folder / "run.log";
    set_setting_number("StopKey", 19);
    set_setting_number("Log", 1);
    set_setting_text("Logfile", log_file);
    EditorDriver editor;
    ASSERT_TRUE(editor.start("/e \"" + script_path("long_running.zbx") + "\""));
    ASSERT_TRUE(editor.open_options());
    HWND run = editor.options_page(1);
    SendDlgItemMessageA(run, opt::kStopKey, CB_SETCURSEL, 29, 0);  // "Num *"
    ASSERT_TRUE(editor.close_options(PSBTN_OK));
    ASSERT_TRUE(editor.command(cmd::kRun));
    ASSERT_TRUE(wait_until([&] { return read_file(log_file).find("tick") != std::string::npos; }, 15000));
    keybd_event(VK_MULTIPLY, 0, 0, 0);
    const bool stopped = static_cast<bool>(wait_until([&] { return editor.button_enabled(cmd::kRun); }, 15000));
    keybd_event(VK_MULTIPLY, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(stopped);
    EXPECT_NE(std::string::npos, read_file(log_file).find("Stop key pressed (0x6a), aborting run\r\n"));
    ASSERT_TRUE(editor.close());
    EXPECT_EQ("106", setting_of("StopKey"));
}

}  // namespace
}  // namespace wintest
}  // namespace zorbel
