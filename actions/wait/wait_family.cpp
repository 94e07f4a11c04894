// The Wait family (6): delays, and waits that succeed once their condition holds (the
// failure handling retries them until the step's time has passed). The conditions of
// the waits come from the families that own them ("Wait for Window to Appear" from the
// windows, "Wait for Image" from the mouse and screen).
#include "actions/families.h"
#include "actions/record/keypress_watcher.h"
#include "platform/file_search.h"
#include "platform/files.h"

namespace zorbel {

namespace {

int freeze(RunContext& context, Step& step) {
    const std::string timeout = context.text_of(step.timeout);
    context.log("\tDuration: %s second(s)\r\n", timeout.c_str());
    context.clock().sleep(milliseconds_from_text(timeout));
    return kStepSucceeded;
}

// The program stays responsive: the run goes on after this step when the step timer
// fires with the wait time.
int delay(RunContext& context, Step& step) {
    const std::string timeout = context.text_of(step.timeout);
    context.log("\tDuration: %s second(s)\r\n", timeout.c_str());
    ++context.script.current_step;
    context.run.retry_counter = 0;
    context.host.set_step_timer(milliseconds_from_text(timeout));
    return kStepArranged;
}

bool file_appeared(RunContext& context, Step& step) {
    const std::string name = context.text_of(step.text);
    if (files::matches_exist(name)) return true;
    const std::string folder = files::folder_of(context.script.script_path);
    return !folder.empty() && files::matches_exist(folder + "\\" + name);
}

// A wait whose condition another family lends; names without one succeed at once.
int wait_for_condition(RunContext& context, Step& step) {
    const ConditionRow* row = context.families ? context.families->wait_condition(step.action) : nullptr;
    if (!row) return kStepSucceeded;
    return row->test(context, step) ? kStepSucceeded : kStepFailed;
}

const ActionRow kActions[] = {
    {"Freeze", freeze},
    {"Delay", delay},
    {"Keypress", wait_for_keypress},
};

const ConditionRow kWaitConditions[] = {
    {"Wait for File", file_appeared},
};

}  // namespace

const ActionFamily kWaitFamily = ActionFamily(6, "Wait", kActions, wait_for_condition).lending({}, kWaitConditions)
                                     .with_hooks(end_keypress_watch, end_keypress_watch, end_keypress_watch);

}  // namespace zorbel
