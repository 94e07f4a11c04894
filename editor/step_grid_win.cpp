#include "editor/step_grid_win.h"

#include <commctrl.h>

#include <algorithm>

#include "editor/command_ids.h"
#include "editor/row_images_win.h"

namespace zorbel {

namespace {

struct ColumnInfo {
    const char* title;
    const char* setting;
    int width;
};
const ColumnInfo kColumns[] = {{"Step", "SOFTWARE\\Zorbel\\Column1", 50},
                               {"Action", "SOFTWARE\\Zorbel\\Column2", 100},
                               {"Command Text", "SOFTWARE\\Zorbel\\Column3", 240},
                               {"Qty", "SOFTWARE\\Zorbel\\Column4", 50},
                               {"Comment", "SOFTWARE\\Zorbel\\Column5", 200}};
constexpr size_t kMaxCommentRows = 128;

uint32_t colour_setting(SettingsStore& store, const char* name, uint32_t fallback) {
    const std::string path = std::string("SOFTWARE\\Zorbel\\") + name;
    StoredValue value;
    std::string_view key, value_name;
    split_setting_path(path, &key, &value_name);
    if (!store.read_value(SettingsRoot::kCurrentUser, key, value_name, &value)) return fallback;
    return static_cast<uint32_t>(setting_number(store, path));
}

}  // namespace

StepGrid::~StepGrid() {
    if (italic_) DeleteObject(italic_);
    if (images_) ImageList_Destroy(images_);
}

HWND StepGrid::create(HWND parent, HINSTANCE instance) {
    read_look();
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, 0, 0, 10, 10, parent,
                            reinterpret_cast<HMENU>(res::kGrid), instance, nullptr);
    if (!list_) return nullptr;
    DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP | LVS_EX_DOUBLEBUFFER;
    if (look_.grid_style == 2) extended |= LVS_EX_GRIDLINES;
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, extended);
    SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int i = 0; i < kColumnCount; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        const int stored = setting_number(store_, kColumns[i].setting);
        column.cx = stored > 0 ? stored : kColumns[i].width;
        column.pszText = const_cast<char*>(kColumns[i].title);
        SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    images_ = create_row_images();
    if (images_) SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    LOGFONTA font = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    font.lfItalic = TRUE;
    italic_ = CreateFontIndirectA(&font);
    return list_;
}

void StepGrid::read_look() {
    look_.indent_unit = indent_unit(setting_number(store_, "SOFTWARE\\Zorbel\\IndentSize"));
    look_.indent_all_columns = setting_number(store_, "SOFTWARE\\Zorbel\\IndentAllColumns") != 0;
    look_.grid_style = setting_number(store_, "SOFTWARE\\Zorbel\\GridStyle");
    look_.alt_color = colour_setting(store_, "GridStyle_AltColor", 0xFFF0F0);
    look_.skip_text = colour_setting(store_, "SkipText", 0x808080);
    look_.skip_fill = colour_setting(store_, "SkipFill", 0xF0F0F0);
    look_.break_text = colour_setting(store_, "BreakText", 0xFFFFFF);
    look_.break_fill = colour_setting(store_, "BreakFill", 0x463A96);
    look_.comment_text = colour_setting(store_, "CommentText", 0x00A000);
    look_.comment_fill = colour_setting(store_, "CommentFill", 0xC0FFFF);
    look_.comment_italic = setting_number(store_, "SOFTWARE\\Zorbel\\CommentItalic") != 0;
}

void StepGrid::refresh() {
    if (!list_) return;
    SendMessageA(list_, LVM_SETITEMCOUNT, script_.step_count(), LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, TRUE);
}

void StepGrid::redraw(int32_t first, int32_t last) {
    if (list_) SendMessageA(list_, LVM_REDRAWITEMS, first, last);
}

Selection StepGrid::selection() const {
    Selection selection;
    if (!list_) return selection;
    int index = -1;
    while ((index = static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, index, LVNI_SELECTED))) >= 0) {
        if (index >= script_.step_count()) break;
        selection.rows.push_back(index);
    }
    const int focused = static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    selection.focused = focused >= 0 && focused < script_.step_count() ? focused : -1;
    if (selection.focused < 0 && !selection.rows.empty()) selection.focused = selection.rows.front();
    // The focused row counts only while it is selected.
    if (!selection.rows.empty() &&
        std::find(selection.rows.begin(), selection.rows.end(), selection.focused) == selection.rows.end())
        selection.focused = selection.rows.front();
    if (selection.rows.empty()) selection.focused = -1;
    return selection;
}

void StepGrid::select(const std::vector<int32_t>& rows, int32_t focus) {
    if (!list_) return;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (int32_t row : rows) {
        state.state = LVIS_SELECTED | (row == focus ? LVIS_FOCUSED : 0);
        SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    if (focus >= 0 && focus < script_.step_count()) {
        state.state = state.stateMask = LVIS_FOCUSED;
        SendMessageA(list_, LVM_SETITEMSTATE, focus, reinterpret_cast<LPARAM>(&state));
        SendMessageA(list_, LVM_ENSUREVISIBLE, focus, FALSE);
    }
}

void StepGrid::select_all() {
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void StepGrid::apply(const EditOutcome& outcome) {
    if (outcome.rows_changed) refresh();
    if (outcome.select) {
        select(outcome.selected.empty() && outcome.focus >= 0 ? std::vector<int32_t>{outcome.focus} : outcome.selected,
               outcome.focus);
    }
    if (outcome.redraw_first >= 0) redraw(outcome.redraw_first, outcome.redraw_last);
}

int StepGrid::column_width(int column) const {
    return list_ ? static_cast<int>(SendMessageA(list_, LVM_GETCOLUMNWIDTH, column, 0)) : 0;
}

bool StepGrid::notify(NMHDR* header, LRESULT* result) {
    if (header->hwndFrom != list_) return false;
    switch (header->code) {
        case LVN_GETDISPINFOA: {
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
            if ((item.mask & LVIF_IMAGE) && item.iItem >= 0 && item.iItem < script_.step_count())
                item.iImage = row_image(script_.steps[static_cast<size_t>(item.iItem)]);
            if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
                item.pszText[0] = '\0';
                if (item.iItem >= 0 && item.iItem < script_.step_count()) {
                    const std::string text =
                        cell_text(script_.steps[static_cast<size_t>(item.iItem)], item.iItem, item.iSubItem, look_);
                    lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
                }
            }
            *result = 0;
            return true;
        }
        case NM_CUSTOMDRAW:
            *result = custom_draw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
            return true;
    }
    return false;
}

LRESULT StepGrid::custom_draw(NMLVCUSTOMDRAW* draw) {
    switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            comment_rows_.clear();
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        case CDDS_ITEMPREPAINT: {
            const int32_t row = static_cast<int32_t>(draw->nmcd.dwItemSpec);
            if (row < 0 || row >= script_.step_count()) return CDRF_DODEFAULT;
            const RowColours colours = row_colours(script_.steps[static_cast<size_t>(row)], row, look_,
                                                   GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
            if (colours.kind == RowKind::kComment && comment_rows_.size() < kMaxCommentRows) comment_rows_.push_back(row);
            if (!colours.has_colours) return CDRF_DODEFAULT;
            draw->clrText = colours.text;
            draw->clrTextBk = colours.fill;
            return CDRF_NEWFONT;
        }
        case CDDS_POSTPAINT:
            draw_comment_rows(draw->nmcd.hdc);
            return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

// A comment row shows its comment across the whole row, from 20 pixels in.
void StepGrid::draw_comment_rows(HDC dc) {
    for (int32_t row : comment_rows_) {
        RECT r = {};
        r.left = LVIR_BOUNDS;
        if (!SendMessageA(list_, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) continue;
        if (r.right < 20 || r.bottom - r.top > 40) continue;
        const bool selected = SendMessageA(list_, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
        const uint32_t fill = selected ? GetSysColor(COLOR_HIGHLIGHT) : (look_.comment_fill ? look_.comment_fill : 0xC0FFFF);
        const uint32_t text = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : (look_.comment_text ? look_.comment_text : 0x00A000);
        RECT fill_rect = r;
        fill_rect.left = r.left + 20;
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &fill_rect, brush);
        DeleteObject(brush);
        HGDIOBJ old = SelectObject(dc, look_.comment_italic && italic_ ? italic_ : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, text);
        SetBkMode(dc, TRANSPARENT);
        RECT text_rect = r;
        text_rect.left = r.left + 27;
        const std::string comment = comment_row_text(script_.steps[static_cast<size_t>(row)], look_);
        DrawTextA(dc, comment.c_str(), -1, &text_rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(dc, old);
    }
}

}  // namespace zorbel
