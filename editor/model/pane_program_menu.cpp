#include "editor/model/pane_program_menu.h"

#include "editor/model/new_step.h"

namespace zorbel {

namespace {

std::string or_name(const std::string& path, const char* name) { return path.empty() ? name : path; }

}  // namespace

std::vector<std::string> program_menu_commands(const ProgramPaths& paths) {
    const std::string browser = or_name(paths.browser, "IEXPLORE.EXE");
    std::vector<std::string> commands = {
        or_name(paths.notepad, "NOTEPAD.EXE"),
        or_name(paths.calc, "CALC.EXE"),
        or_name(paths.cmd, "CMD.EXE") + " /C dir c:\\*.* /s",
        or_name(paths.explorer, "EXPLORER.EXE"),
        or_name(paths.excel, "EXCEL.EXE"),
        or_name(paths.winword, "WINWORD.EXE"),
        browser,
        browser + " " + kSampleWebAddress,
    };
    if (!paths.mail.empty()) commands.push_back(paths.mail);
    for (const char* tail : {" Shell32.dll Control_RunDLLA appwiz.cpl", " Shell32.dll Control_RunDLLA timedate.cpl",
                             " Shell32.dll Control_RunDLLA desk.cpl", " Shell32.dll Control_RunDLLA main.cpl @0",
                             " Shell32.dll Control_RunDLLA main.cpl @1", " DevMgr.dll DeviceManager_ExecuteA",
                             " Shell32.dll Control_RunDLLA sysdm.cpl,,0"})
        commands.push_back(std::string("rundll32.exe") + tail);
    return commands;
}

}  // namespace zorbel
