// The Properties palette's content: one page per pane code, each drawn from its
// table of field specifications by one builder, showing the focused step and
// writing every change straight back into it.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <vector>

#include "editor/model/pane_binding.h"
#include "editor/pane_host.h"
#include "editor/script_edit.h"

namespace zorbel {

class RecordingPane;

class StepPanes : public PaneHost {
public:
    explicit StepPanes(ScriptEdit& edit) : edit_(edit) {}
    HWND create(HWND parent, HINSTANCE instance);

    // PaneHost: always loads the step again (undo, grid commands, the end of a run).
    void show_pane_for(int32_t index) override;
    void reload() override { show_pane_for(edit_.focused_index()); }
    void focus() override;
    // A plain selection change: the same row and step count keep the pane as it is.
    void follow_selection(int32_t index);

    HWND window = nullptr;
    // A write-back changed the row's cells.
    std::function<void(int32_t row)> on_row_changed;
    // The Record Actions pane's recording controls (set before create()).
    RecordingPane* recording = nullptr;

private:
    struct Page {
        HWND window = nullptr;
        std::vector<HWND> labels, controls;  // parallel to the pane's fields
        HWND undo = nullptr, warning = nullptr;
    };
    static LRESULT CALLBACK host_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void build(int code, HINSTANCE instance);
    void layout();
    void fill(bool edits);
    void on_control(int field, int notification);
    void undo_changes();
    void after_write(bool action_changed);

    ScriptEdit& edit_;
    PaneBinding binding_;
    std::array<Page, kPaneCount> pages_;
    int shown_ = 0;
};

}  // namespace zorbel
