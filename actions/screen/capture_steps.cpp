#include "actions/screen/capture_steps.h"

#include <string>

#include "actions/mouse/mouse_desktop.h"
#include "actions/screen/screen_desktop.h"

namespace zorbel {

namespace {

constexpr uint32_t kForegroundSettleMs = 250;

}  // namespace

int run_capture_step(RunContext& context, MouseDesktop& desktop, ScreenDesktop& screen) {
    const Step& step = context.step();
    intptr_t window = 0;
    if (!contains_ignore_case(field_text(step.action), "Screen")) {
        window = desktop.current_window();
        if (!window || !desktop.is_visible_window(window)) {
            desktop.sleep(kForegroundSettleMs);
            window = desktop.foreground_window();
            desktop.set_current_window(window);
        }
    }
    if (screen.capture_to_file(window, context.expand(step.text))) return kStepSucceeded;
    context.run.error_text.clear();
    return kStepFailed;
}

int execute_capture_step(RunContext& context) {
    return run_capture_step(context, system_mouse_desktop(), system_screen_desktop());
}

}  // namespace zorbel
