#include "actions/system/variable_actions.h"

#include "core/text_rules.h"
#include "engine/expand_text.h"
#include "engine/expansion_environment.h"
#include "engine/variables.h"

namespace zorbel {
namespace {

std::string expand(RunServices& services, std::string_view text) {
    return services.expander != nullptr ? services.expander->expanded(text) : std::string(text);
}

void save_to_variable(RunServices& services, const Step& step, std::string_view value) {
    save_result(services, kOptionResultToVariable, field_text(step.variable), value, nullptr);
}

}  // namespace

bool is_variable_action(std::string_view action) { return contains_ignore_case(action, "Variable"); }

std::string scramble(std::string_view value, std::string_view key) {
    std::string out(value);
    if (key.empty()) return out;
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(out[i]);
        const unsigned char k = static_cast<unsigned char>(key[i % key.size()]);
        unsigned char r;
        if (b == k) {
            r = 127;
        } else if (b == 127) {
            r = k;
        } else if ((b ^ k) == 127) {
            // b XOR k would collide with the image of k: such a byte stays as it is,
            // which keeps the scramble reversible.
            r = b;
        } else {
            r = static_cast<unsigned char>(b ^ k);
        }
        out[i] = static_cast<char>(r);
    }
    return out;
}

int set_environment_variable_action(const Step& step, RunServices& services, std::string* error_text) {
    std::string name;
    for (char c : field_text(step.value[0]))
        if (c != '%') name += c;
    std::string value = expand(services, step.text);
    if (services.environment == nullptr) return 1;
    std::string error;
    if (services.environment->set_environment_variable(name, value.empty() ? nullptr : &value, &error)) return 1;
    if (error_text != nullptr) *error_text = error.substr(0, 2047);
    return 0;
}

int encrypt_variable_action(const Step& step, RunServices& services) {
    // The value as stored (a spilled one from its file), never passed through the
    // expander: "%t", "{Enter}" or "CALC(" in a value or a ciphertext must survive.
    std::string value;
    if (services.variables != nullptr) services.variables->read(field_text(step.variable), &value);
    std::string_view key = step.text.empty() ? std::string_view(kDefaultScrambleKey) : std::string_view(step.text);
    key = key.substr(0, key.find('\0'));
    save_to_variable(services, step, scramble(value, key));
    return 1;
}

int create_set_variable_action(const Step& step, RunServices& services) {
    std::string value = expand(services, step.text);
    if (!value.empty()) {
        save_to_variable(services, step, value);
        return 1;
    }
    std::string_view name = field_text(step.variable);
    if (services.variables != nullptr) services.variables->remove(name);
    if (services.palette != nullptr) services.palette->remove_row(name);
    return 1;
}

int increment_variable_action(const Step& step, RunServices& services, int delta) {
    std::string stored;
    if (services.variables != nullptr) services.variables->read(field_text(step.variable), &stored);
    int32_t number = text_to_number(expand(services, stored));
    // Wraps around at the ends of the 32-bit range, as the stored number does.
    int32_t next = static_cast<int32_t>(static_cast<uint32_t>(number) + static_cast<uint32_t>(delta));
    save_to_variable(services, step, std::to_string(next));
    return 1;
}

int run_variable_action(const Step& step, RunServices& services, std::string* error_text) {
    std::string_view action = field_text(step.action);
    if (contains_ignore_case(action, "Set Environment Variable"))
        return set_environment_variable_action(step, services, error_text);
    // Every other variable action expands its text first, even where the text is
    // then used as stored (the key of Encrypt and Decrypt).
    if (contains_ignore_case(action, "Encrypt Variable") || contains_ignore_case(action, "Decrypt Variable")) {
        expand(services, step.text);
        return encrypt_variable_action(step, services);
    }
    if (contains_ignore_case(action, "Create") || contains_ignore_case(action, "Update"))
        return create_set_variable_action(step, services);
    if (contains_ignore_case(action, "Increment") || contains_ignore_case(action, "Decrement")) {
        expand(services, step.text);
        return increment_variable_action(step, services, contains_ignore_case(action, "Increment") ? 1 : -1);
    }
    return 1;
}

}  // namespace zorbel
