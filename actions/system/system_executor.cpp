// The System family: variables, run speed and repeats, the log, and (as they are
// built) clipboard, capture, display, screen saver, registry and session actions.
#include "actions/executors.h"
#include "actions/screen/capture_steps.h"
#include "actions/system/variable_steps.h"
#include "engine/run_log.h"
#include "engine/settings_store.h"

namespace zorbel {

namespace {

int set_run_speed(RunContext& context, Step& step) {
    int speed = text_to_number(context.expand(field_text(step.timeout)));
    if (speed < 1) speed = 1;
    if (speed > 10) speed = 10;
    context.run.speed = speed;
    if (context.services.store) write_setting_number(*context.services.store, "SOFTWARE\\Zorbel\\Speed", speed);
    return kStepSucceeded;
}

int set_run_repeats(RunContext& context, Step& step) {
    context.run.repeats = text_to_number(context.expand(field_text(step.timeout)));
    return kStepSucceeded;
}

// The line goes to the log file whether or not logging is on, and to the Output
// palette; it is written to the file once, not a second time by the run log.
int write_to_log(RunContext& context, Step& step) {
    std::string line = context.expand(step.text) + "\r\n";
    if (context.services.output && context.services.output->visible()) context.services.output->append(line);
    if (context.services.log) append_to_file(context.services.log->file_path(), line);
    return kStepSucceeded;
}

// The branches of later work, in the order the family tests them.
constexpr const char* kNotYetBuilt[] = {"Set Clipboard", "Paste Clipboard", "Clear Clipboard",
                                        "Video Display", "Screen Saver",    "Registry",        "Logoff",
                                        "Restart",       "Shutdown"};

}  // namespace

int execute_system_family(RunContext& context) {
    Step& step = context.step();
    const std::string_view name = field_text(step.action);
    int result = 0;
    if (execute_variable_step(context, step, &result)) return result;
    if (contains_ignore_case(name, "Run Speed")) return set_run_speed(context, step);
    if (contains_ignore_case(name, "Run Repeats")) return set_run_repeats(context, step);
    if (contains_ignore_case(name, "Write to Log")) return write_to_log(context, step);
    if (contains_ignore_case(name, "Capture")) return execute_capture_step(context);
    for (const char* keyword : kNotYetBuilt)
        if (contains_ignore_case(name, keyword))
            return context.fail("The action \"%s\" is not available in this version of Zorbel", step.action);
    return kStepSucceeded;  // "Comment" and other names without effect
}

}  // namespace zorbel
