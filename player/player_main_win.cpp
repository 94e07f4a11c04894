// The player's entry point: a copy of this program carries a compiled script in its
// resources. It unpacks its package, runs the script once in a hidden window, removes
// what it unpacked and, when asked, deletes its own file.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdint>
#include <string>

#include "app/run_program_win.h"
#include "core/text_rules.h"
#include "engine/command_line.h"
#include "engine/startup_settings.h"
#include "packager/compile_switch.h"
#include "packager/player_package.h"
#include "packager/resources_win.h"
#include "packager/script_payload.h"
#include "player/player_files_win.h"

// The marker words the compiler overwrites in each copy: the package list id, then
// the delete flags. They are data, stand once in the file, and stay adjacent.
extern "C" {
volatile uint32_t zorbel_player_markers[2] = {0xAABBCCD1u, 0xAABBCCD2u};
}

namespace zorbel {
namespace {

std::string own_path() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(path, length);
}

std::string with_log_extension(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const size_t dot = path.find_last_of('.');
    return (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path) +
           ".log";
}

// Writes an embedded file back where its step expects it, when it is missing there.
void restore_embedded_files(const ScriptState& script, ResourceReader& resources) {
    SystemPackageFiles files;
    for (const Step& step : script.steps) {
        if (step.embedded_id <= 0 || step.embedded_id > 0xFFFF) continue;
        const std::string path =
            step.embedded_kind == 2 ? std::string(field_text(step.value[0])) : step.text.substr(0, step.text.find('\0'));
        Bytes content;
        if (path.empty() || files.exists(path) ||
            !resources.read(kResourceRcData, static_cast<uint16_t>(step.embedded_id), &content))
            continue;
        files.write(path, content);
    }
}

int run_player(HINSTANCE instance, const std::string& command_line) {
    const uint32_t package_id = zorbel_player_markers[0];
    const uint32_t delete_flags = zorbel_player_markers[1];
    const std::string self = own_path();
    RunProgram program(instance);
    ModuleResources resources(static_cast<HMODULE>(instance));
    SystemPackageFiles files;
    UnpackRecord unpacked;

    if (is_package_id(package_id)) {
        Bytes stored;
        std::string folder;
        // A folder too long for a path is refused by the unpacking, never dropped.
        if (resources.read(kResourceRcData, static_cast<uint16_t>(package_id + 1), &stored))
            folder = stored_unpack_folder(stored);
        if (folder.find('%') != std::string::npos) folder = program.expander->expanded(folder);
        std::string error;
        if (!unpack_package(resources, package_id, folder, files, &unpacked, &error)) {
            MessageBoxA(nullptr, error.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
            return 0;
        }
    }

    SettingsStore& store = program.store;
    migrate_old_settings(store);
    apply_suppress_logo(store);
    std::string arguments = command_line;
    std::string ignored;
    take_compile_switch(&arguments, &ignored);
    CommandLine line = parse_command_line(arguments);
    line.file = self;
    line.flags = kStartHidden | kStartOpenFile | kStartRunScript | kStartExitAfterRun;
    program.apply_command_line(line);
    program.facts.command_line = command_line;
    if (setting_text(store, "SOFTWARE\\Zorbel\\Logfile").empty())
        write_setting_text(store, "SOFTWARE\\Zorbel\\Logfile", with_log_extension(self));

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    store.delete_value(SettingsRoot::kCurrentUser, kSettingsKey, "StartupSamplesShown");

    int exit_code = 0;
    if (!program.create_main_window("Zorbel")) {
        MessageBoxA(nullptr, "Unable to start Zorbel: Main window launch error", "Error",
                    MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
    } else if (!load_script_payload(resources, self, &program.script)) {
        program.ui.error_box(format("Unable to load '%s'", self.c_str()));
    } else {
        restore_embedded_files(program.script, resources);
        if (program.script.step_count() > 0) {
            PostMessageA(program.main_window(), WM_COMMAND, kCommandRun, 0);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        exit_code = program.exit_code();
    }
    if (program.main_window() && IsWindow(program.main_window())) DestroyWindow(program.main_window());

    if ((delete_flags & 1) && is_package_id(package_id)) {
        std::vector<std::string> lines;
        remove_unpacked(unpacked, files, &lines);
        for (const std::string& text : lines) program.log.text(nullptr, text);
    }
    CoUninitialize();
    if ((delete_flags & 2) && !self.empty()) start_self_delete(self);
    return exit_code;
}

}  // namespace
}  // namespace zorbel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    return zorbel::run_player(instance, command_line ? command_line : "");
}
