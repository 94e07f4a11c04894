// In-memory files for the compiler's and the player's file access.
#pragma once
#include <map>
#include <set>
#include <string>

#include "core/step_record.h"
#include "core/text_rules.h"
#include "packager/compile_files.h"
#include "packager/player_package.h"

namespace zorbel::test {

class FakeFiles : public CompileFiles, public PackageFiles {
public:
    std::map<std::string, Bytes> files;   // full path -> content
    std::set<std::string> folders;
    std::set<std::string> unreadable;
    std::set<std::string> undeletable;
    std::string current = "C:\\work";

    void add(const std::string& path, const std::string& content) { files[path] = bytes_of(content); }

    // Names compare without regard to case, as on Windows.
    const Bytes* find(const std::string& path) const {
        for (const auto& f : files)
            if (equals_ignore_case(f.first, path)) return &f.second;
        return nullptr;
    }
    bool is_file(const std::string& path) override { return find(path) != nullptr; }
    bool read(const std::string& path, Bytes* out) override {
        if (!find(path) || unreadable.count(path)) return false;
        *out = *find(path);
        return true;
    }
    std::vector<FolderEntry> list(const std::string& folder) override {
        std::vector<FolderEntry> out = {{".", true}, {"..", true}};
        const std::string prefix = folder + "\\";
        for (const auto& f : files)
            if (f.first.rfind(prefix, 0) == 0 && f.first.find('\\', prefix.size()) == std::string::npos)
                out.push_back({f.first.substr(prefix.size()), false});
        for (const auto& d : folders)
            if (d.rfind(prefix, 0) == 0 && d.find('\\', prefix.size()) == std::string::npos)
                out.push_back({d.substr(prefix.size()), true});
        return out;
    }

    bool exists(const std::string& path) override { return files.count(path) || folders.count(path); }
    bool create_folder(const std::string& path) override { return folders.insert(path).second; }
    bool write(const std::string& path, const Bytes& bytes) override {
        files[path] = bytes;
        return true;
    }
    bool remove_file(const std::string& path) override {
        if (undeletable.count(path)) return false;
        return files.erase(path) != 0;
    }
    bool remove_empty_folder(const std::string& path) override {
        for (const auto& f : files)
            if (f.first.rfind(path + "\\", 0) == 0) return false;
        for (const auto& d : folders)
            if (d.rfind(path + "\\", 0) == 0) return false;
        return folders.erase(path) != 0;
    }
    std::string full_path(const std::string& path) override {
        return path.find(':') != std::string::npos ? path : current + "\\" + path;
    }
};

inline Step make_step(const char* action, const std::string& text, uint32_t family = 0) {
    Step step;
    copy_to_field(step.action, action);
    step.text = text;
    step.family = family;
    return step;
}

}  // namespace zorbel::test
