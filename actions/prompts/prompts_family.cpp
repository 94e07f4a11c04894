// The User Prompt family (7): message boxes, questions, the input, login and list
// dialogs, file and folder choosers, status and progress popups, tool tips and images.
// Every prompt is shown through the run's user interface, so the editor, the player
// and unattended runs share one path. The step's time-out is the prompt's close time,
// so a failed prompt step is final at once.
#include "actions/families.h"
#include "actions/prompts/prompt_steps.h"
#include "actions/prompts/prompt_text.h"

namespace zorbel {

namespace {

// Tried in order: "Display Message", "Display Warning" and "Ask" are message boxes;
// "File" and "Folder" come after the rows whose names hold them, "List" last.
const ActionRow kActions[] = {
    {"Display Message", show_message},
    {"Display Warning", show_message},
    {"Ask", show_message},
    {"Status Popup", status_popup},
    {"Progress", status_popup},
    {"Tool Tip Popup", tool_tip_popup},
    {"Display Image", display_image},
    {"Input Value", input_value},
    {"Login", login_prompt},
    {"List", choose_from_list},
    {"File", choose_file},
    {"Folder", choose_folder},
};

}  // namespace

PromptFields read_prompt_fields(RunContext& context, Step& step) {
    PromptFields fields;
    const std::string timeout = context.text_of(step.timeout);
    fields.wait_ms = milliseconds_from_text(timeout);
    if (!timeout.empty()) context.log("\t'%s' seconds allowed for message to close\r\n", timeout.c_str());
    fields.text = cut_long_message(context.text_of(step.text));
    return fields;
}

const ActionFamily kPromptFamily = ActionFamily(7, "User Prompt", kActions).without_retries();

}  // namespace zorbel
