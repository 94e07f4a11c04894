// The prompts that do not wait: "Status Popup" and "Progress Bar Popup" (one popup,
// reused by later steps, closed by an empty text), "Tool Tip Popup" and "Display
// Image". Each step succeeds once its window is shown; an image that cannot be loaded
// fails the step.
#include "actions/prompts/prompt_steps.h"
#include "core/text_rules.h"
#include "core/user_interface.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

constexpr uint32_t kOptionTopmost = 0x1;
// A tool tip without a time limit still closes after this long.
constexpr uint32_t kShortestToolTipMs = 1000;
// When the program ends with its run, a popup of the last step with a close time
// below this is given its time before the program ends.
constexpr uint32_t kLastPopupWaitLimitMs = 10000;

}  // namespace

int status_popup(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    if (fields.text.empty()) {
        context.ui().close_popup();
        return kStepSucceeded;
    }
    PopupPrompt popup;
    popup.text = fields.text;
    popup.topmost = (step.options & kOptionTopmost) != 0;
    popup.progress = contains_ignore_case(step.action, "Progress");
    popup.close_ms = fields.wait_ms;
    context.ui().status_popup(popup);
    const bool last_step = context.script.current_step + 1 >= context.script.step_count();
    if (context.run.exit_after_run && last_step && fields.wait_ms >= 1 && fields.wait_ms < kLastPopupWaitLimitMs)
        context.clock().sleep(fields.wait_ms);
    return kStepSucceeded;
}

int tool_tip_popup(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    if (fields.wait_ms < 1) context.log("\tWarning: No time limit set for tool tip\r\n");
    context.ui().tool_tip(fields.text, fields.wait_ms < kShortestToolTipMs ? kShortestToolTipMs : fields.wait_ms);
    return kStepSucceeded;
}

int display_image(RunContext& context, Step& step) {
    const PromptFields fields = read_prompt_fields(context, step);
    if (!fields.text.empty()) write_setting_text(*context.services.store, "SOFTWARE\\Zorbel\\SplashBitmap", fields.text);
    if (fields.text.empty() || !context.ui().image_window(fields.text, fields.wait_ms))
        return context.fail("Unable to display image '%s'", fields.text.c_str());
    return kStepSucceeded;
}

}  // namespace zorbel
