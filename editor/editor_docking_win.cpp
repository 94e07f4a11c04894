// Reset User Interface: the main window and the palettes back in their original places.
#include <windows.h>
#include <commctrl.h>

#include "editor/command_ids.h"
#include "editor/editor_frame_win.h"
#include "editor/model/palette_places.h"

namespace zorbel {

void EditorFrame::reset_interface(bool ask) {
    if (ask && this->ask("Are you sure that you want to reset all toolbars and palettes to their original locations?",
                         "Confirm Action", false) != Answer::kYes)
        return;
    if (IsZoomed(frame_) || IsIconic(frame_)) ShowWindow(frame_, SW_RESTORE);
    const Box main = reset_main_window(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    MoveWindow(frame_, main.left, main.top, main.width(), main.height(), TRUE);
    delete_setting(program_.store, SettingsRoot::kCurrentUser, "%s", kPalettesKey);
    palettes_->reset(main);
    ShowWindow(status_, SW_SHOW);
    HMENU menu = GetMenu(frame_);
    for (int id : {cmd::kShowToolbar, cmd::kShowStatusbar, cmd::kShowActions, cmd::kShowProperties, cmd::kShowOutput,
                   cmd::kShowVariables})
        CheckMenuItem(menu, id, MF_BYCOMMAND | MF_CHECKED);
    palettes_->layout();
    const int widths[kColumnCount] = {50, 100, 240, 50, 200};
    for (int i = 0; i < kColumnCount; ++i) ListView_SetColumnWidth(grid_.window(), i, widths[i]);
}

}  // namespace zorbel
