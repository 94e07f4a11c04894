// The step grid: an owner-data report list view that asks the script for every cell
// it paints, with the row colours, the comment rows drawn across the whole row, and
// the selection the editing commands work on.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "core/script_state.h"
#include "editor/model/grid_rows.h"
#include "editor/model/step_commands.h"
#include "engine/settings_store.h"

namespace zorbel {

class StepGrid {
public:
    StepGrid(ScriptState& script, SettingsStore& store) : script_(script), store_(store) {}
    ~StepGrid();
    HWND create(HWND parent, HINSTANCE instance);
    HWND window() const { return list_; }

    // Reads the colours and the indent unit from the settings.
    void read_look();
    // The step count changed or every row may have: the item count is set again.
    void refresh();
    void redraw(int32_t first, int32_t last);

    Selection selection() const;
    // Makes `rows` the only selected rows and `focus` the focused, visible row.
    void select(const std::vector<int32_t>& rows, int32_t focus);
    void select_all();
    // Carries out what an editing command asks of the grid.
    void apply(const EditOutcome& outcome);

    // WM_NOTIFY from the list view; true when handled (`result` set).
    bool notify(NMHDR* header, LRESULT* result);
    int column_width(int column) const;

private:
    LRESULT custom_draw(NMLVCUSTOMDRAW* draw);
    void draw_comment_rows(HDC dc);

    ScriptState& script_;
    SettingsStore& store_;
    HWND list_ = nullptr;
    GridLook look_;
    HFONT italic_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<int32_t> comment_rows_;  // remembered during one paint
};

}  // namespace zorbel
