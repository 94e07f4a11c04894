#include <unistd.h>

#include <cstdio>

#include "engine/run_log_file.h"
#include "platform/files.h"

namespace zorbel {

bool RunLogFile::open(const std::string& path) {
    close();
    const std::string folder = files::folder_of(path);
    if (!folder.empty()) files::create_folders(folder);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    handle_ = reinterpret_cast<intptr_t>(file);
    path_ = path;
    return true;
}

bool RunLogFile::still_there(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool RunLogFile::append(const std::string& path, std::string_view text) {
    if (path.empty()) return false;
    if ((!is_open() || path != path_ || !still_there(path)) && !open(path)) return false;
    std::FILE* file = reinterpret_cast<std::FILE*>(handle_);
    // Written through at once: the stream's buffer holds nothing after the line.
    bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fflush(file) == 0 && ok;
}

void RunLogFile::close() {
    if (!is_open()) return;
    std::fclose(reinterpret_cast<std::FILE*>(handle_));
    handle_ = 0;
    path_.clear();
}

}  // namespace zorbel
