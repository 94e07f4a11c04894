#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winnetwk.h>

#include <vector>

#include "platform/file_operations.h"

namespace zorbel::files {

namespace {

HANDLE open_shared(const std::string& path, DWORD access, DWORD disposition) {
    // A read-only file is refused for writing as Windows refuses it (Wine lets a
    // privileged user open it).
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if ((access & GENERIC_WRITE) && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool seek(HANDLE file, int64_t offset) {
    LARGE_INTEGER at;
    at.QuadPart = offset < 0 ? 0 : offset;
    return SetFilePointerEx(file, at, nullptr, offset < 0 ? FILE_END : FILE_BEGIN) != 0;
}

// A double-NUL terminated path list of one path.
std::vector<char> path_list(const std::string& path) {
    std::vector<char> list(path.begin(), path.end());
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

// One silent shell file operation; true only when it returned 0 and nothing was aborted.
bool shell_operation(UINT operation, const std::string& from, const std::string& to) {
    std::vector<char> source = path_list(from);
    std::vector<char> destination = path_list(to);
    SHFILEOPSTRUCTA op = {};
    op.wFunc = operation;
    op.pFrom = source.data();
    op.pTo = to.empty() ? nullptr : destination.data();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

}  // namespace

PathState path_state(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathState::kFolder : PathState::kFile;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND: return PathState::kMissing;
        case ERROR_PATH_NOT_FOUND: return PathState::kParentMissing;
        default: return PathState::kError;
    }
}

int64_t size_of(const std::string& path) {
    HANDLE file = open_shared(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size;
    const bool ok = GetFileSizeEx(file, &size) != 0;
    CloseHandle(file);
    return ok ? size.QuadPart : -1;
}

bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out, bool* read_failed) {
    out->clear();
    *read_failed = false;
    HANDLE file = open_shared(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    out->resize(count);
    DWORD got = 0;
    if (count > 0 && (!seek(file, offset) || !ReadFile(file, &(*out)[0], static_cast<DWORD>(count), &got, nullptr)))
        *read_failed = true;
    out->resize(got);
    CloseHandle(file);
    return true;
}

WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data) {
    HANDLE file = open_shared(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return WriteOutcome::kOpenFailed;
    DWORD written = 0;
    bool ok = seek(file, offset) &&
              (data.empty() || (WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                                written == data.size()));
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return ok ? WriteOutcome::kOk : WriteOutcome::kWriteFailed;
}

bool make_folder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }
bool delete_file(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }
bool copy_file(const std::string& source, const std::string& destination) {
    return CopyFileA(source.c_str(), destination.c_str(), FALSE) != 0;
}
bool remove_empty_folder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool copy_tree(const std::string& source, const std::string& destination) {
    return shell_operation(FO_COPY, source + "\\*.*", destination);
}

bool delete_tree(const std::string& path) { return shell_operation(FO_DELETE, path, std::string()); }

std::string full_path(const std::string& path) {
    char buffer[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
    if (n == 0 || n >= MAX_PATH) return path;
    return std::string(buffer, n);
}

bool set_size(const std::string& path, int64_t size) {
    HANDLE file = open_shared(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = size >= 0 && seek(file, size) && SetEndOfFile(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return ok;
}

bool set_current_folder(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != 0; }

std::string current_folder() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return n && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

long map_network_drive(const std::string& share, const std::string& drive) {
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (!mpr) return -1;
    using AddConnection = DWORD(WINAPI*)(LPNETRESOURCEA, LPCSTR, LPCSTR, DWORD);
    auto add = reinterpret_cast<AddConnection>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetAddConnection2A")));
    long result = -1;
    if (add) {
        std::vector<char> local(drive.begin(), drive.end()), remote(share.begin(), share.end());
        local.push_back('\0');
        remote.push_back('\0');
        NETRESOURCEA resource = {};
        resource.dwScope = RESOURCE_GLOBALNET;
        resource.dwType = RESOURCETYPE_DISK;
        resource.lpLocalName = local.data();
        resource.lpRemoteName = remote.data();
        result = static_cast<long>(add(&resource, nullptr, nullptr, CONNECT_UPDATE_PROFILE));
    }
    FreeLibrary(mpr);
    return result;
}

void notify_association_changed() { SHChangeNotify(SHCNE_ASSOCCHANGED, 0, nullptr, nullptr); }

}  // namespace zorbel::files
