// Fuzzes `expand text` with an in-memory settings store holding a few variables
// (one refers to itself, one to others) and a fixed desktop. The first input byte
// picks the settings; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/current_window.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/run_log.h"
#include "engine/settings_store_memory.h"
#include "engine/variables.h"

namespace zorbel {
namespace {

class FixedEnvironment : public ExpansionEnvironment {
public:
    std::vector<std::pair<std::string, std::string>> environment_variables() override {
        return {{"PATH", "C:\\bin;C:\\tools"}, {"TEMP", "C:\\TMP"}, {"X", "x"}, {"SELF", "%SELF%SELF"}};
    }
    bool set_environment_variable(const std::string&, const std::string*, std::string*) override { return true; }
    bool clipboard_text(std::string* out) override {
        *out = "clip(board) %clip";
        return true;
    }
    bool set_clipboard_text(const std::string&) override { return true; }
    std::string system_folder() override { return "C:\\WINDOWS\\system32"; }
    std::string windows_folder() override { return "C:\\WINDOWS"; }
    std::string current_folder() override { return "C:\\"; }
    VersionInfo version() override { return VersionInfo{2, 5, 1, 2600, 0}; }
    uint32_t tick_count() override { return 1000; }
    ScreenPoint mouse_position() override { return ScreenPoint{1, 2}; }
    ScreenPoint screen_size() override { return ScreenPoint{800, 600}; }
    LocalTime local_time() override { return LocalTime{2007, 12, 31, 23, 59, 59, 1}; }
    int random15() override { return random_.next(); }

private:
    Random15 random_{7};
};

class FixedWindow : public CurrentWindow {
public:
    intptr_t handle() override { return 99; }
    bool rect(WindowRect* out) override {
        *out = WindowRect{1, 2, 3, 4};
        return true;
    }
    std::string title() override { return "Title (1)"; }
    std::string class_name() override { return "Class"; }
};

class NullOutput : public LogOutput {
public:
    bool visible() override { return true; }
    void append(std::string_view) override {}
};

struct Rig {
    MemorySettingsStore store;
    FixedEnvironment environment;
    FixedWindow window;
    RunFacts run;
    RunLog log{store};
    NullOutput output;
    Variables variables{store, "/nonexistent-zorbel-folder", 1234};
    RunServices services;
    TextExpander expander{services};

    Rig() {
        services.store = &store;
        services.environment = &environment;
        services.window = &window;
        services.run = &run;
        services.log = &log;
        services.output = &output;
        services.variables = &variables;
        services.expander = &expander;
        const std::string big(2000, 'b');
        const std::string vars[][2] = {
            {"a", "A"},           {"ab", "%a%b"},         {"self", "s%self"},        {"pair", "%a%self"},
            {"file_loop", "f.txt"}, {"1234_p", "prefixed"}, {"calc", "CALC(1+%a)"},   {"pct", "%%x%"},
            {"dd", "day"},        {"big", big},           {"empty", ""},
        };
        for (auto& v : vars) write_setting_text(store, std::string(kUserVariablesKey) + "\\" + v[0], v[1]);
    }
};

}  // namespace
}  // namespace zorbel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static zorbel::Rig* rig = new zorbel::Rig();
    if (size == 0) return 0;
    zorbel::write_setting_number(rig->store, "SOFTWARE\\Zorbel\\GlobalVariables", data[0] & 1);
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t n = rig->expander.expand(text);
    if (n != 0 && n != rig->expander.buffer().size() + 1) __builtin_trap();
    if (rig->expander.buffer().size() > zorbel::kMaxExpansionSize) __builtin_trap();
    return 0;
}
