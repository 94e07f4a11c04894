// "zorbel /compile ["output.exe"] script.zbx": loads the script hidden, compiles it
// with the stored Compile_* settings and writes every message to the log.
#pragma once
#include <windows.h>

#include <string>

namespace zorbel {

// True when `command_line` holds the switch; `exit_code` then receives 0 on success
// or the compile's negative code.
bool run_compile_command(HINSTANCE instance, const std::string& command_line, int* exit_code);

}  // namespace zorbel
