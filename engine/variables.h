// User variables: registry values under "SOFTWARE\Zorbel\UserVariables\", named by
// an instance prefix and the variable's name without "%". A value the store refuses
// (too large) is spilled to "<program folder>\<name>.zorbel_var" and the registry
// value becomes that path followed by "*".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/run_services.h"
#include "engine/settings_store.h"

namespace zorbel {

constexpr const char* kVariableFileExtension = ".zorbel_var";
// The palette shows at most this many characters of a value.
constexpr size_t kPaletteValueLength = 193;
// Log lines show at most this many characters of a saved result.
constexpr size_t kLoggedResultLength = 129;

// One row of the Variables palette.
struct VariableRow {
    std::string name;   // with its "%"
    std::string value;  // cut to kPaletteValueLength characters
    bool numeric = false;
};

// The seam for the Variables palette (the editor fills it).
class VariablesPalette {
public:
    virtual ~VariablesPalette() = default;
    virtual bool shown() = 0;
    // Adds the row, or replaces the value of the row with the same name; repaints.
    virtual void set_row(const VariableRow& row) = 0;
    virtual void remove_row(std::string_view name) = 0;
    virtual void clear() = 0;
};

// True for a non-empty value made only of digits, ".", ",", "+", "-" and spaces.
bool is_numeric_value(std::string_view value);
VariableRow make_variable_row(std::string_view name, std::string_view value);

class Variables {
public:
    // `program_folder`: where spill files go. `main_window`: the handle whose
    // signed decimal forms the instance prefix while "GlobalVariables" is 0.
    Variables(SettingsStore& store, std::string program_folder, intptr_t main_window);

    SettingsStore& store() { return store_; }
    const std::string& program_folder() const { return program_folder_; }

    // "" while setting "GlobalVariables" is non-zero, else "<main window>_".
    std::string prefix();
    // The name without any "%".
    static std::string bare_name(std::string_view name);

    // The value of `name` under the current prefix, following a "*" spill file.
    // False (and "") when the variable does not exist.
    bool read(std::string_view name, std::string* value);
    // The same without prefix (loop variables and other names written directly).
    bool read_unprefixed(std::string_view name, std::string* value);
    // Writes under the current prefix; spills to the variable file when the store
    // refuses. False only when the value is lost (the file could not be written either).
    bool write(std::string_view name, std::string_view value);
    bool write_unprefixed(std::string_view name, std::string_view value);
    bool remove(std::string_view name);

    // `variable file path`: program folder, separator, name, ".zorbel_var", every "%" removed.
    std::string file_path(std::string_view name) const;
    // A value ending in "*" whose text without "*" names an existing file becomes
    // that file's content (up to its first NUL); any other value is returned as is.
    static std::string resolve_spill(std::string value);

    // `reset user variables`: deletes the UserVariables key with all its values,
    // clears the palette (when given) and deletes every ".zorbel_var" file of the
    // program's folder.
    void reset(VariablesPalette* palette);

private:
    bool read_registry_name(const std::string& registry_name, std::string* value);
    bool write_registry_name(const std::string& registry_name, std::string_view bare, std::string_view value);

    SettingsStore& store_;
    std::string program_folder_;
    intptr_t main_window_;
};

// Whether `reset user variables` runs at run start: setting "ResetUserVariables" is
// non-zero, no other instance runs and the command line assigned no variables.
bool should_reset_user_variables(SettingsStore& store, bool other_instance_running, bool command_line_variables);

// `save result`: sends an executor's result to the first destination whose bit is
// set in `options`: the clipboard (0x100000), the step's variable (0x200000, when
// `variable` names one) or the file `file` (0x400000, its path expanded first).
void save_result(RunServices& services, uint32_t options, std::string_view variable, std::string_view data,
                 const char* file);

// The names of the files in `folder` whose names end in ".zorbel_var" (ignoring case).
std::vector<std::string> list_variable_files(const std::string& folder);

// Writes `data` to a new file at `path` (an old one is deleted first).
bool write_new_file(const std::string& path, std::string_view data);

}  // namespace zorbel
