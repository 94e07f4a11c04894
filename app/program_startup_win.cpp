#include "app/program_startup_win.h"

#include "core/script_file.h"

namespace zorbel {

int show_command_line_help(RunProgram& program, const CommandLine& line) {
    if (line.unattended)
        program.standard_error.write_line(unattended_box_line("Zorbel", kCommandLineHelp, "OK"));
    else
        MessageBoxA(nullptr, kCommandLineHelp, "Zorbel", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    return 0;
}

int report_launch_error(RunProgram& program) {
    if (program.unattended())
        program.user_interface().error_box("Unable to start Zorbel: Main window launch error");
    else
        MessageBoxA(nullptr, "Unable to start Zorbel: Main window launch error", "Error",
                    MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    return 0;
}

bool open_command_line_script(RunProgram& program, const CommandLine& line, int* exit_code) {
    UserInterface& ui = program.user_interface();
    if ((line.flags & kStartOpenFile) && !line.file.empty()) {
        if (load_script(&program.script, line.file, &ui) == 0) {
            ui.error_box(format("Unable to load '%s'", line.file.c_str()));
            program.load_failed = true;
            if (line.flags & kStartExitAfterRun) {
                *exit_code = program.unattended() ? 1 : 0;
                return false;
            }
        } else if (line.flags & kStartRunScript) {
            PostMessageA(program.main_window(), WM_COMMAND, kCommandRun, 0);
        }
    }
    if ((line.flags & kStartExitAfterRun) && program.script.step_count() == 0) {
        *exit_code = program.exit_code();
        return false;
    }
    return true;
}

}  // namespace zorbel
