// What the file and folder actions do to the machine's files, as one interface on the
// desktop seam. system_file_system() is the real one in both builds (the platform's
// file operations, POSIX in the native build); native tests wrap it in a fake that
// writes every change into the call log.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_operations.h"
#include "platform/file_search.h"

namespace zorbel {

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // `FileExists`: a match of the pattern, or an existing path of any kind.
    virtual bool exists(const std::string& pattern) = 0;
    virtual files::PathState state(const std::string& path) = 0;
    // The file's size; -1 when it cannot be opened.
    virtual int64_t size(const std::string& path) = 0;
    // The entries matching the pattern, "." and ".." included as the system gives them.
    virtual std::vector<FoundFile> matches(const std::string& pattern) = 0;
    virtual bool read_range(const std::string& path, int64_t offset, size_t count, std::string* out,
                            bool* read_failed) = 0;

    virtual files::WriteOutcome write_at(const std::string& path, int64_t offset, const std::string& data) = 0;
    virtual bool make_folder(const std::string& path) = 0;
    virtual bool delete_file(const std::string& path) = 0;
    virtual bool copy_file(const std::string& source, const std::string& destination) = 0;
    virtual bool remove_empty_folder(const std::string& path) = 0;
    virtual bool copy_tree(const std::string& source, const std::string& destination) = 0;
    virtual bool delete_tree(const std::string& path) = 0;
    virtual bool set_size(const std::string& path, int64_t size) = 0;
    virtual bool set_current_folder(const std::string& path) = 0;
    virtual long map_network_drive(const std::string& share, const std::string& drive) = 0;
    virtual void notify_association_changed() = 0;

    virtual std::string full_path(const std::string& path) = 0;
    virtual std::string current_folder() = 0;
    // The text of the last system error of this thread.
    virtual std::string last_error_text() = 0;
};

// The machine's files (for the program shell to assemble, and for native tests to wrap).
FileSystem& system_file_system();

}  // namespace zorbel
