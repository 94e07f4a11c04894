// The start-up steps the editor and the player share once the command line is read:
// the switch summary of "/?", the launch error, opening the script named on the
// command line (with its load-error boxes) and posting the Run command for "/r".
// Under "/u" every box of these goes to the run log and standard error instead.
#pragma once
#include "app/run_program_win.h"
#include "engine/command_line.h"

namespace zorbel {

// "/?": shows the switch summary (unattended: writes it to standard error). The
// program then ends with the returned exit code.
int show_command_line_help(RunProgram& program, const CommandLine& line);

// The main window could not be created: "Unable to start Zorbel: Main window launch
// error". The program then ends with the returned exit code.
int report_launch_error(RunProgram& program);

// Opens the file the command line names and, for "/r" or "/v", posts the Run command.
// False when the program must end at once (a file that cannot be loaded, or nothing
// to run, with exit-after-run): `*exit_code` is then its exit code.
bool open_command_line_script(RunProgram& program, const CommandLine& line, int* exit_code);

}  // namespace zorbel
