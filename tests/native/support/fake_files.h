// The machine's files for native tests: the real file system (tests work in
// temporary folders), with every change written into the call log, names made to
// exist for the program search, and a current folder of the test's choosing.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/files/file_system.h"

namespace zorbel {

class FakeFileSystem : public FileSystem {
public:
    explicit FakeFileSystem(std::vector<std::string>& log) : calls_(log) {}

    std::set<std::string> present;                     // names that exist besides the real ones
    std::map<std::string, files::PathState> states;    // states that override the real ones
    std::string current;                               // the current folder ("" = the real one)
    long map_result = 53;                              // ERROR_BAD_NETPATH
    bool writes_refused = false;

    bool exists(const std::string& pattern) override { return present.count(pattern) || real().exists(pattern); }
    files::PathState state(const std::string& path) override {
        auto it = states.find(path);
        if (it != states.end()) return it->second;
        return present.count(path) ? files::PathState::kFile : real().state(path);
    }
    int64_t size(const std::string& path) override { return real().size(path); }
    std::vector<FoundFile> matches(const std::string& pattern) override { return real().matches(pattern); }
    bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out,
                    bool* read_failed) override {
        return real().read_range(path, offset, count, out, read_failed);
    }
    files::WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data) override {
        calls_.push_back("write [" + path + "] at " + std::to_string(offset) + " \"" + data + "\"");
        if (writes_refused) return files::WriteOutcome::kOpenFailed;
        return real().write_at(path, offset, data);
    }
    bool make_folder(const std::string& path) override { return logged("make folder", path, real().make_folder(path)); }
    bool delete_file(const std::string& path) override { return logged("delete", path, real().delete_file(path)); }
    bool copy_file(const std::string& source, const std::string& destination) override {
        return logged("copy", source + "] to [" + destination, real().copy_file(source, destination));
    }
    bool remove_empty_folder(const std::string& path) override {
        return logged("remove folder", path, real().remove_empty_folder(path));
    }
    bool copy_tree(const std::string& source, const std::string& destination) override {
        return logged("copy tree", source + "] to [" + destination, real().copy_tree(source, destination));
    }
    bool delete_tree(const std::string& path) override { return logged("delete tree", path, real().delete_tree(path)); }
    bool set_size(const std::string& path, int64_t size) override {
        return logged("set size " + std::to_string(size), path, real().set_size(path, size));
    }
    bool set_current_folder(const std::string& path) override {
        calls_.push_back("set current folder [" + path + "]");
        current = path;
        return real().state(path) == files::PathState::kFolder;
    }
    long map_network_drive(const std::string& share, const std::string& drive) override {
        calls_.push_back("map [" + share + "] as [" + drive + "]");
        return map_result;
    }
    void notify_association_changed() override { calls_.push_back("association changed"); }
    std::string full_path(const std::string& path) override { return real().full_path(path); }
    std::string current_folder() override { return current.empty() ? real().current_folder() : current; }
    std::string last_error_text() override { return real().last_error_text(); }

private:
    static FileSystem& real() { return system_file_system(); }
    bool logged(const std::string& what, const std::string& path, bool ok) {
        calls_.push_back(what + " [" + path + "]" + (ok ? "" : " failed"));
        return ok;
    }
    std::vector<std::string>& calls_;
};

}  // namespace zorbel
