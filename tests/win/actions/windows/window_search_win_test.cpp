// The window search and the primitives on windows this test creates in its own
// process: titles, classes, IDs and user data, the modes and the FindWindow
// fallback, the own-window test, a hung window, the window list and the
// minimize-all and close-all searches.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "actions/windows/window_search_win.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"
#include "tests/win/support/wait.h"

namespace zorbel {
namespace {

using wintest::pump_messages;
using wintest::wait_until;

constexpr char kProbeClass[] = "ZbSearchProbe";
constexpr char kOwnClass[] = "ZorbelProbe";
constexpr char kOwnPopupClass[] = "ZorbelProbePopup";

std::vector<std::pair<HWND, WORD>> g_commands;  // (window, command id) received

LRESULT CALLBACK probe_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND) g_commands.emplace_back(window, LOWORD(wparam));
    return DefWindowProcA(window, message, wparam, lparam);
}

void register_class(const char* name) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = probe_procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

// Windows made by one test, destroyed in reverse order when it ends.
class OwnedWindows {
public:
    ~OwnedWindows() {
        for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
            if (IsWindow(*it)) DestroyWindow(*it);
        pump_messages();
    }
    HWND top(const char* cls, const char* title, DWORD style, int x = 150, int y = 150, int w = 400, int h = 300) {
        register_class(cls);
        HWND window = CreateWindowExA(0, cls, title, style, x, y, w, h, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr);
        windows_.push_back(window);
        return window;
    }
    HWND child(HWND parent, const char* cls, const char* title, DWORD style, int id, int x, int y, int w, int h) {
        return CreateWindowExA(0, cls, title, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }

private:
    std::vector<HWND> windows_;
};

class WindowSearch : public ::testing::Test {
public:
    OwnedWindows owned;
    HWND main = nullptr, apply = nullptr, bold = nullptr, label = nullptr, edit = nullptr;
    HWND hidden = nullptr, frameless = nullptr;

    void SetUp() override {
        SetOwnMainWindow(nullptr);
        main = owned.top(kProbeClass, "Search Probe &Alpha", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetWindowLongA(main, GWL_USERDATA, 777);
        apply = owned.child(main, "Button", "&Apply", BS_PUSHBUTTON | WS_TABSTOP, 1001, 10, 10, 90, 26);
        SetWindowLongA(apply, GWL_USERDATA, 4242);
        bold = owned.child(main, "Button", "&Bold", BS_AUTOCHECKBOX | WS_TABSTOP, 1002, 10, 46, 120, 20);
        label = owned.child(main, "Static", "&Name:", SS_LEFT, 1009, 10, 80, 60, 18);
        edit = owned.child(main, "Edit", "Type here", WS_BORDER | WS_TABSTOP, 1010, 75, 78, 200, 24);
        hidden = owned.top(kProbeClass, "Hidden Probe Window", WS_OVERLAPPEDWINDOW);
        frameless = owned.top(kProbeClass, "Frameless Probe Window", WS_POPUP | WS_VISIBLE, 600, 150, 100, 100);
        pump_messages();
    }
    void TearDown() override { SetOwnMainWindow(nullptr); }
};

TEST_F(WindowSearch, FindsByTitleClassIdAndUserDataWithMatchCounts) {
    struct Row {
        uint32_t criteria;
        const char* specification;
        HWND WindowSearch::*expected;
        int top_level;
        int child;
    } rows[] = {
        {kCriterionTitle, "search probe alpha", &WindowSearch::main, 1, 0},
        {kCriterionTitle, "Search Probe &Alpha", &WindowSearch::main, 1, 0},
        {kCriterionTitle, "&Apply", &WindowSearch::apply, 0, 1},
        {kCriterionTitle, "Type here", &WindowSearch::edit, 0, 1},
        {kCriterionClass, kProbeClass, &WindowSearch::main, 1, 0},
        {kCriterionClass | kCriterionId, "Button|1001", &WindowSearch::apply, 0, 1},
        {kCriterionClass | kCriterionId, "button|1002", &WindowSearch::bold, 0, 1},
        {kCriterionUserData, "777", &WindowSearch::main, 1, 0},
        {kCriterionClass | kCriterionId | kCriterionUserData, "Button|1001|4242", &WindowSearch::apply, 0, 1},
        {kCriterionTitle | kCriterionClass, "Name|Static", &WindowSearch::label, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.specification) + " criteria " + std::to_string(row.criteria));
        WindowMatchCounts counts;
        counts.top_level = counts.child = -1;
        EXPECT_EQ(FindTargetWindow(row.criteria, row.specification, kModeAnyWindow, &counts), this->*row.expected);
        EXPECT_EQ(counts.top_level, row.top_level);
        EXPECT_EQ(counts.child, row.child);
    }
}

TEST_F(WindowSearch, NothingMatchesAndNullSpecificationFindsNothing) {
    WindowMatchCounts counts;
    counts.top_level = counts.child = 9;
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "No Such Probe Anywhere", kModeAnyWindow, &counts), nullptr);
    EXPECT_EQ(counts.top_level, 0);
    EXPECT_EQ(counts.child, 0);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, nullptr, kModeAnyWindow, &counts), nullptr);
    EXPECT_EQ(FindTargetWindow(kCriterionClass | kCriterionId, "Button|9999", kModeAnyWindow, nullptr), nullptr);
}

TEST_F(WindowSearch, ModesLeaveOutChildrenHiddenAndFramelessWindows) {
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Apply", kModeFramedVisible, nullptr), nullptr);  // no frame
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Search Probe", kModeFramedVisible, nullptr), main);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Search Probe", kModeFramedVisibleTopLevel, nullptr), main);
}

// A hidden or frameless window given by its exact title used to be found through the
// FindWindow fallback whatever the mode: "IF Window Exists" was true for it and "Wait
// for Window to Disappear" never ended while it existed.
TEST_F(WindowSearch, FallbackCountsOnlyForWindowsTheEnumerationWouldAccept) {
    for (uint32_t mode : {kModeAnyWindow, kModeFramedVisible}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Hidden Probe Window", mode, nullptr), nullptr);
        EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Frameless Probe Window", mode, nullptr), nullptr);
    }
    ShowWindow(hidden, SW_SHOWNA);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Hidden Probe Window", kModeFramedVisible, nullptr), hidden);

    SystemRunRig rig;
    struct Row {
        const char* action;
        const char* text;
        bool result;
    } rows[] = {
        {"IF Window Exists", "Frameless Probe Window", false},
        {"IF Control Exists", "Frameless Probe Window", false},
        {"Wait for Window to Disappear", "Frameless Probe Window", true},
        {"Wait for Window to Appear", "Frameless Probe Window", false},
        {"IF Window Exists", "Hidden Probe Window", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.text);
        Step& step = rig.add(row.action, row.text);
        bool result = contains_ignore_case(step.action, "Wait") ? rig.wait_holds(step)
                                                                 : rig.if_holds(step);
        EXPECT_EQ(result, row.result);
    }
}

TEST_F(WindowSearch, OwnWindowsAreNeverFound) {
    HWND own_main = owned.top(kOwnClass, "Own Probe Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND own_button = owned.child(own_main, "Button", "Own Probe Button", BS_PUSHBUTTON, 5, 5, 5, 100, 20);
    HWND own_popup = owned.top(kOwnPopupClass, "Own Probe Popup", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND stranger = owned.top(kProbeClass, "Stranger Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    pump_messages();
    // Before the program names its main window, the windows count as anyone's.
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Own Probe Main", kModeAnyWindow, nullptr), own_main);

    SetOwnMainWindow(own_main);
    EXPECT_EQ(OwnMainWindow(), own_main);
    EXPECT_TRUE(IsOwnWindow(own_main, own_main));
    EXPECT_TRUE(IsOwnWindow(own_main, own_button));
    EXPECT_TRUE(IsOwnWindow(own_main, own_popup));  // "ZorbelProbe" occurs in its class
    EXPECT_FALSE(IsOwnWindow(own_main, stranger));
    EXPECT_FALSE(IsOwnWindow(nullptr, own_main));
    // The exact title would reach the FindWindow fallback: it must not answer either.
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Own Probe Main", kModeAnyWindow, nullptr), nullptr);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Own Probe Button", kModeAnyWindow, nullptr), nullptr);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Own Probe Popup", kModeAnyWindow, nullptr), nullptr);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Probe", kModeAnyWindow, nullptr) == own_popup, false);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Stranger Probe", kModeAnyWindow, nullptr), stranger);
}

// A window whose thread does not answer: a second thread makes it and then waits
// without taking messages until told to go on.
class HungWindowThread {
public:
    explicit HungWindowThread(const char* title) : title_(title) {
        created_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
        WaitForSingleObject(created_, wintest::kDeadlineMs);
    }
    ~HungWindowThread() {
        SetEvent(release_);
        WaitForSingleObject(thread_, wintest::kDeadlineMs);
        CloseHandle(thread_);
        CloseHandle(created_);
        CloseHandle(release_);
    }
    HWND window() const { return window_; }

private:
    static DWORD WINAPI run(void* parameter) {
        HungWindowThread& self = *static_cast<HungWindowThread*>(parameter);
        register_class(kProbeClass);
        self.window_ = CreateWindowExA(0, kProbeClass, self.title_, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300,
                                       200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetEvent(self.created_);
        WaitForSingleObject(self.release_, INFINITE);  // hung: no messages taken meanwhile
        DestroyWindow(self.window_);
        return 0;
    }
    const char* title_;
    HANDLE created_ = nullptr, release_ = nullptr, thread_ = nullptr;
    HWND window_ = nullptr;
};

// A hung window does not answer WM_GETTEXT within 100 ms; it used to be matched with
// an empty title, so no title search could find it and "Close Window" could never
// reach it.
TEST_F(WindowSearch, HungTopLevelWindowIsFoundByItsTitle) {
    HungWindowThread hung("Hung Probe Window Title");
    ASSERT_NE(hung.window(), nullptr);
    DWORD_PTR ignored = 0;
    ASSERT_FALSE(SendMessageTimeoutA(hung.window(), WM_NULL, 0, 0, 0, 100, &ignored)) << "the thread still answers";
    WindowMatchCounts counts;
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "hung probe window", kModeAnyWindow, &counts), hung.window());
    EXPECT_EQ(counts.top_level, 1);
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Hung Probe", kModeFramedVisible, nullptr), hung.window());
    EXPECT_EQ(FindTargetWindow(kCriterionTitle, "Not The Hung Probe", kModeAnyWindow, nullptr), nullptr);
}

std::string hex_handle(HWND window) {
    char text[32];
    snprintf(text, sizeof(text), "0x%x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
    return text;
}

TEST_F(WindowSearch, WindowListIsAppendedToWindowsTxtBesideTheProgram) {
    const std::string path = wintest::module_folder() + "\\windows.txt";
    DeleteFileA(path.c_str());
    EXPECT_EQ(FindTargetWindow(kCriteriaListWindows, nullptr, kModeAnyWindow, nullptr), nullptr);
    std::string all = wintest::read_file(path);
    const std::string rule = "\r\n" + std::string(70, '=') + "\r\n";
    EXPECT_NE(all.find(rule + "\"Search Probe Alpha\"\t\t\t(Class: ZbSearchProbe  ID: 0  HWND: " + hex_handle(main) +
                       ")\r\n"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("      \"Apply\"\t\t\t(Class: Button  ID: 1001  HWND: " + hex_handle(apply) + ")\r\n"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("      \"Hidden Probe Window\"\t\t\t(Class: ZbSearchProbe  ID: 0  HWND: " + hex_handle(hidden) +
                       ")\r\n"),
              std::string::npos)
        << all;

    DeleteFileA(path.c_str());
    FindTargetWindow(kCriteriaListWindows, "", kModeFramedVisible, nullptr);
    std::string titles = wintest::read_file(path);
    EXPECT_NE(titles.find("Search Probe Alpha\r\n"), std::string::npos) << titles;
    EXPECT_EQ(titles.find("Apply"), std::string::npos) << titles;
    EXPECT_EQ(titles.find("Hidden Probe Window"), std::string::npos) << titles;
    EXPECT_EQ(titles.find("(Class:"), std::string::npos) << titles;
    DeleteFileA(path.c_str());
}

TEST_F(WindowSearch, MinimizeAllMinimizesShownFramedTopLevelWindowsOnly) {
    HWND second = owned.top(kProbeClass, "Second Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300);
    pump_messages();
    EXPECT_EQ(FindTargetWindow(kCriteriaMinimizeAll, nullptr, kModeAnyWindow, nullptr), nullptr);
    pump_messages();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(IsIconic(second));
    EXPECT_FALSE(IsIconic(hidden));
    EXPECT_FALSE(IsIconic(frameless));
    EXPECT_FALSE(IsIconic(apply));
}

TEST(WindowSearchCloseAll, ClosesFramedTopLevelWindowsButSparesOurOwn) {
    OwnedWindows owned;
    HWND own_main = owned.top(kOwnClass, "Own Probe Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND first = owned.top(kProbeClass, "Close Me One", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200);
    HWND second = owned.top(kProbeClass, "Close Me Two", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 250, 250);
    HWND frameless = owned.top(kProbeClass, "Frameless Stays", WS_POPUP | WS_VISIBLE, 600, 150, 100, 100);
    pump_messages();
    SetOwnMainWindow(own_main);
    EXPECT_EQ(FindTargetWindow(kCriteriaCloseAll, nullptr, kModeAnyWindow, nullptr), nullptr);
    SetOwnMainWindow(nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));
    EXPECT_TRUE(IsWindow(own_main));
    EXPECT_TRUE(IsWindow(frameless));
}

TEST_F(WindowSearch, ControlKindsAndCheckState) {
    EXPECT_EQ(ControlKind(apply), kControlButton);
    EXPECT_EQ(ControlKind(bold), kControlCheckBox);
    EXPECT_EQ(ControlKind(label), kControlLabel);
    EXPECT_EQ(ControlKind(edit), kControlEdit);
    EXPECT_EQ(ControlKind(main), kControlOther);
    EXPECT_FALSE(IsControlChecked(bold));
    SendMessageA(bold, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(IsControlChecked(bold));
    EXPECT_FALSE(IsControlChecked(apply));
    EXPECT_FALSE(IsControlChecked(nullptr));
}

TEST_F(WindowSearch, LabelLeadsToTheNextFocusableControl) {
    EXPECT_EQ(FirstFocusableControl(label), edit);
    EXPECT_EQ(FirstFocusableControl(apply), apply);
    EXPECT_EQ(FirstFocusableControl(edit), edit);
}

TEST_F(WindowSearch, WindowAtPointPrefersTheSmallestVisibleSibling) {
    // The big button is above the small one in Z order, so the system answers the big one.
    HWND big = owned.child(main, "Button", "Big", BS_PUSHBUTTON, 2001, 300, 10, 80, 80);
    HWND small = owned.child(main, "Button", "Small", BS_PUSHBUTTON, 2002, 320, 30, 30, 30);
    SetWindowPos(big, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pump_messages();
    RECT rect;
    GetWindowRect(small, &rect);
    POINT inside_small = {rect.left + 5, rect.top + 5};
    ASSERT_EQ(WindowFromPoint(inside_small), big);
    EXPECT_EQ(WindowAtPoint(inside_small), small);
    GetWindowRect(big, &rect);
    EXPECT_EQ(WindowAtPoint(POINT{rect.left + 2, rect.top + 2}), big);
    ShowWindow(small, SW_HIDE);
    EXPECT_EQ(WindowAtPoint(inside_small), big);
    GetWindowRect(main, &rect);
    EXPECT_EQ(WindowAtPoint(POINT{rect.left + 5, rect.top + 5}), main);  // no parent: as found
}

TEST_F(WindowSearch, GlideEndsOnTheCornerOrTheCentre) {
    RECT rect;
    GetWindowRect(apply, &rect);
    struct Row {
        int where;
        bool glide;
        POINT expected;
    } rows[] = {
        {2, false, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}},
        {0, false, {rect.left, rect.top}},
        {2, true, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}},
        {1, true, {rect.left, rect.top}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("where " + std::to_string(row.where) + (row.glide ? " gliding" : ""));
        SetCursorPos(5, 5);
        DWORD begin = GetTickCount();
        GlideCursorToWindow(apply, row.where, row.glide);
        DWORD took = GetTickCount() - begin;
        POINT at = {};
        EXPECT_TRUE(wait_until([&] {
            GetCursorPos(&at);
            return at.x == row.expected.x && at.y == row.expected.y;
        }, 1000)) << at.x << "," << at.y;
        if (row.glide) {
            EXPECT_GE(took, 400u);  // twenty moves 25 ms apart
        }
    }
}

TEST_F(WindowSearch, ActivationBringsTheWindowToTheFront) {
    HWND other = owned.top(kProbeClass, "Other Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300);
    pump_messages();
    ActivateWindow(main);
    pump_messages();
    EXPECT_EQ(GetForegroundWindow(), main);
    ActivateWindow(other);
    pump_messages();
    EXPECT_EQ(GetForegroundWindow(), other);
    ShowWindow(main, SW_MINIMIZE);
    ActivateWindow(main);
    pump_messages();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(GetForegroundWindow(), main);
    ActivateWindow(nullptr);  // nothing happens
}

TEST_F(WindowSearch, PressingAButtonClicksItAndALabelSelectsItsEdit) {
    ActivateWindow(main);
    pump_messages();
    g_commands.clear();
    GlideCursorToWindow(apply, 2, true);
    EXPECT_EQ(PressControl(apply), apply);
    EXPECT_TRUE(wait_until([] {
        for (auto& c : g_commands)
            if (c.second == 1001) return true;
        return false;
    }, 2000)) << "no BN_CLICKED from the Apply button";

    EXPECT_EQ(PressControl(label), edit);
    pump_messages();
    DWORD start = 1, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 9u);  // "Type here"
    EXPECT_EQ(PressControl(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7FFF0))), nullptr);  // not a window
}

}  // namespace
}  // namespace zorbel
