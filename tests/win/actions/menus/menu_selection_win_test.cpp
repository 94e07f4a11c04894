// Menu selection: the menu-bar search on a window of this process, and the menu step
// against the testbed program, where Wine 8 leaves only the keystroke way.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "actions/menus/menu_selection_win.h"
#include "actions/windows/window_search_win.h"
#include "tests/native/support/run_rig.h"
#include "tests/win/support/testbed.h"
#include "tests/win/support/window_step_fixture.h"

namespace zorbel {
namespace {

using wintest::pump_messages;
using wintest::running_under_wine;
using wintest::Testbed;
using wintest::wait_until;
namespace tb_ids = testbed;

std::vector<WORD> g_menu_commands;

LRESULT CALLBACK menu_probe_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && lparam == 0) g_menu_commands.push_back(LOWORD(wparam));
    return DefWindowProcA(window, message, wparam, lparam);
}

// The testbed's menu bar, built from the same rows, on a window of this process.
HMENU build_menu_bar() {
    HMENU menus[4] = {CreateMenu(), nullptr, nullptr, nullptr};
    for (const tb_ids::MenuRow& row : tb_ids::kMenuRows) {
        HMENU parent = menus[row.depth];
        if (std::string(row.text) == "-") {
            AppendMenuA(parent, MF_SEPARATOR, 0, nullptr);
        } else if (row.id == 0) {
            menus[row.depth + 1] = CreatePopupMenu();
            AppendMenuA(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(menus[row.depth + 1]), row.text);
        } else {
            AppendMenuA(parent, MF_STRING, static_cast<UINT_PTR>(row.id), row.text);
        }
    }
    return menus[0];
}

class MenuBarSearch : public ::testing::Test {
protected:
    HWND window = nullptr;
    void SetUp() override {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = menu_probe_procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZbMenuProbe";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, "ZbMenuProbe", "Menu Probe", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                                 build_menu_bar(), GetModuleHandleA(nullptr), nullptr);
        g_menu_commands.clear();
    }
    void TearDown() override {
        DestroyWindow(window);  // destroys its menu too
        pump_messages();
    }
};

TEST_F(MenuBarSearch, FindsItemsByPathAndPostsTheirCommand) {
    struct Row {
        const char* path;
        UINT id;
    } rows[] = {
        {"&File;&New", tb_ids::kMenuNew},  // the shortcut text after the tab is not compared
        {"&File; Save &As...", tb_ids::kMenuSaveAs},
        {"file, open", tb_ids::kMenuOpen},
        {"File;Exit", tb_ids::kMenuExit},  // after the separator
        {"&Edit; &Insert; &Date", tb_ids::kMenuDate},
        {"Edit,Insert,Time", tb_ids::kMenuTime},
        {"Options;Level;Two", tb_ids::kMenuLevelTwo},
        {"Options;Sound", tb_ids::kMenuSound},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        g_menu_commands.clear();
        EXPECT_EQ(SelectMenuPath(window, row.path, true), row.id);
        pump_messages();
        EXPECT_EQ(g_menu_commands, std::vector<WORD>{static_cast<WORD>(row.id)});
    }
    g_menu_commands.clear();
    EXPECT_EQ(SelectMenuPath(window, "Edit;Undo", false), static_cast<UINT>(tb_ids::kMenuUndo));
    pump_messages();
    EXPECT_TRUE(g_menu_commands.empty());  // not posted when not asked
}

TEST_F(MenuBarSearch, PathsThatAreNotInTheMenuFindNothing) {
    for (const char* path : {"File;Print", "Zebra", "Edit;Insert;Picture", "File;New;Deeper", "", "Date"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(SelectMenuPath(window, path, true), 0u);
    }
    HWND plain = CreateWindowExA(0, "ZbMenuProbe", "No Menu", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(SelectMenuPath(plain, "File;New", true), 0u);
    DestroyWindow(plain);
    pump_messages();
    EXPECT_TRUE(g_menu_commands.empty());
}

class MenuStepsOnTestbed : public WindowStepFixture {
protected:
    Testbed tb;


    int activate_testbed() {
        make("Activate", "Zorbel Testbed");
        return rig.run_as(rig.context.step(), 2);
    }
    int menu(const char* action, const std::string& path) {
        make(action, path, 0);
        return rig.run_as(rig.context.step(), 4);
    }
};

TEST_F(MenuStepsOnTestbed, MenuPathSearchOnAnotherProgramsWindow) {
    ASSERT_TRUE(tb.start());
    UINT id = SelectMenuPath(tb.window(), "Edit;Insert;Date", false);
    if (running_under_wine()) {
        // Wine 8: GetMenu on another process's window returns nothing, so the search
        // finds nothing there and the step falls back to keystrokes.
        EXPECT_EQ(id, 0u) << "Wine now reads other programs' menus: the path search works there";
    } else {
        EXPECT_EQ(id, static_cast<UINT>(tb_ids::kMenuDate));
    }
}

TEST_F(MenuStepsOnTestbed, MenuStepWithoutCurrentWindowUsesTheForegroundWindow) {
    ASSERT_TRUE(tb.start());
    ASSERT_EQ(activate_testbed(), kStepSucceeded);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == tb.window(); }));
    rig.run.current_window = 0;
        rig.run.window_activated = false;
    EXPECT_EQ(menu("Select Menu Item", "&Options;&Sound"), kStepSucceeded);
    EXPECT_EQ(reinterpret_cast<HWND>(rig.run.current_window), tb.window());
    EXPECT_TRUE(tb.next_line("MENU 40210 Options>Sound"));
}

TEST_F(MenuStepsOnTestbed, SystemMenuCommands) {
    ASSERT_TRUE(tb.start());
    ASSERT_EQ(activate_testbed(), kStepSucceeded);
    EXPECT_EQ(menu("Select System Menu", "Ma&ximize"), kStepSucceeded);
    EXPECT_TRUE(tb.next_line("SYSCOMMAND 0xF030 MAXIMIZE ctl=0"));
    EXPECT_TRUE(wait_until([&] { return IsZoomed(tb.window()) != FALSE; }));
    EXPECT_EQ(menu("Select System Menu", "&Restore"), kStepSucceeded);
    EXPECT_TRUE(wait_until([&] { return !IsZoomed(tb.window()); }));
    EXPECT_EQ(menu("Select System Menu", "Mi&nimize"), kStepSucceeded);
    EXPECT_TRUE(wait_until([&] { return IsIconic(tb.window()) != FALSE; }));
    EXPECT_EQ(menu("Select System Menu", "Restore"), kStepSucceeded);
    EXPECT_TRUE(wait_until([&] { return !IsIconic(tb.window()); }));
    EXPECT_EQ(menu("Select System Menu", "Nothing to do"), kStepSucceeded);  // always succeeds
    // "close" is tested before the keys, so "&Close" closes through SC_CLOSE.
    EXPECT_EQ(menu("Select System Menu", "&Close"), kStepSucceeded);
    EXPECT_TRUE(tb.next_line("CLOSE"));
    DWORD code = 0;
    EXPECT_TRUE(tb.wait_exit(&code));
}

TEST_F(MenuStepsOnTestbed, SystemMenuByItsKey) {
    ASSERT_TRUE(tb.start());
    ASSERT_EQ(activate_testbed(), kStepSucceeded);
    ASSERT_TRUE(wait_until([&] { return GetForegroundWindow() == tb.window(); }));
    // No command word in the name: ALT+SPACE opens the system menu, then "x" chooses
    // Maximize there.
    EXPECT_EQ(menu("Select System Menu", "Bigge&x"), kStepSucceeded);
    EXPECT_TRUE(tb.next_line("SYSCOMMAND 0xF100 KEYMENU ctl=0"));
    EXPECT_TRUE(wait_until([&] { return IsZoomed(tb.window()) != FALSE; }));
}

}  // namespace
}  // namespace zorbel
