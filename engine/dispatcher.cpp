// Family routing: the family code of a step, not its name, selects the executor.
#include "actions/executors.h"
#include "actions/mouse/mouse_step.h"
#include "actions/windows/window_steps.h"
#include "actions/input/keyboard_executor.h"
#include "engine/run_controller.h"

namespace zorbel {

namespace {

// Families whose actions this build cannot run yet fail with a clear reason rather
// than pretending to succeed.
int execute_unavailable(RunContext& context) {
    return context.fail("The action \"%s\" is not available in this version of Zorbel", context.step().action);
}

}  // namespace

Executor executor_for_family(uint32_t family) {
    static const Executor kExecutors[16] = {
        nullptr,                // 0: not in the catalogue
        execute_unavailable,    // 1: Run Program
        execute_windows_family,   // 2: Windows/Controls
        execute_keyboard_family,  // 3: Keyboard
        execute_menu_family,      // 4: Menu
        execute_mouse_family,   // 5: Mouse
        execute_wait_family,    // 6: Wait
        execute_unavailable,    // 7: User Prompt
        execute_unavailable,    // 8: Record Actions
        execute_unavailable,    // 9: Files/Folders
        execute_unavailable,    // 10: Internet
        execute_unavailable,    // 11: Database
        execute_loops_family,   // 12: Loops / Flow
        execute_if_family,      // 13: IF
        execute_system_family,  // 14: System
        execute_unavailable,    // 15: External Functions
    };
    return family < 16 ? kExecutors[family] : nullptr;
}

}  // namespace zorbel
