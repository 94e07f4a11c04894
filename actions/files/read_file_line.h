// `ReadFileLine` and `CountFileLines`: the line helpers of the file actions and the
// File Line loop.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// At most this many characters of a line are returned.
constexpr size_t kMaxFileLineLength = 1023;

// Reads line `line_number` (from 1) of the file. The separator is the first line
// break of the file ("\r\n", a lone "\r" or "\n"); the line is cut at its first CR
// or LF and at 1023 characters. Returns the line's length + 1, or 0 when there is no
// such line (also for line numbers below 1 and for files that cannot be read).
int32_t read_file_line(const std::string& path, int32_t line_number, std::string* line);

// `CountFileLines`: every CR or LF counts one break and the character after it is
// skipped; the count is breaks + 1; 0 for an empty or unreadable file.
int32_t count_file_lines(const std::string& path);

}  // namespace zorbel
