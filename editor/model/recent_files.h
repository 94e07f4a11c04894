// The nine recent files "RecentFile1" (newest) to "RecentFile9" in the settings.
#pragma once
#include <string>
#include <vector>

#include "engine/settings_store.h"

namespace zorbel {

constexpr int kRecentFileCount = 9;

// Entries 1 to 9 ("" where empty).
std::vector<std::string> recent_files(SettingsStore& store);
// Makes `path` entry 1; the entries above its old place (all, when absent) move down
// one place, empty entries and the file itself skipped, the last dropping out.
void add_recent_file(SettingsStore& store, const std::string& path);
// Removes `path`; the entries after it move up one place.
void remove_recent_file_entry(SettingsStore& store, const std::string& path);
// The Recent Files menu item text of entry `number` (1 to 9).
std::string recent_file_item(const std::string& path, int number);

}  // namespace zorbel
