#include <dirent.h>
#include <sys/stat.h>

#include "engine/variables.h"

namespace zorbel {

std::vector<std::string> list_variable_files(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    const std::string_view ending(kVariableFileExtension);
    while (dirent* entry = readdir(dir)) {
        std::string_view name(entry->d_name);
        if (name.size() < ending.size() || !equals_ignore_case(name.substr(name.size() - ending.size()), ending))
            continue;
        struct stat info;
        std::string path = folder + "/" + std::string(name);
        if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.emplace_back(name);
    }
    closedir(dir);
    return names;
}

}  // namespace zorbel
