// A settings store that counts the writes made through it: the program's own changes
// of its settings are then noticed without asking the store (the run log reads its
// settings again when the count moved).
#pragma once
#include <cstdint>

#include "engine/settings_store.h"

namespace zorbel {

class CountingSettingsStore : public SettingsStore {
public:
    explicit CountingSettingsStore(SettingsStore& inner) : inner_(inner) {}

    // Writes, deletions included, made through this store so far.
    uint64_t writes() const { return writes_; }

    bool key_exists(SettingsRoot root, std::string_view key) override { return inner_.key_exists(root, key); }
    bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) override {
        return inner_.read_value(root, key, name, out);
    }
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        ++writes_;
        return inner_.write_value(root, key, name, type, data);
    }
    bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) override {
        ++writes_;
        return inner_.delete_value(root, key, name);
    }
    bool delete_empty_key(SettingsRoot root, std::string_view key) override {
        ++writes_;
        return inner_.delete_empty_key(root, key);
    }
    bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) override {
        return inner_.list_subkeys(root, key, out);
    }
    bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) override {
        return inner_.list_values(root, key, out);
    }
    bool key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) override {
        return inner_.key_stamp(root, key, out);
    }

private:
    SettingsStore& inner_;
    uint64_t writes_ = 0;
};

}  // namespace zorbel
