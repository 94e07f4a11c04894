#include "actions/files/read_file_line.h"

#include "platform/file_operations.h"

namespace zorbel {

namespace {

constexpr size_t kChunkSize = 1048576;

// Reads the file in chunks and hands each to `visit` until it returns false.
template <typename Visit>
bool for_each_chunk(const std::string& path, Visit visit) {
    std::string chunk;
    bool read_failed = false;
    for (int64_t offset = 0;; offset += static_cast<int64_t>(chunk.size())) {
        if (!files::read_range(path, offset, kChunkSize, &chunk, &read_failed)) return offset > 0;
        if (chunk.empty() || !visit(chunk.data(), chunk.size()) || read_failed) break;
    }
    return true;
}

}  // namespace

// The file is scanned as one stream, so a line or a "\r\n" pair that straddles two
// chunks of a large file is read whole and counted once.
int32_t read_file_line(const std::string& path, int32_t line_number, std::string* line) {
    line->clear();
    if (line_number < 1) return 0;
    enum class Separator { kUnknown, kCrLf, kCr, kLf } separator = Separator::kUnknown;
    int32_t current = 1;
    bool any_data = false;
    bool found = false;
    bool collecting = line_number == 1;
    bool done = false;
    bool pending_cr = false;  // a CR seen as the last byte of the previous chunk (CR LF files)
    for_each_chunk(path, [&](const char* data, size_t n) {
        any_data = true;
        for (size_t i = 0; i < n; ++i) {
            const char c = data[i];
            if (separator == Separator::kUnknown && (c == '\r' || c == '\n')) {
                if (c == '\n') separator = Separator::kLf;
                else if (i + 1 < n) separator = data[i + 1] == '\n' ? Separator::kCrLf : Separator::kCr;
                else separator = Separator::kCrLf;  // decided by the next byte below
            }
            if (collecting) {
                found = true;
                if (c == '\r' || c == '\n' || line->size() >= kMaxFileLineLength) collecting = false;
                else line->push_back(c);
            }
            bool is_break = false;
            if (separator == Separator::kLf) is_break = c == '\n';
            else if (separator == Separator::kCr) is_break = c == '\r';
            else if (separator == Separator::kCrLf) {
                is_break = pending_cr && c == '\n';
                pending_cr = c == '\r';
            }
            if (is_break) {
                if (found && !collecting) {
                    done = true;
                    return false;
                }
                ++current;
                if (current == line_number) {
                    collecting = true;
                    found = true;
                }
            }
        }
        return true;
    });
    if (done || found) return static_cast<int32_t>(line->size()) + 1;
    (void)any_data;
    return 0;
}

int32_t count_file_lines(const std::string& path) {
    int32_t breaks = 0;
    bool skip_next = false;
    bool any = false;
    bool opened = for_each_chunk(path, [&](const char* data, size_t n) {
        any = true;
        for (size_t i = 0; i < n; ++i) {
            if (skip_next) {
                skip_next = false;
                continue;
            }
            if (data[i] == '\r' || data[i] == '\n') {
                ++breaks;
                skip_next = true;
            }
        }
        return true;
    });
    if (!opened || !any) return 0;
    return breaks + 1;
}

}  // namespace zorbel
