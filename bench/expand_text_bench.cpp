// Expansions per second of a realistic 1 KB step text with 20 tokens, and settings
// store calls per expansion: natively against the in-memory store, in the Windows
// build against the real registry (under a scratch key that is removed afterwards).
// For comparison it also runs the variable lookup the way the expander used to do
// it: one registry size query per candidate name at each "%".
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "engine/current_window.h"
#include "engine/expansion_environment.h"
#include "engine/expand_text.h"
#include "engine/run_log.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

#ifdef _WIN32
#include "engine/expansion_environment_win.h"
#include "engine/settings_store_registry_win.h"
#else
#include "engine/settings_store_memory.h"
#endif

namespace zorbel {
namespace {

// Forwards every call and counts it: each call is one registry operation.
class CountingStore : public SettingsStore {
public:
    explicit CountingStore(SettingsStore& inner) : inner_(inner) {}
    uint64_t calls = 0;
    bool key_exists(SettingsRoot r, std::string_view k) override { return ++calls, inner_.key_exists(r, k); }
    bool read_value(SettingsRoot r, std::string_view k, std::string_view n, StoredValue* o) override {
        return ++calls, inner_.read_value(r, k, n, o);
    }
    bool write_value(SettingsRoot r, std::string_view k, std::string_view n, uint32_t t, std::string_view d) override {
        return ++calls, inner_.write_value(r, k, n, t, d);
    }
    bool delete_value(SettingsRoot r, std::string_view k, std::string_view n) override {
        return ++calls, inner_.delete_value(r, k, n);
    }
    bool delete_empty_key(SettingsRoot r, std::string_view k) override { return ++calls, inner_.delete_empty_key(r, k); }
    bool list_subkeys(SettingsRoot r, std::string_view k, std::vector<std::string>* o) override {
        return ++calls, inner_.list_subkeys(r, k, o);
    }
    bool list_values(SettingsRoot r, std::string_view k, std::vector<NamedValue>* o) override {
        return ++calls, inner_.list_values(r, k, o);
    }
    bool key_stamp(SettingsRoot r, std::string_view k, KeyStamp* o) override { return ++calls, inner_.key_stamp(r, k, o); }

private:
    SettingsStore& inner_;
};

#ifndef _WIN32
class BenchEnvironment : public ExpansionEnvironment {
public:
    std::vector<std::pair<std::string, std::string>> environment_variables() override {
        std::vector<std::pair<std::string, std::string>> out;
        const char* names[] = {"ALLUSERSPROFILE", "APPDATA", "COMPUTERNAME", "ComSpec", "HOMEDRIVE", "HOMEPATH",
                               "LOCALAPPDATA", "NUMBER_OF_PROCESSORS", "OS", "PATH", "PATHEXT", "ProgramFiles",
                               "SystemDrive", "SystemRoot", "TEMP", "TMP", "USERNAME", "USERPROFILE", "windir",
                               "PROCESSOR_ARCHITECTURE", "PUBLIC", "ProgramData", "CommonProgramFiles"};
        for (const char* n : names) out.emplace_back(n, std::string("C:\\value\\of\\") + n);
        return out;
    }
    bool set_environment_variable(const std::string&, const std::string*, std::string*) override { return true; }
    bool clipboard_text(std::string* out) override { return out->clear(), false; }
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
#endif

// The old way of stage 3's lookups: at each "%", every candidate name from the
// longest down is probed in the environment and then by a size query of the store.
size_t probe_like_before(SettingsStore& store, ExpansionEnvironment& env, const std::string& text,
                         const std::string& prefix) {
    size_t found = 0;
    char buffer[4];
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        size_t length = 0;
        while (at + 1 + length < text.size() && length < 64) {
            char c = text[at + 1 + length];
            if (c == ' ' || c == '%' || c == '\r' || c == '\n') break;
            ++length;
        }
        for (; length > 0; --length) {
            std::string candidate = text.substr(at + 1, length);
            bool in_env = false;
            for (const auto& [name, value] : env.environment_variables())
                if (equals_ignore_case(name, candidate) && !value.empty()) in_env = true;
            if (in_env) break;
            if (read_setting(store, SettingsRoot::kCurrentUser, buffer, -1, nullptr, "%s\\%s%s", kUserVariablesKey,
                             prefix.c_str(), candidate.c_str()) > 0) {
                ++found;
                break;
            }
        }
    }
    return found;
}

std::string realistic_text() {
    // 20 tokens: 9 user variables, 2 environment names, a loop variable, 4 date
    // tokens, 2 run tokens, a key shortcut and a CALC call, in about 1 KB of prose.
    std::string text =
        "Dear %customer_name, your order %order_id placed on %dd.%mm.%yyyy at %hh:%ii has been shipped to "
        "%shipping_address.%n"
        "The parcel weighs %weight kg and the total is CALC(%price * %quantity) %currency.{ENTER}"
        "Files are kept in %TEMP\\orders and %APPDATA\\shop; this line came from %file_loop (pass %e).%n"
        "Tracking: %tracking_number, carrier %carrier.%t";
    while (text.size() < 1000)
        text += " This sentence is plain prose without any token at all, as most of a step text is.";
    return text;
}

void fill_variables(SettingsStore& store) {
    const char* vars[][2] = {
        {"customer_name", "Alice Example"}, {"order_id", "A-1029384"}, {"shipping_address", "1 Main Street, Springfield"},
        {"weight", "2.5"},          {"price", "19.99"},           {"quantity", "3"},
        {"currency", "EUR"},        {"tracking_number", "ZX9988776655"}, {"carrier", "Parcel Co"},
        {"file_loop", "orders_2007.csv"},
    };
    for (auto& v : vars) write_setting_text(store, std::string(kUserVariablesKey) + "\\" + v[0], v[1]);
    // Other variables a long script leaves behind.
    for (int i = 0; i < 40; ++i)
        write_setting_text(store, std::string(kUserVariablesKey) + "\\other_variable_" + std::to_string(i),
                           "value " + std::to_string(i));
    write_setting_number(store, "SOFTWARE\\Zorbel\\GlobalVariables", 1);
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace
}  // namespace zorbel

int main() {
    using namespace zorbel;
#ifdef _WIN32
    RegistrySettingsStore real("SOFTWARE\\Zorbel\\Test\\Bench");
    DesktopExpansionEnvironment environment(1);
    const char* where = "Windows registry";
#else
    MemorySettingsStore real;
    BenchEnvironment environment;
    const char* where = "in-memory store";
#endif
    delete_setting(real, SettingsRoot::kCurrentUser, "SOFTWARE\\Zorbel");
    CountingStore store(real);
    fill_variables(store);
    NoCurrentWindow window;
    RunFacts run;
    RunLog log(store);
    Variables variables(store, ".", 1234);
    RunServices services;
    TextExpander expander(services);
    services.store = &store;
    services.environment = &environment;
    services.window = &window;
    services.run = &run;
    services.log = &log;
    services.variables = &variables;
    services.expander = &expander;

    const std::string text = realistic_text();
    expander.expand(text);  // warm up (the first listing of the variables)
    std::printf("text: %zu bytes, output: %zu bytes, starting \"%.60s\"\n", text.size(), expander.buffer().size(),
                expander.buffer().c_str());

    const int rounds = 2000;
    // Just written: the key's change probe is not trusted yet, so each expansion
    // lists the variables again.
    store.calls = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds / 4; ++i) expander.expand(text);
    double elapsed = seconds_since(start);
    std::printf("%s, variables just written: %.0f expansions/s, %.1f us per expansion, %.2f store calls\n", where,
                rounds / 4 / elapsed, elapsed / (rounds / 4) * 1e6, static_cast<double>(store.calls) / (rounds / 4));

    // Settled (no write for a second): one change probe per expansion.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    store.calls = 0;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) expander.expand(text);
    elapsed = seconds_since(start);
    std::printf("%s, settled: %.0f expansions/s, %.1f us per expansion, %.2f store calls per expansion\n", where,
                rounds / elapsed, elapsed / rounds * 1e6, static_cast<double>(store.calls) / rounds);

    // A variable written before every expansion: the listing is taken again each time.
    store.calls = 0;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds / 4; ++i) {
        variables.write("quantity", std::to_string(i));
        expander.expand(text);
    }
    elapsed = seconds_since(start);
    std::printf("%s, a variable written before each: %.1f us per write + expansion, %.2f store calls\n", where,
                elapsed / (rounds / 4) * 1e6, static_cast<double>(store.calls) / (rounds / 4));

    // The lookups of stage 3 alone, done as before (one size query per candidate name).
    const int old_rounds = 50;
    store.calls = 0;
    start = std::chrono::steady_clock::now();
    size_t found = 0;
    for (int i = 0; i < old_rounds; ++i) found += probe_like_before(store, environment, text, "");
    elapsed = seconds_since(start);
    std::printf("%s, stage 3 lookups as before: %.1f us per text, %.1f store calls per text (%zu found)\n", where,
                elapsed / old_rounds * 1e6, static_cast<double>(store.calls) / old_rounds, found / old_rounds);

    delete_setting(real, SettingsRoot::kCurrentUser, "SOFTWARE\\Zorbel");
    return 0;
}
