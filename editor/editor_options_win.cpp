// "Tools - Options" from the main window: the sheet, and what applying it or
// resetting every setting changes in the running editor.
#include <windows.h>
#include <commctrl.h>

#include "editor/editor_frame_win.h"
#include "editor/options_sheet_win.h"
#include "editor/shell_registry_win.h"

namespace zorbel {

void EditorFrame::options() {
    if (commands_.running) return;
    auto repaint_grid = [this] {
        grid_.read_look();
        const bool lines = setting_number(program_.store, "SOFTWARE\\Zorbel\\GridStyle") == 2;
        SendMessageA(grid_.window(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, lines ? LVS_EX_GRIDLINES : 0);
        grid_.refresh();
    };
    OptionsSheetHooks hooks;
    hooks.box = [this](const std::string& text, const char* title, UINT flags) { return box(text, title, flags); };
    hooks.applied = [this, repaint_grid](const ApplyOutcome& out) {
        if (out.stop_key > 0) stop_key_ = program_.run.stop_key = out.stop_key;
        if (out.repaint) repaint_grid();
    };
    hooks.after_reset = [this, repaint_grid] {
        // The editor's own copies follow the reset, so closing cannot write them back.
        set_on_top(false);
        stop_key_ = program_.run.stop_key = kDefaultStopKey;
        find_text_.clear();
        settings_reset_ = true;
        if (program_.variables) program_.variables->reset(&variables_);
        repaint_grid();
    };
    WinShellRegistry registry;
    if (show_options_sheet(frame_, instance_, program_.store, registry, editor_program_path(), hooks))
        box(kRestartMessage, "System Message", MB_OK | MB_ICONINFORMATION);
}

}  // namespace zorbel
