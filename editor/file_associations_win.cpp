#include "editor/file_associations_win.h"

#include <windows.h>

#include "core/text_rules.h"

namespace zorbel {

namespace {

// The command that opens files of a class ("" when none is registered).
std::string open_command(const std::string& file_class) {
    char value[MAX_PATH * 2] = {};
    LONG size = sizeof(value);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, (file_class + "\\shell\\open\\command").c_str(), value, &size) != ERROR_SUCCESS)
        return "";
    return value;
}

std::string class_of(const char* extension) {
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, extension, value, &size) != ERROR_SUCCESS) return "";
    return value;
}

}  // namespace

std::string browser_program() {
    std::string command = open_command(class_of(".htm"));
    const size_t exe = find_ignore_case(command, ".EXE");
    if (!command.empty() && exe != std::string::npos) {
        command = command.substr(0, exe + 4);
        if (!command.empty() && command.front() == '"') command.erase(0, 1);
        return command;
    }
    char found[MAX_PATH] = {};
    if (SearchPathA(nullptr, "IEXPLORE.EXE", nullptr, MAX_PATH, found, nullptr)) return found;
    return "IEXPLORE.EXE";
}

std::string mail_program() {
    std::string command = open_command("MAIL");
    if (command.empty()) command = open_command(class_of(".eml"));
    return trim_spaces(command.substr(0, command.find('/')));
}

std::string program_on_path(const char* name) {
    char found[MAX_PATH] = {};
    return SearchPathA(nullptr, name, nullptr, MAX_PATH, found, nullptr) ? found : "";
}

}  // namespace zorbel
