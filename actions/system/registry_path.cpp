#include "actions/system/registry_path.h"

#include "core/text_rules.h"

namespace zorbel {
namespace {

struct RootPrefix {
    const char* prefix;
    SettingsRoot root;
};

// Tested in this order; the first one found anywhere in the path chooses the root.
constexpr RootPrefix kRootPrefixes[] = {
    {"HKEY_LOCAL_MACHINE\\", SettingsRoot::kLocalMachine},
    {"HKEY_CLASSES_ROOT\\", SettingsRoot::kClassesRoot},
    {"HKEY_CURRENT_CONFIG\\", SettingsRoot::kCurrentConfig},
    {"HKEY_CURRENT_USER\\", SettingsRoot::kCurrentUser},
    {"HKEY_USERS\\", SettingsRoot::kUsers},
};

std::string trim_backslashes(std::string_view text) {
    while (!text.empty() && text.front() == '\\') text.remove_prefix(1);
    while (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

RegistryPath parse_registry_path(std::string_view path) {
    RegistryPath out;
    std::string rest(path.substr(0, kMaxSettingPath));
    bool chosen = false;
    for (const RootPrefix& p : kRootPrefixes) {
        if (!chosen && contains_ignore_case(rest, p.prefix)) {
            out.root = p.root;
            chosen = true;
        }
    }
    if (!chosen) {
        std::string first = rest.substr(0, rest.find('\\'));
        out.unknown_root = starts_with_ignore_case(first, "HKEY_");
        for (const char* short_name : {"HKCU", "HKLM", "HKCR", "HKU", "HKCC"})
            out.unknown_root = out.unknown_root || (equals_ignore_case(first, short_name) && first.size() < rest.size());
    }
    for (const RootPrefix& p : kRootPrefixes) {
        size_t at = find_ignore_case(rest, p.prefix);
        if (at != std::string::npos) rest.erase(at, std::string_view(p.prefix).size());
    }
    out.rest = rest;
    size_t last = rest.rfind('\\');
    if (last == std::string::npos) {
        out.name = rest;
    } else {
        out.key = trim_backslashes(std::string_view(rest).substr(0, last));
        out.name = rest.substr(last + 1);
    }
    return out;
}

std::string registry_key_path(const RegistryPath& path) { return trim_backslashes(path.rest); }

bool key_within(std::string_view inner, std::string_view outer) {
    if (!starts_with_ignore_case(inner, outer)) return false;
    return inner.size() == outer.size() || inner[outer.size()] == '\\';
}

}  // namespace zorbel
