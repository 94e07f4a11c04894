// Resources of real program files: read from a module loaded as data, and written with
// the system's resource update.
#pragma once
#include <windows.h>

#include <string>

#include "packager/resource_store.h"

namespace zorbel {

class ModuleResources : public ResourceReader {
public:
    // A module already loaded (the running program itself).
    explicit ModuleResources(HMODULE module) : module_(module) {}
    // A file loaded as data only: its code never runs. Check loaded().
    explicit ModuleResources(const std::string& path);
    ~ModuleResources() override;
    bool loaded() const { return module_ != nullptr; }
    bool read(uint16_t type, uint16_t id, Bytes* out, uint16_t* language = nullptr) override;
    // The first id (numeric, lowest) of resources of `type`; false when there is none.
    bool first_id(uint16_t type, uint16_t* id);

private:
    HMODULE module_ = nullptr;
    bool owned_ = false;
};

class FileResourceUpdate : public ResourceWriter {
public:
    explicit FileResourceUpdate(const std::string& path);
    ~FileResourceUpdate() override;  // discards what was not committed
    bool opened() const { return handle_ != nullptr; }
    bool write(uint16_t type, uint16_t id, uint16_t language, const Bytes& bytes) override;
    bool remove(uint16_t type, uint16_t id, uint16_t language) override;
    bool commit();

private:
    HANDLE handle_ = nullptr;
};

}  // namespace zorbel
