// The run controller: runs the script on ticks of the step timer (1001), announces
// each step in the run log and routes it to its family's executor. At speed 10 one
// tick runs steps back to back for a slice of about 10 ms (each step exactly as a
// tick of its own would: stop key, skips, breakpoint, log lines), then lets the
// message loop run; a step that acts on the desktop, waits or shows something ends
// the slice.
#pragma once
#include <cstdint>

#include "engine/run_context.h"

namespace zorbel {

// Command identifiers shared by the editor's menus and the player.
enum RunCommand : int {
    kCommandRun = 1057,
    kCommandRunFromHere = 1088,
    kCommandRunSingleStep = 1087,
    kCommandStop = 1058,
};
constexpr int kStepTimerId = 1001;
// The longest a tick runs steps back to back, and the most steps it runs.
constexpr uint32_t kSliceMilliseconds = 10;
constexpr int kSliceStepLimit = 4096;

class RunController {
public:
    RunController(ScriptState& script, RunState& run, RunServices& services, RunHost& host,
                  const FamilyTable& families);

    RunContext& context() { return context_; }

    // `start run` for kCommandRun, kCommandRunFromHere or kCommandRunSingleStep.
    void start_run(int command);
    // `step tick`: the handler of timer 1001.
    void step_tick();
    // `stop run`; quiet leaves out the completion line.
    void stop_run(bool quiet = false);
    // `run step`: announces the current step and runs it.
    int run_step();
    // Runs the current step by its family's first matching action row (or the
    // family's handler for the rest); the executor result.
    int dispatch_step();

    // The speed given on the command line ("/s"); 0 runs at the "DefaultSpeed" setting.
    int speed_override = 0;
    // Set by the program's start-up when the command line assigned user variables.
    bool command_line_variables = false;
    // The player writes a step's embedded file before the step runs.
    void (*prepare_embedded_file)(RunContext& context, Step& step) = nullptr;
    // At speed 10, run steps back to back inside one tick (false: one step per tick).
    bool slices = true;
    // The last run was stopped by the failure handling (set until the next run starts).
    bool stopped_on_failure = false;

private:
    // What one step of a tick leaves for the next.
    enum class TickEnd { kDone, kNextAtOnce };
    TickEnd tick();
    void announce_step();
    TickEnd end_of_pass();
    TickEnd next_tick();
    void set_status(int part, const std::string& text);
    // Calls every family's run_started (or run_stopped) hook; after the stop hooks the
    // families' run-owned state is released.
    void call_family_hooks(bool started);

    RunContext context_;
};

// "%d seconds" below a minute, "%d:%02d" below an hour, else "%d:%02d:%02d".
std::string elapsed_time_text(uint32_t seconds);

}  // namespace zorbel
