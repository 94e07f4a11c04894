// `StartProcess`: starts a command line by the first of five methods that works
// (CreateProcess as written, on the resolved .EXE, through the document's launcher,
// through the file type's open command, then the shell's "open"), optionally hidden,
// and waits for the program to end when asked.
#pragma once
#include <cstdint>
#include <string>

namespace zorbel {

struct RunContext;

// Results besides a waited program's exit code.
constexpr int32_t kStartedNotWaited = 1;
constexpr int32_t kStillRunning = -12348;
constexpr int32_t kNotStarted = -12349;

// `wait_ms`: 0 does not wait, a positive limit in milliseconds, negative waits without
// a limit. Returns the exit code of a program that ended within the limit,
// kStartedNotWaited, kStillRunning (the program keeps running) or kNotStarted.
int32_t start_process(RunContext& context, const std::string& command, bool visible, int64_t wait_ms);

// The log's form of a command: whole below 122 characters, else its first 122 and "...".
std::string command_for_log(const std::string& command);
// The working folder of method 1: the text before the last "\" of the quoted command
// with every quote removed ("C:" becomes "C:\").
std::string working_folder_of(const std::string& quoted_command);

}  // namespace zorbel
