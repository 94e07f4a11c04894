#include "engine/failure_handling.h"

#include "core/user_interface.h"

#include "engine/expansion_environment.h"
#include "engine/run_controller.h"
#include "engine/run_log.h"
#include "engine/settings_store.h"
#include "engine/setting_names.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr const char* kFailureBoxTitle = "Zorbel Run Failure";
constexpr const char* kDefaultMode = "Display Error and Stop";

// The mode keywords, tested in this order.
struct ModeKeyword {
    const char* keyword;
    const char* also;  // a second keyword that must be present too, or null
    FailureMode mode;
};
constexpr ModeKeyword kModeKeywords[] = {
    {"IGNORE", nullptr, FailureMode::kIgnore},
    {"RETRY", nullptr, FailureMode::kRetry},
    {"ERROR", "ERROR AND CONTINUE", FailureMode::kErrorContinue},
    {"ERROR", nullptr, FailureMode::kErrorStop},
    {"SILENT", nullptr, FailureMode::kSilent},
    {"ASK", nullptr, FailureMode::kAsk},
    {"JUMP", nullptr, FailureMode::kJump},
    {"VARIABLE", nullptr, FailureMode::kVariable},
    {"RESTART", nullptr, FailureMode::kRestart},
};

int32_t find_label(ScriptState& script, std::string_view label) {
    for (int32_t i = 0; i < script.step_count(); ++i) {
        const Step& s = script.steps[static_cast<size_t>(i)];
        if (equals_ignore_case(field_text(s.action), "Label") && equals_ignore_case(s.text, label)) return i;
    }
    return -1;
}

FailureOutcome stop(RunContext& context) {
    context.log("\tRUN FAILED\r\n");
    context.stop_run();
    return kFailureStopped;
}

}  // namespace

FailureMode failure_mode_of(std::string_view name) {
    if (name.empty()) return FailureMode::kErrorStop;
    for (const ModeKeyword& k : kModeKeywords) {
        if (!contains_ignore_case(name, k.keyword)) continue;
        if (k.also && !contains_ignore_case(name, k.also)) continue;
        return k.mode;
    }
    return FailureMode::kOther;
}

std::string failure_capture_path(const std::string& log_file, int step_number, int year, int month, int day,
                                 int hour, int minute, int second) {
    std::string base = log_file;
    size_t dot = base.rfind('.');
    if (dot != std::string::npos) base.resize(dot);
    return format("%s Step #%d FAILURE %04d-%02d-%02d %02d%02d%02d.bmp", base.c_str(), step_number, year, month,
                  day, hour, minute, second);
}

namespace {

Answer box(RunContext& context, const std::string& title, const std::string& text, BoxIcon icon, bool yes_no) {
    if (!context.services.ui) return yes_no ? Answer::kNo : Answer::kYes;
    return context.services.ui->box(title, text, icon, yes_no);
}

}  // namespace

FailureOutcome handle_failure(RunContext& context) {
    ScriptState& script = context.script;
    RunState& run = context.run;
    SettingsStore& store = *context.services.store;
    Step& step = context.step();
    const int number = script.current_step + 1;

    // Not final while the step's own time has not passed since it was announced.
    const uint32_t waited = context.now() - run.step_start_time;
    const ActionFamily* family = context.families ? context.families->find(step.family) : nullptr;
    const bool retried = family == nullptr || family->retries_failed_steps;
    if (!run.single_step && retried && waited <= context.milliseconds_of(step.timeout)) return kFailureNotFinal;

    // The step's family lets go of what the step was waiting with.
    if (family && family->step_given_up) family->step_given_up(context);
    std::string text = context.expand(step.text);
    if (text.size() > 255) text = text.substr(0, 255) + "...";
    std::string mode_name = field_text(step.onfail).empty() ? kDefaultMode : std::string(field_text(step.onfail));
    std::string message = format("Error while running step #%d:  %s %s", number, step.action, text.c_str());

    // A step that asks for its failure to be logged is logged even while logging is off.
    const bool force_log = step.onfail_log && setting_number(store, setting::kLog) == 0;
    if (force_log) write_setting_number(store, setting::kLog, 1);
    context.log("\tERROR while running step #%d:  %s %s\r\n\tFailure Action: %s\r\n", number, step.action,
                text.c_str(), mode_name.c_str());
    if (!run.error_text.empty()) {
        context.log("\t%s\r\n", run.error_text.c_str());
        message += "\r\n\r\n" + run.error_text;
    }
    run.error_text.clear();

    if (step.onfail_image) {
        LocalTime t = context.services.environment->local_time();
        std::string path = failure_capture_path(context.services.log->file_path(), number, t.year, t.month, t.day,
                                                t.hour, t.minute, t.second);
        if (context.services.desktop && context.services.desktop->capture)
            context.services.desktop->capture->capture_to_file(0, path);
    }

    FailureMode mode = failure_mode_of(mode_name);
    int32_t next = script.current_step + 1;
    bool go_on = false;
    switch (mode) {
        case FailureMode::kIgnore: go_on = true; break;
        case FailureMode::kRetry:
            ++run.retry_counter;
            if (run.retry_counter <= text_to_number(field_text(step.onfail_label))) {
                context.log("\tRetrying step (retry #%d of %s)...\r\n", run.retry_counter, step.onfail_label);
                next = script.current_step;
                go_on = true;
            }
            break;
        case FailureMode::kErrorContinue:
            box(context, kFailureBoxTitle, message, BoxIcon::kExclamation, false);
            go_on = true;
            break;
        case FailureMode::kErrorStop:
            box(context, kFailureBoxTitle, message, BoxIcon::kStop, false);
            break;
        case FailureMode::kSilent: break;
        case FailureMode::kAsk:
            if (box(context, kFailureBoxTitle, message + "\n\nContinue?", BoxIcon::kQuestion, true) ==
                Answer::kYes) {
                context.log("\tUser chose to CONTINUE\r\n");
                go_on = true;
            } else {
                context.log("\tUser chose to STOP\r\n");
            }
            break;
        case FailureMode::kJump: {
            int32_t label = find_label(script, field_text(step.onfail_label));
            if (label >= 0) {
                context.log("\tJumping to label \"%s\" (Step #%d)\r\n", step.onfail_label, label + 1);
                next = label;
                go_on = true;
            } else {
                context.log("\tLabel \"%s\" not found\r\n", step.onfail_label);
                box(context, "Error", format("Label \"%s\" not found\r\n", step.onfail_label),
                                 BoxIcon::kExclamation, false);
            }
            break;
        }
        case FailureMode::kVariable:
            if (!field_text(step.onfail_label).empty() && context.services.variables) {
                std::string value;
                context.services.variables->read(step.onfail_label, &value);
                int32_t incremented = static_cast<int32_t>(static_cast<uint32_t>(text_to_number(value)) + 1u);
                // Stored as a 32-bit number, which reads back as its decimal text.
                write_setting(store, SettingsRoot::kCurrentUser, nullptr, incremented, nullptr,
                              "SOFTWARE\\Zorbel\\UserVariables\\%s%s",
                              context.services.variables->prefix().c_str(), step.onfail_label);
                context.log("\tIncrementing variable '%s' = %d\r\n", step.onfail_label, incremented);
            }
            go_on = true;
            break;
        case FailureMode::kRestart:
            next = 0;
            go_on = true;
            break;
        case FailureMode::kOther: break;
    }
    if (force_log) write_setting_number(store, setting::kLog, 0);

    if (run.single_step || !go_on) {
        run.single_step = false;
        return stop(context);
    }
    script.current_step = next;
    if (next < script.step_count() &&
        failure_mode_of(field_text(script.steps[static_cast<size_t>(next)].onfail)) == FailureMode::kRetry)
        return kFailureGoOn;
    run.retry_counter = 0;
    context.log("\tContinuing with next step...\r\n");
    return kFailureGoOn;
}

}  // namespace zorbel
