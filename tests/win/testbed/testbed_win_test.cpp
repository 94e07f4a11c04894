// zbtestbed.exe keeps what testbed_ids.h promises, as the other tests rely on it: its
// window and controls, the events it logs, and how it ends, hangs and refuses to close.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/win/support/desktop.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace {

using namespace testbed;
using wintest::class_of;
using wintest::Testbed;
using wintest::window_text;

LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, wintest::kDeadlineMs, &result);
    return static_cast<LRESULT>(result);
}

TEST(Testbed, WindowAndControlsAreWherePromised) {
    Testbed tb;
    ASSERT_TRUE(tb.start());
    HWND w = tb.window();
    EXPECT_EQ(kTitle, window_text(w));
    EXPECT_EQ(kClass, class_of(w));
    EXPECT_EQ(kUserData, GetWindowLongPtrA(w, GWLP_USERDATA));
    RECT r = {}, client = {};
    GetWindowRect(w, &r);
    GetClientRect(w, &client);
    POINT origin = {0, 0};
    ClientToScreen(w, &origin);
    char ready[200];
    snprintf(ready, sizeof(ready), "READY hwnd=%lu pid=%lu window=%d,%d,%ld,%ld client=%ld,%ld,%d,%d",
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)), tb.process().pid(), kDefaultLeft, kDefaultTop,
             r.right, r.bottom, origin.x, origin.y, kClientWidth, kClientHeight);
    EXPECT_EQ(ready, tb.ready_line());
    EXPECT_EQ(kClientWidth, client.right);
    EXPECT_EQ(kClientHeight, client.bottom);
    for (const ControlSpec& c : kControls) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " \"" + c.text + "\"");
        HWND control = tb.control(c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(class_of(c.kind), class_of(control));
        EXPECT_EQ(c.text, window_text(control));
        EXPECT_EQ(c.enabled, IsWindowEnabled(control) != FALSE);
        RECT cr = {};
        GetWindowRect(control, &cr);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&cr), 2);
        EXPECT_EQ(c.x, cr.left);
        EXPECT_EQ(c.y, cr.top);
        EXPECT_EQ(c.width, cr.right - cr.left);
        if (c.kind != ControlKind::kComboList) {
            EXPECT_EQ(c.height, cr.bottom - cr.top);  // a drop-down list: its closed box only
        }
        // The window rules tell button kinds apart by the low bits of the style.
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (std::string(class_of(c.kind)) == "Button") {
            EXPECT_EQ(c.kind == ControlKind::kRadio, (style & 9) > 8) << std::hex << style;
            EXPECT_EQ(c.kind == ControlKind::kGroupBox, (style & 7) == 7) << std::hex << style;
        }
    }
    EXPECT_EQ(kApplyUserData, GetWindowLongPtrA(tb.control(kApplyButton), GWLP_USERDATA));
}

TEST(Testbed, EventsAreLoggedAsPromised) {
    Testbed tb;
    ASSERT_TRUE(tb.start());
    const HWND w = tb.window(), name = tb.control(kNameEdit);
    const POINT o = tb.client_origin();
    const std::string at_400_300 = " x=400 y=300 ctl=0 sx=" + std::to_string(o.x + 400) + " sy=" +
                                   std::to_string(o.y + 300);
    struct Row {
        std::function<void()> act;
        std::string line;
    } rows[] = {
        // The focus starts in the one-line edit; Tab moves it on.
        {[&] { PostMessageA(name, WM_KEYDOWN, VK_TAB, 0x000F0001); }, "FOCUS ctl=1011"},
        {[&] { send(tb.control(kApplyButton), BM_CLICK); }, "BUTTON 1001 clicked"},
        {[&] { send(tb.control(kBoldCheck), BM_CLICK); }, "CHECK 1002 checked"},
        {[&] { send(tb.control(kGreenRadio), BM_CLICK); }, "RADIO 1006 selected"},
        {[&] { PostMessageA(w, WM_COMMAND, MAKEWPARAM(kMenuDate, 0), 0); }, "MENU 40111 Edit>Insert>Date"},
        {[&] { PostMessageA(w, WM_COMMAND, MAKEWPARAM(kMenuNew, 1), 0); }, "ACCEL 40001 File>New"},
        {[&] { PostMessageA(name, WM_CHAR, 'h', 1); }, "CHAR 'h' 0x68 ctl=1010"},
        {[] {}, "TEXT 1010 changed: hType here"},
        {[&] { PostMessageA(name, WM_KEYDOWN, VK_RIGHT, 0x014D0001); }, "KEYDOWN vk=0x27 scan=0x4D ext=1 ctl=1010"},
        {[&] { PostMessageA(name, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001)); },
         "SYSKEYUP vk=0x12 scan=0x38 ext=0 ctl=1010"},
        {[&] { PostMessageA(w, WM_LBUTTONDOWN, 0, MAKELPARAM(400, 300)); }, "LBUTTONDOWN" + at_400_300},
        {[&] { PostMessageA(tb.control(kApplyButton), WM_RBUTTONUP, 0, MAKELPARAM(5, 6)); },
         "RBUTTONUP x=" + std::to_string(kControls[0].x + 5) + " y=" + std::to_string(kControls[0].y + 6) +
             " ctl=1001 sx=" + std::to_string(o.x + kControls[0].x + 5) + " sy=" +
             std::to_string(o.y + kControls[0].y + 6)},
        {[&] {
             PostMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                          MAKELPARAM(o.x + 400, o.y + 300));
         },
         "MOUSEWHEEL delta=-120" + at_400_300},
        {[&] { PostMessageA(tb.control(kFruitList), WM_CHAR, 'c', 1); }, "LIST 1012 selected: Cherry"},
        {[&] { PostMessageA(tb.control(kSizeCombo), WM_CHAR, 'm', 1); }, "COMBO 1013 selected: Medium"},
        {[&] { SetWindowPos(w, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE); },
         "MOVE x=150 y=120"},
        {[&] { PostMessageA(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }, "SYSCOMMAND 0xF030 MAXIMIZE ctl=0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        row.act();
        EXPECT_TRUE(tb.next_line(row.line));
    }
    std::string size;
    EXPECT_TRUE(tb.next_line_starting("SIZE ", &size));
    EXPECT_EQ("state=maximized", size.substr(size.rfind(' ') + 1)) << size;
}

TEST(Testbed, EndsAsAsked) {
    struct Row {
        const char* args;
        UINT message;
        WPARAM wparam;
        int closes;  // WM_CLOSE / command posts
        DWORD code;
        std::vector<std::string> lines;
    } rows[] = {
        {"", WM_CLOSE, 0, 1, 0, {"CLOSE", "DESTROY", "EXIT code=0"}},
        {"/exitcode 5", WM_COMMAND, kMenuExit, 1, 5, {"MENU 40009 File>Exit", "CLOSE", "EXIT code=5"}},
        {"/noclose 1 /exitcode 7", WM_CLOSE, 0, 2, 7, {"CLOSE refused", "CLOSE", "EXIT code=7"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args);
        Testbed tb;
        ASSERT_TRUE(tb.start(row.args));
        for (int i = 0; i < row.closes; ++i) PostMessageA(tb.window(), row.message, row.wparam, 0);
        DWORD code = 0;
        ASSERT_TRUE(tb.wait_exit(&code));
        EXPECT_EQ(row.code, code);
        for (const std::string& line : row.lines) EXPECT_TRUE(tb.next_line(line));
    }
    Testbed bad;
    ASSERT_TRUE(bad.launch("/pos 10 /bogus"));
    DWORD code = 0;
    ASSERT_TRUE(bad.wait_exit(&code));
    EXPECT_EQ(static_cast<DWORD>(kBadCommandLineExitCode), code);
    EXPECT_TRUE(bad.next_line("ERROR /pos needs a number, not '/bogus'"));
}

TEST(Testbed, CommandLineAndHangSwitches) {
    Testbed tb;
    ASSERT_TRUE(tb.start("/title \"Second Testbed\" /pos 200 150 /size 500 400 /userdata 0x1234 /hang 60"));
    EXPECT_TRUE(tb.next_line("HANG seconds=60"));
    DWORD_PTR result = 0;
    EXPECT_EQ(0, SendMessageTimeoutA(tb.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &result));
    RECT r = {};
    GetWindowRect(tb.window(), &r);
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(150, r.top);
    EXPECT_EQ(500, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
    EXPECT_EQ(0x1234, GetWindowLongPtrA(tb.window(), GWLP_USERDATA));
    EXPECT_NE(std::string::npos, tb.ready_line().find("window=200,150,700,550"));
}

}  // namespace
}  // namespace zorbel
