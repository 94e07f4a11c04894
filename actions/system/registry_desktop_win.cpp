// The real registry for the registry actions: every call opens what it needs and
// closes it again (the steps are rare; no handle outlives a call).
#include <windows.h>

#include <string>

#include "actions/system/registry_desktop.h"
#include "engine/settings_store_registry_win.h"
#include "platform/scoped_win.h"

namespace zorbel {
namespace {

// An open key (an empty path opens the root itself); none when it cannot be opened.
ScopedKey open_key(SettingsRoot root, std::string_view path, REGSAM access) {
    std::string p(path);
    HKEY handle = nullptr;
    if (RegOpenKeyExA(registry_root_key(root), p.c_str(), 0, access, &handle) != ERROR_SUCCESS) return ScopedKey();
    return ScopedKey(handle);
}

// Opens or creates a key with its missing parents.
ScopedKey create_key_handle(SettingsRoot root, std::string_view path, REGSAM access, DWORD* disposition) {
    std::string p(path);
    HKEY handle = nullptr;
    if (RegCreateKeyExA(registry_root_key(root), p.c_str(), 0, nullptr, 0, access, nullptr, &handle, disposition) !=
        ERROR_SUCCESS)
        return ScopedKey();
    return ScopedKey(handle);
}

class SystemRegistryDesktop : public RegistryDesktop {
public:
    bool key_exists(SettingsRoot root, std::string_view key) override {
        return static_cast<bool>(open_key(root, key, KEY_QUERY_VALUE));
    }

    bool create_key(SettingsRoot root, std::string_view key, bool* created) override {
        if (key.empty()) return false;
        DWORD disposition = 0;
        if (!create_key_handle(root, key, KEY_WRITE, &disposition)) return false;
        if (created) *created = disposition == REG_CREATED_NEW_KEY;
        return true;
    }

    bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) override {
        ScopedKey k = open_key(root, key, KEY_QUERY_VALUE);
        if (!k) return false;
        std::string value_name(name);
        out->data.clear();
        for (int tries = 0; tries < 3; ++tries) {
            DWORD type = 0, size = 0;
            if (RegQueryValueExA(k.get(), value_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                return false;
            out->data.assign(size, '\0');
            LONG rc = RegQueryValueExA(k.get(), value_name.c_str(), nullptr, &type,
                                       size ? reinterpret_cast<BYTE*>(&out->data[0]) : nullptr, &size);
            if (rc == ERROR_MORE_DATA) continue;  // it grew meanwhile
            if (rc != ERROR_SUCCESS) return false;
            out->data.resize(size);
            out->type = type;
            return true;
        }
        return false;
    }

    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        if (key.empty() || data.size() > 0x7fffffff) return false;
        std::string value_name(name);
        ScopedKey k = create_key_handle(root, key, KEY_SET_VALUE, nullptr);
        return k && RegSetValueExA(k.get(), value_name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    }

    bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) override {
        if (key.empty()) return false;
        ScopedKey k = open_key(root, key, KEY_SET_VALUE);
        std::string value_name(name);
        return k && RegDeleteValueA(k.get(), value_name.c_str()) == ERROR_SUCCESS;
    }

    bool delete_empty_key(SettingsRoot root, std::string_view key) override {
        if (key.empty()) return false;
        size_t last = key.rfind('\\');
        std::string parent(last == std::string_view::npos ? std::string_view() : key.substr(0, last));
        std::string name(last == std::string_view::npos ? key : key.substr(last + 1));
        if (name.empty()) return false;
        ScopedKey k = open_key(root, parent, KEY_WRITE);
        return k && RegDeleteKeyA(k.get(), name.c_str()) == ERROR_SUCCESS;
    }

    bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) override {
        ScopedKey k = open_key(root, key, KEY_ENUMERATE_SUB_KEYS);
        if (!k) return false;
        out->clear();
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof(name);
            LONG rc = RegEnumKeyExA(k.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) return true;
            if (rc != ERROR_SUCCESS) return false;
            out->emplace_back(name, size);
        }
    }

    bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) override {
        ScopedKey k = open_key(root, key, KEY_QUERY_VALUE);
        if (!k) return false;
        out->clear();
        DWORD max_name = 0, max_data = 0;
        if (RegQueryInfoKeyA(k.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &max_name,
                             &max_data, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        std::string name(max_name + 1, '\0');
        std::string data(max_data + 1, '\0');
        for (DWORD i = 0;; ++i) {
            DWORD name_size = static_cast<DWORD>(name.size());
            DWORD data_size = static_cast<DWORD>(data.size());
            DWORD type = 0;
            LONG rc = RegEnumValueA(k.get(), i, &name[0], &name_size, nullptr, &type,
                                    reinterpret_cast<BYTE*>(&data[0]), &data_size);
            if (rc == ERROR_NO_MORE_ITEMS) return true;
            if (rc != ERROR_SUCCESS) return false;  // a value that grew meanwhile fails the copy
            out->push_back(NamedValue{std::string(name.data(), name_size),
                                      StoredValue{type, std::string(data.data(), data_size)}});
        }
    }
};

}  // namespace

RegistryDesktop& system_registry_desktop() {
    static SystemRegistryDesktop registry;
    return registry;
}

}  // namespace zorbel
