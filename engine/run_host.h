// What the run controller needs from the program it runs in: the step timer, the
// step grid's selection and editing state, the progress window and the program's
// main window. Boxes and the status bar go through the UserInterface, effects on the
// machine through the Desktop. The editor and the player implement it on their main
// window; native tests use a fake that steps the run synchronously.
#pragma once
#include <cstdint>

namespace zorbel {

class RunHost {
public:
    virtual ~RunHost() = default;

    // Timer 1001: a tick after `milliseconds`, replacing any pending one.
    virtual void set_step_timer(uint32_t milliseconds) = 0;
    virtual void kill_step_timer() = 0;
    // Posts a tick at once (behind messages already queued).
    virtual void post_tick() = 0;

    // The editor's commands while a run goes on (the player has none).
    virtual void enable_editing(bool enabled) = 0;
    // The selected step row, -1 when none.
    virtual int32_t selected_step() = 0;
    virtual void select_step(int32_t index) = 0;
    // Sets the progress window's position 0..100, when one is shown.
    virtual void set_progress(int percent) = 0;

    virtual void minimize_main_window() = 0;
    virtual void restore_main_window() = 0;
    // Sends the close message to the main window (ends the program).
    virtual void close_main_window() = 0;
    // Whether another instance of the program is running.
    virtual bool other_instance_running() = 0;
};

}  // namespace zorbel
