// The variable actions of the System family: "Create/Set Variable", "Increment
// Variable", "Decrement Variable", "Encrypt Variable", "Decrypt Variable" and "Set
// Environment Variable". Each executor returns the executor result: 1 success,
// 0 failure with the reason in `error_text`.
#pragma once
#include <string>
#include <string_view>

#include "core/step_record.h"
#include "engine/run_services.h"

namespace zorbel {

// The key used when an "Encrypt Variable" or "Decrypt Variable" step has no text.
constexpr const char* kDefaultScrambleKey = "406xqz";

// Whether the action is one of this group: its name contains "Variable".
bool is_variable_action(std::string_view action);

// Routes a variable action by its name, in the fixed order of name tests. Every
// action expands the step's text first.
int run_variable_action(const Step& step, RunServices& services, std::string* error_text);

int set_environment_variable_action(const Step& step, RunServices& services, std::string* error_text);
int encrypt_variable_action(const Step& step, RunServices& services);  // also "Decrypt Variable"
int create_set_variable_action(const Step& step, RunServices& services);
int increment_variable_action(const Step& step, RunServices& services, int delta);

// The scramble of Encrypt and Decrypt: each byte b with the key byte k (the key
// repeated from its start): b == k gives 127, 127 gives k, a byte whose b XOR k would
// be 127 stays as it is, every other byte gives b XOR k. Its own inverse for every
// byte; never makes a NUL. An empty key changes nothing.
std::string scramble(std::string_view value, std::string_view key);

}  // namespace zorbel
