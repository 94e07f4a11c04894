#include "tests/win/e2e/program_runner.h"

#include <vector>

namespace zorbel {
namespace e2e {

namespace {

std::string windows_path_of(const std::string& unix_path) {
    std::string out = "Z:";
    for (char c : unix_path) out += c == '/' ? '\\' : c;
    return out;
}

}  // namespace

std::string build_folder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder = folder.substr(0, folder.find_last_of('\\'));  // tests
    return folder.substr(0, folder.find_last_of('\\'));    // the build folder
}

std::string script_path(const std::string& name) {
    return windows_path_of(ZORBEL_SOURCE_DIR) + "\\tests\\e2e\\scripts\\" + name;
}

std::string temp_folder(const std::string& name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "zorbel_e2e_" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + data.cFileName).c_str());
        } while (FindNextFileA(h, &data));
        FindClose(h);
    }
    return folder;
}

PROCESS_INFORMATION start_zorbel(const std::string& arguments) {
    std::string command = "\"" + build_folder() + "\\zorbel.exe\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        process.hProcess = nullptr;
    return process;
}

ProgramRun run_zorbel(const std::string& script, const std::string& extra_arguments, const std::string& log_file,
                      DWORD limit_ms) {
    ProgramRun run;
    DeleteFileA(log_file.c_str());
    set_setting_text("Logfile", log_file);
    PROCESS_INFORMATION process = start_zorbel("/L /r \"" + script + "\" " + extra_arguments);
    if (!process.hProcess) return run;
    run.started = true;
    if (WaitForSingleObject(process.hProcess, limit_ms) != WAIT_OBJECT_0) {
        run.timed_out = true;
        TerminateProcess(process.hProcess, 255);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &run.exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.log = read_file(log_file);
    return run;
}

std::string read_file(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    std::string out;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof(buffer), &got, nullptr) && got > 0) out.append(buffer, got);
    CloseHandle(h);
    return out;
}

void write_file(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

namespace {

void set_value(const char* key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}

bool get_value(const char* name, DWORD* type, std::string* data) {
    HKEY h;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Zorbel\\UserVariables", 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    char buffer[4096] = {};
    DWORD size = sizeof(buffer) - 1;
    LONG status = RegQueryValueExA(h, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(h);
    if (status != ERROR_SUCCESS) return false;
    data->assign(buffer, size);
    return true;
}

}  // namespace

void set_setting_text(const char* name, const std::string& value) {
    set_value("SOFTWARE\\Zorbel", name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void set_setting_number(const char* name, DWORD value) {
    set_value("SOFTWARE\\Zorbel", name, REG_DWORD, &value, sizeof(value));
}

std::string user_variable(const char* name) {
    DWORD type = 0;
    std::string data;
    if (!get_value(name, &type, &data)) return std::string();
    if (type == REG_DWORD && data.size() >= 4) return std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    return std::string(data.c_str());
}

bool user_variable_exists(const char* name) {
    DWORD type = 0;
    std::string data;
    return get_value(name, &type, &data);
}

}  // namespace e2e
}  // namespace zorbel
