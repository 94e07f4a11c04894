// The editor's window listings and log viewer, the parts that need no desktop: which
// windows a listing takes, where the listing file goes, and what opening the log says.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

// The search mode (actions/windows/window_rules.h) of a listing command: every window
// and control, captioned windows, or captioned windows without a parent. -1 for any
// other command.
int32_t window_listing_mode(int command);

// "windows.txt" in the folder of `program_path` (the program's own name replaced).
std::string window_listing_path(const std::string& program_path);

// Opening the log: the file is shown, or one of two messages when it is missing or empty.
enum class LogfileAnswer { kOpen, kEmpty, kEmptyAndLoggingOff };
LogfileAnswer logfile_answer(bool exists, uint64_t size, int32_t log_setting);

extern const char kLogfileEmpty[];
extern const char kLogfileEmptyLoggingOff[];

}  // namespace zorbel
