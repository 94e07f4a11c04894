// The run log writer: everything the run engine reports goes through log_line,
// which appends the text to the log file (setting "Log" non-zero, path "Logfile")
// and to the Output palette when it is shown. It adds nothing of its own: callers
// write complete lines ending in "\r\n", detail lines starting with a TAB.
#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

#include "core/text_rules.h"
#include "engine/settings_store.h"

namespace zorbel {

// The text box a log line is also shown in (the Output palette); the editor fills it.
class LogOutput {
public:
    virtual ~LogOutput() = default;
    // False when the box does not exist or is hidden: the line is then skipped there.
    virtual bool visible() = 0;
    // Adds `text` at the end of the box's text and scrolls it into view.
    virtual void append(std::string_view text) = 0;
};

// Formats shorter than this are formatted; longer ones are written literally.
constexpr size_t kLogLiteralFormatLength = 992;
// A formatted line is cut to this many bytes, its NUL included.
constexpr size_t kLogLineSize = 1024;

// The text one log line writes: `format` formatted with `args` (cut to 1023
// characters) when it is shorter than 992 characters, else its first 992 characters
// unformatted, "%" sequences and all.
std::string log_line_text(const char* format, va_list args);

class RunLog {
public:
    explicit RunLog(SettingsStore& store) : store_(store) {}

    // `log line`: `target` may be null (file only).
    void line(LogOutput* target, const char* format, ...) ZORBEL_PRINTF(3, 4);
    void line_v(LogOutput* target, const char* format, va_list args);
    // Writes `text` as it is (no formatting, no length rule).
    void text(LogOutput* target, std::string_view text);

    // Setting "LogLevel" non-zero: callers add their detailed lines.
    bool detailed();
    // Setting "Logfile" (up to 259 characters).
    std::string file_path();

private:
    SettingsStore& store_;
};

// Appends `text` to the file at `path`, creating the file and its missing folders.
// False when the file cannot be opened or written.
bool append_to_file(const std::string& path, std::string_view text);

}  // namespace zorbel
