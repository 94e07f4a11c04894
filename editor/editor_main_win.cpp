// The editor's entry point and start-up: the visible editor's main window, or,
// started with "/r", a hidden window that runs the script and exits.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <string>

#include "core/script_file.h"
#include "editor/editor_frame_win.h"
#include "engine/command_line.h"
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
    if (line.show_help) {
        MessageBoxA(nullptr, kCommandLineHelp, "Zorbel", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        return 0;
    }
    program.apply_command_line(line);
    program.facts.command_line = command_line;

    std::srand(GetTickCount());
    CoInitialize(nullptr);
    write_setting_defaults(store, false);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "StartupSamplesShown");

    // The visible editor: its own main window, which stores what it must on the way out.
    if (!(line.flags & kStartHidden)) {
        EditorFrame frame(program, instance, line);
        if (!frame.create()) {
            MessageBoxA(nullptr, "Unable to start Zorbel: Main window launch error", "Error",
                        MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
            return 0;
        }
        const int code = frame.run(show_command);
        CoUninitialize();
        return code;
    }

    if (!program.create_main_window("Zorbel")) {
        MessageBoxA(nullptr, "Unable to start Zorbel: Main window launch error", "Error",
                    MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return 0;
    }
    HWND main_window = program.main_window();
    if (!(line.flags & kStartHidden)) ShowWindow(main_window, show_command);

    WinUserInterface& ui = program.ui;
    if ((line.flags & kStartOpenFile) && !line.file.empty()) {
        if (load_script(&program.script, line.file, &ui) == 0) {
            ui.error_box(format("Unable to load '%s'", line.file.c_str()));
            if (line.flags & kStartExitAfterRun) return 0;
        } else if (line.flags & kStartRunScript) {
            PostMessageA(main_window, WM_COMMAND, kCommandRun, 0);
        }
    }
    if ((line.flags & kStartExitAfterRun) && program.script.step_count() == 0) return program.exit_code();

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
