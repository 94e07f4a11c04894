// The Run Program family (1): programs, documents and other scripts started (and
// waited for), processes killed by name, services started, stopped and reconfigured.
#include "actions/families.h"
#include "actions/programs/process_desktop.h"
#include "actions/programs/program_paths.h"
#include "actions/programs/start_process.h"
#include "core/text_rules.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr uint32_t kOptionRunHidden = 0x1;
constexpr uint32_t kOptionWaitForExit = 0x2;

// The expanded text, or a failure when it is empty.
bool command_text(RunContext& context, Step& step, std::string* out) {
    *out = context.text_of(step.text);
    if (!out->empty()) return true;
    context.fail("No program name or command line provided");
    return false;
}

int kill_process(RunContext& context, Step& step) {
    std::string name;
    if (!command_text(context, step, &name)) return kStepFailed;
    const std::string file_name = name.substr(name.find_last_of('\\') == std::string::npos ? 0
                                                                                          : name.find_last_of('\\') + 1);
    std::string error;
    switch (context.desktop().processes->kill_first(file_name, &error)) {
        case KillResult::kEnded: return kStepSucceeded;
        case KillResult::kNotFound: return context.fail("Unable to find process '%s'", name.c_str());
        case KillResult::kNotEnded: break;
    }
    return context.fail("Unable to end process '%s': %s", name.c_str(), error.c_str());
}

int service_action(RunContext& context, Step& step) {
    std::string name;
    if (!command_text(context, step, &name)) return kStepFailed;
    ServiceCall call;
    uint32_t start_type = 0;
    if (contains_ignore_case(step.action, "Startup")) {
        call = ServiceCall::kStartupType;
        const std::string_view type = field_text(step.value[0]);
        if (contains_ignore_case(type, "Automatic")) start_type = 2;
        else if (contains_ignore_case(type, "Manual")) start_type = 3;
        else if (contains_ignore_case(type, "Disabled")) start_type = 4;
        else return context.fail("Unknown service startup type '%s'", std::string(type).c_str());
    } else if (contains_ignore_case(step.action, "Start")) {
        call = ServiceCall::kStart;
    } else if (contains_ignore_case(step.action, "Stop")) {
        call = ServiceCall::kStop;
    } else {
        return context.fail("Unknown service action \"%s\"", step.action);
    }
    std::string error;
    if (context.desktop().processes->service(call, name, start_type, &error)) return kStepSucceeded;
    return context.fail("%s", error.c_str());
}

// The step's time limit in milliseconds: whole seconds, negative for no limit.
int64_t wait_limit(RunContext& context, Step& step) {
    const double seconds = decimal_from_text(context.text_of(step.timeout));
    if (seconds < 0) return -1;
    return static_cast<int64_t>(seconds) * 1000;
}

int start_program(RunContext& context, Step& step) {
    std::string command;
    if (!command_text(context, step, &command)) return kStepFailed;
    ProgramLookup lookup = program_lookup(context);
    std::string run_buffer;
    resolve_program_path(lookup, command, context.script.script_path, &run_buffer);
    if (contains_ignore_case(step.action, "Call Script")) {
        // A compiled program runs only its own script: starting it again would start
        // a chain of copies of itself.
        if (lookup.processes.compiled_program())
            return context.fail("Call Script is not available in a compiled program");
        run_buffer = "\"" + lookup.processes.own_program() + "\" /r \"" + run_buffer + "\"";
    }
    context.log("\tTranslated run buffer: [%s]\r\n", run_buffer.c_str());
    const bool visible = (step.options & kOptionRunHidden) == 0;
    int64_t wait_ms = 0;
    if (step.options & kOptionWaitForExit) {
        wait_ms = wait_limit(context, step);
        context.log("\t'%s' seconds allowed for program to close\r\n", step.timeout);
    }
    const int32_t result = start_process(context, run_buffer, visible, wait_ms);
    if (result == kStillRunning)
        return context.fail("Program still running after timeout limit of %s seconds", step.timeout);
    if (result == kNotStarted) return kStepFailed;
    save_result(context.services, step.options, field_text(step.variable), std::to_string(result), nullptr);
    return kStepSucceeded;
}

const ActionRow kActions[] = {
    {"KILL", kill_process},
    {"Service", service_action},
};

}  // namespace

const ActionFamily kRunProgramFamily(1, "Run Program", kActions, start_program);

}  // namespace zorbel
