#include "engine/expand_text.h"

#include <cstring>

#include "engine/expand_internal.h"
#include "engine/variables.h"

namespace zorbel {

TextExpander::TextExpander(RunServices& services)
    : services_(services), variables_(std::make_unique<expansion::VariableCache>()) {}

TextExpander::~TextExpander() = default;

size_t TextExpander::expand(std::string_view input) {
    input = input.substr(0, input.find('\0'));
    std::string& text = buffer_;
    text.assign(input);
    if (text.empty()) return 0;
    using namespace expansion;

    escape_percents(&text);
    // Stages 2 and 3 only act at a "%": a text without one never reaches the store.
    EnvironmentSnapshot environment;
    if (std::memchr(text.data(), '%', text.size()) != nullptr) {
        if (services_.store != nullptr) variables_->refresh(*services_.store);
        expand_loop_variables(&text, *variables_);
        environment.load(services_.environment);
        std::string prefix = services_.variables != nullptr ? services_.variables->prefix() : std::string();
        expand_variables(&text, environment, *variables_, prefix);
    }
    expand_key_shortcuts(&text);
    expand_windows_constants(&text);
    if (std::memchr(text.data(), '%', text.size()) != nullptr) {
        if (!environment.loaded()) environment.load(services_.environment);
        expand_run_tokens(&text, services_, environment);
        expand_random_tokens(&text, services_.environment);
    }
    if (std::memchr(text.data(), '%', text.size()) != nullptr && services_.environment != nullptr)
        expand_date_tokens(&text, services_.environment->local_time());
    if (text.find('(') != std::string::npos && text.find(')') != std::string::npos) expand_text_functions(&text);
    restore_percents(&text);
    return text.size() + 1;
}

}  // namespace zorbel
