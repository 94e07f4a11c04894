#include "editor/model/recent_files.h"

#include "core/text_rules.h"

namespace zorbel {

namespace {

std::string entry_path(int n) { return "SOFTWARE\\Zorbel\\RecentFile" + std::to_string(n); }

void store_all(SettingsStore& store, const std::vector<std::string>& entries) {
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const std::string& path = entries[static_cast<size_t>(n - 1)];
        if (path.empty())
            delete_setting(store, SettingsRoot::kCurrentUser, "%s", entry_path(n).c_str());
        else
            write_setting_text(store, entry_path(n), path);
    }
}

}  // namespace

std::vector<std::string> recent_files(SettingsStore& store) {
    std::vector<std::string> entries;
    for (int n = 1; n <= kRecentFileCount; ++n) entries.push_back(setting_text(store, entry_path(n)));
    return entries;
}

void add_recent_file(SettingsStore& store, const std::string& path) {
    if (path.empty()) return;
    std::vector<std::string> entries = recent_files(store), result{path};
    for (const std::string& entry : entries)
        if (!entry.empty() && !equals_ignore_case(entry, path)) result.push_back(entry);
    result.resize(kRecentFileCount);
    store_all(store, result);
}

void remove_recent_file_entry(SettingsStore& store, const std::string& path) {
    std::vector<std::string> entries = recent_files(store), result;
    for (const std::string& entry : entries)
        if (!entry.empty() && !equals_ignore_case(entry, path)) result.push_back(entry);
    result.resize(kRecentFileCount);
    store_all(store, result);
}

std::string recent_file_item(const std::string& path, int number) {
    return path + "\tCtrl+" + std::to_string(number);
}

}  // namespace zorbel
