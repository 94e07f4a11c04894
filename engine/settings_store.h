// The settings store: every persistent setting and every user variable lives in
// it, under HKEY_CURRENT_USER "SOFTWARE\Zorbel\" in the real program.
//
// SettingsStore is the one seam between the desktop-free code and the registry:
// settings_store_registry_win.cpp implements it on advapi32 (the only code that
// touches the registry for settings), settings_store_memory.cpp in memory for
// native tests and fuzzing. The helpers below (read_setting, write_setting,
// delete_setting, delete_key_tree) hold the value rules and work on either.
//
// Key paths use backslashes ("SOFTWARE\Zorbel\UserVariables"); key and value names
// compare ignoring case, as in the registry. Nothing here throws.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_rules.h"

namespace zorbel {

// The registry's value types, with their registry numbers.
enum ValueType : uint32_t {
    kValueNone = 0,
    kValueText = 1,        // REG_SZ
    kValueExpandText = 2,  // REG_EXPAND_SZ
    kValueBinary = 3,      // REG_BINARY
    kValueNumber = 4,      // REG_DWORD, little-endian
    kValueMultiText = 7,   // REG_MULTI_SZ
};

enum class SettingsRoot { kCurrentUser, kLocalMachine, kClassesRoot, kUsers, kCurrentConfig };

struct StoredValue {
    uint32_t type = kValueNone;
    std::string data;  // the raw bytes, terminating NULs of texts included
};

struct NamedValue {
    std::string name;
    StoredValue value;
};

// A change probe for a key. Two probes of the same key with equal `stamp` and
// `value_count` mean "unchanged" only when the first one was `settled`: its last
// change lies far enough in the past that any later change must give a new stamp
// (the registry's write time has a coarse clock; the memory store's counter is exact).
struct KeyStamp {
    uint64_t stamp = 0;
    uint32_t value_count = 0;
    bool settled = false;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual bool key_exists(SettingsRoot root, std::string_view key) = 0;
    // The value's type and bytes; false when the key or the value is missing.
    virtual bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) = 0;
    // Writes the value, creating the key and its missing parents. False when the
    // store refuses (the key cannot be made, the value is too large...).
    virtual bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                             std::string_view data) = 0;
    virtual bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) = 0;
    // Deletes a key that has no subkeys left; false when it is missing or still has subkeys.
    virtual bool delete_empty_key(SettingsRoot root, std::string_view key) = 0;
    // The names of the key's direct subkeys; false when the key is missing.
    virtual bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) = 0;
    // Every value of the key with its data, in the store's order; false when the key is missing.
    virtual bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) = 0;
    // The key's change probe; false when the key is missing.
    virtual bool key_stamp(SettingsRoot root, std::string_view key, KeyStamp* out) = 0;
};

// The fixed paths of the program's settings.
constexpr const char* kSettingsKey = "SOFTWARE\\Zorbel";
constexpr const char* kUserVariablesKey = "SOFTWARE\\Zorbel\\UserVariables";

// Paths are cut to this many characters, like the program's 260-byte path buffers.
constexpr size_t kMaxSettingPath = 259;

// The text form of a stored value: a number as signed decimal, a multi-string with
// CR LF between its items, a text up to its first NUL; a binary value gives "".
std::string stored_value_text(const StoredValue& value);

// `read setting`: reads the value named by the formatted path (the part after its
// last backslash names the value, the rest the key).
// - size -1: returns the stored size (the larger of the data size and the length of
//   its text form) and copies nothing; 0 when missing.
// - a number: its decimal text goes to `text`; returns the number.
// - a binary value: up to `size` bytes go to `binary`; returns the count copied.
// - a text: at most size - 1 characters go to `text`; returns that text read by the
//   text-to-number rule.
// A missing key or value empties `text` and returns 0. A format of 1023 characters or
// more is used unformatted.
int32_t read_setting(SettingsStore& store, SettingsRoot root, char* text, int32_t size, void* binary,
                     const char* format, ...) ZORBEL_PRINTF(6, 7);

// `write setting`: a text is stored as REG_EXPAND_SZ when it holds "%", else REG_SZ,
// with its NUL; without text, `binary` is stored as REG_BINARY of `number` bytes;
// with neither, `number` is stored as REG_DWORD. Returns 1 on success, 0 on failure.
int32_t write_setting(SettingsStore& store, SettingsRoot root, const char* text, int32_t number,
                      const void* binary, const char* format, ...) ZORBEL_PRINTF(6, 7);

// `delete setting`: a path that names an existing key deletes that key with its whole
// subtree; otherwise the value named by the last element is deleted (under its key,
// then under the root), and failing that a key of that name. Returns 1 when something
// was deleted, else 0.
int32_t delete_setting(SettingsStore& store, SettingsRoot root, const char* format, ...) ZORBEL_PRINTF(3, 4);

// `delete key tree`: deletes every subkey of `key`, depth first; the key itself and its
// own values stay. Returns false when a subkey could not be deleted.
bool delete_key_tree(SettingsStore& store, SettingsRoot root, std::string_view key);

// Convenience forms for fixed paths (no printf formatting).
int32_t setting_number(SettingsStore& store, std::string_view path);
// The text form of the setting, cut to size - 1 characters; "" when missing.
std::string setting_text(SettingsStore& store, std::string_view path, size_t size = kMaxSettingPath + 1);
bool write_setting_text(SettingsStore& store, std::string_view path, std::string_view text);
bool write_setting_number(SettingsStore& store, std::string_view path, int32_t number);

// Splits a path at its last backslash into key and value name (no backslash: key "").
void split_setting_path(std::string_view path, std::string_view* key, std::string_view* name);

}  // namespace zorbel
