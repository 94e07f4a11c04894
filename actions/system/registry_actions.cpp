#include "actions/system/registry_actions.h"

#include <string>
#include <vector>

#include "actions/system/number_bits.h"
#include "actions/system/registry_copy.h"
#include "actions/system/registry_desktop.h"
#include "actions/system/registry_path.h"
#include "engine/variables.h"

namespace zorbel {
namespace {

int fail_quietly(RunContext& context) {
    context.run.error_text.clear();
    return kStepFailed;
}

int fail_no_key(RunContext& context, const std::string& path) {
    return context.fail("The registry path \"%s\" names no key", path.c_str());
}

// A path is usable when it names a known root (or none) and a key below it.
bool usable(RunContext& context, const RegistryPath& path, const std::string& given, bool key_needed) {
    if (path.unknown_root) {
        context.fail("The registry path \"%s\" names an unknown root", given.c_str());
        return false;
    }
    if (key_needed && path.key.empty()) {
        fail_no_key(context, given);
        return false;
    }
    return true;
}

// Data made only of digits, ".", ",", "+", "-" and blanks (and not empty) is a number.
bool numeric_data(const std::string& data) {
    if (data.empty()) return false;
    for (char c : data)
        if (!((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '+' || c == '-' || c == ' ')) return false;
    return true;
}

int read_registry(RunContext& context, Step& step) {
    const std::string given = context.text_of(step.value[0]);
    RegistryPath path = parse_registry_path(given);
    if (!usable(context, path, given, true)) return kStepFailed;
    StoredValue value;
    if (!context.desktop().registry->read_value(path.root, path.key, path.name, &value)) return fail_quietly(context);
    std::string text = stored_value_text(value);
    if (text.empty()) return fail_quietly(context);
    save_result(context.services, step.options, field_text(step.variable), text, nullptr);
    return kStepSucceeded;
}

// Numbers that fit 32 bits become a REG_DWORD; other data (and larger numbers) a
// text, REG_EXPAND_SZ when it holds "%".
int write_registry(RunContext& context, Step& step) {
    const std::string given = context.text_of(step.value[0]);
    RegistryPath path = parse_registry_path(given);
    if (!usable(context, path, given, true)) return kStepFailed;
    const std::string data = context.text_of(step.text);
    NumberBits number = text_to_number_bits(data);
    bool ok;
    if (numeric_data(data) && number.fits) {
        char bytes[4];
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number.low >> (8 * i)) & 0xff);
        ok = context.desktop().registry->write_value(path.root, path.key, path.name, kValueNumber,
                                                     std::string_view(bytes, 4));
    } else {
        uint32_t type = data.find('%') != std::string::npos ? kValueExpandText : kValueText;
        ok = context.desktop().registry->write_value(path.root, path.key, path.name, type,
                                                     std::string_view(data.c_str(), data.size() + 1));
    }
    return ok ? kStepSucceeded : fail_quietly(context);
}

int copy_registry(RunContext& context, Step& step) {
    const std::string source_text = context.text_of(step.value[0]);
    const std::string target_text = context.text_of(step.text);
    RegistryPath source = parse_registry_path(source_text);
    RegistryPath target = parse_registry_path(target_text);
    if (!usable(context, source, source_text, false) || !usable(context, target, target_text, false))
        return kStepFailed;
    const std::string source_key = registry_key_path(source);
    const std::string target_key = registry_key_path(target);
    if (source_key.empty()) return fail_no_key(context, source_text);
    if (target_key.empty()) return fail_no_key(context, target_text);
    if (source.root == target.root && key_within(target_key, source_key))
        return context.fail("Unable to copy the registry key \"%s\" into itself", source_text.c_str());
    if (!copy_registry_tree(*context.desktop().registry, source.root, source_key, target.root, target_key))
        return fail_quietly(context);
    return kStepSucceeded;
}

// The key named by the whole path with its subtree; else the value named by the last
// component in its own key; a path ending in "\" names the key's default value only.
// Never a root, never a key or value elsewhere.
int delete_registry(RunContext& context, Step& step) {
    const std::string given = context.text_of(step.value[0]);
    RegistryPath path = parse_registry_path(given);
    if (!usable(context, path, given, false)) return kStepFailed;
    const std::string whole = registry_key_path(path);
    if (whole.empty()) return fail_no_key(context, given);
    RegistryDesktop& registry = *context.desktop().registry;
    if (!path.name.empty() && registry.key_exists(path.root, whole))
        return delete_registry_tree(registry, path.root, whole) ? kStepSucceeded : fail_quietly(context);
    if (path.key.empty()) return fail_no_key(context, given);
    return registry.delete_value(path.root, path.key, path.name) ? kStepSucceeded : fail_quietly(context);
}

}  // namespace

int registry_step(RunContext& context, Step& step) {
    std::string_view name = field_text(step.action);
    if (contains_ignore_case(name, "Read")) return read_registry(context, step);
    if (contains_ignore_case(name, "Write")) return write_registry(context, step);
    if (contains_ignore_case(name, "Copy")) return copy_registry(context, step);
    if (contains_ignore_case(name, "Delete")) return delete_registry(context, step);
    return kStepSucceeded;
}

}  // namespace zorbel
