// The player's package: the additional files it unpacks at start and removes at exit,
// and the command that deletes the player's own file once it has ended.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "packager/resource_store.h"

namespace zorbel {

constexpr size_t kMaxUnpackPath = 259;  // characters of a destination path

// True when the package marker names a package list (105 .. 0xAABBCBFF). The player
// links this, so it holds no marker word of its own.
bool is_package_id(uint32_t marker);

// What unpacking needs from the file system.
class PackageFiles {
public:
    virtual ~PackageFiles() = default;
    virtual bool exists(const std::string& path) = 0;  // a file or a folder
    virtual bool create_folder(const std::string& path) = 0;
    virtual bool write(const std::string& path, const Bytes& bytes) = 0;
    virtual bool remove_file(const std::string& path) = 0;
    virtual bool remove_empty_folder(const std::string& path) = 0;
    virtual std::string full_path(const std::string& path) = 0;  // against the current folder
};

// What one start created, so that exit removes exactly that.
struct UnpackRecord {
    std::vector<std::string> files;    // full paths of files this start created
    std::vector<std::string> folders;  // full paths of folders this start created, outermost first
};

// The destination of each entry of `list`: `folder` + the entry (an entry with a ":"
// gives only what follows its drive and "\"), or the entry itself without a folder.
// False with `error` set when a destination would exceed kMaxUnpackPath characters.
bool package_destinations(const std::string& list, const std::string& folder, std::vector<std::string>* out,
                          std::string* error);

// The unpack folder as stored: a single blank is none.
std::string stored_unpack_folder(const Bytes& resource);

// Writes each entry's resource (id + 2 + k; an empty file when missing) to its
// destination. An existing file is left alone and not recorded; a destination that
// cannot be written is skipped. `shown` receives each entry as extracted.
bool unpack_package(ResourceReader& resources, uint32_t id, const std::string& folder, PackageFiles& files,
                    UnpackRecord* record, std::string* error, std::vector<std::string>* shown = nullptr);

// Deletes the recorded files (going on past one that cannot be deleted), then the
// recorded folders deepest first while empty. Each deleted file gives a log line.
void remove_unpacked(const UnpackRecord& record, PackageFiles& files, std::vector<std::string>* log_lines);

// The parameters for the command interpreter that deletes `path` once the program
// has ended, waiting a bounded time; empty when `path` cannot be quoted safely.
std::string self_delete_parameters(const std::string& path);
// The fall-back batch file that does the same and then deletes itself.
std::string self_delete_batch(const std::string& path, const std::string& batch_path);

}  // namespace zorbel
