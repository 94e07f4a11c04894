#include "editor/menu_painter_win.h"

#include <commctrl.h>

#include <cctype>

namespace zorbel {

namespace {

constexpr int kMargin = 24;       // the image column
constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;

void fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void frame(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

MenuPainter::~MenuPainter() {
    if (font_) DeleteObject(font_);
}

HFONT MenuPainter::font() {
    if (!font_) {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font_ = CreateFontIndirectA(&metrics.lfMenuFont);
    }
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MenuPainter::own(HMENU bar, HWND toolbar) {
    toolbar_ = toolbar;
    const int menus = GetMenuItemCount(bar);
    for (int m = 0; m < menus && m < 8; ++m) {
        HMENU popup = GetSubMenu(bar, m);
        if (!popup) continue;
        const int count = GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i) {
            auto item = std::make_unique<Item>();
            char text[256] = {};
            GetMenuStringA(popup, i, text, sizeof(text), MF_BYPOSITION);
            item->text = text;
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID;
            GetMenuItemInfoA(popup, i, TRUE, &info);
            item->separator = (info.fType & MFT_SEPARATOR) != 0;
            item->command = GetSubMenu(popup, i) ? 0 : static_cast<int>(info.wID);
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            info.fType |= MFT_OWNERDRAW;
            info.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
            if (SetMenuItemInfoA(popup, i, TRUE, &info)) items_.push_back(std::move(item));
        }
    }
}

bool MenuPainter::measure(MEASUREITEMSTRUCT* m) {
    if (m->CtlType != ODT_MENU) return false;
    const Item* item = reinterpret_cast<const Item*>(m->itemData);
    bool ours = false;
    for (const auto& owned : items_) ours = ours || owned.get() == item;
    if (!ours) return false;
    if (item->separator) {
        m->itemWidth = 10;
        m->itemHeight = kSeparatorHeight;
        return true;
    }
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font());
    RECT r = {0, 0, 0, 0};
    std::string shown = item->text;
    for (char& c : shown)
        if (c == '\t') c = ' ';
    DrawTextA(dc, (shown + "      ").c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    m->itemWidth = static_cast<UINT>(kMargin + 8 + r.right + 16);
    m->itemHeight = kItemHeight;
    return true;
}

bool MenuPainter::draw(const DRAWITEMSTRUCT* d) {
    if (d->CtlType != ODT_MENU) return false;
    const Item* item = reinterpret_cast<const Item*>(d->itemData);
    bool ours = false;
    for (const auto& owned : items_) ours = ours || owned.get() == item;
    if (!ours) return false;
    const StyleColours colours = style_colours(style_);
    HDC dc = d->hDC;
    RECT r = d->rcItem;
    fill(dc, r, colours.menu_back);
    RECT margin = r;
    margin.right = r.left + kMargin;
    if (colours.flat_highlight) fill(dc, margin, colours.menu_margin);
    if (item->separator) {
        RECT line = {r.left + (colours.flat_highlight ? kMargin + 4 : 2), (r.top + r.bottom) / 2, r.right - 2, 0};
        line.bottom = line.top + 1;
        fill(dc, line, GetSysColor(COLOR_BTNSHADOW));
        return true;
    }
    const bool grayed = (d->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool selected = (d->itemState & ODS_SELECTED) != 0 && !grayed;
    COLORREF text_colour = colours.menu_text;
    if (selected) {
        RECT h = r;
        if (colours.flat_highlight) {
            InflateRect(&h, -1, 0);
            fill(dc, h, colours.highlight_fill);
            frame(dc, h, colours.highlight_edge);
        } else {
            fill(dc, h, colours.highlight_fill);
        }
        text_colour = colours.highlight_text;
    }
    if (grayed) text_colour = GetSysColor(COLOR_GRAYTEXT);
    // The toolbar's image of the command, or a check mark.
    int image = -1;
    if (toolbar_ && item->command) {
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_IMAGE;
        if (SendMessageA(toolbar_, TB_GETBUTTONINFOA, item->command, reinterpret_cast<LPARAM>(&info)) >= 0)
            image = info.iImage;
    }
    const int y = (r.top + r.bottom) / 2 - 8;
    if (d->itemState & ODS_CHECKED) {
        RECT box = {r.left + 2, y - 2, r.left + kMargin - 2, y + 18};
        frame(dc, box, colours.highlight_edge);
    }
    HIMAGELIST images = toolbar_ ? reinterpret_cast<HIMAGELIST>(SendMessageA(toolbar_, TB_GETIMAGELIST, 0, 0)) : nullptr;
    if (images && image >= 0) {
        ImageList_Draw(images, image, dc, r.left + 4, y, grayed ? ILD_BLEND50 : ILD_TRANSPARENT);
    } else if (d->itemState & ODS_CHECKED) {
        HPEN pen = CreatePen(PS_SOLID, 2, text_colour);
        HGDIOBJ old_pen = SelectObject(dc, pen);
        MoveToEx(dc, r.left + 7, y + 8, nullptr);
        LineTo(dc, r.left + 10, y + 11);
        LineTo(dc, r.left + 16, y + 4);
        SelectObject(dc, old_pen);
        DeleteObject(pen);
    }
    HGDIOBJ old = SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text_colour);
    RECT text = r;
    text.left += kMargin + 6;
    text.right -= 12;
    const UINT prefix = (d->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
    const size_t tab = item->text.find('\t');
    DrawTextA(dc, item->text.substr(0, tab).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | prefix);
    if (tab != std::string::npos)
        DrawTextA(dc, item->text.substr(tab + 1).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    SelectObject(dc, old);
    return true;
}

LRESULT MenuPainter::menu_char(HMENU menu, char typed) const {
    const int lower = std::tolower(static_cast<unsigned char>(typed));
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
        const Item* item = reinterpret_cast<const Item*>(info.dwItemData);
        bool ours = false;
        for (const auto& owned : items_) ours = ours || owned.get() == item;
        if (!ours || item->separator) continue;
        const size_t amp = item->text.find('&');
        if (amp == std::string::npos || amp + 1 >= item->text.size()) continue;
        const int letter = std::tolower(static_cast<unsigned char>(item->text[amp + 1]));
        if (letter == lower) return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
}

}  // namespace zorbel
