#include "actions/programs/program_paths.h"

#include "actions/files/file_system.h"
#include "actions/programs/process_desktop.h"
#include "core/text_rules.h"
#include "engine/expansion_environment.h"
#include "engine/run_context.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

std::string folder_before_last_separator(const std::string& path) {
    size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string in_folder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return std::string();
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// Tries one candidate: it must fit the system's paths and exist.
bool found(ProgramLookup& lookup, const std::string& candidate, std::string* out) {
    if (candidate.empty() || candidate.size() >= kMaxPathCandidate) return false;
    if (!lookup.files.exists(candidate)) return false;
    *out = candidate;
    return true;
}

std::string registry_default(SettingsStore* store, SettingsRoot root, const std::string& key,
                             const char* value = "") {
    StoredValue stored;
    if (!store || !store->read_value(root, key, value, &stored)) return std::string();
    return stored_value_text(stored);
}

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

ProgramLookup program_lookup(RunContext& context) {
    ProgramLookup lookup{*context.desktop().files, *context.desktop().processes, context.services.store,
                         context.services.environment};
    return lookup;
}

int resolve_program_path(ProgramLookup& lookup, const std::string& name, const std::string& script_path,
                         std::string* out) {
    *out = name;
    if (blank(name)) return 0;
    if (name.size() >= kMaxPathCandidate) return 1;
    if (name.find('\\') != std::string::npos && found(lookup, name, out)) return 1;
    const std::string app_paths =
        registry_default(lookup.store, SettingsRoot::kLocalMachine,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name, "Path");
    if (!app_paths.empty() && found(lookup, in_folder(app_paths.substr(0, app_paths.find(';')), name), out)) return 1;
    if (found(lookup, in_folder(lookup.files.current_folder(), name), out)) return 1;
    if (found(lookup, in_folder(folder_before_last_separator(script_path), name), out)) return 1;
    if (found(lookup, in_folder(folder_before_last_separator(lookup.processes.own_program()), name), out)) return 1;
    if (lookup.environment) {
        if (found(lookup, in_folder(lookup.environment->windows_folder(), name), out)) return 1;
        if (found(lookup, in_folder(lookup.environment->system_folder(), name), out)) return 1;
    }
    if (found(lookup, "C:\\" + name, out)) return 1;
    if (found(lookup, lookup.processes.search_path(name), out)) return 1;
    *out = name;
    return 0;
}

int resolve_for_change(ProgramLookup& lookup, const std::string& name, const std::string& script_path,
                       std::string* out) {
    *out = name;
    if (blank(name)) return 0;
    if (found(lookup, name, out)) return 1;
    if (found(lookup, in_folder(lookup.files.current_folder(), name), out)) return 1;
    if (found(lookup, in_folder(folder_before_last_separator(script_path), name), out)) return 1;
    *out = name;
    return 0;
}

std::string launcher_from_command(ExpansionEnvironment* environment, const std::string& command) {
    std::string expanded;
    size_t i = 0;
    while (i < command.size()) {
        size_t end = command[i] == '%' ? command.find('%', i + 1) : std::string::npos;
        if (end == std::string::npos || end == i + 1) {
            expanded += command[i++];
            continue;
        }
        const std::string name = command.substr(i + 1, end - i - 1);
        bool replaced = false;
        if (environment && name.find_first_of(" \"\\") == std::string::npos) {
            for (const auto& variable : environment->environment_variables()) {
                if (equals_ignore_case(variable.first, name)) {
                    expanded += variable.second;
                    replaced = true;
                    break;
                }
            }
        }
        if (replaced) {
            i = end + 1;
        } else {
            expanded += command[i++];
        }
    }
    std::string launcher;
    for (char c : expanded)
        if (c != '"') launcher += c;
    launcher = launcher.substr(0, launcher.find('%'));
    while (!launcher.empty() && launcher.back() == ' ') launcher.pop_back();
    return launcher;
}

int find_associated_launcher(ProgramLookup& lookup, const std::string& extension_or_mail,
                             const std::string& document, std::string* out) {
    out->clear();
    std::string command;
    if (equals_ignore_case(extension_or_mail, "MAIL")) {
        const std::string client = registry_default(lookup.store, SettingsRoot::kLocalMachine, "SOFTWARE\\Clients\\Mail");
        if (client.empty()) return 0;
        command = registry_default(lookup.store, SettingsRoot::kLocalMachine,
                                   "SOFTWARE\\Clients\\Mail\\" + client + "\\shell\\open\\command");
    } else {
        if (extension_or_mail.empty()) return 0;
        const std::string type = registry_default(lookup.store, SettingsRoot::kClassesRoot, extension_or_mail);
        if (type.empty()) return 0;
        command = registry_default(lookup.store, SettingsRoot::kClassesRoot, type + "\\shell\\open\\command");
        if (command.empty() && !document.empty()) command = lookup.processes.find_executable(document, "C:\\");
    }
    *out = launcher_from_command(lookup.environment, command);
    return out->empty() ? 0 : 1;
}

}  // namespace zorbel
