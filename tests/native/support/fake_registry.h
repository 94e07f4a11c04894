// The fake desktop's registry, system settings, session and libraries: in memory,
// writing their effects into the desktop's one call log ("registry write HKCU\A\B
// [Name]", "display mode 800x600x32@60", "exit session 5", "call USER32.DLL
// MessageBoxA(0, "m", "t", 35)").
#pragma once
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "actions/external/library_desktop.h"
#include "actions/system/registry_desktop.h"
#include "actions/system/system_settings_desktop.h"
#include "core/text_rules.h"

namespace zorbel {

inline const char* fake_root_name(SettingsRoot root) {
    switch (root) {
    case SettingsRoot::kLocalMachine: return "HKLM";
    case SettingsRoot::kClassesRoot: return "HKCR";
    case SettingsRoot::kUsers: return "HKU";
    case SettingsRoot::kCurrentConfig: return "HKCC";
    case SettingsRoot::kCurrentUser: break;
    }
    return "HKCU";
}

class FakeRegistry : public RegistryDesktop {
public:
    explicit FakeRegistry(std::vector<std::string>& log) : calls_(log) {}
    std::set<std::string> unreadable;   // "HKCU\A\B": listing this key fails
    std::set<std::string> unwritable;   // writes into this key fail

    bool key_exists(SettingsRoot root, std::string_view key) override { return keys_.count(id(root, key)) > 0; }
    bool create_key(SettingsRoot root, std::string_view key, bool* created) override {
        bool made = make(root, key);
        if (created) *created = made;
        if (made) calls_.push_back("registry create " + shown(root, key));
        return true;
    }
    bool read_value(SettingsRoot root, std::string_view key, std::string_view name, StoredValue* out) override {
        auto k = keys_.find(id(root, key));
        if (k == keys_.end()) return false;
        for (const NamedValue& v : k->second)
            if (equals_ignore_case(v.name, name)) {
                *out = v.value;
                return true;
            }
        return false;
    }
    bool write_value(SettingsRoot root, std::string_view key, std::string_view name, uint32_t type,
                     std::string_view data) override {
        if (unwritable.count(id(root, key))) return false;
        make(root, key);
        calls_.push_back("registry write " + shown(root, key) + " [" + std::string(name) + "]");
        std::vector<NamedValue>& values = keys_[id(root, key)];
        for (NamedValue& v : values)
            if (equals_ignore_case(v.name, name)) {
                v.value = StoredValue{type, std::string(data)};
                return true;
            }
        values.push_back(NamedValue{std::string(name), StoredValue{type, std::string(data)}});
        return true;
    }
    bool delete_value(SettingsRoot root, std::string_view key, std::string_view name) override {
        auto k = keys_.find(id(root, key));
        if (k == keys_.end()) return false;
        for (size_t i = 0; i < k->second.size(); ++i)
            if (equals_ignore_case(k->second[i].name, name)) {
                k->second.erase(k->second.begin() + static_cast<std::ptrdiff_t>(i));
                calls_.push_back("registry delete value " + shown(root, key) + " [" + std::string(name) + "]");
                return true;
            }
        return false;
    }
    bool delete_empty_key(SettingsRoot root, std::string_view key) override {
        std::vector<std::string> subkeys;
        if (key.empty() || !list_subkeys(root, key, &subkeys) || !subkeys.empty()) return false;
        keys_.erase(id(root, key));
        calls_.push_back("registry delete key " + shown(root, key));
        return true;
    }
    bool list_subkeys(SettingsRoot root, std::string_view key, std::vector<std::string>* out) override {
        const std::string me = id(root, key);
        if (!keys_.count(me) || unreadable.count(me)) return false;
        out->clear();
        const std::string prefix = me + "\\";
        for (const auto& k : keys_)
            if (k.first.compare(0, prefix.size(), prefix) == 0 && k.first.find('\\', prefix.size()) == std::string::npos)
                out->push_back(names_.at(k.first));
        return true;
    }
    bool list_values(SettingsRoot root, std::string_view key, std::vector<NamedValue>* out) override {
        auto k = keys_.find(id(root, key));
        if (k == keys_.end() || unreadable.count(k->first)) return false;
        *out = k->second;
        return true;
    }

    // Test helpers: a text value (REG_SZ with its NUL), and the text form of a value.
    void put(SettingsRoot root, const std::string& key, const std::string& name, const std::string& text) {
        make(root, key);
        keys_[id(root, key)].push_back(NamedValue{name, StoredValue{kValueText, text + std::string(1, '\0')}});
    }
    std::string text(SettingsRoot root, const std::string& key, const std::string& name) {
        StoredValue v;
        return read_value(root, key, name, &v) ? stored_value_text(v) : "<none>";
    }
    // Every key of the root below `key` (itself included), as "A\B" paths in order.
    std::vector<std::string> tree(SettingsRoot root, const std::string& key) {
        std::vector<std::string> out;
        const std::string me = id(root, key);
        for (const auto& k : keys_)
            if (k.first == me || k.first.compare(0, me.size() + 1, me + "\\") == 0) out.push_back(k.first);
        return out;
    }

private:
    static std::string id(SettingsRoot root, std::string_view key) {
        std::string out = fake_root_name(root);
        if (!key.empty()) out += "\\";
        for (char c : key) out += ascii_lower(c);
        return out;
    }
    static std::string shown(SettingsRoot root, std::string_view key) {
        return std::string(fake_root_name(root)) + "\\" + std::string(key);
    }
    // Makes the key and its parents; true when the key itself is new.
    bool make(SettingsRoot root, std::string_view key) {
        bool made = false;
        for (size_t at = 0; at <= key.size(); ++at) {
            if (at != key.size() && key[at] != '\\') continue;
            std::string_view part = key.substr(0, at);
            std::string k = id(root, part);
            if (!keys_.count(k)) {
                keys_[k];
                size_t last = part.rfind('\\');
                names_[k] = std::string(last == std::string_view::npos ? part : part.substr(last + 1));
                made = at == key.size();
            }
        }
        return made;
    }

    std::vector<std::string>& calls_;
    std::map<std::string, std::vector<NamedValue>> keys_;  // by root and lower-cased path
    std::map<std::string, std::string> names_;
};

class FakeDisplay : public DisplayDesktop, public SessionDesktop {
public:
    explicit FakeDisplay(std::vector<std::string>& log) : calls_(log) {}
    DisplayChange answer = DisplayChange::kDone;
    bool session_ends = true;

    DisplayChange change_mode(const DisplayMode& m) override {
        calls_.push_back("display mode " + std::to_string(m.width) + "x" + std::to_string(m.height) + "x" +
                         std::to_string(m.bits) + "@" + std::to_string(m.frequency));
        return answer;
    }
    DisplayChange restore_registry_mode() override {
        calls_.push_back("display restore");
        return answer;
    }
    bool apply_screen_saver(bool active) override {
        calls_.push_back(active ? "screen saver on" : "screen saver off");
        return true;
    }
    bool exit_session(uint32_t flags) override {
        calls_.push_back("exit session " + std::to_string(flags));
        return session_ends;
    }

private:
    std::vector<std::string>& calls_;
};

// Libraries whose functions are lambdas; every lookup that finds one is logged with
// the words it received.
class FakeLibraries : public LibraryDesktop {
public:
    using Function = std::function<uint32_t(const std::vector<LibraryArgument>&)>;
    explicit FakeLibraries(std::vector<std::string>& log) : calls_(log) {}
    std::map<std::pair<std::string, std::string>, Function> functions;  // (library, name)
    std::vector<std::string> searched;  // every library asked, in order

    void add(const std::string& library, const std::string& name, Function f) {
        functions[{library, name}] = std::move(f);
    }
    std::string resolve_library(const std::string& name) override { return "C:\\libs\\" + name; }
    bool call(const std::string& library, const std::string& name, const std::vector<LibraryArgument>& arguments,
              uint32_t* result) override {
        searched.push_back(library);
        auto f = functions.find({library, name});
        if (f == functions.end()) return false;
        std::string line = "call " + library + " " + name + "(";
        for (size_t i = 0; i < arguments.size(); ++i) {
            if (i) line += ", ";
            const LibraryArgument& a = arguments[i];
            line += a.kind == LibraryArgument::kText ? "\"" + std::string(a.text) + "\""
                    : a.kind == LibraryArgument::kNumberAddress ? std::string("&") + std::to_string(*a.address)
                                                                : std::to_string(a.number);
        }
        calls_.push_back(line + ")");
        *result = f->second(arguments);
        return true;
    }
    void post_command(intptr_t window, uint32_t command) override {
        calls_.push_back("post command " + std::to_string(command) + " to " + std::to_string(window));
    }

private:
    std::vector<std::string>& calls_;
};

}  // namespace zorbel
