// The main window's commands: what the menu, the accelerators, the toolbar and the
// grid's context menu send.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "editor/command_ids.h"
#include "editor/editor_frame_win.h"
#include "editor/model/recent_files.h"
#include "editor/model/window_placement.h"
#include "editor/popup_win.h"
#include "editor/toolbar_win.h"
#include "engine/command_line.h"

namespace zorbel {

namespace {

const char kShortcuts[] =
    "---- Run Commands\n"
    "Run\tF5\nRun From Here\tF6\nRun Single Step\tF7\nPause\tPause *\n\n"
    "---- Palette Commands\n"
    "Show Actions\tAlt+1\nShow Properties\tAlt+2\nShow Output\tAlt+3\nShow Variables\tAlt+4\n\n"
    "---- Editing Commands\n"
    "Undo\tCtrl+Z\nCut\tCtrl+X\nCopy\tCtrl+C\nPaste\tCtrl+V\nDelete\tDel\nSelect All\tCtrl+A\n"
    "Find\tCtrl+F\nFind Next\tF3\nFind Previous\tShift+F3\nGo to Step\tCtrl+G\nEdit Step\tEnter\n"
    "Move Up\tCtrl+Up\nMove Down\tCtrl+Down\nIndent\tCtrl+Right\nUn-Indent\tCtrl+Left\n"
    "Skip\tF8\nBreakpoint\tF9\nRemove All Skips\tShift+F8\nRemove All Breakpoints\tShift+F9\nAdd Comment\tInsert\n\n"
    "---- File Commands\n"
    "New\tCtrl+N, F2\nOpen\tCtrl+O\nSave\tCtrl+S\nRecent Files\tCtrl+1 to Ctrl+9\nExit\tAlt+F4\n\n"
    "* Configurable - can be changed in \"Tools - Options\"";

bool is_edit_field(HWND window) {
    char name[32] = {};
    if (!window || !GetClassNameA(window, name, sizeof(name))) return false;
    return lstrcmpiA(name, "Edit") == 0 || lstrcmpiA(name, "RichEdit20A") == 0 || lstrcmpiA(name, "RICHEDIT") == 0;
}

void press(HWND window, WPARAM key) {
    SendMessageA(window, WM_KEYDOWN, key, 0);
    SendMessageA(window, WM_KEYUP, key, 0xC0000000);
}

}  // namespace

void EditorFrame::create_status_bar() {
    status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0, frame_,
                              reinterpret_cast<HMENU>(res::kStatusBar), instance_, nullptr);
    RECT client;
    GetClientRect(frame_, &client);
    int parts[3];
    status_part_ends(client.right, parts);
    SendMessageA(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    const bool shown = setting_number(program_.store, "SOFTWARE\\Zorbel\\Palettes\\Statusbar\\visible") != -1;
    ShowWindow(status_, shown ? SW_SHOW : SW_HIDE);
    CheckMenuItem(GetMenu(frame_), cmd::kShowStatusbar, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
}

void EditorFrame::create_toolbar() { toolbar_ = create_toolbar_window(frame_, instance_); }

void EditorFrame::rebuild_recent_menu(HMENU menu) {
    // Only the Recent Files submenu holds item 1002.
    if (GetMenuState(menu, cmd::kRecentFirst, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
    for (int id = cmd::kRecentFirst + 1; id <= cmd::kRecentLast; ++id) DeleteMenu(menu, id, MF_BYCOMMAND);
    const std::vector<std::string> list = recent_files(program_.store);
    if (list[0].empty()) {
        ModifyMenuA(menu, cmd::kRecentFirst, MF_BYCOMMAND | MF_STRING | MF_GRAYED, cmd::kRecentFirst,
                    "(no recent files)");
        return;
    }
    const UINT state = commands_.running ? MF_GRAYED : MF_ENABLED;
    ModifyMenuA(menu, cmd::kRecentFirst, MF_BYCOMMAND | MF_STRING | state, cmd::kRecentFirst,
                recent_file_item(list[0], 1).c_str());
    for (int n = 2; n <= kRecentFileCount; ++n)
        if (!list[static_cast<size_t>(n - 1)].empty())
            AppendMenuA(menu, MF_STRING | state, cmd::kRecentFirst + n - 1,
                        recent_file_item(list[static_cast<size_t>(n - 1)], n).c_str());
}

// With the focus in an edit field, the editing commands are that field's.
bool EditorFrame::pass_to_focused_field(int id) {
    HWND focus = GetFocus();
    if (!is_edit_field(focus)) return false;
    switch (id) {
        case cmd::kCut: SendMessageA(focus, WM_CUT, 0, 0); return true;
        case cmd::kCopy: SendMessageA(focus, WM_COPY, 0, 0); return true;
        case cmd::kPaste: SendMessageA(focus, WM_PASTE, 0, 0); return true;
        case cmd::kDelete: press(focus, VK_DELETE); return true;
        case cmd::kUndo: SendMessageA(focus, EM_UNDO, 0, 0); return true;
        case cmd::kSelectAll: SendMessageA(focus, EM_SETSEL, 0, -1); return true;
        case cmd::kIndent: press(focus, VK_RIGHT); return true;
        case cmd::kUnindent: press(focus, VK_LEFT); return true;
    }
    return false;
}

void EditorFrame::edit_command(int id) {
    if (pass_to_focused_field(id)) return;
    const Selection sel = grid_.selection();
    EditOutcome out;
    switch (id) {
        case cmd::kSelectAll: grid_.select_all(); return;
        case cmd::kCopy: out = commands_.copy(sel); break;
        case cmd::kCut: out = commands_.cut(sel); break;
        case cmd::kPaste: out = commands_.paste(sel); break;
        case cmd::kDelete: out = commands_.remove(sel); break;
        case cmd::kUndo: out = commands_.undo(sel); break;
        case cmd::kMoveUp: out = commands_.move(sel, -1); break;
        case cmd::kMoveDown: out = commands_.move(sel, 1); break;
        case cmd::kIndent: out = commands_.indent(sel, 1); break;
        case cmd::kUnindent: out = commands_.indent(sel, -1); break;
        case cmd::kSkip: out = commands_.toggle_status(sel, kStatusSkip); break;
        case cmd::kBreakpoint: out = commands_.toggle_status(sel, kStatusBreakpoint); break;
        case cmd::kRemoveAllSkips: out = commands_.remove_all(kStatusSkip); break;
        case cmd::kRemoveAllBreakpoints: out = commands_.remove_all(kStatusBreakpoint); break;
        case cmd::kAddComment:
            out = commands_.add_comment(sel, setting_number(program_.store, "SOFTWARE\\Zorbel\\InsertNewStep") == 1);
            break;
    }
    if (out.refused) return;
    grid_.apply(out);
    if (!out.message.empty()) {
        const bool info = out.message == kNothingSelected || out.message == "Undo not available";
        box(out.message, info ? "System Message" : "Error", MB_OK | (info ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    }
    if (out.rows_changed || out.select) {
        const Selection now = grid_.selection();
        if (program_.script.steps.empty()) panes_.show_pane_for(-1);
        else panes_.show_pane_for(now.focused);
    }
    refresh_title();
}

void EditorFrame::on_command(int id) {
    if (tree_command(id)) return;
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) {
        if (!commands_.running) open_recent(id - cmd::kRecentFirst + 1);
        return;
    }
    switch (id) {
        case cmd::kNew: if (!commands_.running) welcome(); return;
        case cmd::kOpen: if (!commands_.running) open(); return;
        case cmd::kClose: if (!commands_.running) close_script(); return;
        case cmd::kSave: if (!commands_.running) save(); return;
        case cmd::kSaveAs: if (!commands_.running) save_as(); return;
        case cmd::kProperties: show_properties(); return;
        case cmd::kExit: SendMessageA(frame_, WM_CLOSE, 0, 0); return;
        case cmd::kSelectAll: case cmd::kCopy: case cmd::kCut: case cmd::kPaste: case cmd::kDelete:
        case cmd::kUndo: case cmd::kMoveUp: case cmd::kMoveDown: case cmd::kIndent: case cmd::kUnindent:
        case cmd::kSkip: case cmd::kBreakpoint: case cmd::kRemoveAllSkips: case cmd::kRemoveAllBreakpoints:
        case cmd::kAddComment:
            edit_command(id);
            return;
        case cmd::kFind: case cmd::kFindNext: case cmd::kFindPrevious: find(id); return;
        case cmd::kGoToStep: go_to_step(); return;
        case cmd::kOptions: options(); return;
        case cmd::kAutoIndent: auto_indent_and_validate(); return;
        case cmd::kMainWindows: case cmd::kPopupWindows: case cmd::kAllWindows: list_windows(id); return;
        case cmd::kOpenLogfile: open_logfile(); return;
        case cmd::kKeepOnTop: set_on_top(!on_top_); return;
        case cmd::kShowToolbar: {
            const bool shown = !IsWindowVisible(toolbar_);
            ShowWindow(toolbar_, shown ? SW_SHOW : SW_HIDE);
            CheckMenuItem(GetMenu(frame_), id, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
            palettes_->layout();
            return;
        }
        case cmd::kShowStatusbar: {
            const bool shown = !IsWindowVisible(status_);
            ShowWindow(status_, shown ? SW_SHOW : SW_HIDE);
            CheckMenuItem(GetMenu(frame_), id, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
            palettes_->layout();
            return;
        }
        case cmd::kShowActions: palettes_->toggle(Palette::kActions); return;
        case cmd::kShowProperties: palettes_->toggle(Palette::kProperties); return;
        case cmd::kShowOutput: palettes_->toggle(Palette::kOutput); return;
        case cmd::kShowVariables: palettes_->toggle(Palette::kVariables); return;
        case cmd::kNewStep: {
            palettes_->show(Palette::kActions, true);
            HWND actions = palettes_->content(Palette::kActions);
            SetFocus(actions);
            RECT r;
            GetWindowRect(actions, &r);
            show_popup(instance_, frame_,
                       "\n    To add a new step, drag or double-click    \n    an action in the Actions tree \n",
                       r.left + 10, r.top + 10, 3000);
            return;
        }
        case cmd::kEditStep:
            if (grid_.selection().empty()) box("Nothing selected", "System Message", MB_OK | MB_ICONINFORMATION);
            else show_step_pane();
            return;
        case cmd::kRun: case cmd::kRunFromHere: case cmd::kRunSingleStep: {
            if (commands_.running) return;
            LRESULT result = 0;
            program_.handle_message(WM_COMMAND, id, 0, &result);
            return;
        }
        case cmd::kPause: {
            LRESULT result = 0;
            program_.handle_message(WM_COMMAND, id, 0, &result);
            return;
        }
        case cmd::kHelp: {
            char path[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, path, MAX_PATH);
            std::string help = path;
            const size_t dot = help.find_last_of('.');
            help = (dot == std::string::npos ? help : help.substr(0, dot)) + "Help.chm";
            if (GetFileAttributesA(help.c_str()) == INVALID_FILE_ATTRIBUTES)
                box("Unable to find the help file.\n\nPlease reinstall to correct this problem.", help.c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
            else
                ShellExecuteA(frame_, "open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return;
        }
        case cmd::kShortcuts: box(kShortcuts, "Zorbel Keyboard Shortcuts", MB_OK | MB_ICONINFORMATION); return;
        case cmd::kStartupOptions: box(kCommandLineHelp, "Zorbel Startup Options", MB_OK | MB_ICONINFORMATION); return;
        case cmd::kAbout:
            box("Zorbel\n\nDesktop automation for Windows.", "About Zorbel", MB_OK | MB_ICONINFORMATION);
            return;
    }
}

}  // namespace zorbel
