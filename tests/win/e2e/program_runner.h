// Starts zorbel.exe on a script under Wine, the way a user's scheduled task would,
// and collects what a user would look at: the exit code and the run log.
#pragma once
#include <windows.h>

#include <string>

namespace zorbel {
namespace e2e {

struct ProgramRun {
    bool started = false;
    bool timed_out = false;  // the program was ended by the test after the time limit
    DWORD exit_code = 0;
    std::string log;         // the run log file's content
};

// The folder of the built programs (zorbel.exe, Zorbel.LIB, zbtestbed.exe).
std::string build_folder();
// A script of the end-to-end suite, as a Windows path.
std::string script_path(const std::string& name);
// A fresh temporary folder for one test (emptied first).
std::string temp_folder(const std::string& name);

// Runs `zorbel.exe /L /r <script> <extra>` with the run log going to `log_file`,
// waits at most `limit_ms` (then ends the program by its handle), and reads the log.
ProgramRun run_zorbel(const std::string& script, const std::string& extra_arguments, const std::string& log_file,
                      DWORD limit_ms = 30000);

// Starts zorbel.exe without waiting; the caller ends it.
PROCESS_INFORMATION start_zorbel(const std::string& arguments);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

// Registry helpers on HKCU\SOFTWARE\Zorbel.
void set_setting_text(const char* name, const std::string& value);
void set_setting_number(const char* name, DWORD value);
std::string user_variable(const char* name);
bool user_variable_exists(const char* name);

}  // namespace e2e
}  // namespace zorbel
