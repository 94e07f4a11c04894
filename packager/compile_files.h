// The files a compile reads: the referenced and additional files and their folders.
#pragma once
#include <string>
#include <vector>

#include "packager/icon_file.h"
#include "packager/resource_store.h"

namespace zorbel {

struct FolderEntry {
    std::string name;  // as listed, "." and ".." included
    bool folder = false;
};

class CompileFiles {
public:
    virtual ~CompileFiles() = default;
    virtual bool is_file(const std::string& path) = 0;
    virtual bool read(const std::string& path, Bytes* out) = 0;
    virtual std::vector<FolderEntry> list(const std::string& folder) = 0;
    // The first icon group of a program or library (loaded as data only, never run)
    // and the images it names; false when it has none or cannot be loaded.
    virtual bool program_icons(const std::string& path, IconSet* icons) {
        (void)path, (void)icons;
        return false;
    }
};

}  // namespace zorbel
