#include "editor/palettes_win.h"

#include <commctrl.h>

#include "editor/command_ids.h"

namespace zorbel {

namespace {

const char* const kPaletteNames[] = {"Actions", "Properties", "Output", "Variables", "Toolbar"};
const int kPaletteCommands[] = {cmd::kShowActions, cmd::kShowProperties, cmd::kShowOutput, cmd::kShowVariables, cmd::kShowToolbar};

}  // namespace

const char* palette_name(Palette palette) { return kPaletteNames[static_cast<size_t>(palette)]; }
int palette_command(Palette palette) { return kPaletteCommands[static_cast<size_t>(palette)]; }

HWND OutputPalette::create(HWND parent, HFONT font) {
    window = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
                                 ES_AUTOHSCROLL | ES_READONLY,
                             0, 0, 10, 10, parent, reinterpret_cast<HMENU>(res::kOutputEdit), nullptr, nullptr);
    if (!window) return nullptr;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(window, EM_SETLIMITTEXT, 0, 0);
    int stops[8];
    for (int i = 0; i < 8; ++i) stops[i] = 10 * (i + 1);
    SendMessageA(window, EM_SETTABSTOPS, 8, reinterpret_cast<LPARAM>(stops));
    return window;
}

bool OutputPalette::visible() {
    return window && IsWindowVisible(window);
}

void OutputPalette::append(std::string_view text) {
    if (!window) return;
    const int end = GetWindowTextLengthA(window);
    SendMessageA(window, EM_SETSEL, end, end);
    SendMessageA(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(std::string(text).c_str()));
    SendMessageA(window, EM_SCROLLCARET, 0, 0);
}

HWND VariablesListPalette::create(HWND parent, HFONT font, int width1, int width2) {
    window = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                             WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SORTASCENDING, 0, 0, 10, 10,
                             parent, reinterpret_cast<HMENU>(res::kVariablesList), nullptr, nullptr);
    if (!window) return nullptr;
    SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ListView_SetTextColor(window, 0x800000);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width1 > 0 ? width1 : 100;
    column.pszText = const_cast<char*>("Variable");
    SendMessageA(window, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = width2 > 0 ? width2 : 300;
    column.pszText = const_cast<char*>("Value");
    SendMessageA(window, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    return window;
}

bool VariablesListPalette::shown() { return window && IsWindowVisible(window); }

int VariablesListPalette::find(std::string_view name) const {
    LVFINDINFOA info = {};
    info.flags = LVFI_STRING;
    const std::string text(name);
    info.psz = text.c_str();
    return static_cast<int>(SendMessageA(window, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info)));
}

// Names are listed as the variable store keeps them, without the "%" a step writes.
static std::string listed_name(std::string_view name) {
    return std::string(!name.empty() && name.front() == '%' ? name.substr(1) : name);
}

void VariablesListPalette::set_row(const VariableRow& given) {
    if (!window) return;
    VariableRow row = given;
    row.name = listed_name(row.name);
    int index = find(row.name);
    if (index < 0) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = 0x7fffffff;
        item.pszText = const_cast<char*>(row.name.c_str());
        index = static_cast<int>(SendMessageA(window, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    LVITEMA item = {};
    item.iSubItem = 1;
    item.pszText = const_cast<char*>(row.value.c_str());
    SendMessageA(window, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

void VariablesListPalette::remove_row(std::string_view name) {
    if (!window) return;
    const int index = find(listed_name(name));
    if (index >= 0) SendMessageA(window, LVM_DELETEITEM, index, 0);
}

void VariablesListPalette::clear() {
    if (window) SendMessageA(window, LVM_DELETEALLITEMS, 0, 0);
}

void VariablesListPalette::refresh(SettingsStore& store, const std::string& prefix) {
    if (!shown()) return;
    std::vector<NamedValue> values;
    if (!store.list_values(SettingsRoot::kCurrentUser, kUserVariablesKey, &values)) return;
    for (const NamedValue& value : values) {
        VariableRow row;
        row.name = value.name;
        if (!prefix.empty() && row.name.compare(0, prefix.size(), prefix) == 0) row.name.erase(0, prefix.size());
        row.value = stored_value_text(value.value).substr(0, 455);
        row.numeric = is_numeric_value(row.value);
        set_row(row);
    }
}

int VariablesListPalette::column_width(int column) const {
    return window ? static_cast<int>(SendMessageA(window, LVM_GETCOLUMNWIDTH, column, 0)) : 0;
}

}  // namespace zorbel
