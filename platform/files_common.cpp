#include "platform/files.h"

namespace zorbel::files {

static size_t last_separator(const std::string& path) {
    return path.find_last_of("\\/");
}

std::string folder_of(const std::string& path) {
    size_t at = last_separator(path);
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string name_of(const std::string& path) {
    size_t at = last_separator(path);
    return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace zorbel::files
