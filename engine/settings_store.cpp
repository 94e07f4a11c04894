#include "engine/settings_store.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace zorbel {
namespace {

// Formats a setting path: unformatted when the format is 1023 characters or longer,
// and cut to kMaxSettingPath characters either way.
std::string format_path(const char* format, va_list args) {
    std::string path;
    if (format == nullptr) return path;
    if (std::strlen(format) >= 1023) {
        path.assign(format, kMaxSettingPath);
        return path;
    }
    char buffer[1024];
    int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
    if (n < 0) return path;
    path.assign(buffer);
    if (path.size() > kMaxSettingPath) path.resize(kMaxSettingPath);
    return path;
}

bool is_text_type(uint32_t type) {
    return type == kValueText || type == kValueExpandText || type == kValueMultiText;
}

int32_t read_path(SettingsStore& store, SettingsRoot root, char* text, int32_t size, void* binary,
                  std::string_view path) {
    if (text != nullptr && size > 0) text[0] = '\0';
    std::string_view key, name;
    split_setting_path(path, &key, &name);
    StoredValue value;
    if (!store.read_value(root, key, name, &value)) return 0;
    if (size == -1) {
        size_t text_size = is_text_type(value.type) || value.type == kValueNumber ? stored_value_text(value).size() : 0;
        size_t stored = value.data.size() > text_size ? value.data.size() : text_size;
        return stored > INT32_MAX ? INT32_MAX : static_cast<int32_t>(stored);
    }
    if (value.type == kValueNumber) {
        std::string digits = stored_value_text(value);
        if (text != nullptr && size > 0) copy_to_field(text, static_cast<size_t>(size), digits);
        uint32_t raw = 0;
        std::memcpy(&raw, value.data.data(), value.data.size() < 4 ? value.data.size() : 4);
        return static_cast<int32_t>(raw);
    }
    if (is_text_type(value.type)) {
        std::string all = stored_value_text(value);
        if (text == nullptr || size <= 0) return text_to_number(all);
        copy_to_field(text, static_cast<size_t>(size), all);
        return text_to_number(std::string_view(text));
    }
    // Binary and every other type: raw bytes.
    if (binary == nullptr || size <= 0) return 0;
    size_t n = value.data.size() < static_cast<size_t>(size) ? value.data.size() : static_cast<size_t>(size);
    if (n > 0) std::memcpy(binary, value.data.data(), n);
    return static_cast<int32_t>(n);
}

bool write_path(SettingsStore& store, SettingsRoot root, const char* text, int32_t number, const void* binary,
                std::string_view path) {
    std::string_view key, name;
    split_setting_path(path, &key, &name);
    if (text != nullptr) {
        std::string data(text, std::strlen(text) + 1);
        uint32_t type = std::strchr(text, '%') != nullptr ? kValueExpandText : kValueText;
        return store.write_value(root, key, name, type, data);
    }
    if (binary != nullptr) {
        size_t count = number > 0 ? static_cast<size_t>(number) : 0;
        return store.write_value(root, key, name, kValueBinary,
                                 std::string_view(static_cast<const char*>(binary), count));
    }
    uint32_t raw = static_cast<uint32_t>(number);
    char bytes[4] = {static_cast<char>(raw & 0xff), static_cast<char>((raw >> 8) & 0xff),
                     static_cast<char>((raw >> 16) & 0xff), static_cast<char>((raw >> 24) & 0xff)};
    return store.write_value(root, key, name, kValueNumber, std::string_view(bytes, 4));
}

bool delete_key_with_subtree(SettingsStore& store, SettingsRoot root, std::string_view key) {
    delete_key_tree(store, root, key);
    return store.delete_empty_key(root, key);
}

}  // namespace

void split_setting_path(std::string_view path, std::string_view* key, std::string_view* name) {
    size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) {
        *key = std::string_view();
        *name = path;
        return;
    }
    *key = path.substr(0, slash);
    *name = path.substr(slash + 1);
}

std::string stored_value_text(const StoredValue& value) {
    const std::string& d = value.data;
    switch (value.type) {
    case kValueNumber: {
        uint32_t raw = 0;
        for (size_t i = 0; i < 4 && i < d.size(); ++i) raw |= static_cast<uint32_t>(static_cast<uint8_t>(d[i])) << (8 * i);
        return std::to_string(static_cast<int32_t>(raw));
    }
    case kValueMultiText: {
        // Items end at a NUL; the list ends at an empty item or at the end of the data.
        std::string out;
        size_t pos = 0;
        bool first = true;
        while (pos < d.size()) {
            size_t end = d.find('\0', pos);
            if (end == std::string::npos) end = d.size();
            if (end == pos) break;
            if (!first) out += "\r\n";
            out.append(d, pos, end - pos);
            first = false;
            pos = end + 1;
        }
        return out;
    }
    case kValueText:
    case kValueExpandText:
        return d.substr(0, d.find('\0'));
    default:
        return std::string();
    }
}

int32_t read_setting(SettingsStore& store, SettingsRoot root, char* text, int32_t size, void* binary,
                     const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string path = format_path(format, args);
    va_end(args);
    return read_path(store, root, text, size, binary, path);
}

int32_t write_setting(SettingsStore& store, SettingsRoot root, const char* text, int32_t number,
                      const void* binary, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string path = format_path(format, args);
    va_end(args);
    return write_path(store, root, text, number, binary, path) ? 1 : 0;
}

int32_t delete_setting(SettingsStore& store, SettingsRoot root, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string path = format_path(format, args);
    va_end(args);
    if (path.empty()) return 0;
    if (store.key_exists(root, path)) return delete_key_with_subtree(store, root, path) ? 1 : 0;
    std::string_view key, name;
    split_setting_path(path, &key, &name);
    if (store.delete_value(root, key, name)) return 1;
    if (store.delete_value(root, std::string_view(), name)) return 1;
    std::string subkey = key.empty() ? std::string(name) : std::string(key) + "\\" + std::string(name);
    if (store.key_exists(root, subkey)) return delete_key_with_subtree(store, root, subkey) ? 1 : 0;
    return 0;
}

bool delete_key_tree(SettingsStore& store, SettingsRoot root, std::string_view key) {
    std::vector<std::string> subkeys;
    if (!store.list_subkeys(root, key, &subkeys)) return false;
    bool ok = true;
    for (const std::string& sub : subkeys) {
        std::string path = key.empty() ? sub : std::string(key) + "\\" + sub;
        if (!delete_key_tree(store, root, path)) ok = false;
        if (!store.delete_empty_key(root, path)) ok = false;
    }
    return ok;
}

int32_t setting_number(SettingsStore& store, std::string_view path) {
    char text[kMaxSettingPath + 1];
    return read_path(store, SettingsRoot::kCurrentUser, text, sizeof(text), nullptr, path);
}

std::string setting_text(SettingsStore& store, std::string_view path, size_t size) {
    std::string_view key, name;
    split_setting_path(path, &key, &name);
    StoredValue value;
    if (size == 0 || !store.read_value(SettingsRoot::kCurrentUser, key, name, &value)) return std::string();
    std::string text = stored_value_text(value);
    if (text.size() > size - 1) text.resize(size - 1);
    return text;
}

bool write_setting_text(SettingsStore& store, std::string_view path, std::string_view text) {
    std::string copy(text.substr(0, text.find('\0')));
    return write_path(store, SettingsRoot::kCurrentUser, copy.c_str(), 0, nullptr, path);
}

bool write_setting_number(SettingsStore& store, std::string_view path, int32_t number) {
    return write_path(store, SettingsRoot::kCurrentUser, nullptr, number, nullptr, path);
}

}  // namespace zorbel
