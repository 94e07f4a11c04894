// The settings store on the Windows registry: the only code that touches advapi32
// for settings and user variables.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "engine/settings_store.h"

namespace zorbel {

// The predefined key of a settings root (HKEY_CURRENT_USER for kCurrentUser).
HKEY registry_root_key(SettingsRoot root);

class RegistrySettingsStore : public SettingsStore {
public:
    // With a `sandbox` key path, every key of every root is placed under
    // HKEY_CURRENT_USER\<sandbox>\<root name>\ instead, so tests never touch a user's
    // real settings. Empty: the real roots.
    // `settle_ms`: how old a key's last write must be before its change probe is
    // trusted to catch every later change (the registry clock is coarse).
    explicit RegistrySettingsStore(std::string sandbox = std::string(), uint32_t settle_ms = 1000);
    ~RegistrySettingsStore() override;
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    bool key_exists(SettingsRoot root, std::string_view key) override;
    bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) override;
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override;
    bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) override;
    bool delete_empty_key(SettingsRoot root, std::string_view key) override;
    bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) override;
    bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) override;
    bool key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) override;

private:
    struct OpenKey;
    // The cached handle of an existing key (opened for reading and writing), or null.
    void* open_key(SettingsRoot root, std::string_view key, bool create);
    // Forgets a cached handle that went stale (its key was deleted meanwhile).
    void forget(void* handle);
    // Closes every cached handle of `key` and of the keys below it.
    void forget_tree(SettingsRoot root, std::string_view key);

    std::string sandbox_;
    uint64_t settle_age_;  // 100 ns units
    std::vector<OpenKey*> cache_;  // most recently used first
};

}  // namespace zorbel
