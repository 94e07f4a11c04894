// "Display Message", "Display Warning" and "Ask Yes/No Question": a message box
// titled "Zorbel Message" that closes by itself after the step's time-out (a question
// then counts as No). A question saves "1" for Yes and "0" for No or a closed box; a
// question whose box could not be shown fails.
#include "actions/prompts/prompt_steps.h"
#include "actions/prompts/prompt_text.h"
#include "core/text_rules.h"
#include "core/user_interface.h"
#include "engine/settings_store.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr uint32_t kOptionSystemModal = 0x1;

bool contains(const char* name, const char* part) { return contains_ignore_case(name, part); }

}  // namespace

int show_message(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    MessagePrompt prompt;
    prompt.text = fields.text;
    prompt.kind = contains(step.action, "Display Warning") ? MessagePrompt::kWarning
                  : contains(step.action, "Ask")           ? MessagePrompt::kQuestion
                                                           : MessagePrompt::kMessage;
    prompt.system_modal = (step.options & kOptionSystemModal) != 0;
    prompt.on_top = setting_number(*context.services.store, "SOFTWARE\\Zorbel\\OnTop") != 0;
    prompt.timeout_ms = fields.wait_ms;
    const PromptEnd end = context.ui().message_prompt(prompt);
    if (end == PromptEnd::kTimedOut) context.log("\tTimeout reached, forcing message closed\r\n");
    if (prompt.kind != MessagePrompt::kQuestion) return kStepSucceeded;
    if (end == PromptEnd::kFailed) return context.fail("Unable to show the question '%s'", cut_prompt_text(prompt.text).c_str());
    save_result(context.services, step.options, field_text(step.variable), end == PromptEnd::kYes ? "1" : "0", nullptr);
    return kStepSucceeded;
}

}  // namespace zorbel
