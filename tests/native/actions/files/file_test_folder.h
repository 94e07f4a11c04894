// A temporary folder for file tests, with paths written with "\" (the platform's
// file operations read it as "/" in the native build) and small file helpers.
#pragma once
#include <string>

#include "actions/files/file_system.h"
#include "tests/native/engine/expansion_fakes.h"

namespace zorbel {

struct FileTestFolder {
    TempFolder temp;
    std::string root = temp.path();

    std::string at(const std::string& relative) const { return root + "\\" + relative; }
    void put(const std::string& relative, const std::string& data) const {
        FileSystem& files = system_file_system();
        const std::string path = at(relative);
        size_t cut = path.find_last_of("\\/");
        std::string folder = path.substr(0, cut);
        std::string made;
        for (size_t i = root.size(); i <= folder.size(); ++i)
            if (i == folder.size() || folder[i] == '\\') files.make_folder(folder.substr(0, i));
        files.write_at(path, 0, data);
    }
    std::string content(const std::string& relative) const {
        std::string data;
        bool failed = false;
        if (!system_file_system().read_range(at(relative), 0, 1 << 24, &data, &failed)) return "<missing>";
        return data;
    }
    files::PathState state(const std::string& relative) const { return system_file_system().state(at(relative)); }
    bool is_folder(const std::string& relative) const { return state(relative) == files::PathState::kFolder; }
    bool is_file(const std::string& relative) const { return state(relative) == files::PathState::kFile; }
};

}  // namespace zorbel
