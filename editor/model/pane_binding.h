// What an editing pane knows about the step it shows: the index it loaded (and the
// step count then), the saved copy "Undo Changes" restores, and the edit counter
// whose first change takes one undo snapshot. A write-back goes only into the step
// the pane loaded; when the grid's focus has moved on, the pane reloads instead.
// Desktop-free.
#pragma once
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/script_state.h"
#include "editor/model/pane_fields.h"

namespace zorbel {

// Why the pane is asked to follow the grid.
enum class PaneSync {
    kSelection,  // a plain selection notification: the same row and count keep the pane as it is
    kRestore,    // an undo restore, a grid command on the focused step, the end of a run or of a drag
};

enum class WriteResult {
    kWritten,   // the value went into the loaded step
    kReload,    // the focused row is not the loaded step: nothing written, reload the pane
    kIgnored,   // loading, or nothing loaded
};

class PaneBinding {
public:
    // Loads the step at `index` (-1 or out of range: nothing loaded).
    void load(const ScriptState& script, int32_t index);
    // Whether the pane must load again after `reason` with the grid focused on `focused`.
    bool needs_reload(const ScriptState& script, int32_t focused, PaneSync reason) const;
    // Writes a control's value. `before_first_change` runs once after a load, before
    // the first write (the undo snapshot holding the saved copy).
    WriteResult write(ScriptState& script, int32_t focused, const FieldSpec& spec, std::string_view value,
                      const std::function<void()>& before_first_change);
    // "Undo Changes": the saved copy goes back into the loaded step; false when the
    // focused row is not the loaded step (the pane must reload then).
    bool undo_changes(ScriptState& script, int32_t focused);
    // Whether the loaded step differs from its saved copy ("Undo Changes" enabled).
    bool changed(const ScriptState& script) const;

    int32_t loaded_index() const { return index_; }
    const Step& saved() const { return saved_; }
    bool loading = false;  // set while the controls are filled: their notifications write nothing

private:
    bool holds(const ScriptState& script, int32_t focused) const;

    int32_t index_ = -1;
    int32_t count_ = 0;
    Step saved_;
    int edits_ = 0;
};

// A recording belongs to the step that started it, wherever the focus is when it stops.
// Stores `events` as a new recording slot and writes the event count and slot into
// that step; false when the step is gone or no longer a recording step, or the slots are full.
bool store_recording(ScriptState& script, int32_t started_at, std::vector<RecordingEvent> events);

}  // namespace zorbel
