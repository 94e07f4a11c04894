#include "engine/run_log.h"

#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace zorbel {

std::string log_line_text(const char* format, va_list args) {
    if (format == nullptr) return std::string();
    size_t length = std::strlen(format);
    if (length >= kLogLiteralFormatLength) return std::string(format, kLogLiteralFormatLength);
    char buffer[kLogLineSize];
    int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
    if (n < 0) return std::string();
    return std::string(buffer);
}

bool append_to_file(const std::string& path, std::string_view text) {
    if (path.empty()) return false;
    std::string folder = files::folder_of(path);
    if (!folder.empty()) files::create_folders(folder);
    // One open, append and close per line: nothing is buffered between lines.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) return false;
    bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void RunLog::line(LogOutput* target, const char* format, ...) {
    va_list args;
    va_start(args, format);
    line_v(target, format, args);
    va_end(args);
}

void RunLog::line_v(LogOutput* target, const char* format, va_list args) {
    text(target, log_line_text(format, args));
}

void RunLog::refresh() {
    if (known_ && written_here_ && changed_) {
        bool changed = written_here_();
        if (look_outside_ || !batch_) changed = changed_() || changed;
        look_outside_ = false;
        if (!changed) return;
    }
    enabled_ = setting_number(store_, "SOFTWARE\\Zorbel\\Log") != 0;
    detailed_ = setting_number(store_, "SOFTWARE\\Zorbel\\LogLevel") != 0;
    path_ = setting_text(store_, "SOFTWARE\\Zorbel\\Logfile");
    known_ = true;
    look_outside_ = false;
}

void RunLog::text(LogOutput* target, std::string_view line) {
    refresh();
    // A log file that cannot be opened is skipped silently; the box still gets the line.
    if (enabled_) {
        file_.append(path_, line);
        if (reopen_each_line || !batch_) file_.close();
    }
    if (target != nullptr && target->visible()) target->append(line);
}

bool RunLog::detailed() {
    refresh();
    return detailed_;
}

std::string RunLog::file_path() {
    refresh();
    return path_;
}

}  // namespace zorbel
