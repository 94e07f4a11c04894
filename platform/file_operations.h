// Thin wrappers for what the file and folder actions do to files: ranges read and
// written, folders made and removed, copies, whole trees (the shell's file operation
// on Windows), the file pointer, the current folder and network drives.
// file_operations_win.cpp wraps Win32; file_operations_posix.cpp serves the native
// build, where a "\" in a path is taken as "/".
#pragma once
#include <cstdint>
#include <string>

namespace zorbel::files {

enum class PathState {
    kMissing,        // the path's folder exists but not the path (ERROR_FILE_NOT_FOUND)
    kParentMissing,  // a folder on the way is missing (ERROR_PATH_NOT_FOUND)
    kFile,
    kFolder,
    kError,          // any other failure (a bad name, no access)
};
PathState path_state(const std::string& path);
// The size of a file opened for reading (share read and write); -1 when it cannot be.
int64_t size_of(const std::string& path);

// Reads up to `count` bytes from `offset` (opened for reading, share read and write).
// False when the file cannot be opened; `out` then stays empty. A failing read keeps
// what was read and sets `read_failed`.
bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out, bool* read_failed);

enum class WriteOutcome { kOk, kOpenFailed, kWriteFailed };
// Opens the file for reading and writing (share read and write, created when
// missing, never truncated), moves to `offset` from the start (negative: the end)
// and writes `data`.
WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data);

bool make_folder(const std::string& path);           // one folder; its parent must exist
bool delete_file(const std::string& path);
bool copy_file(const std::string& source, const std::string& destination);  // overwrites
bool remove_empty_folder(const std::string& path);
// Copies everything inside `source` into the existing folder `destination`; true
// only when the whole copy completed.
bool copy_tree(const std::string& source, const std::string& destination);
bool delete_tree(const std::string& path);
// The absolute form of `path`; `path` itself when it cannot be made absolute.
std::string full_path(const std::string& path);
// Truncates or extends an existing file to `size` bytes.
bool set_size(const std::string& path, int64_t size);
bool set_current_folder(const std::string& path);
std::string current_folder();

// WNetAddConnection2A (looked up in MPR.DLL at run time) for a disk share on a local
// drive name: 0 when connected, the system's code otherwise, -1 without MPR.DLL.
long map_network_drive(const std::string& share, const std::string& drive);
// Tells the shell that file associations changed.
void notify_association_changed();

}  // namespace zorbel::files
