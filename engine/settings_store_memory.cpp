#include "engine/settings_store_memory.h"

namespace zorbel {
namespace {

// The map key of a path: lower-cased, without a trailing backslash.
std::string normal_path(std::string_view key) {
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    std::string out(key);
    for (char& c : out) c = ascii_lower(c);
    return out;
}

}  // namespace

MemorySettingsStore::Key* MemorySettingsStore::find_key(SettingsRoot root, std::string_view key) {
    KeyMap& keys = roots_[root];
    auto it = keys.find(normal_path(key));
    return it == keys.end() ? nullptr : &it->second;
}

MemorySettingsStore::Key& MemorySettingsStore::make_key(SettingsRoot root, std::string_view key) {
    KeyMap& keys = roots_[root];
    while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
    // Parents first, so every prefix of the path exists as a key.
    for (size_t slash = key.find('\\'); slash != std::string_view::npos; slash = key.find('\\', slash + 1)) {
        std::string parent = normal_path(key.substr(0, slash));
        if (keys.find(parent) == keys.end()) keys[parent].name = std::string(key.substr(0, slash));
    }
    std::string path = normal_path(key);
    auto it = keys.find(path);
    if (it != keys.end()) return it->second;
    Key& made = keys[path];
    made.name = std::string(key);
    return made;
}

bool MemorySettingsStore::key_exists(SettingsRoot root, std::string_view key) {
    return normal_path(key).empty() || find_key(root, key) != nullptr;
}

bool MemorySettingsStore::read_value(SettingsRoot root, std::string_view key, std::string_view name,
                                     StoredValue* out) {
    Key* k = find_key(root, key);
    if (k == nullptr) return false;
    for (const NamedValue& v : k->values) {
        if (equals_ignore_case(v.name, name)) {
            *out = v.value;
            return true;
        }
    }
    return false;
}

bool MemorySettingsStore::write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                                      std::string_view data) {
    if (read_only_ || data.size() > max_value_size_) return false;
    Key& k = make_key(root, key);
    touch(k);
    for (NamedValue& v : k.values) {
        if (equals_ignore_case(v.name, name)) {
            v.value.type = type;
            v.value.data.assign(data);
            return true;
        }
    }
    k.values.push_back(NamedValue{std::string(name), StoredValue{type, std::string(data)}});
    return true;
}

bool MemorySettingsStore::delete_value(SettingsRoot root, std::string_view key, std::string_view name) {
    Key* k = find_key(root, key);
    if (k == nullptr || read_only_) return false;
    for (size_t i = 0; i < k->values.size(); ++i) {
        if (equals_ignore_case(k->values[i].name, name)) {
            k->values.erase(k->values.begin() + static_cast<std::ptrdiff_t>(i));
            touch(*k);
            return true;
        }
    }
    return false;
}

bool MemorySettingsStore::delete_empty_key(SettingsRoot root, std::string_view key) {
    std::string path = normal_path(key);
    KeyMap& keys = roots_[root];
    auto it = keys.find(path);
    if (it == keys.end() || read_only_ || path.empty()) return false;
    std::string children = path + "\\";
    auto child = keys.lower_bound(children);
    if (child != keys.end() && child->first.compare(0, children.size(), children) == 0) return false;
    keys.erase(it);
    return true;
}

bool MemorySettingsStore::list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) {
    out->clear();
    std::string path = normal_path(key);
    if (!key_exists(root, key)) return false;
    std::string prefix = path.empty() ? std::string() : path + "\\";
    for (const auto& [lower, k] : roots_[root]) {
        if (lower.compare(0, prefix.size(), prefix) != 0 || lower.size() == prefix.size()) continue;
        if (lower.find('\\', prefix.size()) != std::string::npos) continue;
        out->push_back(k.name.substr(prefix.size()));
    }
    return true;
}

bool MemorySettingsStore::list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) {
    out->clear();
    Key* k = find_key(root, key);
    if (k == nullptr) return false;
    *out = k->values;
    return true;
}

bool MemorySettingsStore::key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) {
    Key* k = find_key(root, key);
    if (k == nullptr) return false;
    out->stamp = k->stamp;
    out->value_count = static_cast<uint32_t>(k->values.size());
    out->settled = true;
    return true;
}

}  // namespace zorbel
