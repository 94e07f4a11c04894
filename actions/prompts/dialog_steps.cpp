// "Input Value", "Choose a File", "Choose a Folder" and "Choose from a List": a modal
// prompt whose answer is saved as the step's result. The input, file and folder
// prompts are preset with the value of the step's variable when the step saves to it;
// a cancelled or timed-out prompt saves that preset back. A preset too long for the
// prompt was cut to show it, so a cancelled prompt then leaves the variable as it was.
#include "actions/prompts/prompt_steps.h"
#include "actions/prompts/prompt_text.h"
#include "actions/windows/window_desktop.h"
#include "core/user_interface.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

struct Preset {
    std::string value;
    bool cut = false;
};

Preset read_preset(RunContext& context, const Step& step) {
    Preset preset;
    if ((step.options & kOptionResultToVariable) == 0 || context.services.variables == nullptr) return preset;
    std::string value;
    context.services.variables->read(Variables::bare_name(field_text(step.variable)), &value);
    preset.cut = value.size() > kPromptTextLimit;
    preset.value = cut_prompt_text(value);
    return preset;
}

void save_answer(RunContext& context, Step& step, const std::string& answer) {
    save_result(context.services, step.options, field_text(step.variable), answer, nullptr);
}

// Saves the answer of an input, file or folder prompt.
void save_dialog_answer(RunContext& context, Step& step, PromptEnd end, const DialogPrompt& prompt,
                        const Preset& preset) {
    if (end == PromptEnd::kOk) return save_answer(context, step, cut_prompt_text(prompt.value));
    if (preset.cut) {
        context.log("\tPrompt cancelled: the variable keeps its value\r\n");
        return;
    }
    save_answer(context, step, preset.value);
}

// The window a window step activated gets the focus back after a modal prompt.
void activate_current_window(RunContext& context) {
    if (context.run.window_activated && context.run.current_window != 0)
        context.desktop().windows->activate(context.run.current_window);
}

using DialogShow = PromptEnd (UserInterface::*)(DialogPrompt&);

int preset_prompt(RunContext& context, Step& step, DialogShow show, bool reactivate) {
    const PromptFields fields = read_prompt_fields(context, step);
    const Preset preset = read_preset(context, step);
    DialogPrompt prompt;
    prompt.prompt = cut_prompt_text(fields.text);
    prompt.value = preset.value;
    prompt.timeout_ms = fields.wait_ms;
    const PromptEnd end = (context.ui().*show)(prompt);
    if (reactivate) activate_current_window(context);
    save_dialog_answer(context, step, end, prompt, preset);
    return kStepSucceeded;
}

}  // namespace

int input_value(RunContext& context, Step& step) {
    return preset_prompt(context, step, &UserInterface::input_prompt, true);
}

int choose_file(RunContext& context, Step& step) {
    return preset_prompt(context, step, &UserInterface::file_prompt, false);
}

int choose_folder(RunContext& context, Step& step) {
    return preset_prompt(context, step, &UserInterface::folder_prompt, false);
}

// The chosen item (cut to the prompt's limit), or an empty result when none was chosen.
int choose_from_list(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    DialogPrompt prompt;
    std::string list_prompt;
    split_list_text(fields.text, &list_prompt, &prompt.items);
    prompt.prompt = cut_prompt_text(list_prompt);
    prompt.timeout_ms = fields.wait_ms;
    const PromptEnd end = context.ui().list_prompt(prompt);
    activate_current_window(context);
    std::string answer;
    if (end == PromptEnd::kOk && prompt.chosen >= 0 && static_cast<size_t>(prompt.chosen) < prompt.items.size())
        answer = cut_prompt_text(prompt.items[static_cast<size_t>(prompt.chosen)]);
    save_answer(context, step, answer);
    return kStepSucceeded;
}

}  // namespace zorbel
