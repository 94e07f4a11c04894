// Whole registry subtrees: copied with every value and subkey, and deleted depth first.
#pragma once
#include <string_view>

#include "actions/system/registry_desktop.h"

namespace zorbel {

// Copies the source key's values and subkeys, recursively, into the target key (made
// when missing). On failure every key this copy created is deleted again; keys that
// existed before keep what they held (values already copied into them stay).
// False when the source cannot be read or a value or key cannot be written.
bool copy_registry_tree(RegistryDesktop& registry, SettingsRoot source_root, std::string_view source,
                        SettingsRoot target_root, std::string_view target);

// Deletes the key with all its subkeys, depth first. Refuses an empty path (a root).
bool delete_registry_tree(RegistryDesktop& registry, SettingsRoot root, std::string_view key);

}  // namespace zorbel
