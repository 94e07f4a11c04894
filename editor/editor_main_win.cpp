// The editor's entry point and start-up: the visible editor's main window, or,
// started with "/r", a hidden window that runs the script and exits.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <string>

#include "core/script_file.h"
#include "editor/editor_frame_win.h"
#include "editor/shell_registry_win.h"
#include "engine/command_line.h"
#include "app/program_startup_win.h"
#include "app/run_program_win.h"
#include "engine/startup_settings.h"
#include "app/user_interface_win.h"
#include "packager/compile_command_win.h"

namespace zorbel {
namespace {

int run_editor(HINSTANCE instance, const std::string& command_line, int show_command) {
    int compile_code = 0;
    if (run_compile_command(instance, command_line, &compile_code)) return compile_code;
    RunProgram program(instance);
    SettingsStore& store = program.store;

    migrate_old_settings(store);
    apply_suppress_logo(store);
    CommandLine line = parse_command_line(command_line);
    if (line.show_help) return show_command_line_help(program, line);
    program.apply_command_line(line);
    program.facts.command_line = command_line;

    std::srand(GetTickCount());
    CoInitialize(nullptr);
    write_setting_defaults(store, false);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce") == 0) {  // the first start
        WinShellRegistry shell;
        register_file_type(shell, ".zbx", editor_program_path());
    }
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "StartupSamplesShown");

    // The visible editor: its own main window, which stores what it must on the way out.
    if (!(line.flags & kStartHidden)) {
        EditorFrame frame(program, instance, line);
        if (!frame.create()) return report_launch_error(program);
        const int code = frame.run(show_command);
        CoUninitialize();
        return code;
    }

    if (!program.create_main_window("Zorbel")) return report_launch_error(program);
    HWND main_window = program.main_window();
    if (!(line.flags & kStartHidden)) ShowWindow(main_window, show_command);

    int exit_code = 0;
    if (!open_command_line_script(program, line, &exit_code)) return exit_code;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    write_setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce",
                         setting_number(store, "SOFTWARE\\Zorbel\\RunAtLeastOnce") + 1);
    CoUninitialize();
    return program.exit_code();
}

}  // namespace
}  // namespace zorbel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show_command) {
    return zorbel::run_editor(instance, command_line ? command_line : "", show_command);
}
