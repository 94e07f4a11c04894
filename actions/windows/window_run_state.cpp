#include "actions/windows/window_run_state.h"

namespace zorbel {

WindowRunState& window_run_state() {
    static WindowRunState state;
    return state;
}

void reset_window_run_state() { window_run_state() = WindowRunState(); }

}  // namespace zorbel
