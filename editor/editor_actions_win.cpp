// New steps from the Actions tree: double-click, its context menu and commands.
#include <windows.h>
#include <shellapi.h>

#include "core/text_rules.h"
#include "editor/command_ids.h"
#include "editor/editor_frame_win.h"
#include "editor/file_associations_win.h"
#include "core/action_catalogue.h"
#include "editor/model/actions_tree.h"
#include "editor/model/new_step.h"

namespace zorbel {

int32_t EditorFrame::insert_position() const {
    return new_step_position(grid_.selection().focused,
                             setting_number(program_.store, "SOFTWARE\\Zorbel\\InsertNewStep"));
}

void EditorFrame::add_action(const std::string& name, int32_t position) {
    if (program_.run.running) return;
    NewStepSettings settings;
    settings.failure_mode = setting_text(program_.store, "SOFTWARE\\Zorbel\\DefaultFailureMode");
    settings.failure_jump = setting_text(program_.store, "SOFTWARE\\Zorbel\\DefaultFailureMode_Jump");
    if (equals_ignore_case(name, "Start Browser")) settings.browser = browser_program();
    if (equals_ignore_case(name, "Start Email")) settings.mail_program = mail_program();
    Step step;
    if (!make_new_step(name, settings, &step)) return;
    if (!push_snapshot()) mark_changed();
    const int32_t at = program_.script.insert_step(position);
    if (at < 0) return;
    program_.script.steps[static_cast<size_t>(at)] = std::move(step);
    refresh_rows(at);
    panes_.show_pane_for(at);
    refresh_title();
}

// An action dragged from the tree onto the grid: the row under the mouse becomes the
// only selected row; the drop inserts there (InsertNewStep), below the last row it
// appends. However the drag ends, the pane shows the focused step again.
void EditorFrame::drag_action(HTREEITEM item) {
    if (program_.run.running) return;
    const std::string name = tree_.action_of(item);
    const bool dropped = tree_.drag(item, grid_.window(), [this](int32_t row) {
        if (row >= 0) grid_.select({row}, row);
        else grid_.select({}, -1);
    });
    if (dropped) {
        const int32_t row = grid_.selection().focused;
        add_action(name, row < 0 ? -1 : insert_position());
    }
    panes_.show_pane_for(grid_.selection().focused);
}

// Opens a topic of the help file beside the program ("" for its start page).
void EditorFrame::open_help(const char* topic) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string help = path;
    const size_t dot = help.find_last_of('.');
    help = (dot == std::string::npos ? help : help.substr(0, dot)) + "Help.chm";
    if (GetFileAttributesA(help.c_str()) == INVALID_FILE_ATTRIBUTES) {
        box("Unable to find the help file.\n\nPlease reinstall to correct this problem.", help.c_str(),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string argument = "\"" + help + (topic && *topic ? std::string(topic) : "") + "\"";
    ShellExecuteA(frame_, "open", "hh.exe", argument.c_str(), nullptr, SW_SHOWNORMAL);
}

bool EditorFrame::tree_command(int id) {
    switch (id) {
        case cmd::kInsertAction:
        case cmd::kAppendAction: {
            const std::string name = tree_.selected_action();
            if (!name.empty()) add_action(name, id == cmd::kAppendAction ? -1 : insert_position());
            return true;
        }
        case cmd::kCopyActionName: {
            const std::string name = tree_.selected_action();
            if (name.empty() || !OpenClipboard(frame_)) return true;
            EmptyClipboard();
            if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, name.size() + 1)) {
                std::memcpy(GlobalLock(memory), name.c_str(), name.size() + 1);
                GlobalUnlock(memory);
                if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
            }
            CloseClipboard();
            program_.ui.set_status(0, format("\"%s\" has been copied to the clipboard", name.c_str()));
            return true;
        }
        case cmd::kActionHelp: {
            const CatalogueEntry* entry = find_action(tree_.selected_action());
            open_help(help_topic_for_pane(entry && !entry->is_group ? static_cast<int32_t>(entry->family) : 0));
            return true;
        }
        case cmd::kCollapseTree:
        case cmd::kExpandTree:
            tree_.expand_all(id == cmd::kExpandTree);
            return true;
    }
    return false;
}

void EditorFrame::tree_menu(POINT screen) {
    const std::string name = tree_.select_at(screen);
    HMENU menu = CreatePopupMenu();
    if (!name.empty()) {
        AppendMenuA(menu, MF_STRING, cmd::kInsertAction, "Insert This Action");
        AppendMenuA(menu, MF_STRING, cmd::kAppendAction, "Add This Action to End");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kCopyActionName, "Copy Action Name");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuA(menu, MF_STRING, cmd::kCollapseTree, "Collapse All Actions -");
    AppendMenuA(menu, MF_STRING, cmd::kExpandTree, "Expand All Actions +");
    if (!name.empty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, cmd::kActionHelp, "Help: What does this action do?");
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, frame_, nullptr);
    DestroyMenu(menu);
}

}  // namespace zorbel
