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
    // `tips`: the ShowTips setting (every field gets its tool tip).
    HWND create(HWND parent, HINSTANCE instance, bool tips = false);

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
    // The Help link: opens the help topic of the pane on show.
    std::function<void(const char* topic)> on_help;
    // The pane commands: 5025 load, 1230 the System Variables menu, 1231 Undo Changes,
    // 6024..6324 a System Variables choice. False for any other id.
    bool command(int id);

private:
    struct Page {
        HWND window = nullptr;
        std::vector<HWND> labels, controls;  // parallel to the pane's fields
        HWND undo = nullptr, warning = nullptr, variables = nullptr, help = nullptr, tips = nullptr;
        HWND beside = nullptr;    // a pane's own button beside one of its fields
        size_t beside_field = 0;
        bool beside_wide = false;  // on a row of its own under the field
        std::vector<bool> shown;  // the fields the step's action uses
    };
    static LRESULT CALLBACK host_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT CALLBACK page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    void build(int code, HINSTANCE instance);
    void layout();
    void scroll(int request, int thumb);
    void fill(HWND source);
    void add_tips(Page& page, HINSTANCE instance);
    void system_variables_menu();
    void program_menu();
    void insert_program(int id);
    void browse_image();
    void insert_system_variable(int id);
    HWND insert_target() const;
    void on_control(int field, int notification);
    void undo_changes();

    ScriptEdit& edit_;
    PaneBinding binding_;
    std::array<Page, kPaneCount> pages_;
    int shown_ = 0;
    int scroll_ = 0;
    bool picking_ = false;  // a pixel colour is being picked  // how far the pane on show is scrolled down
    int last_field_ = -1;  // the data field that last had the focus (System Variables target)
};

}  // namespace zorbel
