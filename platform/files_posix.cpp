#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace zorbel::files {

int64_t size(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool exists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

ReadResult read_all(const std::string& path, std::string* out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadResult::kOpenFailed;
    int64_t n = size(path);
    if (n < 0) {
        std::fclose(f);
        return ReadResult::kReadFailed;
    }
    try {
        out->resize(static_cast<size_t>(n));
    } catch (const std::bad_alloc&) {
        std::fclose(f);
        return ReadResult::kOutOfMemory;
    }
    size_t got = n ? std::fread(&(*out)[0], 1, out->size(), f) : 0;
    std::fclose(f);
    if (got != out->size()) return ReadResult::kReadFailed;
    return ReadResult::kOk;
}

bool create_folders(const std::string& folder) {
    if (folder.empty() || exists(folder)) return true;
    std::string parent = folder_of(folder);
    if (!parent.empty() && parent != folder && !create_folders(parent)) return false;
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

bool write_replacing(const std::string& path, const std::string& data, int* stage) {
    std::string temp = path + ".zbtmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) {
        *stage = 1;
        return false;
    }
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (::fsync(fileno(f)) == 0) && ok;
    int saved = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
    saved = errno;
    std::remove(temp.c_str());
    errno = saved;
    *stage = 2;
    return false;
}

bool remove(const std::string& path) { return std::remove(path.c_str()) == 0; }

std::string last_error_text() { return std::strerror(errno); }

}  // namespace zorbel::files
