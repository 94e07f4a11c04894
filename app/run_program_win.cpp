#include "app/run_program_win.h"

#include "actions/families.h"
#include "actions/windows/window_search_win.h"
#include "engine/startup_settings.h"

namespace zorbel {

namespace {

std::string folder_of_module(HINSTANCE instance) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(instance, path, MAX_PATH);
    std::string folder = path;
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

}  // namespace

RunProgram::RunProgram(HINSTANCE instance)
    : environment(GetTickCount()),
      controller(script, run, services, host, action_families()),
      program_folder(folder_of_module(instance)),
      instance_(instance) {
    services.store = &store;
    services.environment = &environment;
    services.desktop = &system.desktop;
    services.ui = &ui;
    services.window = &current_window;
    services.run = &facts;
    services.log = &log;
    // The log's settings are read again only when the key of the settings changes.
    // ZORBEL_ONE_STEP_PER_TICK=1 (for the run engine's benchmark) runs one step per
    // tick and opens the log file and reads its settings for every line instead.
    char one_step[4] = {};
    if (GetEnvironmentVariableA("ZORBEL_ONE_STEP_PER_TICK", one_step, sizeof(one_step)) == 1 && one_step[0] == '1') {
        controller.slices = false;
        log.reopen_each_line = true;
    } else {
        log.set_settings_probes(
            [this] {
                const bool written = store.writes() != log_seen_writes;
                log_seen_writes = store.writes();
                return written;
            },
            [this] { return log_probe.changed(); });
    }
    expander.reset(new TextExpander(services));
    services.expander = expander.get();
    // Until the main window exists, variables carry no instance prefix.
    variables.reset(new Variables(store, program_folder, 0));
    services.variables = variables.get();
}

// A run still going when the program ends is stopped quietly, so that hooks come out
// and held keys go up.
RunProgram::~RunProgram() {
    if (run.running) controller.stop_run(true);
}

bool RunProgram::create_main_window(const char* title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = window_procedure;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = "Zorbel";
    RegisterClassA(&wc);
    main_window_ = CreateWindowExA(0, "Zorbel", title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    if (!main_window_) return false;
    host.set_main_window(main_window_);
    ui.set_owner(main_window_);
    SetOwnMainWindow(main_window_);
    variables.reset(new Variables(store, program_folder, reinterpret_cast<intptr_t>(main_window_)));
    services.variables = variables.get();
    SetTimer(main_window_, kClockTimerId, 5000, nullptr);
    return true;
}

void RunProgram::apply_command_line(const CommandLine& line) {
    apply_command_line_settings(store, line, variables.get());
    controller.command_line_variables = !line.variables.empty();
    controller.speed_override = line.speed;
    run.exit_after_run = (line.flags & kStartExitAfterRun) != 0;
    facts.command_line = std::string();
    if (line.unattended && !unattended_ui) {
        unattended_ui.reset(new UnattendedUserInterface(
            ui, log, [this](const std::string& text) { standard_error.write_line(text); }));
        services.ui = unattended_ui.get();
    }
}

int RunProgram::exit_code() {
    if (run.return_code != kReturnCodeNotSet) return run.return_code;
    if (unattended() && (load_failed || controller.stopped_on_failure)) return 1;
    return setting_number(store, "SOFTWARE\\Zorbel\\DefaultReturnCode");
}

bool RunProgram::handle_message(UINT message, WPARAM wparam, LPARAM, LRESULT* result) {
    switch (message) {
        case WM_TIMER:
            if (wparam == kStepTimerId) {
                controller.step_tick();
                *result = 0;
                return true;
            }
            return false;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kCommandRun:
                case kCommandRunFromHere:
                case kCommandRunSingleStep:
                    facts.script_path = script.script_path;
                    controller.start_run(LOWORD(wparam));
                    *result = 0;
                    return true;
                case kCommandStop:
                    controller.stop_run(HIWORD(wparam) == 1);
                    *result = 0;
                    return true;
            }
            return false;
    }
    return false;
}

LRESULT CALLBACK RunProgram::window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // One program per process; its window's user data stays free for window searches.
    static RunProgram* program = nullptr;
    if (message == WM_NCCREATE) program = static_cast<RunProgram*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    LRESULT result = 0;
    if (program && program->handle_message(message, wparam, lparam, &result)) return result;
    switch (message) {
        case WM_CLOSE:
            // Closing ends a run that is still going; the close itself follows.
            if (program && program->run.running) {
                program->run.exit_after_run = false;
                program->controller.stop_run(true);
            }
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace zorbel
