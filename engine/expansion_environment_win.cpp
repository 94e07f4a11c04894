#include "engine/expansion_environment_win.h"

#include <windows.h>

#include <cstring>

#include "platform/clipboard.h"

namespace zorbel {

std::vector<std::pair<std::string, std::string>> DesktopExpansionEnvironment::environment_variables() {
    std::vector<std::pair<std::string, std::string>> out;
    char* block = GetEnvironmentStringsA();
    if (block == nullptr) return out;
    for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
        std::string_view text(entry);
        size_t equals = text.find('=');
        if (equals == std::string_view::npos) continue;
        out.emplace_back(std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)));
    }
    FreeEnvironmentStringsA(block);
    return out;
}

bool DesktopExpansionEnvironment::set_environment_variable(const std::string& name, const std::string* value,
                                                           std::string* error) {
    if (SetEnvironmentVariableA(name.c_str(), value != nullptr ? value->c_str() : nullptr)) return true;
    DWORD code = GetLastError();
    char buffer[2048] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                             sizeof(buffer) - 1, nullptr);
    if (error != nullptr) *error = n > 0 ? std::string(buffer, n) : "error " + std::to_string(code);
    return false;
}

bool DesktopExpansionEnvironment::clipboard_text(std::string* out) { return clipboard::get_text(out); }

bool DesktopExpansionEnvironment::set_clipboard_text(const std::string& text) { return clipboard::set_text(text); }

std::string DesktopExpansionEnvironment::system_folder() {
    char buffer[MAX_PATH] = {};
    UINT n = GetSystemDirectoryA(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

std::string DesktopExpansionEnvironment::windows_folder() {
    char buffer[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

std::string DesktopExpansionEnvironment::current_folder() {
    char buffer[MAX_PATH] = {};
    DWORD n = GetCurrentDirectoryA(MAX_PATH, buffer);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

VersionInfo DesktopExpansionEnvironment::version() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    VersionInfo out;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info)) return out;
#pragma GCC diagnostic pop
    out.platform = static_cast<long>(info.dwPlatformId);
    out.major = static_cast<long>(info.dwMajorVersion);
    out.minor = static_cast<long>(info.dwMinorVersion);
    out.build = static_cast<long>(info.dwBuildNumber & 0xffff);
    out.flags = static_cast<long>(info.dwBuildNumber >> 16);
    return out;
}

uint32_t DesktopExpansionEnvironment::tick_count() { return GetTickCount(); }

ScreenPoint DesktopExpansionEnvironment::mouse_position() {
    POINT p = {};
    GetCursorPos(&p);
    return ScreenPoint{p.x, p.y};
}

ScreenPoint DesktopExpansionEnvironment::screen_size() {
    return ScreenPoint{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

LocalTime DesktopExpansionEnvironment::local_time() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    LocalTime out;
    out.year = t.wYear;
    out.month = t.wMonth;
    out.day = t.wDay;
    out.hour = t.wHour;
    out.minute = t.wMinute;
    out.second = t.wSecond;
    out.weekday = t.wDayOfWeek;
    return out;
}

}  // namespace zorbel
