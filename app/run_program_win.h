// Everything a Windows program needs to run scripts: the settings store on the
// registry, the real desktop, the user interface, the run log, the variables, the
// expander, the script and run state, the action families, and the main window
// "Zorbel" that carries the step timer. The editor and the player each hold one.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "actions/windows/desktop_current_window.h"
#include "app/counting_settings_store.h"
#include "app/standard_error_win.h"
#include "app/system_desktop_win.h"
#include "app/unattended_user_interface.h"
#include "app/user_interface_win.h"
#include "core/script_state.h"
#include "engine/command_line.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment_win.h"
#include "engine/run_controller.h"
#include "engine/run_log.h"
#include "engine/run_log_probe_win.h"
#include "engine/settings_store_registry_win.h"
#include "engine/variables.h"
#include "app/window_run_host_win.h"

namespace zorbel {

constexpr int kClockTimerId = 1000;
constexpr int kMessageTimerId = 1002;

class RunProgram {
public:
    explicit RunProgram(HINSTANCE instance);
    ~RunProgram();

    // Registers the window class "Zorbel" and creates the main window (hidden until
    // shown). False when the window cannot be created.
    bool create_main_window(const char* title);
    HWND main_window() const { return main_window_; }

    // Applies what the command line says to the settings and the variables; "/u"
    // puts the unattended interface in place of the boxes.
    void apply_command_line(const CommandLine& line);

    // The interface boxes and questions go through (the unattended one under "/u").
    UserInterface& user_interface() { return *services.ui; }
    bool unattended() const { return unattended_ui != nullptr; }

    // The process exit code: the last run's return code, or "DefaultReturnCode".
    // Unattended, a run stopped by a failure or a script that could not be loaded
    // gives 1 when the script set no return code.
    int exit_code();
    // Set by the start-up when the script named on the command line did not load.
    bool load_failed = false;

    // Handles the run's messages; false when the message is not one of them.
    bool handle_message(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

    RegistrySettingsStore registry;
    // Every setting of the program is read and written through this store.
    CountingSettingsStore store{registry};
    DesktopExpansionEnvironment environment;
    SystemDesktop system;
    WinUserInterface ui;
    StandardError standard_error;
    std::unique_ptr<UnattendedUserInterface> unattended_ui;
    RunFacts facts;
    RegistryKeyProbe log_probe{kSettingsKey};
    uint64_t log_seen_writes = 0;
    RunLog log{store};
    std::unique_ptr<Variables> variables;
    RunServices services;
    std::unique_ptr<TextExpander> expander;
    ScriptState script;
    RunState run;
    DesktopCurrentWindow current_window{*system.desktop.windows, run};
    WindowRunHost host;
    RunController controller;
    std::string program_folder;

private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HINSTANCE instance_;
    HWND main_window_ = nullptr;
};

}  // namespace zorbel
