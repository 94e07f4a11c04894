// The player's file access for unpacking and removing its package.
#pragma once
#include "packager/player_package.h"

namespace zorbel {

class SystemPackageFiles : public PackageFiles {
public:
    bool exists(const std::string& path) override;
    bool create_folder(const std::string& path) override;
    bool write(const std::string& path, const Bytes& bytes) override;
    bool remove_file(const std::string& path) override;
    bool remove_empty_folder(const std::string& path) override;
    std::string full_path(const std::string& path) override;
};

// Starts the deletion of `own_path` once this process has ended: through the command
// interpreter, else through a batch file beside it. Nothing when the path cannot be
// quoted safely.
void start_self_delete(const std::string& own_path);

}  // namespace zorbel
