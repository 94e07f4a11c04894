// The real prompts of prompt steps, run in this process on the Windows user interface
// and answered from a second thread (tests/win/actions/prompts/prompt_watcher.h): what
// each dialog shows, what its answers save, and how each time-out closes its prompt.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "app/user_interface_win.h"
#include "tests/win/actions/prompts/prompt_watcher.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

using namespace wintest;
using Lines = std::vector<std::string>;

LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcA(window, message, wparam, lparam);
}

// A window of this process's plain class, destroyed with the object.
struct PlainWindow {
    HWND window = nullptr;
    explicit PlainWindow(const char* title, DWORD ex_style = 0, DWORD style = WS_POPUP) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = plain_procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ZorbelPromptTestWindow";
        RegisterClassA(&wc);
        window = CreateWindowExA(ex_style, wc.lpszClassName, title, style, 10, 10, 200, 80, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~PlainWindow() {
        if (IsWindow(window)) DestroyWindow(window);
    }
};

class PromptsWin : public ::testing::Test {
protected:
    SystemRunRig rig;
    PlainWindow main_window{"Zorbel"};
    WinUserInterface ui{main_window.window};

    void SetUp() override {
        rig.services.ui = &ui;
        write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    }
    void TearDown() override {
        ui.close_popup();
        if (HWND tip = ui.prompt_windows.tool_tip()) DestroyWindow(tip);
    }
    // A one-step script of `action` saving to "%answer", preset with `preset`.
    Step& step(const char* action, const std::string& text, const char* timeout = "", const char* preset = "old") {
        Step& s = rig.only(action, text, timeout);
        copy_to_field(s.variable, "%answer");
        s.options = kOptionResultToVariable;
        rig.set_variable("answer", preset);
        rig.output.text.clear();
        return s;
    }
    std::string answer() { return rig.variable("answer"); }
};

void set_control(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
std::string control(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? window_text(item) : std::string();
}

TEST_F(PromptsWin, DialogsShowTheirPromptAndPresetAndSaveWhatIsEntered) {
    struct Row {
        const char* action;
        const char* text;
        const char* prompt_shown;
        const char* preset_shown;
        void (*enter)(HWND);
        const char* saved;
    } rows[] = {
        {"Input Value", "Enter it:", "Enter it:", "old",
         [](HWND d) {
             set_control(d, 1110, "typed");
             PostMessageA(d, WM_COMMAND, IDOK, 0);
         },
         "typed"},
        {"Input Value", "Enter it:", "Enter it:", "old", [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); },
         "old"},
        {"Choose from a List", "Pick one;Red;Green;;Blue", "Pick one", "",
         [](HWND d) {
             HWND list = GetDlgItem(d, 1112);
             if (SendMessageA(list, LB_GETCOUNT, 0, 0) != 2) return;
             SendMessageA(list, LB_SETCURSEL, 1, 0);
             PostMessageA(d, WM_COMMAND, IDOK, 0);
         },
         "Green"},
        {"Choose from a List", "Pick one;Red;Green", "Pick one", "",
         [](HWND d) { PostMessageA(d, WM_COMMAND, MAKEWPARAM(1112, LBN_DBLCLK), 0); }, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.saved);
        step(row.action, row.text, "20");
        std::string prompt_shown, preset_shown, title;
        PromptWatcher watcher("#32770", "Zorbel Message", [&](HWND d) {
            prompt_shown = control(d, 1111);
            preset_shown = control(d, 1110);
            row.enter(d);
        });
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_TRUE(watcher.answered());
        EXPECT_EQ(prompt_shown, row.prompt_shown);
        EXPECT_EQ(preset_shown, row.preset_shown);
        EXPECT_EQ(answer(), row.saved);
    }
}

// The chosen item's text is read by its index and cut at 259 characters.
TEST_F(PromptsWin, LongListItemIsSavedCutAt259Characters) {
    step("Choose from a List", "Pick;" + std::string(300, 'i') + ";b", "20");
    PromptWatcher watcher("#32770", "Zorbel Message", [](HWND d) {
        SendDlgItemMessageA(d, 1112, LB_SETCURSEL, 0, 0);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(answer(), std::string(259, 'i'));
}

TEST_F(PromptsWin, LoginSavesUserAndPasswordEnteredWithKeys) {
    step("Login Prompt", "Who are you?", "20");
    PromptWatcher watcher("#32770", "Zorbel Message", [](HWND d) {
        HWND user = GetDlgItem(d, 1110);
        SendMessageA(user, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        for (char c : std::string("ann")) SendMessageA(user, WM_CHAR, static_cast<WPARAM>(c), 0);
        for (char c : std::string("pw")) SendMessageA(GetDlgItem(d, 1201), WM_CHAR, static_cast<WPARAM>(c), 0);
        SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.variable("username"), "ann");
    EXPECT_EQ(rig.variable("login_password"), "pw");
    EXPECT_NE(rig.log().find("\tSaving result to %username and %password: \"ann\", \"pw\"\r\n"), std::string::npos);
}

// Nobody answers: each timed prompt closes by itself, a dialog as cancelled (its
// preset saved), a question as No, a message as OK.
TEST_F(PromptsWin, TimedPromptsCloseThemselves) {
    struct Row {
        const char* action;
        const char* text;
        const char* saved;
        bool timeout_line;
    } rows[] = {
        {"Input Value", "Value?", "old", false},        {"Login Prompt", "Who?", "old", false},
        {"Choose from a List", "Pick;a;b", "", false},  {"Choose a File", "", "old", false},
        {"Choose a Folder", "", "old", false},          {"Ask Yes/No Question", "Go on?", "0", true},
        {"Display Message", "Hello", "old", true},      {"Display Warning", "Careful", "old", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        step(row.action, row.text, "0.4");
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_EQ(answer(), row.saved);
        EXPECT_EQ(rig.log().find("\tTimeout reached, forcing message closed\r\n") != std::string::npos,
                  row.timeout_line)
            << rig.log();
    }
}

TEST_F(PromptsWin, QuestionAnsweredYesSavesOneAndNoSavesZero) {
    for (int button : {IDYES, IDNO}) {
        step("Ask Yes/No Question", "Go on?", "20");
        std::string shown;
        PromptWatcher watcher("#32770", "Zorbel Message", [&](HWND box) {
            shown = box ? "box" : "";
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        });
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_EQ(answer(), button == IDYES ? "1" : "0");
    }
}

// The time-out closes only this thread's own box titled exactly "Zorbel Message": a
// folder window "Zorbel Messages" and another thread's window of that title stay open.
TEST_F(PromptsWin, MessageTimeOutLeavesForeignWindowsOpen) {
    PlainWindow folder("Zorbel Messages", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE);
    std::atomic<HWND> other{nullptr};
    std::atomic<bool> done{false};
    std::thread other_thread([&] {
        PlainWindow box("Zorbel Message", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE);
        other = box.window;
        while (!done && IsWindow(box.window)) pump_for(20);
        other = IsWindow(box.window) ? box.window : nullptr;
    });
    ASSERT_TRUE(wait_until([&] { return other.load() != nullptr; }));
    step("Display Message", "Closes alone", "0.4");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    pump_for(300);
    EXPECT_TRUE(IsWindow(folder.window));
    EXPECT_TRUE(IsWindow(other.load()));
    done = true;
    other_thread.join();
    EXPECT_NE(other.load(), nullptr) << "the other thread's window was closed";
}

// The menu's choice is TrackPopupMenu's return value; a dismissed menu gives no
// choice and the step returns at once instead of waiting for another message.
TEST_F(PromptsWin, PopupMenuGivesTheChosenLineOrNothingWhenDismissed) {
    struct Row {
        std::vector<WPARAM> keys;
        const char* saved;
    } rows[] = {
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, "Exit"},
        {{VK_DOWN, VK_RETURN}, "Open"},
        {{VK_ESCAPE}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.saved);
        step("Show Popup Menu", "Open\r\nSave\r\n---\r\nExit", "", "old");
        PromptWatcher watcher("#32768", nullptr, [&](HWND menu) {
            for (WPARAM key : row.keys) {
                PostMessageA(menu, WM_KEYDOWN, key, 0);
                Sleep(50);
            }
        });
        EXPECT_EQ(rig.run_step(), kStepSucceeded);
        EXPECT_TRUE(watcher.answered()) << watcher.seen();
        EXPECT_EQ(answer(), row.saved);
    }
}

int popup_count() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "QuenbyPopup", nullptr); w;
         w = FindWindowExA(nullptr, w, "QuenbyPopup", nullptr))
        count += GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() ? 1 : 0;
    return count;
}

TEST_F(PromptsWin, ProgressPopupIsReusedAndShowsItsFigure) {
    step("Progress Bar Popup", "50% Complete");
    ASSERT_EQ(rig.run_step(), kStepSucceeded);
    HWND popup = ui.prompt_windows.popup();
    ASSERT_NE(popup, nullptr);
    HWND bar = GetDlgItem(popup, 1003);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 50);
    step("Progress Bar Popup", "75% Complete");
    rig.run_step();
    EXPECT_EQ(ui.prompt_windows.popup(), popup);
    EXPECT_EQ(window_text(popup), "75% Complete");
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 75);
    step("Status Popup", "");
    rig.run_step();
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(popup_count(), 0);
}

// A topmost popup asked for while a normal one is open replaces it.
TEST_F(PromptsWin, TopmostStatusPopupReplacesTheNormalOne) {
    step("Status Popup", "normal");
    rig.run_step();
    HWND normal = ui.prompt_windows.popup();
    Step& s = step("Status Popup", "on top %d");
    s.options |= 1;
    rig.run_step();
    HWND topmost = ui.prompt_windows.popup();
    EXPECT_FALSE(IsWindow(normal));
    EXPECT_EQ(popup_count(), 1);
    EXPECT_TRUE(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(window_text(topmost), "on top %d");
    step("Status Popup", "closes", "0.2");
    rig.run_step();
    EXPECT_EQ(ui.prompt_windows.popup(), topmost);
    EXPECT_TRUE(wait_until([&] { return !IsWindow(topmost); }));
}

TEST_F(PromptsWin, ToolTipShowsItsTextAndIsRemovedAfterItsTime) {
    step("Tool Tip Popup", "A tip", "0.3");
    rig.run_step();
    HWND tip = ui.prompt_windows.tool_tip();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_TRUE(wait_until([&] { return !IsWindow(tip); }));
}

}  // namespace
}  // namespace zorbel
