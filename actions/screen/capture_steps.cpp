#include "actions/screen/capture_steps.h"

#include <string>

#include "actions/screen/screen_desktop.h"
#include "actions/windows/run_window.h"

namespace zorbel {

int capture_step(RunContext& context, Step& step) {
    const intptr_t window =
        contains_ignore_case(field_text(step.action), "Screen") ? 0 : visible_current_window(context);
    if (context.desktop().screen->capture_to_file(window, context.text_of(step.text))) return kStepSucceeded;
    context.run.error_text.clear();
    return kStepFailed;
}

}  // namespace zorbel
