#include <windows.h>

#include <new>

#include "platform/files.h"

namespace zorbel::files {

int64_t size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ReadResult read_all(const std::string& path, std::string* out) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return ReadResult::kOpenFailed;
    LARGE_INTEGER n;
    if (!GetFileSizeEx(h, &n) || n.QuadPart > 0x7fffffff) {
        CloseHandle(h);
        return ReadResult::kReadFailed;
    }
    try {
        out->resize(static_cast<size_t>(n.QuadPart));
    } catch (const std::bad_alloc&) {
        CloseHandle(h);
        return ReadResult::kOutOfMemory;
    }
    DWORD got = 0;
    BOOL ok = out->empty() ? TRUE : ReadFile(h, &(*out)[0], static_cast<DWORD>(out->size()), &got, nullptr);
    CloseHandle(h);
    if (!ok || got != out->size()) return ReadResult::kReadFailed;
    return ReadResult::kOk;
}

bool create_folders(const std::string& folder) {
    if (folder.empty() || exists(folder)) return true;
    // A bare drive ("C:") is never created.
    if (folder.size() == 2 && folder[1] == ':') return true;
    std::string parent = folder_of(folder);
    if (!parent.empty() && parent != folder && !create_folders(parent)) return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool write_replacing(const std::string& path, const std::string& data, int* stage) {
    // A read-only file is refused up front, as opening it for writing would be
    // (Wine's MoveFileEx would replace it).
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        *stage = 1;
        return false;
    }
    std::string temp = path + ".zbtmp";
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *stage = 1;
        return false;
    }
    DWORD written = 0;
    BOOL ok = data.empty() || WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    ok = ok && written == data.size() && FlushFileBuffers(h);
    DWORD error = GetLastError();
    CloseHandle(h);
    if (ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = GetLastError();
    DeleteFileA(temp.c_str());
    SetLastError(error);
    *stage = 2;
    return false;
}

bool remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::string last_error_text() {
    DWORD code = GetLastError();
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof(buffer), nullptr);
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == ' ')) buffer[--n] = '\0';
    if (n == 0) return "error " + std::to_string(code);
    return buffer;
}

}  // namespace zorbel::files
