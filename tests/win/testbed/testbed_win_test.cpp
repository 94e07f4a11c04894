// The test program zbtestbed.exe, started as a real process: its window, controls and event
// log are what testbed_ids.h promises, so the end-to-end tests can rely on them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/testbed/testbed_ids.h"

namespace zorbel {
namespace {

using namespace testbed;

// Every wait for the other process ends after this long.
constexpr DWORD kDeadlineMs = 10000;
// Pause between two looks at the log or the screen (ends early when the process exits).
constexpr DWORD kPollMs = 20;

std::string folder_of_module() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

// The testbed is built into the build folder; the test program sits there or one folder down.
std::string testbed_path() {
    std::string here = folder_of_module();
    std::string candidates[] = {here + "\\" + kExeName, here + "\\..\\" + kExeName};
    for (const std::string& c : candidates) {
        if (GetFileAttributesA(c.c_str()) != INVALID_FILE_ATTRIBUTES) return c;
    }
    return candidates[0];
}

std::string window_text(HWND window) {
    char text[512] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kDeadlineMs, &got)) {
        return "<no answer>";
    }
    return std::string(text, got);
}

std::string class_name(HWND window) {
    char name[256] = {};
    int n = GetClassNameA(window, name, sizeof(name));
    return std::string(name, n > 0 ? n : 0);
}

LRESULT send(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kDeadlineMs, &result);
    return static_cast<LRESULT>(result);
}

// Wine 8 answers LB_GETTEXT and CB_GETLBTEXT sent with SendMessageA from another process in
// UTF-16, so items are read with the wide messages and narrowed.
std::string item_text(HWND control, UINT get_text, int index) {
    wchar_t text[256] = {};
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(control, get_text, index, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             kDeadlineMs, &n) ||
        static_cast<LRESULT>(n) < 0) {
        return "<no answer>";
    }
    char narrow[512] = {};
    int got = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(n), narrow, sizeof(narrow), nullptr, nullptr);
    return std::string(narrow, got > 0 ? got : 0);
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
        lines.push_back(text.substr(start, nl - start));
    }
    return lines;  // a line without its "\n" yet is still being written
}

struct FoundWindow {
    DWORD pid;
    const char* cls;
    const char* title;  // null: any
    HWND window;
};

BOOL CALLBACK find_window_of_process(HWND window, LPARAM param) {
    FoundWindow* f = reinterpret_cast<FoundWindow*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != f->pid || class_name(window) != f->cls) return TRUE;
    if (f->title) {
        char title[256] = {};
        GetWindowTextA(window, title, sizeof(title));
        if (std::string(title) != f->title) return TRUE;
    }
    f->window = window;
    return FALSE;
}

// One started zbtestbed.exe with its own temporary folder and event log. The process is
// terminated and the folder removed when the object goes.
class TestbedProcess {
  public:
    TestbedProcess() {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        folder_ = std::string(temp) + "zbtestbed-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++counter);
        CreateDirectoryA(folder_.c_str(), nullptr);
        log_path_ = folder_ + "\\events.txt";
    }
    ~TestbedProcess() {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
            WaitForSingleObject(process_, kDeadlineMs);
            CloseHandle(process_);
        }
        DeleteFileA(log_path_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    // Starts the program with /log and `args`; does not wait.
    ::testing::AssertionResult launch(const std::string& args) {
        std::string exe = testbed_path();
        std::string command = "\"" + exe + "\" /log \"" + log_path_ + "\" " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            return ::testing::AssertionFailure() << "CreateProcess(" << command << ") failed, error "
                                                 << GetLastError();
        }
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        return ::testing::AssertionSuccess();
    }

    // Starts the program and waits until its main window exists and READY is in the log.
    ::testing::AssertionResult start(const std::string& args = "") {
        ::testing::AssertionResult launched = launch(args);
        if (!launched) return launched;
        DWORD begin = GetTickCount();
        while (GetTickCount() - begin < kDeadlineMs) {
            FoundWindow f = {pid_, kClass, nullptr, nullptr};
            EnumWindows(find_window_of_process, reinterpret_cast<LPARAM>(&f));
            window_ = f.window;
            if (window_ && next_line_starting("READY ", &ready_, 0)) return ::testing::AssertionSuccess();
            if (WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0) {
                return ::testing::AssertionFailure() << "the testbed ended before READY, exit code " << exit_code()
                                                     << "; log:\n" << read_log();
            }
        }
        return ::testing::AssertionFailure() << "no window of class " << kClass << " and READY line within "
                                             << kDeadlineMs << " ms (window " << window_ << "); log:\n"
                                             << read_log();
    }

    // Waits a moment, or less when the process ends: the pause between two looks.
    void pause() const { WaitForSingleObject(process_, kPollMs); }

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    DWORD pid() const { return pid_; }
    const std::string& ready_line() const { return ready_; }

    // Screen position of the client area's top-left corner.
    POINT client_origin() const {
        POINT p = {0, 0};
        ClientToScreen(window_, &p);
        return p;
    }

    std::string read_log() const {
        HANDLE h = CreateFileA(log_path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return std::string();
        std::string text;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
        CloseHandle(h);
        return text;
    }

    // Waits for a log line equal to `expected` after the lines matched so far; the lines before
    // it are passed over.
    ::testing::AssertionResult next_line(const std::string& expected) {
        std::string found;
        return wait_for_line([&](const std::string& line) { return line == expected; }, "\"" + expected + "\"",
                             &found);
    }

    // The same for the first line that starts with `prefix`; the whole line comes back in `line`.
    ::testing::AssertionResult next_line_starting(const std::string& prefix, std::string* line,
                                                  DWORD deadline_ms = kDeadlineMs) {
        return wait_for_line([&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; },
                             "starting \"" + prefix + "\"", line, deadline_ms);
    }

    // Waits for the process to end; its exit code comes back in `code`.
    ::testing::AssertionResult wait_exit(DWORD* code) {
        if (WaitForSingleObject(process_, kDeadlineMs) != WAIT_OBJECT_0) {
            return ::testing::AssertionFailure() << "the testbed did not end within " << kDeadlineMs << " ms; log:\n"
                                                 << read_log();
        }
        *code = exit_code();
        return ::testing::AssertionSuccess();
    }

  private:
    DWORD exit_code() const {
        DWORD code = 0xDEADBEEF;
        GetExitCodeProcess(process_, &code);
        return code;
    }

    template <typename Match>
    ::testing::AssertionResult wait_for_line(Match match, const std::string& what, std::string* found,
                                             DWORD deadline_ms = kDeadlineMs) {
        DWORD begin = GetTickCount();
        for (;;) {
            std::vector<std::string> lines = split_lines(read_log());
            for (size_t i = cursor_; i < lines.size(); ++i) {
                if (match(lines[i])) {
                    cursor_ = i + 1;
                    *found = lines[i];
                    return ::testing::AssertionSuccess();
                }
            }
            if (GetTickCount() - begin >= deadline_ms) break;
            WaitForSingleObject(process_, kPollMs);
        }
        return ::testing::AssertionFailure() << "no line " << what << " after line " << cursor_ << " within "
                                             << deadline_ms << " ms; log:\n" << read_log();
    }

    std::string folder_, log_path_, ready_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
    size_t cursor_ = 0;
};

TEST(Testbed, MainWindowHasItsTitleClassUserDataAndPlace) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND w = tb.window();
    EXPECT_EQ(kTitle, window_text(w));
    EXPECT_EQ(kClass, class_name(w));
    EXPECT_EQ(kUserData, GetWindowLongPtrA(w, GWLP_USERDATA));
    RECT r = {};
    GetWindowRect(w, &r);
    EXPECT_EQ(kDefaultLeft, r.left);
    EXPECT_EQ(kDefaultTop, r.top);
    RECT client = {};
    GetClientRect(w, &client);
    EXPECT_EQ(kClientWidth, client.right);
    EXPECT_EQ(kClientHeight, client.bottom);

    POINT origin = tb.client_origin();
    char expected[200];
    snprintf(expected, sizeof(expected), "READY hwnd=%lu pid=%lu window=%ld,%ld,%ld,%ld client=%ld,%ld,%d,%d",
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(w)), tb.pid(), r.left, r.top, r.right, r.bottom,
             origin.x, origin.y, kClientWidth, kClientHeight);
    EXPECT_EQ(expected, tb.ready_line());
}

TEST(Testbed, EveryControlHasItsIdClassTextStateAndPlace) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    for (const ControlSpec& c : kControls) {
        SCOPED_TRACE("control " + std::to_string(c.id) + " \"" + c.text + "\"");
        HWND control = tb.control(c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(c.id, GetWindowLongPtrA(control, GWLP_ID));
        EXPECT_EQ(class_of(c.kind), class_name(control));
        EXPECT_EQ(c.text, window_text(control));
        EXPECT_EQ(c.enabled, IsWindowEnabled(control) != FALSE);
        EXPECT_TRUE(IsWindowVisible(control));
        RECT r = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, tb.window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(c.x, r.left);
        EXPECT_EQ(c.y, r.top);
        EXPECT_EQ(c.width, r.right - r.left);
        // A drop-down list's window is as tall as its closed box, not its list.
        if (c.kind != ControlKind::kComboList) {
            EXPECT_EQ(c.height, r.bottom - r.top);
        }
    }
    EXPECT_EQ(kApplyUserData, GetWindowLongPtrA(tb.control(kApplyButton), GWLP_USERDATA));
}

// The button kinds are told apart by the low bits of the style: radio (style & 9) > 8,
// group box (style & 7) == 7, check box (style & 3) > 2, and a push button none of these.
TEST(Testbed, ButtonStylesTellTheirKinds) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    for (const ControlSpec& c : kControls) {
        if (std::string(class_of(c.kind)) != "Button") continue;
        SCOPED_TRACE("control " + std::to_string(c.id));
        LONG style = GetWindowLongA(tb.control(c.id), GWL_STYLE);
        EXPECT_EQ(c.kind == ControlKind::kRadio, (style & 9) > 8) << std::hex << style;
        EXPECT_EQ(c.kind == ControlKind::kGroupBox, (style & 7) == 7) << std::hex << style;
        EXPECT_EQ(c.kind == ControlKind::kCheckBox || c.kind == ControlKind::kGroupBox, (style & 3) > 2)
            << std::hex << style;
    }
}

TEST(Testbed, ListAndComboHoldTheirItems) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND list = tb.control(kFruitList);
    ASSERT_EQ(static_cast<LRESULT>(sizeof(kFruitItems) / sizeof(kFruitItems[0])), send(list, LB_GETCOUNT));
    for (int i = 0; i < static_cast<int>(sizeof(kFruitItems) / sizeof(kFruitItems[0])); ++i) {
        EXPECT_EQ(kFruitItems[i], item_text(list, LB_GETTEXT, i)) << "item " << i;
    }
    HWND combo = tb.control(kSizeCombo);
    ASSERT_EQ(static_cast<LRESULT>(sizeof(kSizeItems) / sizeof(kSizeItems[0])), send(combo, CB_GETCOUNT));
    for (int i = 0; i < static_cast<int>(sizeof(kSizeItems) / sizeof(kSizeItems[0])); ++i) {
        EXPECT_EQ(kSizeItems[i], item_text(combo, CB_GETLBTEXT, i)) << "item " << i;
    }
    EXPECT_EQ(CB_ERR, send(combo, CB_GETCURSEL));
}

TEST(Testbed, ClickedButtonsAreLogged) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    send(tb.control(kApplyButton), BM_CLICK);
    EXPECT_TRUE(tb.next_line("BUTTON 1001 clicked"));
    send(tb.control(kBoldCheck), BM_CLICK);
    EXPECT_TRUE(tb.next_line("CHECK 1002 checked"));
    send(tb.control(kBoldCheck), BM_CLICK);
    EXPECT_TRUE(tb.next_line("CHECK 1002 unchecked"));
    send(tb.control(kGreenRadio), BM_CLICK);
    EXPECT_TRUE(tb.next_line("RADIO 1006 selected"));
    EXPECT_EQ(BST_CHECKED, send(tb.control(kGreenRadio), BM_GETCHECK));
    EXPECT_EQ(BST_UNCHECKED, send(tb.control(kRedRadio), BM_GETCHECK));
}

TEST(Testbed, MessageButtonOpensABoxWhoseAnswerIsLogged) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    send(tb.control(kMessageButton), BM_CLICK);
    EXPECT_TRUE(tb.next_line("BUTTON 1015 clicked"));
    FoundWindow box = {tb.pid(), "#32770", kMessageBoxTitle, nullptr};
    DWORD begin = GetTickCount();
    while (!box.window && GetTickCount() - begin < kDeadlineMs) {
        EnumWindows(find_window_of_process, reinterpret_cast<LPARAM>(&box));
        if (!box.window) tb.pause();
    }
    ASSERT_NE(nullptr, box.window) << "no message box titled " << kMessageBoxTitle;
    HWND ok = GetDlgItem(box.window, IDOK);
    ASSERT_NE(nullptr, ok);
    PostMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_TRUE(tb.next_line("MESSAGEBOX result=1"));
}

TEST(Testbed, EveryMenuCommandIsLoggedWithItsPath) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    for (const MenuRow& row : kMenuRows) {
        // Exit closes the window and Hang stops it; both have tests of their own.
        if (row.id == 0 || row.id == kMenuExit || row.id == kMenuHang) continue;
        PostMessageA(tb.window(), WM_COMMAND, MAKEWPARAM(row.id, 0), 0);
        EXPECT_TRUE(tb.next_line("MENU " + std::to_string(row.id) + " " + row.path));
    }
    PostMessageA(tb.window(), WM_COMMAND, MAKEWPARAM(kMenuNew, 1), 0);
    EXPECT_TRUE(tb.next_line("ACCEL 40001 File>New"));
    PostMessageA(tb.window(), WM_COMMAND, MAKEWPARAM(4321, 0), 0);
    EXPECT_TRUE(tb.next_line("COMMAND 4321 code=0"));
}

TEST(Testbed, TypedCharactersReachTheEdits) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND name = tb.control(kNameEdit);
    send(name, EM_SETSEL, 0, -1);
    PostMessageA(name, WM_CHAR, 'h', 1);
    PostMessageA(name, WM_CHAR, 'i', 1);
    EXPECT_TRUE(tb.next_line("CHAR 'h' 0x68 ctl=1010"));
    EXPECT_TRUE(tb.next_line("TEXT 1010 changed: h"));
    EXPECT_TRUE(tb.next_line("CHAR 'i' 0x69 ctl=1010"));
    EXPECT_TRUE(tb.next_line("TEXT 1010 changed: hi"));
    EXPECT_EQ("hi", window_text(name));

    // Line breaks in a multi-line edit's text are written as \r\n in the log.
    HWND notes = tb.control(kNotesEdit);
    LRESULT end = send(notes, WM_GETTEXTLENGTH);
    send(notes, EM_SETSEL, end, end);
    PostMessageA(notes, WM_CHAR, '\r', 1);
    EXPECT_TRUE(tb.next_line("CHAR '' 0x0D ctl=1011"));
    EXPECT_TRUE(tb.next_line("TEXT 1011 changed: First line\\r\\nSecond line\\r\\n"));
}

TEST(Testbed, FocusStartsInTheOneLineEditBeforeItsText) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(tb.window(), nullptr), &info));
    EXPECT_EQ(tb.control(kNameEdit), info.hwndFocus);
    EXPECT_EQ(0, send(tb.control(kNameEdit), EM_GETSEL));
}

TEST(Testbed, KeyMessagesAreLoggedWithTheirCodes) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND name = tb.control(kNameEdit);
    struct Row {
        UINT message;
        WPARAM vk;
        LPARAM lparam;
        const char* expected;
    } rows[] = {
        {WM_KEYDOWN, VK_F5, 0x003F0001, "KEYDOWN vk=0x74 scan=0x3F ext=0 ctl=1010"},
        {WM_KEYUP, VK_F5, static_cast<LPARAM>(0xC03F0001), "KEYUP vk=0x74 scan=0x3F ext=0 ctl=1010"},
        {WM_KEYDOWN, VK_RIGHT, 0x014D0001, "KEYDOWN vk=0x27 scan=0x4D ext=1 ctl=1010"},
        {WM_SYSKEYDOWN, VK_MENU, 0x20380001, "SYSKEYDOWN vk=0x12 scan=0x38 ext=0 ctl=1010"},
        {WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xC0380001), "SYSKEYUP vk=0x12 scan=0x38 ext=0 ctl=1010"},
    };
    for (const Row& r : rows) {
        PostMessageA(name, r.message, r.vk, r.lparam);
        EXPECT_TRUE(tb.next_line(r.expected)) << r.expected;
    }
}

TEST(Testbed, TabMovesTheFocusToTheNextControl) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND name = tb.control(kNameEdit);
    PostMessageA(name, WM_KEYDOWN, VK_TAB, 0x000F0001);
    EXPECT_TRUE(tb.next_line("FOCUS ctl=1011"));
}

TEST(Testbed, MouseButtonsAreLoggedInClientAndScreenCoordinates) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    POINT origin = tb.client_origin();
    struct Row {
        UINT message;
        const char* name;
        int x, y;
    } rows[] = {
        {WM_LBUTTONDOWN, "LBUTTONDOWN", 400, 300}, {WM_LBUTTONUP, "LBUTTONUP", 401, 301},
        {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK", 402, 302}, {WM_RBUTTONDOWN, "RBUTTONDOWN", 403, 303},
        {WM_RBUTTONUP, "RBUTTONUP", 404, 304},     {WM_MBUTTONDOWN, "MBUTTONDOWN", 405, 305},
        {WM_MBUTTONUP, "MBUTTONUP", 406, 306},
    };
    for (const Row& r : rows) {
        PostMessageA(tb.window(), r.message, 0, MAKELPARAM(r.x, r.y));
        std::string expected = std::string(r.name) + " x=" + std::to_string(r.x) + " y=" + std::to_string(r.y) +
                               " ctl=0 sx=" + std::to_string(origin.x + r.x) + " sy=" + std::to_string(origin.y + r.y);
        EXPECT_TRUE(tb.next_line(expected));
    }

    // A button's own client coordinates come out as the main window's.
    HWND apply = tb.control(kApplyButton);
    PostMessageA(apply, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    PostMessageA(apply, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    const ControlSpec& a = kControls[0];
    ASSERT_EQ(kApplyButton, a.id);
    std::string at = " x=" + std::to_string(a.x + 5) + " y=" + std::to_string(a.y + 6) + " ctl=1001 sx=" +
                     std::to_string(origin.x + a.x + 5) + " sy=" + std::to_string(origin.y + a.y + 6);
    EXPECT_TRUE(tb.next_line("LBUTTONDOWN" + at));
    EXPECT_TRUE(tb.next_line("LBUTTONUP" + at));
    EXPECT_TRUE(tb.next_line("BUTTON 1001 clicked"));

    // The wheel message carries screen coordinates.
    POINT screen = {origin.x + 400, origin.y + 300};
    PostMessageA(tb.window(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                 MAKELPARAM(screen.x, screen.y));
    EXPECT_TRUE(tb.next_line("MOUSEWHEEL delta=-120 x=400 y=300 ctl=0 sx=" + std::to_string(screen.x) +
                             " sy=" + std::to_string(screen.y)));
}

TEST(Testbed, ListAndComboSelectionsAreLogged) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    PostMessageA(tb.control(kFruitList), WM_CHAR, 'c', 1);
    EXPECT_TRUE(tb.next_line("LIST 1012 selected: Cherry"));
    PostMessageA(tb.control(kSizeCombo), WM_CHAR, 'm', 1);
    EXPECT_TRUE(tb.next_line("COMBO 1013 selected: Medium"));
}

TEST(Testbed, MovesSizesAndSystemCommandsAreLogged) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    HWND w = tb.window();
    ASSERT_TRUE(SetWindowPos(w, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_TRUE(tb.next_line("MOVE x=150 y=120"));
    ASSERT_TRUE(SetWindowPos(w, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    std::string restored;
    EXPECT_TRUE(tb.next_line_starting("SIZE w=500 h=400 client=", &restored));
    EXPECT_EQ("state=restored", restored.substr(restored.rfind(' ') + 1)) << restored;

    PostMessageA(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(tb.next_line("SYSCOMMAND 0xF030 MAXIMIZE ctl=0"));
    std::string maximized;
    EXPECT_TRUE(tb.next_line_starting("SIZE ", &maximized));
    EXPECT_EQ("state=maximized", maximized.substr(maximized.rfind(' ') + 1)) << maximized;
    PostMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(tb.next_line("SYSCOMMAND 0xF120 RESTORE ctl=0"));
    EXPECT_TRUE(tb.next_line(restored));
}

TEST(Testbed, CommandLineSetsTitlePlaceSizeAndUserData) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/title \"Second Testbed\" /pos 200 150 /size 500 400 /userdata 0x1234"));
    HWND w = tb.window();
    EXPECT_EQ("Second Testbed", window_text(w));
    EXPECT_EQ(0x1234, GetWindowLongPtrA(w, GWLP_USERDATA));
    RECT r = {};
    GetWindowRect(w, &r);
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(150, r.top);
    EXPECT_EQ(500, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);
}

TEST(Testbed, BadCommandLineIsLoggedAndEndsWithTwo) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.launch("/pos 10 /bogus"));
    DWORD code = 0;
    ASSERT_TRUE(tb.wait_exit(&code));
    EXPECT_EQ(static_cast<DWORD>(kBadCommandLineExitCode), code);
    EXPECT_TRUE(tb.next_line("ERROR /pos needs a number, not '/bogus'"));
}

TEST(Testbed, CloseEndsWithExitCodeZero) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    PostMessageA(tb.window(), WM_CLOSE, 0, 0);
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(tb.wait_exit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(tb.next_line("CLOSE"));
    EXPECT_TRUE(tb.next_line("DESTROY"));
    EXPECT_TRUE(tb.next_line("EXIT code=0"));
}

TEST(Testbed, ExitMenuItemCloses) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/exitcode 5"));
    PostMessageA(tb.window(), WM_COMMAND, MAKEWPARAM(kMenuExit, 0), 0);
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(tb.wait_exit(&code));
    EXPECT_EQ(5u, code);
    EXPECT_TRUE(tb.next_line("MENU 40009 File>Exit"));
    EXPECT_TRUE(tb.next_line("CLOSE"));
    EXPECT_TRUE(tb.next_line("EXIT code=5"));
}

TEST(Testbed, CloseIsRefusedAsOftenAsAsked) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/noclose 1 /exitcode 7"));
    PostMessageA(tb.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(tb.next_line("CLOSE refused"));
    EXPECT_TRUE(IsWindow(tb.window()));
    PostMessageA(tb.window(), WM_CLOSE, 0, 0);
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(tb.wait_exit(&code));
    EXPECT_EQ(7u, code);
    EXPECT_TRUE(tb.next_line("CLOSE"));
    EXPECT_TRUE(tb.next_line("EXIT code=7"));
}

TEST(Testbed, HangSwitchStopsAnsweringAfterReady) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/hang 60"));
    EXPECT_TRUE(tb.next_line("HANG seconds=60"));
    DWORD_PTR result = 0;
    EXPECT_EQ(0, SendMessageTimeoutA(tb.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &result));
}

TEST(Testbed, HangMenuItemStopsAnswering) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start("/hangtime 60"));
    PostMessageA(tb.window(), WM_COMMAND, MAKEWPARAM(kMenuHang, 0), 0);
    EXPECT_TRUE(tb.next_line("MENU 40901 Test>Hang"));
    EXPECT_TRUE(tb.next_line("HANG seconds=60"));
    DWORD_PTR result = 0;
    EXPECT_EQ(0, SendMessageTimeoutA(tb.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &result));
}

// A screen area of the testbed's client, copied into a 32-bit DIB section.
class ScreenArea {
  public:
    ScreenArea(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (bitmap_) old_ = SelectObject(memory_, bitmap_);
    }
    ~ScreenArea() {
        if (bitmap_) {
            SelectObject(memory_, old_);
            DeleteObject(bitmap_);
        }
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    bool ok() const { return bitmap_ != nullptr; }
    void copy_from(int screen_x, int screen_y) {
        BitBlt(memory_, 0, 0, width_, height_, screen_, screen_x, screen_y, SRCCOPY);
        GdiFlush();
    }
    Rgb at(int x, int y) const {
        uint32_t p = static_cast<const uint32_t*>(bits_)[y * width_ + x];
        return Rgb{static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                   static_cast<unsigned char>(p)};
    }

  private:
    int width_, height_;
    HDC screen_ = nullptr, memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

std::string rgb_text(Rgb c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// Compares the area copied from client (kPanelX, kPanelY) with the pattern, two corners of the
// panel background and the spot; describes the first pixel that differs, or gives "".
std::string first_picture_mismatch(const ScreenArea& area) {
    struct Expected {
        int x, y;  // client coordinates
        Rgb colour;
    };
    std::vector<Expected> expected;
    for (int y = 0; y < kPatternHeight; ++y) {
        for (int x = 0; x < kPatternWidth; ++x) expected.push_back({kPatternX + x, kPatternY + y, pattern_pixel(x, y)});
    }
    expected.push_back({kPanelX, kPanelY, background_pixel(0, 0)});
    expected.push_back({kPanelX + kPanelWidth - 1, kPanelY + kPanelHeight - 1,
                        background_pixel(kPanelWidth - 1, kPanelHeight - 1)});
    expected.push_back({kSpotX, kSpotY, kSpotColour});
    expected.push_back({kSpotX + kSpotSize - 1, kSpotY + kSpotSize - 1, kSpotColour});
    for (const Expected& e : expected) {
        Rgb got = area.at(e.x - kPanelX, e.y - kPanelY);
        if (got.r != e.colour.r || got.g != e.colour.g || got.b != e.colour.b) {
            return "client (" + std::to_string(e.x) + "," + std::to_string(e.y) + ") is " + rgb_text(got) +
                   ", not " + rgb_text(e.colour);
        }
    }
    return "";
}

// The picture is on the screen where testbed_ids.h places it, pixel for pixel.
TEST(Testbed, PictureAndSpotAreOnTheScreenWherePromised) {
    TestbedProcess tb;
    ASSERT_TRUE(tb.start());
    SetForegroundWindow(tb.window());
    POINT origin = tb.client_origin();
    ScreenArea area(kSpotX + kSpotSize - kPanelX, kPanelHeight);
    ASSERT_TRUE(area.ok());
    // Drawing reaches the screen a little after READY: look again until it is there.
    std::string mismatch;
    DWORD begin = GetTickCount();
    for (;;) {
        area.copy_from(origin.x + kPanelX, origin.y + kPanelY);
        mismatch = first_picture_mismatch(area);
        if (mismatch.empty() || GetTickCount() - begin >= kDeadlineMs) break;
        tb.pause();
    }
    EXPECT_EQ("", mismatch);
}

}  // namespace
}  // namespace zorbel
