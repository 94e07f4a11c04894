#include "tests/testbed/event_log.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace zorbel::testbed {
namespace {

HANDLE g_file = INVALID_HANDLE_VALUE;
bool g_started = false;

}  // namespace

bool open_event_log(const std::string& path) {
    if (path.empty()) return true;
    // Shared for reading, writing and deleting: tests read the file while it grows and remove
    // their temporary folder afterwards.
    g_file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return g_file != INVALID_HANDLE_VALUE;
}

void close_event_log() {
    if (g_file != INVALID_HANDLE_VALUE) CloseHandle(g_file);
    g_file = INVALID_HANDLE_VALUE;
}

void start_event_log() { g_started = true; }

void log_event(const std::string& line, bool always) {
    if (g_file == INVALID_HANDLE_VALUE || (!g_started && !always)) return;
    std::string out = line + "\n";
    DWORD written = 0;
    // One WriteFile per line: the line reaches the file whole, never in pieces.
    WriteFile(g_file, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

void log_eventf(const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
    va_end(args);
    if (n < 0) return;
    if (static_cast<size_t>(n) < sizeof(buffer)) {
        log_event(buffer);
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(&big[0], big.size(), format, args);
    va_end(args);
    big.resize(static_cast<size_t>(n));
    log_event(big);
}

std::string escape_text(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace zorbel::testbed
