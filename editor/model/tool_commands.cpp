#include "editor/model/tool_commands.h"

#include "actions/windows/window_rules.h"
#include "editor/command_ids.h"

namespace zorbel {

const char kLogfileEmpty[] = "The logfile is empty.";
const char kLogfileEmptyLoggingOff[] =
    "The logfile is empty, and logging is currently disabled.\n\nGo to \"Tools - Options\" to adjust the logfile "
    "settings.\n\nDo you want to go there now?";

int32_t window_listing_mode(int command) {
    switch (command) {
        case cmd::kAllWindows: return static_cast<int32_t>(kModeAnyWindow);
        case cmd::kPopupWindows: return static_cast<int32_t>(kModeFramedVisible);
        case cmd::kMainWindows: return static_cast<int32_t>(kModeFramedVisibleTopLevel);
    }
    return -1;
}

std::string window_listing_path(const std::string& program_path) {
    const size_t slash = program_path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : program_path.substr(0, slash + 1)) + "windows.txt";
}

LogfileAnswer logfile_answer(bool exists, uint64_t size, int32_t log_setting) {
    if (exists && size > 0) return LogfileAnswer::kOpen;
    return log_setting != 0 ? LogfileAnswer::kEmpty : LogfileAnswer::kEmptyAndLoggingOff;
}

}  // namespace zorbel
