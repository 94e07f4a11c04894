// What an executor works with: the script, the run state, the run's services and
// the program hosting the run. One context serves the whole run.
#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

#include "core/script_state.h"
#include "core/text_rules.h"
#include "engine/run_host.h"
#include "engine/run_services.h"
#include "engine/run_state.h"

namespace zorbel {

class RunController;

// The executor result: kStepFailed leaves the reason in the run's error text;
// kStepArranged says the executor already arranged what comes next (it stopped the
// run, ended the program, or set the step timer or a hook itself).
constexpr int kStepSucceeded = 1;
constexpr int kStepFailed = 0;
constexpr int kStepArranged = -1;

struct RunContext {
    ScriptState& script;
    RunState& run;
    RunServices& services;
    RunHost& host;
    RunController* controller = nullptr;

    Step& step() { return script.steps[static_cast<size_t>(script.current_step)]; }

    // Runs `text` through the text expander.
    std::string expand(std::string_view text);
    // Appends a line to the run log (and the Output palette when shown).
    void log(const char* format, ...) ZORBEL_PRINTF(2, 3);
    bool detailed_log();
    // Puts the reason for a failure into the error text and returns kStepFailed.
    int fail(const char* format, ...) ZORBEL_PRINTF(2, 3);
    // Stops the run (as the stop command does).
    void stop_run(bool quiet = false);
    uint32_t now();
};

// Every family executor has this form; it works on the context's current step.
using Executor = int (*)(RunContext& context);

}  // namespace zorbel
