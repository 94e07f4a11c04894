// The native build's file operations: POSIX calls, with "\" read as "/".
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/file_operations.h"

namespace zorbel::files {

namespace {

std::string native(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

PathState path_state(const std::string& path) {
    struct stat st;
    const std::string p = native(path);
    if (p.empty()) return PathState::kError;
    if (::stat(p.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? PathState::kFolder : PathState::kFile;
    if (errno == ENOTDIR) return PathState::kParentMissing;
    if (errno != ENOENT) return PathState::kError;
    size_t cut = p.find_last_of('/');
    if (cut == std::string::npos) return PathState::kMissing;
    std::string parent = cut == 0 ? "/" : p.substr(0, cut);
    return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? PathState::kMissing : PathState::kParentMissing;
}

int64_t size_of(const std::string& path) {
    struct stat st;
    if (::stat(native(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out, bool* read_failed) {
    out->clear();
    *read_failed = false;
    int fd = ::open(native(path).c_str(), O_RDONLY);
    if (fd < 0) return false;
    out->resize(count);
    size_t got = 0;
    while (got < count) {
        ssize_t n = ::pread(fd, &(*out)[got], count - got, static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0) {
            *read_failed = true;
            break;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    out->resize(got);
    ::close(fd);
    return true;
}

WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data) {
    int fd = ::open(native(path).c_str(), O_RDWR | O_CREAT, 0666);
    if (fd < 0) return WriteOutcome::kOpenFailed;
    off_t at = offset < 0 ? ::lseek(fd, 0, SEEK_END) : ::lseek(fd, static_cast<off_t>(offset), SEEK_SET);
    bool ok = at >= 0;
    size_t done = 0;
    while (ok && done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n <= 0) ok = false;
        else done += static_cast<size_t>(n);
    }
    int saved = errno;
    ::close(fd);
    errno = saved;
    return ok ? WriteOutcome::kOk : WriteOutcome::kWriteFailed;
}

bool make_folder(const std::string& path) { return ::mkdir(native(path).c_str(), 0777) == 0; }
bool delete_file(const std::string& path) {
    struct stat st;
    std::string p = native(path);
    if (::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    return ::unlink(p.c_str()) == 0;
}

bool copy_file(const std::string& source, const std::string& destination) {
    std::error_code error;
    return std::filesystem::copy_file(native(source), native(destination),
                                      std::filesystem::copy_options::overwrite_existing, error);
}

bool remove_empty_folder(const std::string& path) { return ::rmdir(native(path).c_str()) == 0; }

bool copy_tree(const std::string& source, const std::string& destination) {
    std::error_code error;
    std::filesystem::copy(native(source), native(destination),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                          error);
    return !error;
}

bool delete_tree(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(native(path), error);
    return !error;
}

std::string full_path(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(native(path), error);
    if (error) return path;
    return absolute.lexically_normal().string();
}

bool set_size(const std::string& path, int64_t size) {
    int fd = ::open(native(path).c_str(), O_RDWR);
    if (fd < 0) return false;
    bool ok = size >= 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    int saved = errno;
    ::close(fd);
    errno = saved;
    return ok;
}

bool set_current_folder(const std::string& path) { return ::chdir(native(path).c_str()) == 0; }

std::string current_folder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof(buffer)) ? std::string(buffer) : std::string();
}

long map_network_drive(const std::string&, const std::string&) { return -1; }
void notify_association_changed() {}

}  // namespace zorbel::files
