// The testbed's event log: one line per event, appended to a file and written through at once,
// so that a test in another process reads every line as soon as the event has happened.
#pragma once
#include <string>

namespace zorbel::testbed {

// Opens the log (appending, created when missing); an empty path gives a log that writes
// nothing. Returns false when the file cannot be opened.
bool open_event_log(const std::string& path);
void close_event_log();

// Events are dropped until the log is started (at READY), so a log begins with READY.
void start_event_log();

// Writes one line; the "\n" is added. Lines before start_event_log() are dropped unless
// `always` is set.
void log_event(const std::string& line, bool always = false);
void log_eventf(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

// A control's text as TEXT lines print it: backslash, CR, LF and TAB written as \\, \r, \n, \t.
std::string escape_text(const std::string& text);

}  // namespace zorbel::testbed
