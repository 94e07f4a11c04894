// The editing commands that work on whole steps (cut, copy, paste, delete, undo,
// move, indent, skip, breakpoint, find, go to step) on the open script, with its
// undo stack, its modified state and the step clipboard. Desktop-free: the grid
// passes its selection in and shows what comes back.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/script_state.h"
#include "editor/model/document_state.h"
#include "editor/model/step_clipboard.h"
#include "editor/model/undo_stack.h"

namespace zorbel {

struct Selection {
    std::vector<int32_t> rows;  // ascending
    int32_t focused = -1;
    bool empty() const { return rows.empty(); }
};

// What a command asks the grid to do afterwards.
struct EditOutcome {
    std::string message;          // a box to show, "" for none
    bool refused = false;         // a run is active: nothing was done
    bool rows_changed = false;    // the step list or a row changed: refresh
    bool select = false;          // make `selected` the selection
    std::vector<int32_t> selected;
    int32_t focus = -1;           // the row to focus and scroll to, -1 to keep
    int32_t redraw_first = -1, redraw_last = -1;  // rows to redraw when only they changed
};

enum class FindDirection { kDown, kUp };

extern const char kNothingSelected[];
extern const char kFileEmpty[];
extern const char kOnlySingleRows[];

class StepCommands {
public:
    explicit StepCommands(ScriptState& script) : script_(script) {}

    // Takes the undo snapshot before a change. False when none was taken: the
    // script is empty, or no memory (then the stack empties and Undo goes off).
    bool snapshot();
    // A step changed without a snapshot (a pane write-back, a step added to an empty script).
    void mark_changed() { document.changed(); }
    // The script was replaced wholesale: the undo stack goes.
    void replaced(bool needs_resave, bool stopped_early);

    EditOutcome copy(const Selection& selection);
    EditOutcome cut(const Selection& selection);
    EditOutcome paste(const Selection& selection);
    EditOutcome remove(const Selection& selection);
    EditOutcome undo(const Selection& selection);
    EditOutcome move(const Selection& selection, int direction);  // -1 up, +1 down
    EditOutcome indent(const Selection& selection, int delta);
    EditOutcome toggle_status(const Selection& selection, int32_t status);  // kStatusSkip or kStatusBreakpoint
    EditOutcome remove_all(int32_t status);
    // Inserts a "Comment" step at the focused row (after it when `after`), or at the end.
    EditOutcome add_comment(const Selection& selection, bool after);
    // The step after (down) or before (up) `from` whose fields hold `text`; with no
    // selection the search starts after the first row. Never wraps.
    EditOutcome find(const std::string& text, FindDirection direction, const Selection& selection) const;
    // The row for a typed step number, clamped to the script.
    int32_t go_to_row(const std::string& typed) const;

    bool undo_available() const { return !undo_stack.empty(); }

    // While true every command that changes the steps or their order is refused.
    bool running = false;
    // Makes the deep copy of the steps for a snapshot; false when it failed.
    std::function<bool(const std::vector<Step>&, std::vector<Step>*)> copy_steps;

    DocumentState document;
    UndoStack undo_stack;
    StepClipboard clipboard;
    std::string last_message;  // a message a paste left (recording slots full)

private:
    ScriptState& script_;
};

}  // namespace zorbel
