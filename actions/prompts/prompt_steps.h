// The handlers of the User Prompt family (7), one file per kind of prompt, and what
// they share: the step's prompt text and wait time, and the preset of a dialog.
#pragma once
#include <string>

#include "engine/run_context.h"

namespace zorbel {

// The fields every prompt step reads first.
struct PromptFields {
    std::string text;       // expanded, long messages cut with the truncation note
    uint32_t wait_ms = 0;   // the prompt's close time, 0 for none
};
// Expands the time-out (logging it when given) and the text.
PromptFields read_prompt_fields(RunContext& context, Step& step);

// message_steps.cpp: "Display Message", "Display Warning", "Ask Yes/No Question".
int show_message(RunContext& context, Step& step);
// dialog_steps.cpp: "Input Value", "Choose a File", "Choose a Folder", "Choose from a List".
int input_value(RunContext& context, Step& step);
int choose_file(RunContext& context, Step& step);
int choose_folder(RunContext& context, Step& step);
int choose_from_list(RunContext& context, Step& step);
// login_step.cpp: "Login Prompt".
int login_prompt(RunContext& context, Step& step);
// window_steps.cpp: "Status Popup", "Progress Bar Popup", "Tool Tip Popup", "Display Image".
int status_popup(RunContext& context, Step& step);
int tool_tip_popup(RunContext& context, Step& step);
int display_image(RunContext& context, Step& step);

}  // namespace zorbel
