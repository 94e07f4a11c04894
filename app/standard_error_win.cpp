#include "app/standard_error_win.h"

#include <windows.h>

namespace zorbel {

StandardError::~StandardError() {
    if (own_handle_ && handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

void StandardError::write_line(const std::string& line) {
    if (!resolved_) {
        resolved_ = true;
        HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
        if ((handle == nullptr || handle == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            handle = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 0, nullptr);
            own_handle_ = handle != INVALID_HANDLE_VALUE;
        }
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }
    if (!handle_) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(static_cast<HANDLE>(handle_), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace zorbel
