// A program started by a test (zorbel.exe, zbtestbed.exe, Wine's notepad) and ended by
// its handle whatever happens; where the built programs are.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/wait.h"

namespace zorbel {
namespace wintest {

// The folder of this test program.
inline std::string module_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// The build folder: the test program sits in its "tests" folder.
inline std::string build_folder() {
    const std::string folder = module_folder();
    return folder.substr(0, folder.find_last_of('\\'));
}

inline std::string built_program(const char* name) { return build_folder() + "\\" + name; }

inline bool running_under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { end(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `command` on `desktop` (null: this program's desktop); does not wait.
    ::testing::AssertionResult start(const std::string& command, const char* desktop = nullptr) {
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        si.lpDesktop = const_cast<char*>(desktop);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return ::testing::AssertionFailure() << "CreateProcess(" << command << ") failed, error " << GetLastError();
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
        return ::testing::AssertionSuccess();
    }

    // Ends the process by its handle when it still runs.
    void end() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 99);
        WaitForSingleObject(process_, kDeadlineMs);
        CloseHandle(process_);
        process_ = nullptr;
    }

    ::testing::AssertionResult wait_exit(DWORD* code, DWORD deadline_ms = kDeadlineMs) const {
        if (!process_ || WaitForSingleObject(process_, deadline_ms) != WAIT_OBJECT_0)
            return ::testing::AssertionFailure() << "the program did not end within " << deadline_ms << " ms";
        *code = 0xDEADBEEF;
        GetExitCodeProcess(process_, code);
        return ::testing::AssertionSuccess();
    }

    bool running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    HANDLE handle() const { return process_; }
    DWORD pid() const { return pid_; }

    // Its first visible top-level window of class `cls`, or null.
    HWND window_of_class(const char* cls) const {
        for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w; w = FindWindowExA(nullptr, w, cls, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pid_ && IsWindowVisible(w)) return w;
        }
        return nullptr;
    }

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

}  // namespace wintest
}  // namespace zorbel
