#include "actions/system/registry_copy.h"

#include <string>
#include <vector>

namespace zorbel {
namespace {

// The registry nests keys at most 512 deep; deeper means a loop or a damaged tree.
constexpr int kMaxDepth = 512;

struct TreeCopy {
    RegistryDesktop& registry;
    SettingsRoot source_root;
    SettingsRoot target_root;
    std::vector<std::string> created;  // in creation order, parents first

    bool copy(const std::string& source, const std::string& target, int depth) {
        if (depth > kMaxDepth) return false;
        std::vector<NamedValue> values;
        std::vector<std::string> subkeys;
        if (!registry.list_values(source_root, source, &values)) return false;
        if (!registry.list_subkeys(source_root, source, &subkeys)) return false;
        bool made = false;
        if (!registry.create_key(target_root, target, &made)) return false;
        if (made) created.push_back(target);
        for (const NamedValue& v : values)
            if (!registry.write_value(target_root, target, v.name, v.value.type, v.value.data)) return false;
        for (const std::string& name : subkeys)
            if (!copy(source + "\\" + name, target + "\\" + name, depth + 1)) return false;
        return true;
    }
};

bool delete_tree(RegistryDesktop& registry, SettingsRoot root, const std::string& key, int depth) {
    if (depth > kMaxDepth) return false;
    std::vector<std::string> subkeys;
    if (registry.list_subkeys(root, key, &subkeys))
        for (const std::string& name : subkeys) delete_tree(registry, root, key + "\\" + name, depth + 1);
    return registry.delete_empty_key(root, key);
}

}  // namespace

bool copy_registry_tree(RegistryDesktop& registry, SettingsRoot source_root, std::string_view source,
                        SettingsRoot target_root, std::string_view target) {
    if (source.empty() || target.empty() || !registry.key_exists(source_root, source)) return false;
    TreeCopy copy{registry, source_root, target_root, {}};
    if (copy.copy(std::string(source), std::string(target), 0)) return true;
    for (size_t i = copy.created.size(); i-- > 0;) delete_tree(registry, target_root, copy.created[i], 0);
    return false;
}

bool delete_registry_tree(RegistryDesktop& registry, SettingsRoot root, std::string_view key) {
    if (key.empty()) return false;
    return delete_tree(registry, root, std::string(key), 0);
}

}  // namespace zorbel
