// The run log writer: everything the run engine reports goes through log_line,
// which appends the text to the log file (setting "Log" non-zero, path "Logfile")
// and to the Output palette when it is shown. It adds nothing of its own: callers
// write complete lines ending in "\r\n", detail lines starting with a TAB.
#pragma once
#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

#include "core/text_rules.h"
#include "engine/run_log_file.h"
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

// "Log", "Logfile" and "LogLevel" are read at the first line and again only when the
// settings probes report a change (at every line when no probes are set).
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

    // The settings probes. `written_here` is asked at every line: whether this program
    // wrote a setting since it was last asked (a count, no system call). `changed` is
    // the change probe of the key "SOFTWARE\Zorbel": whether another program may have
    // changed a value; inside a batch it is asked at the batch's first line only.
    void set_settings_probes(std::function<bool()> written_here, std::function<bool()> changed) {
        written_here_ = std::move(written_here);
        changed_ = std::move(changed);
        known_ = false;
    }
    // A batch is one tick of the run: between begin_batch and end_batch the log file
    // stays open from line to line; outside a batch each line opens and closes it, so
    // that others may move or delete it between ticks.
    void begin_batch() { batch_ = true; }
    void end_batch() {
        batch_ = false;
        close_file();
    }
    void close_file() {
        file_.close();
        look_outside_ = true;
    }
    // Opens and closes the file for every line even inside a batch (the older, slower
    // way; for comparison).
    bool reopen_each_line = false;
    bool file_open() const { return file_.is_open(); }

private:
    void refresh();

    SettingsStore& store_;
    std::function<bool()> written_here_;
    std::function<bool()> changed_;
    bool known_ = false;
    bool look_outside_ = true;
    bool batch_ = false;
    bool enabled_ = false;
    bool detailed_ = false;
    std::string path_;
    RunLogFile file_;
};

// Appends `text` to the file at `path`, creating the file and its missing folders.
// False when the file cannot be opened or written.
bool append_to_file(const std::string& path, std::string_view text);

}  // namespace zorbel
