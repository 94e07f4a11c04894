// A settings store held in memory, with the registry's rules (names ignore case,
// writing a value creates its key and the key's parents, a key with subkeys cannot
// be deleted). Used by native tests, the fuzzer and the native benchmark.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "engine/settings_store.h"

namespace zorbel {

class MemorySettingsStore : public SettingsStore {
public:
    bool key_exists(SettingsRoot root, std::string_view key) override;
    bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) override;
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override;
    bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) override;
    bool delete_empty_key(SettingsRoot root, std::string_view key) override;
    bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) override;
    bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) override;
    bool key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) override;

    // Values with more data bytes than this are refused, as the registry refuses
    // values that are too large. Default: no limit.
    void set_max_value_size(size_t bytes) { max_value_size_ = bytes; }
    // Refuses every write while set (a registry without write access).
    void set_read_only(bool read_only) { read_only_ = read_only; }

private:
    struct Key {
        std::string name;  // the path as first written, for listing subkeys
        std::vector<NamedValue> values;
        uint64_t stamp = 0;
    };
    using KeyMap = std::map<std::string, Key>;  // by lower-cased path

    Key* find_key(SettingsRoot root, std::string_view key);
    Key& make_key(SettingsRoot root, std::string_view key);
    void touch(Key& key) { key.stamp = ++clock_; }

    std::map<SettingsRoot, KeyMap> roots_;
    size_t max_value_size_ = static_cast<size_t>(-1);
    bool read_only_ = false;
    uint64_t clock_ = 0;
};

}  // namespace zorbel
