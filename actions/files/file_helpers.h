// The file helpers the file and folder actions share with the rest of the system:
// existence and size, writing with parent creation, appending, folder trees made,
// copied and removed, files deleted by pattern and a file's size changed. Every
// effect goes through a FileSystem.
#pragma once
#include <cstdint>
#include <string>

#include "actions/files/file_system.h"

namespace zorbel {

// Whether `path` is a root: "X:", "X:\", "\" or "/" (with any trailing separators).
bool is_root_path(const std::string& path);
// `path` without trailing separators, except the one of a root ("X:\", "\").
std::string without_trailing_separator(const std::string& path);
// The folder part of `path` (before its last separator); "X:" becomes "X:\"; "" when
// `path` has no separator.
std::string folder_part(const std::string& path);

bool file_exists(FileSystem& files, const std::string& path);
int64_t file_size_by_name(FileSystem& files, const std::string& path);

// `OpenFileForWriting` with the write: the parent folder is created first (unless it
// is just a drive), then `data` is written at `offset` (negative: at the end).
files::WriteOutcome write_file_at(FileSystem& files, const std::string& path, int64_t offset, const std::string& data);
// `AppendTextToFile`: nothing happens (and true) for empty text.
bool append_text_to_file(FileSystem& files, const std::string& path, const std::string& text);

// `CreateFolderTree`: true when the folder exists or was made with its missing parents.
bool create_folder_tree(FileSystem& files, const std::string& path);
// `DeleteMatchingFiles`: the number of files deleted; 0 at the first failed delete,
// for no match, and for a root.
int32_t delete_matching_files(FileSystem& files, const std::string& pattern);
// `CopyFolderTree`: the source's content into the destination, made when missing.
bool copy_folder_tree(FileSystem& files, const std::string& source, const std::string& destination);
// `RemoveFolderTree`: without `force` a folder with content is refused; a root always is.
bool remove_folder_tree(FileSystem& files, const std::string& folder, bool force);
// `SetFileSize`: truncates or extends; the real result of the system's calls.
bool set_file_size(FileSystem& files, const std::string& path, int64_t size);

// Whether `inner` is `outer` or lies inside it (absolute paths, ignoring case).
bool same_or_inside(const std::string& inner, const std::string& outer);

}  // namespace zorbel
