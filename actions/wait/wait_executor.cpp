// The Wait family: delays, and waits that succeed once their condition holds (the
// failure handling retries them until the step's time has passed).
#include <cmath>

#include "actions/executors.h"
#include "actions/screen/screen_steps.h"
#include "actions/windows/window_steps.h"
#include "platform/file_search.h"
#include "platform/files.h"

namespace zorbel {

namespace {

// The step's time value in whole milliseconds (seconds, fractions allowed).
uint32_t wait_milliseconds(const std::string& expanded_timeout) {
    double seconds = decimal_from_text(expanded_timeout);
    if (!(seconds > 0)) return 0;
    double ms = std::floor(seconds * 1000.0);
    return ms > 4294967295.0 ? 4294967295u : static_cast<uint32_t>(ms);
}

int freeze(RunContext& context, Step& step) {
    std::string timeout = context.expand(field_text(step.timeout));
    context.log("\tDuration: %s second(s)\r\n", timeout.c_str());
    context.host.sleep_milliseconds(wait_milliseconds(timeout));
    return kStepSucceeded;
}

// The program stays responsive: the run goes on after this step when the step timer
// fires with the wait time.
int delay(RunContext& context, Step& step) {
    std::string timeout = context.expand(field_text(step.timeout));
    context.log("\tDuration: %s second(s)\r\n", timeout.c_str());
    ++context.script.current_step;
    context.run.retry_counter = 0;
    context.host.set_step_timer(wait_milliseconds(timeout));
    return kStepArranged;
}

int wait_for_file(RunContext& context, Step& step) {
    std::string name = context.expand(step.text);
    if (files::matches_exist(name)) return kStepSucceeded;
    std::string folder = files::folder_of(context.script.script_path);
    if (!folder.empty() && files::matches_exist(folder + "\\" + name)) return kStepSucceeded;
    return kStepFailed;
}

int not_available(RunContext& context, Step& step) {
    return context.fail("The action \"%s\" is not available in this version of Zorbel", step.action);
}

}  // namespace

int execute_wait_family(RunContext& context) {
    Step& step = context.step();
    const std::string_view name = field_text(step.action);
    if (contains_ignore_case(name, "Freeze")) return freeze(context, step);
    if (contains_ignore_case(name, "Delay")) return delay(context, step);
    if (contains_ignore_case(name, "Keypress")) return not_available(context, step);
    if (contains_ignore_case(name, "Wait for Pixel")) return wait_for_pixel(context) ? kStepSucceeded : kStepFailed;
    if (contains_ignore_case(name, "Wait for Image") || contains_ignore_case(name, "Wait for Masked Image"))
        return wait_for_image(context, contains_ignore_case(name, "Masked")) ? kStepSucceeded : kStepFailed;
    if (contains_ignore_case(name, "Wait for Window to Appear") ||
        contains_ignore_case(name, "Wait for Window to Disappear"))
        return window_wait_satisfied(context, step) ? kStepSucceeded : kStepFailed;
    if (contains_ignore_case(name, "Wait for File")) return wait_for_file(context, step);
    return kStepSucceeded;
}

}  // namespace zorbel
