// The menus as the program draws them: every item of the menu bar's first eight
// menus is owner-drawn in the interface style, with the toolbar image of the same
// command beside its text.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/model/interface_style.h"

namespace zorbel {

class MenuPainter {
public:
    explicit MenuPainter(InterfaceStyle style) : style_(style) {}
    ~MenuPainter();
    // Makes the items owner-drawn; `toolbar` lends its images by command.
    void own(HMENU bar, HWND toolbar);
    // WM_MEASUREITEM, WM_DRAWITEM: false when the item is not a menu item of ours.
    bool measure(MEASUREITEMSTRUCT* item);
    bool draw(const DRAWITEMSTRUCT* item);
    // WM_MENUCHAR: the item whose "&" letter was typed, or 0 for the system's answer.
    LRESULT menu_char(HMENU menu, char typed) const;

private:
    struct Item {
        std::string text;
        int command = 0;
        bool separator = false;
    };
    HFONT font();
    std::vector<std::unique_ptr<Item>> items_;
    HWND toolbar_ = nullptr;
    HFONT font_ = nullptr;
    InterfaceStyle style_;
};

}  // namespace zorbel
