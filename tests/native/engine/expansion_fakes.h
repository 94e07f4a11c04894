// In-memory fakes for the expander's and the variables' outside world, and a
// fixture-style bundle that wires them with a memory settings store, a run log and
// a temporary program folder.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/text_rules.h"
#include "engine/current_window.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/run_log.h"
#include "engine/run_services.h"
#include "engine/settings_store_memory.h"
#include "engine/variables.h"
#include "platform/files.h"
#include "tests/native/core/script_file_test_util.h"

namespace zorbel {

class FakeEnvironment : public ExpansionEnvironment {
public:
    std::vector<std::pair<std::string, std::string>> variables;
    bool has_clipboard = false;
    std::string clipboard;
    LocalTime now;  // default 2000-01-01 00:00:00, a Saturday
    VersionInfo os{2, 5, 1, 2600, 0};
    Random15 random{12345};
    std::string set_error;  // non-empty: set_environment_variable fails with it

    std::vector<std::pair<std::string, std::string>> environment_variables() override { return variables; }
    bool set_environment_variable(const std::string& name, const std::string* value, std::string* error) override {
        if (!set_error.empty()) {
            *error = set_error;
            return false;
        }
        for (size_t i = 0; i < variables.size(); ++i) {
            if (!equals_ignore_case(variables[i].first, name)) continue;
            if (value == nullptr) {
                variables.erase(variables.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                variables[i].second = *value;
            }
            return true;
        }
        if (value != nullptr) variables.emplace_back(name, *value);
        return true;
    }
    bool clipboard_text(std::string* out) override {
        *out = has_clipboard ? clipboard : std::string();
        return has_clipboard;
    }
    bool set_clipboard_text(const std::string& text) override {
        clipboard = text;
        has_clipboard = true;
        return true;
    }
    std::string system_folder() override { return "C:\\WINDOWS\\system32"; }
    std::string windows_folder() override { return "C:\\WINDOWS"; }
    std::string current_folder() override { return "C:\\work"; }
    VersionInfo version() override { return os; }
    uint32_t tick_count() override { return 123456; }
    ScreenPoint mouse_position() override { return ScreenPoint{17, 29}; }
    ScreenPoint screen_size() override { return ScreenPoint{1280, 1024}; }
    LocalTime local_time() override { return now; }
    int random15() override { return random.next(); }
};

class FakeWindow : public CurrentWindow {
public:
    bool exists = true;
    int lookups = 0;  // how often the expander asked
    intptr_t handle() override {
        ++lookups;
        return exists ? 4242 : 0;
    }
    bool rect(WindowRect* out) override {
        ++lookups;
        if (!exists) return false;
        *out = WindowRect{10, 20, 310, 220};
        return true;
    }
    std::string title() override {
        ++lookups;
        return exists ? "Untitled - Notepad" : "";
    }
    std::string class_name() override {
        ++lookups;
        return exists ? "Notepad" : "";
    }
};

class FakeLogOutput : public LogOutput {
public:
    bool shown = true;
    std::string text;
    bool visible() override { return shown; }
    void append(std::string_view line) override { text.append(line); }
};

class FakePalette : public VariablesPalette {
public:
    bool is_shown = true;
    std::vector<VariableRow> rows;
    bool shown() override { return is_shown; }
    void set_row(const VariableRow& row) override {
        for (VariableRow& r : rows)
            if (r.name == row.name) {
                r = row;
                return;
            }
        rows.push_back(row);
    }
    void remove_row(std::string_view name) override {
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].name == name) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i--));
    }
    void clear() override { rows.clear(); }
};

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder : public testing_util::TempFolder {
public:
    TempFolder() : testing_util::TempFolder("vars") {}
};

// Everything an expansion needs, wired together; GlobalVariables is 1 (no prefix).
struct ExpansionRig {
    MemorySettingsStore store;
    FakeEnvironment environment;
    FakeWindow window;
    RunFacts run;
    RunLog log{store};
    FakeLogOutput output;
    FakePalette palette;
    TempFolder folder;
    Variables variables{store, folder.path(), 1234};
    RunServices services;
    TextExpander expander{services};

    ExpansionRig() {
        services.store = &store;
        services.environment = &environment;
        services.window = &window;
        services.run = &run;
        services.log = &log;
        services.output = &output;
        services.variables = &variables;
        services.palette = &palette;
        services.expander = &expander;
        write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 1);
    }
    void set_variable(const std::string& name, const std::string& value) {
        write_setting_text(store, std::string(kUserVariablesKey) + "\\" + name, value);
    }
    std::string variable(const std::string& registry_name) {
        return setting_text(store, std::string(kUserVariablesKey) + "\\" + registry_name, size_t{1} << 30);
    }
    bool has_variable(const std::string& registry_name) {
        StoredValue v;
        return store.read_value(SettingsRoot::kCurrentUser, kUserVariablesKey, registry_name, &v);
    }
    std::string expand(std::string_view text) { return expander.expanded(text); }
};

}  // namespace zorbel
