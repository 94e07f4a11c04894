#include <windows.h>

#include "engine/variables.h"

namespace zorbel {

std::vector<std::string> list_variable_files(const std::string& folder) {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += "*";
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    const std::string_view ending(kVariableFileExtension);
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string_view name(found.cFileName);
        if (name.size() >= ending.size() && equals_ignore_case(name.substr(name.size() - ending.size()), ending))
            names.emplace_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return names;
}

}  // namespace zorbel
