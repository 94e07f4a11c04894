// The run state: everything one run changes besides the script itself. It lives
// beside the script state and is reset by `start run`.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/family.h"

namespace zorbel {

constexpr int kMaxLoopDepth = 15;
constexpr int32_t kReturnCodeNotSet = 1234;
constexpr int kDefaultStopKey = 19;  // the Pause key

// One open loop level.
struct LoopLevel {
    int32_t counter = 0;     // iterations completed
    int32_t start_step = 0;  // index of the loop-start step
};

// The open loops. Levels are numbered 1..15 as the depth counts them; index 0 is unused.
struct LoopStack {
    int depth = 0;
    LoopLevel levels[kMaxLoopDepth + 1];
    int32_t line_number = 0;   // the File Line loop's current line, from 1
    intptr_t loop_window = 0;  // the Windows loop's current window

    LoopLevel& current() { return levels[depth]; }
    // The innermost loop's counter, 0 when no loop is open (for "%l").
    int32_t innermost_counter() const { return depth > 0 ? levels[depth].counter : 0; }
};

struct RunState {
    bool running = false;          // between `start run` and `stop run`
    bool single_step = false;      // Run Single Step is in progress
    bool exit_after_run = false;   // the command line asked to exit when the run ends
    int speed = 5;                 // 1..10
    bool highlight_steps = false;  // setting "Hilite", read when the run starts
    int32_t repeats = 1;           // passes; -1 endless
    int32_t pass_counter = 0;
    int32_t retry_counter = 0;
    uint32_t step_start_time = 0;  // tick count when the current step was announced
    uint32_t run_start_time = 0;
    int32_t return_code = kReturnCodeNotSet;
    int stop_key = kDefaultStopKey;
    int held_keys[3] = {0, 0, 0};  // keys the script holds down; released at stop
    std::string saved_screen_saver;
    std::string error_text;        // an executor's reason for failing
    LoopStack loops;
    std::vector<std::string> dataset_rows;  // the last query result, each row joined by ", "
    // The window that the last window, mouse or wait step found (0: none yet).
    intptr_t current_window = 0;
    // Set by "Activate" and "Maximize"; the prompts re-activate the current window
    // after a dialog while it is set. Kept by Run From Here, cleared by Run.
    bool window_activated = false;
    // Set while a step that already returned keeps working (typing through a hook or
    // a timer): step ticks are ignored until it ends and re-arms the run.
    bool ticks_held = false;
    // Each family's run-owned state, by family code; emptied by `stop run`.
    std::unique_ptr<FamilyRunState> family_state[kFamilyCodeLimit];

    // The state of family `code`, made on first use.
    template <typename State>
    State& state_of(uint32_t code) {
        std::unique_ptr<FamilyRunState>& slot = family_state[code % kFamilyCodeLimit];
        if (!slot) slot.reset(new State());
        return static_cast<State&>(*slot);
    }
    // The state of family `code` when it has one, else null.
    template <typename State>
    State* existing_state_of(uint32_t code) {
        return static_cast<State*>(family_state[code % kFamilyCodeLimit].get());
    }
};

// Delay in milliseconds before the next step at `speed` (1..10; others are clamped).
uint32_t speed_delay(int speed);

}  // namespace zorbel
