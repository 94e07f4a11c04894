#include "engine/variables.h"

#include <cstdio>

#include "core/text_rules.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/run_log.h"
#include "platform/files.h"
#include "engine/setting_names.h"

namespace zorbel {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string value_path(const std::string& registry_name) {
    return std::string(kUserVariablesKey) + "\\" + registry_name;
}

std::string remove_char(std::string_view text, char c) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c) out += ch;
    return out;
}

std::string cut(std::string_view text, size_t length) { return std::string(text.substr(0, length)); }

}  // namespace

bool is_numeric_value(std::string_view value) {
    if (value.empty()) return false;
    for (char c : value) {
        bool digit = c >= '0' && c <= '9';
        if (!digit && c != '.' && c != ',' && c != '+' && c != '-' && c != ' ') return false;
    }
    return true;
}

VariableRow make_variable_row(std::string_view name, std::string_view value) {
    VariableRow row;
    row.name = std::string(name);
    row.value = cut(value, kPaletteValueLength);
    row.numeric = is_numeric_value(value);
    return row;
}

Variables::Variables(SettingsStore& store, std::string program_folder, intptr_t main_window)
    : store_(store), program_folder_(std::move(program_folder)), main_window_(main_window) {}

std::string Variables::prefix() {
    if (setting_number(store_, setting::kGlobalVariables) != 0) return std::string();
    return std::to_string(static_cast<long long>(main_window_)) + "_";
}

std::string Variables::bare_name(std::string_view name) { return remove_char(name, '%'); }

std::string Variables::file_path(std::string_view name) const {
    std::string path = program_folder_;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += kSeparator;
    path += std::string(name);
    path += kVariableFileExtension;
    return remove_char(path, '%');
}

std::string Variables::resolve_spill(std::string value) {
    if (value.empty() || value.back() != '*') return value;
    std::string path = remove_char(value, '*');
    if (path.empty() || files::size(path) < 0) return value;
    std::string content;
    if (files::read_all(path, &content) != files::ReadResult::kOk) return value;
    // Values are texts: a NUL in the file ends the value.
    content.resize(content.find('\0') == std::string::npos ? content.size() : content.find('\0'));
    return content;
}

bool Variables::read_registry_name(const std::string& registry_name, std::string* value) {
    value->clear();
    StoredValue stored;
    if (!store_.read_value(SettingsRoot::kCurrentUser, kUserVariablesKey, registry_name, &stored)) return false;
    *value = resolve_spill(stored_value_text(stored));
    return true;
}

bool Variables::read(std::string_view name, std::string* value) {
    return read_registry_name(prefix() + bare_name(name), value);
}

bool Variables::read_unprefixed(std::string_view name, std::string* value) {
    return read_registry_name(bare_name(name), value);
}

bool Variables::write_registry_name(const std::string& registry_name, std::string_view bare, std::string_view value) {
    std::string text(value.substr(0, value.find('\0')));
    if (write_setting_text(store_, value_path(registry_name), text)) return true;
    // The store refused the value (too large): spill it to the variable's file.
    std::string path = file_path(bare);
    if (!write_new_file(path, value)) return false;
    return write_setting_text(store_, value_path(registry_name), path + "*");
}

bool Variables::write(std::string_view name, std::string_view value) {
    std::string bare = bare_name(name);
    return write_registry_name(prefix() + bare, bare, value);
}

bool Variables::write_unprefixed(std::string_view name, std::string_view value) {
    std::string bare = bare_name(name);
    return write_registry_name(bare, bare, value);
}

bool Variables::remove(std::string_view name) {
    return store_.delete_value(SettingsRoot::kCurrentUser, kUserVariablesKey, prefix() + bare_name(name));
}

void Variables::reset(VariablesPalette* palette) {
    delete_setting(store_, SettingsRoot::kCurrentUser, "%s", kUserVariablesKey);
    if (palette != nullptr) palette->clear();
    for (const std::string& name : list_variable_files(program_folder_)) {
        std::string path = program_folder_;
        if (!path.empty() && path.back() != '\\' && path.back() != '/') path += kSeparator;
        files::remove(path + name);
    }
}

bool should_reset_user_variables(SettingsStore& store, bool other_instance_running, bool command_line_variables) {
    return setting_number(store, setting::kResetUserVariables) != 0 && !other_instance_running &&
           !command_line_variables;
}

bool write_new_file(const std::string& path, std::string_view data) {
    files::remove(path);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), file) == data.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void save_result(RunServices& services, uint32_t options, std::string_view variable, std::string_view data,
                 const char* file) {
    long length = static_cast<long>(data.size());
    if (options & 0x100000) {
        if (services.log != nullptr)
            services.log->line(services.output, "\tSaving %li byte(s) to clipboard: \"%s\"\r\n", length,
                               cut(data, kLoggedResultLength).c_str());
        if (services.environment != nullptr) services.environment->set_clipboard_text(std::string(data));
        return;
    }
    if (options & 0x200000) {
        std::string bare = Variables::bare_name(variable);
        if (bare.empty() || services.variables == nullptr) return;
        if (services.log != nullptr)
            services.log->line(services.output, "\tSaving %li byte(s) to variable %s: \"%s\"\r\n", length,
                               std::string(variable).c_str(), cut(data, kLoggedResultLength).c_str());
        // A value that cannot be stored at all is lost silently, as the log already says.
        services.variables->write(bare, data);
        if (services.palette != nullptr && services.palette->shown())
            services.palette->set_row(make_variable_row(variable, data));
        return;
    }
    if ((options & 0x400000) && file != nullptr) {
        std::string path = services.expander != nullptr ? services.expander->expanded(file) : std::string(file);
        write_new_file(path, data);
    }
}

}  // namespace zorbel
