// The Actions palette: the tree of the action catalogue in its fifteen categories,
// each category's expanded state kept under "TreeviewState\%d".
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "engine/settings_store.h"

namespace zorbel {

class ActionsTreePalette {
public:
    HWND create(HWND parent, HINSTANCE instance, SettingsStore& store);
    // The action of the selected node; "" for a category or nothing.
    std::string selected_action() const;
    // Selects the node under the screen point (a right click) and returns its action.
    std::string select_at(POINT screen);
    void expand_all(bool expand);
    // Stores every category's expanded state (1 expanded, 0 collapsed).
    void store_state(SettingsStore& store) const;
    // The action of a node; "" for a category.
    std::string action_of(HTREEITEM item) const;

    // Drags the action of `item` (TVN_BEGINDRAG) until the button is released or the
    // drag is cancelled (Esc, lost capture). Over `grid` the drop cursor shows and
    // `hover` gets the row under the mouse (-1 below the last row); true when the
    // button was released over the grid.
    bool drag(HTREEITEM item, HWND grid, const std::function<void(int32_t row)>& hover);
    HWND window = nullptr;
};

}  // namespace zorbel
