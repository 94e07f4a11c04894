#include "engine/settings_store_registry_win.h"

#include <windows.h>

#include <cstring>

namespace zorbel {
namespace {

// Handles kept open between calls: each saved open and close is one round trip less
// (under Wine, two calls to the wineserver).
constexpr size_t kCachedKeys = 16;

const char* root_name(SettingsRoot root) {
    switch (root) {
    case SettingsRoot::kLocalMachine: return "HKLM";
    case SettingsRoot::kClassesRoot: return "HKCR";
    case SettingsRoot::kUsers: return "HKU";
    case SettingsRoot::kCurrentConfig: return "HKCC";
    case SettingsRoot::kCurrentUser: break;
    }
    return "HKCU";
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = ascii_lower(c);
    return out;
}

std::string trimmed(std::string_view key) {
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
    return std::string(key);
}

uint64_t filetime_value(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

HKEY registry_root_key(SettingsRoot root) {
    switch (root) {
    case SettingsRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case SettingsRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case SettingsRoot::kUsers: return HKEY_USERS;
    case SettingsRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case SettingsRoot::kCurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}


struct RegistrySettingsStore::OpenKey {
    SettingsRoot root;
    std::string path;  // lower-cased, as given (before the sandbox)
    HKEY handle;
};

// A key written a second ago has a write time that no later change can repeat: the
// registry's clock ticks far more often than that.
RegistrySettingsStore::RegistrySettingsStore(std::string sandbox, uint32_t settle_ms)
    : sandbox_(trimmed(sandbox)), settle_age_(uint64_t{settle_ms} * 10000) {}

RegistrySettingsStore::~RegistrySettingsStore() {
    for (OpenKey* k : cache_) {
        RegCloseKey(k->handle);
        delete k;
    }
}

void* RegistrySettingsStore::open_key(SettingsRoot root, std::string_view key, bool create) {
    std::string path = lower(trimmed(key));
    for (size_t i = 0; i < cache_.size(); ++i) {
        OpenKey* k = cache_[i];
        if (k->root != root || k->path != path) continue;
        cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
        cache_.insert(cache_.begin(), k);
        return k->handle;
    }
    HKEY base = registry_root_key(root);
    std::string full = trimmed(key);
    if (!sandbox_.empty()) {
        base = HKEY_CURRENT_USER;
        full = sandbox_ + "\\" + root_name(root) + (full.empty() ? "" : "\\" + full);
    }
    HKEY handle = nullptr;
    LONG rc;
    if (create) {
        rc = RegCreateKeyExA(base, full.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &handle, nullptr);
    } else {
        rc = RegOpenKeyExA(base, full.c_str(), 0, KEY_READ | KEY_WRITE, &handle);
        if (rc == ERROR_ACCESS_DENIED) rc = RegOpenKeyExA(base, full.c_str(), 0, KEY_READ, &handle);
    }
    if (rc != ERROR_SUCCESS) return nullptr;
    if (cache_.size() >= kCachedKeys) {
        RegCloseKey(cache_.back()->handle);
        delete cache_.back();
        cache_.pop_back();
    }
    cache_.insert(cache_.begin(), new OpenKey{root, path, handle});
    return handle;
}

void RegistrySettingsStore::forget(void* handle) {
    for (size_t i = 0; i < cache_.size(); ++i) {
        if (cache_[i]->handle != handle) continue;
        RegCloseKey(cache_[i]->handle);
        delete cache_[i];
        cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void RegistrySettingsStore::forget_tree(SettingsRoot root, std::string_view key) {
    std::string path = lower(trimmed(key));
    for (size_t i = cache_.size(); i-- > 0;) {
        const std::string& p = cache_[i]->path;
        bool inside = path.empty() || p == path || (p.size() > path.size() && p.compare(0, path.size(), path) == 0 &&
                                                    p[path.size()] == '\\');
        if (cache_[i]->root != root || !inside) continue;
        RegCloseKey(cache_[i]->handle);
        delete cache_[i];
        cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

// Each operation runs once on the cached handle and, when the key was deleted
// under it (by another program or instance), once more on a fresh handle.
#define ZORBEL_WITH_KEY(root, key, create, body)                          \
    for (int attempt = 0; attempt < 2; ++attempt) {                       \
        HKEY h = static_cast<HKEY>(open_key(root, key, create));          \
        if (h == nullptr) return false;                                   \
        LONG rc = body;                                                   \
        if (rc == ERROR_KEY_DELETED) {                                    \
            forget(h);                                                    \
            continue;                                                     \
        }                                                                 \
        if (rc != ERROR_SUCCESS) return false;                            \
        break;                                                            \
    }

bool RegistrySettingsStore::key_exists(SettingsRoot root, std::string_view key) {
    ZORBEL_WITH_KEY(root, key, false,
                    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr));
    return true;
}

bool RegistrySettingsStore::read_value(SettingsRoot root, std::string_view key, std::string_view name,
                                       StoredValue* out) {
    std::string value_name(name);
    char small[512];
    DWORD type = 0;
    DWORD size = sizeof(small);
    out->data.clear();
    auto query = [&](HKEY h) -> LONG {
        size = sizeof(small);
        LONG rc = RegQueryValueExA(h, value_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(small), &size);
        if (rc == ERROR_SUCCESS) {
            out->data.assign(small, size);
            return rc;
        }
        // Larger than the stack buffer: ask again with the size the registry gave,
        // and once more should the value have grown meanwhile.
        for (int tries = 0; rc == ERROR_MORE_DATA && tries < 3; ++tries) {
            out->data.resize(size);
            rc = RegQueryValueExA(h, value_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&out->data[0]),
                                  &size);
            if (rc == ERROR_SUCCESS) out->data.resize(size);
        }
        return rc;
    };
    ZORBEL_WITH_KEY(root, key, false, query(h));
    out->type = type;
    return true;
}

bool RegistrySettingsStore::write_value(SettingsRoot root, std::string_view key, std::string_view name,
                                        uint32_t type, std::string_view data) {
    std::string value_name(name);
    if (data.size() > 0xffffffffu) return false;
    ZORBEL_WITH_KEY(root, key, true,
                    RegSetValueExA(h, value_name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size())));
    return true;
}

bool RegistrySettingsStore::delete_value(SettingsRoot root, std::string_view key, std::string_view name) {
    std::string value_name(name);
    ZORBEL_WITH_KEY(root, key, false, RegDeleteValueA(h, value_name.c_str()));
    return true;
}

bool RegistrySettingsStore::delete_empty_key(SettingsRoot root, std::string_view key) {
    std::string path = trimmed(key);
    if (path.empty()) return false;
    forget_tree(root, path);
    std::string_view parent, last;
    split_setting_path(path, &parent, &last);
    std::string last_name(last);
    ZORBEL_WITH_KEY(root, parent, false, RegDeleteKeyA(h, last_name.c_str()));
    return true;
}

bool RegistrySettingsStore::list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) {
    auto list = [&](HKEY h) -> LONG {
        out->clear();
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof(name);
            LONG rc = RegEnumKeyExA(h, i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
            if (rc != ERROR_SUCCESS) return rc;
            out->emplace_back(name, size);
        }
    };
    ZORBEL_WITH_KEY(root, key, false, list(h));
    return true;
}

bool RegistrySettingsStore::list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) {
    auto list_once = [&](HKEY h) -> LONG {
        out->clear();
        DWORD count = 0, max_name = 0, max_data = 0;
        LONG rc = RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &max_name,
                                   &max_data, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) return rc;
        std::string name(max_name + 1, '\0');
        std::string data(max_data, '\0');
        for (DWORD i = 0;; ++i) {
            DWORD name_size = static_cast<DWORD>(name.size());
            DWORD data_size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            rc = RegEnumValueA(h, i, &name[0], &name_size, nullptr, &type,
                               data.empty() ? nullptr : reinterpret_cast<BYTE*>(&data[0]), &data_size);
            if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
            if (rc != ERROR_SUCCESS) return rc;
            out->push_back(NamedValue{std::string(name.data(), name_size),
                                      StoredValue{type, std::string(data.data(), data_size)}});
        }
    };
    auto list = [&](HKEY h) -> LONG {
        // A value that grew since the size query: start over with fresh sizes.
        LONG rc = ERROR_MORE_DATA;
        for (int tries = 0; rc == ERROR_MORE_DATA && tries < 3; ++tries) rc = list_once(h);
        return rc;
    };
    ZORBEL_WITH_KEY(root, key, false, list(h));
    return true;
}

bool RegistrySettingsStore::key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) {
    DWORD count = 0;
    FILETIME written = {};
    ZORBEL_WITH_KEY(root, key, false,
                    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                                     nullptr, nullptr, &written));
    FILETIME now_time;
    GetSystemTimeAsFileTime(&now_time);
    uint64_t now = filetime_value(now_time);
    out->stamp = filetime_value(written);
    out->value_count = count;
    out->settled = now > out->stamp && now - out->stamp >= settle_age_;
    return true;
}

#undef ZORBEL_WITH_KEY

}  // namespace zorbel
