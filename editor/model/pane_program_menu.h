// The menu beside the Run Program pane's program field: ready-made commands that
// fill the field. Desktop-free: the caller finds the programs on the machine.
#pragma once
#include <string>
#include <vector>

namespace zorbel {

// Where the machine keeps the programs the menu offers ("" when not found: the bare
// name is offered then).
struct ProgramPaths {
    std::string notepad, calc, cmd, explorer, excel, winword;
    std::string browser;  // the program registered for ".htm" files, else IEXPLORE.EXE
    std::string mail;     // the program registered for "MAIL"
};

// The commands in menu order.
std::vector<std::string> program_menu_commands(const ProgramPaths& paths);

}  // namespace zorbel
