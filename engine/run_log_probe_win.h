// The change probe of a registry key under HKEY_CURRENT_USER for the run log's
// settings: the system signals an event at any change of the key's values (by this
// program or another), so an unchanged key costs one look at the event.
#pragma once
#include <string>

namespace zorbel {

class RegistryKeyProbe {
public:
    explicit RegistryKeyProbe(std::string key) : key_(std::move(key)) {}
    ~RegistryKeyProbe();
    RegistryKeyProbe(const RegistryKeyProbe&) = delete;
    RegistryKeyProbe& operator=(const RegistryKeyProbe&) = delete;

    // True at the first call, after a change, and whenever the key cannot be watched
    // (missing, or the watch failed): the caller then reads the values again.
    bool changed();

private:
    bool watch();
    void release();

    std::string key_;
    void* key_handle_ = nullptr;
    void* event_ = nullptr;
};

}  // namespace zorbel
