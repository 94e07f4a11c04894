// What the keyboard tests under Wine share: a notepad.exe and a zbtestbed.exe of their
// own (ended by handle whatever happens), the keyboard step run in-process on the real
// desktop, and waits that poll a condition until a deadline.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/input/keyboard_executor.h"
#include "platform/clipboard.h"
#include "tests/native/support/run_rig.h"
#include "tests/testbed/testbed_ids.h"

namespace zorbel {
namespace keyboard_test {

// Every wait for another process ends after this long.
constexpr DWORD kDeadlineMs = 10000;
constexpr DWORD kPollMs = 10;

// Pumps this thread's messages (the buffered-typing timer runs from them) until `done`
// or the deadline; true when `done`.
inline bool pump_until(const std::function<bool()>& done, DWORD deadline_ms = kDeadlineMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start >= deadline_ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

inline std::string window_text(HWND window) {
    std::vector<char> text(65536, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kDeadlineMs, &got))
        return "<no answer>";
    return std::string(text.data(), got);
}

inline std::string class_of(HWND window) {
    char name[256] = {};
    int n = GetClassNameA(window, name, sizeof(name));
    return std::string(name, n > 0 ? n : 0);
}

// Releases the modifier keys, whatever a test left down.
inline void release_modifiers() {
    for (BYTE key : {VK_CONTROL, VK_SHIFT, VK_MENU})
        if (GetAsyncKeyState(key) & 0x8000) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
}

inline std::string visible(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

// Puts the clipboard's text back when the test is over.
class ClipboardKeeper {
public:
    ClipboardKeeper() { had_text_ = clipboard::get_text(&text_); }
    ~ClipboardKeeper() {
        if (had_text_) clipboard::set_text(text_);
    }
    ClipboardKeeper(const ClipboardKeeper&) = delete;
    ClipboardKeeper& operator=(const ClipboardKeeper&) = delete;

private:
    bool had_text_ = false;
    std::string text_;
};

// A started program whose top-level window of class `window_class` the test uses.
class Program {
public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() {
        if (process_) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
            WaitForSingleObject(process_, kDeadlineMs);
            CloseHandle(process_);
        }
        release_modifiers();
    }

    // Starts `command` and waits until its window exists and is the foreground window.
    ::testing::AssertionResult start(const std::string& command, const char* window_class) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return ::testing::AssertionFailure() << "CreateProcess(" << command << ") failed, error " << GetLastError();
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
        class_ = window_class;
        if (!pump_until([this] { return (window_ = find_window()) != nullptr; }))
            return ::testing::AssertionFailure() << "no " << window_class << " window of " << command;
        return to_front();
    }

    // Makes the window the foreground window and waits until the system says it is.
    ::testing::AssertionResult to_front() {
        if (pump_until([this] {
                if (GetForegroundWindow() == window_) return true;
                SetForegroundWindow(window_);
                return false;
            }))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the " << class_ << " window did not come to the foreground";
    }

    // Waits until the keyboard focus is on `control`.
    ::testing::AssertionResult focus_on(HWND control) {
        DWORD thread = GetWindowThreadProcessId(window_, nullptr);
        bool focused = pump_until([&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetGUIThreadInfo(thread, &info) && info.hwndFocus == control;
        });
        if (focused) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the focus did not come to the control";
    }

    HWND window() const { return window_; }
    HANDLE process() const { return process_; }
    DWORD pid() const { return pid_; }

private:
    HWND find_window() const {
        for (HWND w = FindWindowExA(nullptr, nullptr, class_.c_str(), nullptr); w;
             w = FindWindowExA(nullptr, w, class_.c_str(), nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pid_ && IsWindowVisible(w)) return w;
        }
        return nullptr;
    }

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::string class_;
    HWND window_ = nullptr;
};

// Wine's notepad, in front, with the keyboard focus in its edit control. It is ended
// by handle, unsaved, when the object goes.
class Notepad : public Program {
public:
    ::testing::AssertionResult start() {
        ::testing::AssertionResult started = Program::start("notepad.exe", "Notepad");
        if (!started) return started;
        edit_ = FindWindowExA(window(), nullptr, "Edit", nullptr);
        if (!edit_) return ::testing::AssertionFailure() << "notepad has no Edit control";
        return focus_on(edit_);
    }
    HWND edit() const { return edit_; }
    std::string text() const { return window_text(edit_); }

    // Waits until the edit holds `expected` (line breaks as the edit keeps them, CR LF).
    ::testing::AssertionResult has_text(const std::string& expected, DWORD deadline_ms = kDeadlineMs) const {
        std::string last;
        if (pump_until([&] { return (last = text()) == expected; }, deadline_ms))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "notepad holds \"" << visible(last) << "\", not \""
                                             << visible(expected) << "\"";
    }

private:
    HWND edit_ = nullptr;
};

// The folder of the built programs: the test program sits in its "tests" folder.
inline std::string build_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\'));
}

// zbtestbed.exe with its event log; the keyboard focus starts in its one-line edit.
class Testbed : public Program {
public:
    Testbed() {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        static int counter = 0;
        log_ = std::string(temp) + "zorbel_keyboard_testbed_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++counter) + ".txt";
        DeleteFileA(log_.c_str());
    }
    ~Testbed() {
        // The log can go only once the program has ended, which the base class would do later.
        if (process()) {
            TerminateProcess(process(), 99);
            WaitForSingleObject(process(), kDeadlineMs);
        }
        DeleteFileA(log_.c_str());
    }

    ::testing::AssertionResult start() {
        ::testing::AssertionResult started =
            Program::start("\"" + build_folder() + "\\" + testbed::kExeName + "\" /log \"" + log_ + "\"",
                           testbed::kClass);
        if (!started) return started;
        if (!pump_until([this] { return log().find("READY ") != std::string::npos; }))
            return ::testing::AssertionFailure() << "no READY line in the testbed's log";
        return focus_on(GetDlgItem(window(), testbed::kNameEdit));
    }

    std::string log() const {
        HANDLE h = CreateFileA(log_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return std::string();
        std::string text;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
        CloseHandle(h);
        return text;
    }

    // The key lines (KEYDOWN, KEYUP, SYSKEYDOWN, SYSKEYUP, CHAR) logged after the lines
    // already taken, once there are `count` of them (or the deadline passed).
    std::vector<std::string> key_lines(size_t count) {
        std::vector<std::string> lines;
        pump_until([&] {
            lines = key_lines_now();
            return lines.size() >= count;
        });
        return lines;
    }
    // Passes over everything logged so far.
    void skip_log() { taken_ = log().size(); }

private:
    std::vector<std::string> key_lines_now() const {
        std::string text = log();
        std::vector<std::string> lines;
        size_t start = taken_;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string l = text.substr(start, end - start);
            if (l.rfind("KEY", 0) == 0 || l.rfind("SYSKEY", 0) == 0 || l.rfind("CHAR", 0) == 0) lines.push_back(l);
        }
        return lines;
    }

    std::string log_;
    size_t taken_ = 0;
};

// The run's current window as a test sets it.
class GivenWindow : public CurrentWindow {
public:
    intptr_t window = 0;
    intptr_t handle() override { return window; }
    bool rect(WindowRect*) override { return false; }
    std::string title() override { return std::string(); }
    std::string class_name() override { return std::string(); }
};

// A keyboard step run in this process on the real desktop, inside a run of its own.
class KeyboardRun {
public:
    KeyboardRun() {
        rig_.services.window = &current;
        write_setting_number(rig_.store, "SOFTWARE\\Zorbel\\Log", 0);
        run_.running = true;
        run_.speed = 5;
    }
    ~KeyboardRun() {
        remove_buffered_typing_hook();
        release_modifiers();
    }

    // Runs one step of `action` with `text` (options bit 0: literal).
    int step(const char* action, const std::string& text, uint32_t options = 0) {
        int32_t i = script_.insert_step(-1);
        Step& s = script_.steps[static_cast<size_t>(i)];
        copy_to_field(s.action, action);
        s.family = family_of_action(action);
        s.text = text;
        s.options = options;
        script_.current_step = i;
        return execute_keyboard_family(context_);
    }
    // Waits (pumping messages) until buffered typing has ended.
    bool typing_ended(DWORD deadline_ms = kDeadlineMs) {
        return pump_until([] { return !buffered_typing_active(); }, deadline_ms);
    }

    RunState& run() { return run_; }
    FakeRunHost& host() { return host_; }
    const std::string& log() const { return rig_.output.text; }
    void set_variable(const std::string& name, const std::string& value) { rig_.set_variable(name, value); }

    GivenWindow current;

private:
    ExpansionRig rig_;
    ScriptState script_;
    RunState run_;
    FakeRunHost host_;
    RunContext context_{script_, run_, rig_.services, host_, nullptr};
};

}  // namespace keyboard_test
}  // namespace zorbel
