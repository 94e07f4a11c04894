// What happens when a step fails: retried until its time value has passed, then
// its On Failure mode decides whether the run goes on.
#pragma once
#include "engine/run_context.h"

namespace zorbel {

enum FailureOutcome : int {
    kFailureStopped = 0,   // the run was stopped
    kFailureNotFinal = -1, // the step's time has not passed: the same step runs again
    kFailureGoOn = 1,      // the run goes on at the step the mode chose
};

// `handle failure` for the context's current step.
FailureOutcome handle_failure(RunContext& context);

// The On Failure modes, recognised by a keyword in the mode's name.
enum class FailureMode { kIgnore, kRetry, kErrorContinue, kErrorStop, kSilent, kAsk, kJump, kVariable, kRestart, kOther };
FailureMode failure_mode_of(std::string_view name);

// The failure screenshot's file name for a log file, a step number and a time.
std::string failure_capture_path(const std::string& log_file, int step_number, int year, int month, int day,
                                 int hour, int minute, int second);

}  // namespace zorbel
