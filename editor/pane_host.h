// The host of the step editing panes (the Properties palette's content): shows the
// pane for a step and makes it load the step again.
#pragma once
#include <cstdint>

namespace zorbel {

class PaneHost {
public:
    virtual ~PaneHost() = default;
    // Shows the pane of the step at `index` (its pane code picks it; -1 shows the
    // empty "Nothing Selected" page) and lets it load the step.
    virtual void show_pane_for(int32_t index) = 0;
    // The pane on show loads its step again (after an undo or a paste).
    virtual void reload() = 0;
    // Puts the keyboard focus into the pane on show.
    virtual void focus() = 0;
};

}  // namespace zorbel
