#include "editor/toolbar_win.h"

#include <cstring>

#include "editor/command_ids.h"

namespace zorbel {

namespace {

struct Button {
    int command;  // 0: a separator
    int image;    // in the standard small images, or the view images after kViewBase
    const char* tip;
};

constexpr int kViewBase = 100;  // images of the standard view strip start here
const Button kButtons[] = {
    {cmd::kNew, STD_FILENEW, "New (Ctrl+N)"},
    {cmd::kOpen, STD_FILEOPEN, "Open (Ctrl+O)"},
    {cmd::kSave, STD_FILESAVE, "Save (Ctrl+S)"},
    {0, 0, " "},
    {cmd::kCut, STD_CUT, "Cut (Ctrl+X)"},
    {cmd::kCopy, STD_COPY, "Copy (Ctrl+C)"},
    {cmd::kPaste, STD_PASTE, "Paste (Ctrl+V)"},
    {cmd::kDelete, STD_DELETE, "Delete Step (Del)"},
    {cmd::kUndo, STD_UNDO, "Undo (Ctrl+Z)"},
    {0, 0, " "},
    {cmd::kRun, kViewBase + VIEW_DETAILS, "Run (F5)"},
    {cmd::kRunFromHere, kViewBase + VIEW_LIST, "Run From Here (F6)"},
    {cmd::kRunSingleStep, kViewBase + VIEW_SMALLICONS, "Run Single Step (F7)"},
    {cmd::kPause, kViewBase + VIEW_LARGEICONS, "Pause Run"},
    {0, 0, " "},
    {cmd::kEditStep, STD_PROPERTIES, "Edit Step"},
    {cmd::kSkip, kViewBase + VIEW_SORTNAME, "Skip (F8)"},
    {cmd::kBreakpoint, kViewBase + VIEW_SORTSIZE, "Breakpoint (F9)"},
    {0, 0, " "},
    {cmd::kMoveUp, kViewBase + VIEW_PARENTFOLDER, "Move Up (Ctrl+Up)"},
    {cmd::kMoveDown, kViewBase + VIEW_NETCONNECT, "Move Down (Ctrl+Down)"},
    {cmd::kUnindent, kViewBase + VIEW_SORTDATE, "Decrease Indent (Ctrl+Left)"},
    {cmd::kIndent, kViewBase + VIEW_SORTTYPE, "Increase Indent (Ctrl+Right)"},
    {cmd::kAutoIndent, STD_REPLACE, "Auto-Indent and Validate"},
    {0, 0, " "},
    {cmd::kCompile, STD_PRINT, "Compile .EXE"},
    {cmd::kKeepOnTop, STD_FIND, "Keep on Top"},
};

int view_offset = 0;

}  // namespace

HWND create_toolbar_window(HWND parent, HINSTANCE instance) {
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                   WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                                       CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(res::kToolbar), instance, nullptr);
    if (!toolbar) return nullptr;
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP standard = {HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard));
    TBADDBITMAP view = {HINST_COMMCTRL, IDB_VIEW_SMALL_COLOR};
    view_offset = static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&view)));
    for (const Button& b : kButtons) {
        TBBUTTON button = {};
        button.iBitmap = b.image >= kViewBase ? view_offset + b.image - kViewBase : b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = b.command ? (b.command == cmd::kKeepOnTop ? TBSTYLE_CHECK : TBSTYLE_BUTTON) : TBSTYLE_SEP;
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

bool toolbar_tip(NMTTDISPINFOA* info) {
    for (const Button& b : kButtons) {
        if (b.command && static_cast<UINT_PTR>(b.command) == info->hdr.idFrom) {
            info->lpszText = const_cast<char*>(b.tip);
            return true;
        }
    }
    return false;
}

void set_keep_on_top_button(HWND toolbar, bool on) {
    if (!toolbar) return;
    SendMessageA(toolbar, TB_CHECKBUTTON, cmd::kKeepOnTop, on);
    SendMessageA(toolbar, TB_CHANGEBITMAP, cmd::kKeepOnTop, on ? STD_FIND : STD_REPLACE);
}

}  // namespace zorbel
