#include <windows.h>

#include "engine/run_log_file.h"
#include "platform/files.h"

namespace zorbel {

bool RunLogFile::open(const std::string& path) {
    close();
    const std::string folder = files::folder_of(path);
    if (!folder.empty()) files::create_folders(folder);
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(file);
    path_ = path;
    return true;
}

bool RunLogFile::still_there(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool RunLogFile::append(const std::string& path, std::string_view text) {
    if (path.empty()) return false;
    if ((!is_open() || path != path_ || !still_there(path)) && !open(path)) return false;
    DWORD written = 0;
    return text.empty() || (WriteFile(reinterpret_cast<HANDLE>(handle_), text.data(), static_cast<DWORD>(text.size()),
                                      &written, nullptr) &&
                            written == text.size());
}

void RunLogFile::close() {
    if (!is_open()) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = 0;
    path_.clear();
}

}  // namespace zorbel
