// "Login Prompt": asks for a user name and a password and keeps them as user
// variables: "username" and "password" under the run's variable prefix (so "%username"
// reads them back), "login_username" and "login_password" without it. The user name is
// preset from the last login; the old password is deleted before the prompt, so a
// cancelled prompt leaves none. The run log shows both as entered.
#include "actions/prompts/prompt_steps.h"
#include "actions/prompts/prompt_text.h"
#include "core/user_interface.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

namespace zorbel {

int login_prompt(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    Variables* variables = context.services.variables;
    SettingsStore& store = *context.services.store;
    DialogPrompt prompt;
    prompt.prompt = cut_prompt_text(fields.text);
    prompt.timeout_ms = fields.wait_ms;
    if (variables != nullptr) {
        if (!variables->read_unprefixed("login_username", &prompt.value) || prompt.value.empty())
            variables->read("username", &prompt.value);
        variables->remove("password");
    }
    store.delete_value(SettingsRoot::kCurrentUser, kUserVariablesKey, "login_password");
    const std::string preset = cut_prompt_text(prompt.value);
    prompt.value = preset;
    const PromptEnd end = context.ui().login_prompt(prompt);
    const std::string user = end == PromptEnd::kOk ? cut_prompt_text(prompt.value) : preset;
    const std::string password = end == PromptEnd::kOk ? cut_prompt_text(prompt.password) : std::string();
    context.log("\tSaving result to %%username and %%password: \"%s\", \"%s\"\r\n", user.c_str(), password.c_str());
    if (variables != nullptr) {
        variables->write("username", user);
        variables->write_unprefixed("login_username", user);
        variables->write("password", password);
        variables->write_unprefixed("login_password", password);
    }
    return kStepSucceeded;
}

}  // namespace zorbel
