// What editing panes, the Actions tree and the editor tools need from the open
// script's editor: every change to the step list goes through here.
#pragma once
#include <cstdint>

#include "core/script_state.h"

namespace zorbel {

class ScriptEdit {
public:
    virtual ~ScriptEdit() = default;
    virtual ScriptState& script() = 0;
    // Takes an undo snapshot before a change to the steps; also marks the script changed.
    // False when no snapshot was taken (empty script or no memory). During a run it
    // does nothing and returns false: check run_active() first and change nothing then.
    virtual bool push_snapshot() = 0;
    // Marks the script changed without a snapshot (a pane's write-back into a step).
    virtual void mark_changed() = 0;
    // The focused grid row, -1 when none.
    virtual int32_t focused_index() const = 0;
    // The grid shows `count` rows again and redraws; `focus` (when >= 0) becomes the
    // only selected and focused row.
    virtual void refresh_rows(int32_t focus) = 0;
    // True while a run lasts: commands that change the steps are refused then.
    virtual bool run_active() const = 0;
};

}  // namespace zorbel
