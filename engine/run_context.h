// What an executor works with: the script, the run state, the run's services and
// the program hosting the run. One context serves the whole run.
#pragma once
#include <cstdarg>
#include <string>
#include <string_view>

#include "core/script_state.h"
#include "core/text_rules.h"
#include "engine/desktop.h"
#include "engine/family.h"
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

// The time rule of step fields: seconds in `text` (decimal-from-text, fractions
// allowed) floored to milliseconds; 0 for none or a negative time; at most 2^32-1.
uint32_t milliseconds_from_text(const std::string& text);

struct RunContext {
    ScriptState& script;
    RunState& run;
    RunServices& services;
    RunHost& host;
    RunController* controller = nullptr;
    const FamilyTable* families = nullptr;

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

    // The desktop seam and its clock; every effect of an executor goes through them.
    // A step that takes them (acts on the desktop, waits, shows something) ends the
    // run controller's slice of back-to-back steps.
    Desktop& desktop() { return acted = true, *services.desktop; }
    Clock& clock() { return acted = true, *services.desktop->clock; }
    uint32_t now();
    UserInterface& ui() { return acted = true, *services.ui; }
    // Set when the current step took the desktop, the clock or the user interface.
    bool acted = false;

    // The step's fields as an executor reads them: expanded; as a number by the
    // text-to-number rule; as a time by the rule of milliseconds_from_text.
    template <size_t N>
    std::string text_of(const char (&field)[N]) { return expand(field_text(field)); }
    std::string text_of(const std::string& text) { return expand(text); }
    template <size_t N>
    int32_t number_of(const char (&field)[N]) { return text_to_number(text_of(field)); }
    template <size_t N>
    uint32_t milliseconds_of(const char (&field)[N]) { return milliseconds_from_text(text_of(field)); }
};


}  // namespace zorbel
