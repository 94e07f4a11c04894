// What the options tests change outside the editor and put back: settings saved
// and restored by value, and registry trees removed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/editor/editor_driver.h"

namespace zorbel {
namespace wintest {

// Deletes `key` under `root` with everything below it.
inline void delete_tree(HKEY root, const std::string& key) {
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
        std::vector<std::string> subkeys;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof(name);
            if (RegEnumKeyExA(h, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            subkeys.push_back(name);
        }
        RegCloseKey(h);
        for (const std::string& sub : subkeys) delete_tree(root, key + "\\" + sub);
    }
    RegDeleteKeyA(root, key.c_str());
}

// Every value under `key` and its subkeys as "path\name=type:data" lines, in order.
inline std::string dump_tree(HKEY root, const std::string& key) {
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "";
    std::string out;
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0;; ++i) {
        DWORD name_size = sizeof(name), data_size = sizeof(data) - 1, type = 0;
        if (RegEnumValueA(h, i, name, &name_size, nullptr, &type, data, &data_size) != ERROR_SUCCESS) break;
        data[data_size] = 0;
        out += key + "\\" + name + "=" + std::to_string(type) + ":" + reinterpret_cast<char*>(data) + "\n";
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(h, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    RegCloseKey(h);
    for (const std::string& sub : subkeys) out += dump_tree(root, key + "\\" + sub);
    return out;
}

// A setting under SOFTWARE\Zorbel whose name may hold subkeys ("Palettes\Output\Font").
inline void put_setting(const std::string& name, DWORD type, const void* data, DWORD size) {
    std::string key = "SOFTWARE\\Zorbel", value = name;
    const size_t slash = value.find_last_of('\\');
    if (slash != std::string::npos) key += "\\" + value.substr(0, slash), value.erase(0, slash + 1);
    HKEY h;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(h, value.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
}
inline void put_setting_text(const std::string& name, const std::string& text) {
    put_setting(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
inline void put_setting_number(const std::string& name, DWORD number) {
    put_setting(name, REG_DWORD, &number, sizeof(number));
}

// A default value ("" names it) of a key; "<missing>" when there is none.
inline std::string class_value(const std::string& key, const char* name = "") {
    char data[1024] = {};
    DWORD dsize = sizeof(data), type = 0;
    HKEY h;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
    const LONG status = RegQueryValueExA(h, *name ? name : nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &dsize);
    RegCloseKey(h);
    return status == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

// Settings under SOFTWARE\Zorbel saved with their type and put back (or deleted) when it goes.
class SavedSettings {
public:
    explicit SavedSettings(std::vector<std::string> names) {
        for (const std::string& name : names) {
            Saved s{name};
            std::string key = "SOFTWARE\\Zorbel", value = name;
            split(&key, &value);
            HKEY h;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
                DWORD size = sizeof(s.data);
                s.present = RegQueryValueExA(h, value.c_str(), nullptr, &s.type, s.data, &size) == ERROR_SUCCESS;
                s.size = size;
                RegCloseKey(h);
            }
            saved_.push_back(s);
        }
    }
    ~SavedSettings() {
        for (const Saved& s : saved_) {
            std::string key = "SOFTWARE\\Zorbel", value = s.name;
            split(&key, &value);
            HKEY h;
            if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
                ERROR_SUCCESS)
                continue;
            if (s.present) RegSetValueExA(h, value.c_str(), 0, s.type, s.data, s.size);
            else RegDeleteValueA(h, value.c_str());
            RegCloseKey(h);
        }
    }

private:
    struct Saved {
        std::string name;
        bool present = false;
        DWORD type = 0, size = 0;
        BYTE data[600] = {};
    };
    static void split(std::string* key, std::string* value) {
        const size_t slash = value->find_last_of('\\');
        if (slash == std::string::npos) return;
        *key += "\\" + value->substr(0, slash);
        value->erase(0, slash + 1);
    }
    std::vector<Saved> saved_;
};

}  // namespace wintest
}  // namespace zorbel
