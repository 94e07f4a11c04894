// Thin file-system wrappers: the only place the script model touches the OS for files.
// files_posix.cpp serves the native build, files_win.cpp the Windows programs.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel::files {

// Size of the file in bytes; -1 when it does not exist or is not a file.
int64_t size(const std::string& path);

enum class ReadResult { kOk, kOpenFailed, kReadFailed, kOutOfMemory };
// Reads the whole file into `out` (other programs may read it meanwhile).
ReadResult read_all(const std::string& path, std::string* out);

// Creates every missing folder of `folder` (a bare drive such as "C:" is left alone).
// Returns false when a folder could not be made; the system error stays current.
bool create_folders(const std::string& folder);

// The folder part of `path` (before its last '\' or '/'); empty when there is none.
std::string folder_of(const std::string& path);
// The name part of `path` (after its last '\' or '/').
std::string name_of(const std::string& path);

// Writes `data` to `path` so that the old file is replaced only once the new one is
// complete: a temporary file in the same folder, then an atomic replace.
// On failure `stage` says where it failed (1 creating, 2 writing or replacing) and
// the old file, if any, is untouched.
bool write_replacing(const std::string& path, const std::string& data, int* stage);

bool remove(const std::string& path);
bool exists(const std::string& path);

// The text of the last system error of this thread (strerror / FormatMessage).
std::string last_error_text();

}  // namespace zorbel::files
