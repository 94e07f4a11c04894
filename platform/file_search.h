// Searching a folder for files matching a pattern ("C:\Data\*.txt"), as the Files
// loop and the file actions do. file_search_win.cpp wraps FindFirstFile;
// file_search_posix.cpp serves the native build.
#pragma once
#include <memory>
#include <string>

namespace zorbel {

struct FoundFile {
    std::string name;  // without its folder
    bool is_folder = false;
};

class FileSearch {
public:
    FileSearch();
    ~FileSearch();
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    // Starts a search and returns its first match; false when nothing matches.
    bool first(const std::string& pattern, FoundFile* out);
    // The next match; false at the end.
    bool next(FoundFile* out);
    void close();
    bool open() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

namespace files {
// Whether `path` names an existing folder.
bool is_folder(const std::string& path);
// `FileExists`: a match for the pattern or path, or an existing path of any kind.
bool matches_exist(const std::string& pattern);
}  // namespace files

}  // namespace zorbel
