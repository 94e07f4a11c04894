#include "player/player_files_win.h"

#include <windows.h>

namespace zorbel {

bool SystemPackageFiles::exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SystemPackageFiles::create_folder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool SystemPackageFiles::write(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                                      put == bytes.size());
    CloseHandle(file);
    return ok;
}

bool SystemPackageFiles::remove_file(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool SystemPackageFiles::remove_empty_folder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

std::string SystemPackageFiles::full_path(const std::string& path) {
    char full[MAX_PATH + 1] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    return length == 0 || length >= sizeof(full) ? path : std::string(full, length);
}

namespace {

bool start_hidden(const std::string& program, std::string command_line, DWORD priority) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.empty() ? nullptr : program.c_str(), &command_line[0], nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | priority, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

void start_self_delete(const std::string& own_path) {
    const std::string parameters = self_delete_parameters(own_path);
    if (parameters.empty()) return;
    char interpreter[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("ComSpec", interpreter, sizeof(interpreter));
    if (length > 0 && length < sizeof(interpreter) &&
        start_hidden(interpreter, "\"" + std::string(interpreter) + "\" " + parameters, 0))
        return;
    const std::string folder = own_path.substr(0, own_path.find_last_of('\\') + 1);
    const std::string batch_path = folder + "selfdel.bat";
    const std::string batch = self_delete_batch(own_path, batch_path);
    if (batch.empty()) return;
    HANDLE file = CreateFileA(batch_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD put = 0;
    WriteFile(file, batch.data(), static_cast<DWORD>(batch.size()), &put, nullptr);
    CloseHandle(file);
    start_hidden(std::string(), "\"" + batch_path + "\"", IDLE_PRIORITY_CLASS);
}

}  // namespace zorbel
