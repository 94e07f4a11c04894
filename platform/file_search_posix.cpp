#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include "platform/file_search.h"
#include "platform/files.h"

namespace zorbel {

struct FileSearch::Impl {
    DIR* dir = nullptr;
    std::string folder;
    std::string pattern;
};

FileSearch::FileSearch() : impl_(new Impl) {}
FileSearch::~FileSearch() { close(); }

bool FileSearch::first(const std::string& written, FoundFile* out) {
    close();
    std::string pattern = written;  // a "\" is a "/" here
    for (char& c : pattern)
        if (c == '\\') c = '/';
    impl_->folder = files::folder_of(pattern);
    impl_->pattern = files::name_of(pattern);
    // "*.*" matches every name, with or without a dot, as on Windows.
    if (impl_->pattern == "*.*") impl_->pattern = "*";
    impl_->dir = opendir(impl_->folder.empty() ? "." : impl_->folder.c_str());
    if (!impl_->dir) return false;
    if (next(out)) return true;
    close();
    return false;
}

bool FileSearch::next(FoundFile* out) {
    if (!impl_->dir) return false;
    while (dirent* entry = readdir(impl_->dir)) {
        if (fnmatch(impl_->pattern.c_str(), entry->d_name, FNM_CASEFOLD) != 0) continue;
        out->name = entry->d_name;
        std::string full = impl_->folder.empty() ? out->name : impl_->folder + "/" + out->name;
        out->is_folder = files::is_folder(full);
        return true;
    }
    return false;
}

void FileSearch::close() {
    if (impl_ && impl_->dir) closedir(impl_->dir);
    if (impl_) impl_->dir = nullptr;
}

bool FileSearch::open() const { return impl_->dir != nullptr; }

namespace files {

bool is_folder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool matches_exist(const std::string& pattern) {
    if (exists(pattern)) return true;
    FileSearch search;
    FoundFile found;
    return search.first(pattern, &found);
}

}  // namespace files
}  // namespace zorbel
