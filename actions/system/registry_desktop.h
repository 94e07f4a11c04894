// What the registry actions need from the machine: keys and values under any of the
// five roots. The real registry is in registry_desktop_win.cpp; native tests use the
// fake desktop's registry. Key paths use backslashes and never start at a root by
// accident: an empty key path names the root itself, which only reading and listing
// accept.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/settings_store.h"

namespace zorbel {

class RegistryDesktop {
public:
    virtual ~RegistryDesktop() = default;

    virtual bool key_exists(SettingsRoot root, std::string_view key) = 0;
    // Opens or creates the key and its missing parents; `created` (when given) says
    // whether the key itself is new. False when it cannot be made.
    virtual bool create_key(SettingsRoot root, std::string_view key, bool* created) = 0;
    // The value's type and bytes; false when the key or the value is missing.
    virtual bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) = 0;
    // Writes the value, creating the key and its missing parents.
    virtual bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                             std::string_view data) = 0;
    virtual bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) = 0;
    // Deletes a key without subkeys; false for an empty path, a missing key or one with subkeys.
    virtual bool delete_empty_key(SettingsRoot root, std::string_view key) = 0;
    // The key's direct subkeys and its values; false when the key cannot be read.
    virtual bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) = 0;
    virtual bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) = 0;
};

// The real registry (for the program shell to assemble).
RegistryDesktop& system_registry_desktop();

}  // namespace zorbel
