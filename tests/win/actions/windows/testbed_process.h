// zbtestbed.exe started as a real process for the window and menu tests: its main
// window, its event log, and waits for log lines with deadlines. The process is ended
// by its handle and its folder removed when the object goes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/testbed/testbed_ids.h"

namespace zorbel {
namespace windows_test {

// Every wait for another process ends after this long.
constexpr DWORD kDeadlineMs = 10000;
constexpr DWORD kPollMs = 20;

inline std::string module_folder() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : s.substr(0, slash);
}

// The programs are built into the build folder; the test program sits there or one folder down.
inline std::string built_program(const char* name) {
    std::string here = module_folder();
    std::string candidates[] = {here + "\\" + name, here + "\\..\\" + name};
    for (const std::string& c : candidates)
        if (GetFileAttributesA(c.c_str()) != INVALID_FILE_ATTRIBUTES) return c;
    return candidates[0];
}

inline bool running_under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Runs this thread's messages for a moment (own windows of the test).
inline void pump_messages(DWORD milliseconds = 0) {
    DWORD begin = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds) Sleep(5);
    } while (GetTickCount() - begin < milliseconds);
}

inline std::vector<std::string> split_log_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    return lines;  // a line without its "\n" is still being written
}

class TestbedProcess {
public:
    TestbedProcess() {
        static int counter = 0;
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof(temp), temp);
        folder_ = std::string(temp) + "zbwindows-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++counter);
        CreateDirectoryA(folder_.c_str(), nullptr);
        log_path_ = folder_ + "\\events.txt";
    }
    ~TestbedProcess() {
        end();
        DeleteFileA(log_path_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    TestbedProcess(const TestbedProcess&) = delete;
    TestbedProcess& operator=(const TestbedProcess&) = delete;

    // Starts the program with /log and `args` and waits for its window and READY.
    ::testing::AssertionResult start(const std::string& args = "") {
        std::string exe = built_program(testbed::kExeName);
        std::string command = "\"" + exe + "\" /log \"" + log_path_ + "\" " + args;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return ::testing::AssertionFailure() << "CreateProcess(" << command << ") failed, error " << GetLastError();
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        std::string ready;
        if (!next_line_starting("READY ", &ready)) return ::testing::AssertionFailure() << "no READY; log:\n" << log();
        size_t at = ready.find("hwnd=");
        window_ = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoul(ready.substr(at + 5))));
        return ::testing::AssertionSuccess();
    }

    // Ends the process (by its handle) when it still runs.
    void end() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kDeadlineMs);
        CloseHandle(process_);
        process_ = nullptr;
    }

    HWND window() const { return window_; }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    DWORD pid() const { return pid_; }
    HANDLE process() const { return process_; }
    bool running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

    std::string log() const {
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

    // Waits for a line equal to `expected` after the lines matched so far.
    ::testing::AssertionResult next_line(const std::string& expected, DWORD deadline_ms = kDeadlineMs) {
        std::string found;
        return wait_for_line([&](const std::string& l) { return l == expected; }, "\"" + expected + "\"", &found,
                             deadline_ms);
    }
    ::testing::AssertionResult next_line_starting(const std::string& prefix, std::string* line,
                                                  DWORD deadline_ms = kDeadlineMs) {
        return wait_for_line([&](const std::string& l) { return l.compare(0, prefix.size(), prefix) == 0; },
                             "starting \"" + prefix + "\"", line, deadline_ms);
    }
    // Whether a line equal to `line` is anywhere in the log (no waiting).
    bool logged(const std::string& line) const {
        for (const std::string& l : split_log_lines(log()))
            if (l == line) return true;
        return false;
    }

    ::testing::AssertionResult wait_exit(DWORD* code, DWORD deadline_ms = kDeadlineMs) {
        if (WaitForSingleObject(process_, deadline_ms) != WAIT_OBJECT_0)
            return ::testing::AssertionFailure() << "the testbed did not end within " << deadline_ms
                                                 << " ms; log:\n" << log();
        *code = 0xDEADBEEF;
        GetExitCodeProcess(process_, code);
        return ::testing::AssertionSuccess();
    }

private:
    template <typename Match>
    ::testing::AssertionResult wait_for_line(Match match, const std::string& what, std::string* found,
                                             DWORD deadline_ms) {
        DWORD begin = GetTickCount();
        for (;;) {
            std::vector<std::string> lines = split_log_lines(log());
            for (size_t i = cursor_; i < lines.size(); ++i) {
                if (match(lines[i])) {
                    cursor_ = i + 1;
                    *found = lines[i];
                    return ::testing::AssertionSuccess();
                }
            }
            if (GetTickCount() - begin >= deadline_ms) break;
            if (process_) WaitForSingleObject(process_, kPollMs);
            else Sleep(kPollMs);
        }
        return ::testing::AssertionFailure() << "no line " << what << " after line " << cursor_ << " within "
                                             << deadline_ms << " ms; log:\n" << log();
    }

    std::string folder_, log_path_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
    size_t cursor_ = 0;
};

// Waits until `condition()` holds or the deadline passes; returns whether it held.
template <typename Condition>
bool wait_until(Condition condition, DWORD deadline_ms = kDeadlineMs) {
    DWORD begin = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - begin >= deadline_ms) return false;
        pump_messages();
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace windows_test
}  // namespace zorbel
