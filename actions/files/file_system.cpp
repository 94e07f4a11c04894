#include "actions/files/file_system.h"

#include "platform/files.h"

namespace zorbel {

namespace {

class SystemFileSystem : public FileSystem {
public:
    bool exists(const std::string& pattern) override { return files::matches_exist(pattern); }
    files::PathState state(const std::string& path) override { return files::path_state(path); }
    int64_t size(const std::string& path) override { return files::size_of(path); }
    std::vector<FoundFile> matches(const std::string& pattern) override {
        std::vector<FoundFile> out;
        FileSearch search;
        FoundFile found;
        for (bool more = search.first(pattern, &found); more; more = search.next(&found)) out.push_back(found);
        return out;
    }
    bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out,
                    bool* read_failed) override {
        return files::read_range(path, offset, count, out, read_failed);
    }
    files::WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data) override {
        return files::write_at(path, offset, data);
    }
    bool make_folder(const std::string& path) override { return files::make_folder(path); }
    bool delete_file(const std::string& path) override { return files::delete_file(path); }
    bool copy_file(const std::string& source, const std::string& destination) override {
        return files::copy_file(source, destination);
    }
    bool remove_empty_folder(const std::string& path) override { return files::remove_empty_folder(path); }
    bool copy_tree(const std::string& source, const std::string& destination) override {
        return files::copy_tree(source, destination);
    }
    bool delete_tree(const std::string& path) override { return files::delete_tree(path); }
    bool set_size(const std::string& path, int64_t size) override { return files::set_size(path, size); }
    bool set_current_folder(const std::string& path) override { return files::set_current_folder(path); }
    long map_network_drive(const std::string& share, const std::string& drive) override {
        return files::map_network_drive(share, drive);
    }
    void notify_association_changed() override { files::notify_association_changed(); }
    std::string full_path(const std::string& path) override { return files::full_path(path); }
    std::string current_folder() override { return files::current_folder(); }
    std::string last_error_text() override { return files::last_error_text(); }
};

}  // namespace

FileSystem& system_file_system() {
    static SystemFileSystem files;
    return files;
}

}  // namespace zorbel
