// Registry paths of the registry actions: an optional root prefix anywhere in the path
// (the first of HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG,
// HKEY_CURRENT_USER, HKEY_USERS found, each followed by "\"), the key path, and the
// value named by the last component ("" for the key's default value when the path
// ends in "\"). Without a prefix the root is HKEY_CURRENT_USER.
#pragma once
#include <string>
#include <string_view>

#include "engine/settings_store.h"

namespace zorbel {

struct RegistryPath {
    SettingsRoot root = SettingsRoot::kCurrentUser;
    std::string rest;  // the path with the first occurrence of each prefix removed
    std::string key;   // `rest` before its last "\" (outer backslashes trimmed)
    std::string name;  // `rest` after its last "\"; "" names the default value
    // No known prefix, and the path starts with a root name the registry actions do
    // not know ("HKEY_DYN_DATA\", "HKCU\"): not a key path under HKEY_CURRENT_USER.
    bool unknown_root = false;
};

// Paths are cut to 259 characters first.
RegistryPath parse_registry_path(std::string_view path);

// The whole rest of the path as a key path, outer backslashes trimmed ("" for a root).
std::string registry_key_path(const RegistryPath& path);

// Whether `inner` is `outer` or lies below it (ignoring case).
bool key_within(std::string_view inner, std::string_view outer);

}  // namespace zorbel
