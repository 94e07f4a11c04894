// zorbel.exe run on a .zbx script with "/L /r", as a user's scheduled task would: its exit
// code and its run log (and, run unattended with "/u", its standard error); the settings
// such runs start from; and a fixture per test with its own folder and log.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/support/child_process.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace wintest {

inline void set_setting(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}
inline void set_setting_text(const char* name, const std::string& value) {
    set_setting(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}
inline void set_setting_number(const char* name, DWORD value) { set_setting(name, REG_DWORD, &value, sizeof(value)); }

// A user variable as the registry holds it after a run ("" when missing).
inline std::string user_variable(const char* name) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\UserVariables", 0, KEY_READ, &h) != ERROR_SUCCESS)
        return std::string();
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1, type = 0;
    LONG status = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS) return std::string();
    if (type == REG_DWORD) return std::to_string(*reinterpret_cast<const DWORD*>(buffer));
    return std::string(buffer);
}

// A script of the end-to-end suite, as a Windows path.
inline std::string script_path(const std::string& name) {
    std::string path = "Z:";
    for (char c : std::string(ZORBEL_SOURCE_DIR)) path += c == '/' ? '\\' : c;
    return path + "\\tests\\e2e\\scripts\\" + name;
}

inline ::testing::AssertionResult start_zorbel(ChildProcess& process, const std::string& arguments,
                                               const char* desktop = nullptr) {
    return process.start("\"" + built_program("zorbel.exe") + "\" " + arguments, desktop);
}

struct ZorbelRun {
    bool timed_out = false;  // ended by the test after the time limit
    DWORD exit_code = 0;
    std::string log;  // the run log file's content
    std::string standard_error;  // unattended runs: what the program wrote there
    bool has(const std::string& text) const { return log.find(text) != std::string::npos; }
    int count(const std::string& text) const {
        int n = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
        return n;
    }
};

class ScriptRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        set_setting_number("GlobalVariables", 1);
        set_setting_number("ResetUserVariables", 1);
        set_setting_number("RestartLog", 1);
        set_setting_number("DefaultSpeed", 10);
        set_setting_number("LogLevel", 0);
        set_setting_number("MultipleWindowError", 0);
        set_setting_number("DefaultReturnCode", 0);
    }
    void TearDown() override { SetUp(); }

    // Starts `zorbel.exe /L /r <script> <extra>` with the run log going to log_file_.
    ::testing::AssertionResult start(ChildProcess& zorbel, const char* script, const std::string& extra = "",
                                     const char* desktop = nullptr) {
        DeleteFileA(log_file_.c_str());
        set_setting_text("Logfile", log_file_);
        return start_zorbel(zorbel, "/L /r \"" + script_path(script) + "\" " + extra, desktop);
    }
    // Runs the script; the run must end by itself within `limit_ms`.
    ZorbelRun run(const char* script, const std::string& extra = "", const char* desktop = nullptr,
                  DWORD limit_ms = 30000) {
        ZorbelRun r;
        ChildProcess zorbel;
        EXPECT_TRUE(start(zorbel, script, extra, desktop));
        r.timed_out = !zorbel.wait_exit(&r.exit_code, limit_ms);
        zorbel.end();
        r.log = read_file(log_file_);
        EXPECT_FALSE(r.timed_out) << script << " did not end by itself; log:\n" << r.log;
        return r;
    }
    std::string log() const { return read_file(log_file_); }

    // Runs `zorbel.exe /u /L /r "<path>" <extra>` unattended, its standard error going to
    // a file of the test; the run must end by itself within `limit_ms`, else it is ended
    // by its handle. `path` is a full Windows path (script_path() for the suite's scripts).
    ZorbelRun run_unattended(const std::string& path, const std::string& extra = "", DWORD limit_ms = 60000) {
        ZorbelRun r;
        DeleteFileA(log_file_.c_str());
        set_setting_text("Logfile", log_file_);
        const std::string error_file = folder_ / "stderr.txt";
        SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
        HANDLE error = CreateFileA(error_file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, error);
        std::string command = "\"" + built_program("zorbel.exe") + "\" /u /L /r \"" + path + "\" " + extra;
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = nullptr;
        si.hStdOutput = error;
        si.hStdError = error;
        PROCESS_INFORMATION pi = {};
        const BOOL started =
            CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        CloseHandle(error);
        EXPECT_TRUE(started) << command;
        if (!started) return r;
        CloseHandle(pi.hThread);
        r.timed_out = WaitForSingleObject(pi.hProcess, limit_ms) != WAIT_OBJECT_0;
        if (r.timed_out) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, kDeadlineMs);
        }
        GetExitCodeProcess(pi.hProcess, &r.exit_code);
        CloseHandle(pi.hProcess);
        r.log = read_file(log_file_);
        r.standard_error = read_file(error_file);
        EXPECT_FALSE(r.timed_out) << path << " did not end by itself; log:\n" << r.log;
        return r;
    }

    TempFolder folder_;
    const std::string log_file_ = folder_ / "run.log";
};

}  // namespace wintest
}  // namespace zorbel
