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

std::string ActionsTreePalette::selected_action() const {
    HTREEITEM item = TreeView_GetSelection(window);
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
