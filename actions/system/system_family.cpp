// The System family (14): variables, run speed and repeats, the log, captures, and
// (as they are built) clipboard, display, screen saver, registry and session actions.
#include "actions/families.h"
#include "actions/screen/capture_steps.h"
#include "actions/system/variable_actions.h"
#include "engine/run_log.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

int variable_step(RunContext& context, Step& step) {
    return run_variable_action(step, context.services, &context.run.error_text);
}

int set_run_speed(RunContext& context, Step& step) {
    int speed = context.number_of(step.timeout);
    if (speed < 1) speed = 1;
    if (speed > 10) speed = 10;
    context.run.speed = speed;
    if (context.services.store) write_setting_number(*context.services.store, "SOFTWARE\\Zorbel\\Speed", speed);
    return kStepSucceeded;
}

int set_run_repeats(RunContext& context, Step& step) {
    context.run.repeats = context.number_of(step.timeout);
    return kStepSucceeded;
}

// The line goes to the log file whether or not logging is on, and to the Output
// palette; it is written to the file once, not a second time by the run log.
int write_to_log(RunContext& context, Step& step) {
    std::string line = context.text_of(step.text) + "\r\n";
    if (context.services.output && context.services.output->visible()) context.services.output->append(line);
    if (context.services.log) append_to_file(context.services.log->file_path(), line);
    return kStepSucceeded;
}

// Every action whose name contains "Variable" is a variable action.
const ActionRow kActions[] = {
    {"Variable", variable_step},
    {"Run Speed", set_run_speed},
    {"Run Repeats", set_run_repeats},
    {"Write to Log", write_to_log},
    {"Capture", capture_step},
    {"Set Clipboard", step_not_available},
    {"Paste Clipboard", step_not_available},
    {"Clear Clipboard", step_not_available},
    {"Video Display", step_not_available},
    {"Screen Saver", step_not_available},
    {"Registry", step_not_available},
    {"Logoff", step_not_available},
    {"Restart", step_not_available},
    {"Shutdown", step_not_available},
};

}  // namespace

// "Comment" and other names without effect succeed.
const ActionFamily kSystemFamily(14, "System", kActions);

}  // namespace zorbel
