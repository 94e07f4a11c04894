#include "editor/actions_tree_win.h"

#include "editor/command_ids.h"
#include "editor/model/actions_tree.h"

namespace zorbel {

namespace {

std::string state_path(uint32_t node) { return "SOFTWARE\\Zorbel\\TreeviewState\\" + std::to_string(node); }

HTREEITEM add(HWND tree, HTREEITEM parent, const char* text, LPARAM data) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

HWND ActionsTreePalette::create(HWND parent, HINSTANCE instance, SettingsStore& store) {
    window = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                 TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                             0, 0, 10, 10, parent, reinterpret_cast<HMENU>(res::kActionsTree), instance, nullptr);
    if (!window) return nullptr;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (const TreeCategory& category : actions_tree()) {
        HTREEITEM node = add(window, TVI_ROOT, category.text, static_cast<LPARAM>(category.node));
        for (const CatalogueEntry* action : category.actions)
            add(window, node, action->name, static_cast<LPARAM>(action->family));
        if (tree_state_expanded(setting_number(store, state_path(category.node))))
            SendMessageA(window, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    }
    return window;
}

std::string ActionsTreePalette::selected_action() const { return action_of(TreeView_GetSelection(window)); }

std::string ActionsTreePalette::action_of(HTREEITEM item) const {
    if (!item || !TreeView_GetParent(window, item)) return "";
    char text[128] = {};
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof(text);
    SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

bool ActionsTreePalette::drag(HTREEITEM item, HWND grid, const std::function<void(int32_t row)>& hover) {
    if (action_of(item).empty()) return false;
    HIMAGELIST image = TreeView_CreateDragImage(window, item);
    POINT at;
    GetCursorPos(&at);
    if (image) {
        ImageList_BeginDrag(image, 0, 8, 8);
        ImageList_DragEnter(nullptr, at.x, at.y);
    }
    HCURSOR drop = LoadCursor(GetModuleHandleA(nullptr), MAKEINTRESOURCE(res::kDropCursor));
    if (!drop) drop = LoadCursor(nullptr, IDC_ARROW);
    HCURSOR no = LoadCursor(nullptr, IDC_NO);
    SetCapture(window);
    bool dropped = false, over_grid = false;
    MSG message;
    // The drag's own loop: the mouse belongs to the tree until the button comes up.
    while (GetCapture() == window && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) break;
        if (message.message != WM_MOUSEMOVE && message.message != WM_LBUTTONUP) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        GetCursorPos(&at);
        if (image) ImageList_DragMove(at.x, at.y);
        over_grid = WindowFromPoint(at) == grid;
        SetCursor(over_grid ? drop : no);
        if (over_grid) {
            LVHITTESTINFO hit = {};
            hit.pt = at;
            ScreenToClient(grid, &hit.pt);
            hit.pt.x = 2;  // any column of the row
            const int row = static_cast<int>(SendMessageA(grid, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (image) ImageList_DragShowNolock(FALSE);
            hover(row);
            if (image) ImageList_DragShowNolock(TRUE);
        }
        if (message.message == WM_LBUTTONUP) {
            dropped = over_grid;
            break;
        }
    }
    if (GetCapture() == window) ReleaseCapture();
    if (image) {
        ImageList_DragLeave(nullptr);
        ImageList_EndDrag();
        ImageList_Destroy(image);
    }
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return dropped;
}

std::string ActionsTreePalette::select_at(POINT screen) {
    TVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(window, &hit.pt);
    if (HTREEITEM item = TreeView_HitTest(window, &hit)) TreeView_SelectItem(window, item);
    return selected_action();
}

void ActionsTreePalette::expand_all(bool expand) {
    for (HTREEITEM item = TreeView_GetRoot(window); item; item = TreeView_GetNextSibling(window, item))
        TreeView_Expand(window, item, expand ? TVE_EXPAND : TVE_COLLAPSE);
}

void ActionsTreePalette::store_state(SettingsStore& store) const {
    for (HTREEITEM item = TreeView_GetRoot(window); item; item = TreeView_GetNextSibling(window, item)) {
        TVITEMA data = {};
        data.mask = TVIF_PARAM | TVIF_STATE;
        data.stateMask = TVIS_EXPANDED;
        data.hItem = item;
        SendMessageA(window, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        write_setting_number(store, state_path(static_cast<uint32_t>(data.lParam)),
                             (data.state & TVIS_EXPANDED) ? 1 : 0);
    }
}

}  // namespace zorbel
