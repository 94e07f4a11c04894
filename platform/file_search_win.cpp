#include <windows.h>

#include "platform/file_search.h"

namespace zorbel {

struct FileSearch::Impl {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

FileSearch::FileSearch() : impl_(new Impl) {}
FileSearch::~FileSearch() { close(); }

static void fill(const WIN32_FIND_DATAA& data, FoundFile* out) {
    out->name = data.cFileName;
    out->is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileSearch::first(const std::string& pattern, FoundFile* out) {
    close();
    WIN32_FIND_DATAA data;
    impl_->handle = FindFirstFileA(pattern.c_str(), &data);
    if (impl_->handle == INVALID_HANDLE_VALUE) return false;
    fill(data, out);
    return true;
}

bool FileSearch::next(FoundFile* out) {
    if (impl_->handle == INVALID_HANDLE_VALUE) return false;
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(impl_->handle, &data)) return false;
    fill(data, out);
    return true;
}

void FileSearch::close() {
    if (impl_ && impl_->handle != INVALID_HANDLE_VALUE) FindClose(impl_->handle);
    if (impl_) impl_->handle = INVALID_HANDLE_VALUE;
}

bool FileSearch::open() const { return impl_->handle != INVALID_HANDLE_VALUE; }

namespace files {

bool is_folder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool matches_exist(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        FindClose(h);
        return true;
    }
    return GetFileAttributesA(pattern.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace files
}  // namespace zorbel
