#include "editor/options_sheet_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <cstring>
#include <vector>

#include "core/text_rules.h"

namespace zorbel {

struct OptionsSheet {
    SettingsStore& store;
    ShellRegistry& registry;
    std::string program;
    const OptionsSheetHooks& hooks;
    std::array<OptionsPageWindow, kOptionPageCount> pages;
    bool restart = false;
    COLORREF custom_colours[16] = {};

    int box(const std::string& text, const char* title, UINT flags) {
        return hooks.box ? hooks.box(text, title, flags) : 0;
    }
    void reset_all();
    void associate();
};

namespace {

using K = OptionKind;

// An empty page template in dialog units, with the dialog font.
std::vector<WORD> page_template() {
    DLGTEMPLATE d = {};
    d.style = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT | DS_3DLOOK | DS_CONTROL;
    d.cx = kPageWidth;
    d.cy = kPageHeight;
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD));
    std::memcpy(t.data(), &d, sizeof(d));
    for (WORD w : {WORD(0), WORD(0), WORD(0), WORD(8)}) t.push_back(w);  // menu, class, title, point size
    for (const char* c = "MS Shell Dlg"; *c; ++c) t.push_back(static_cast<WORD>(*c));
    t.push_back(0);
    return t;
}

}  // namespace

void OptionsSheet::reset_all() {
    if (box(kResetQuestion, "Confirm Action", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    reset_all_settings(store);
    if (hooks.after_reset) hooks.after_reset();
    // Every page made so far shows the new values, so OK cannot write the old ones back.
    for (OptionsPageWindow& page : pages) {
        if (!page.window) continue;
        page.values = load_page(page.spec(), store);
        page.show_values();
    }
    box(kResetDoneMessage, "Zorbel Settings", MB_OK | MB_ICONINFORMATION);
}

void OptionsSheet::associate() {
    const AssociationMessage message = association_message(register_file_type(registry, ".zbx", program), program);
    box(message.text, "File Association", MB_OK | (message.error ? MB_ICONEXCLAMATION : MB_ICONINFORMATION));
}

namespace {

void pick_colour(OptionsPageWindow& page, int row) {
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = page.window;
    dialog.rgbResult = static_cast<COLORREF>(text_to_number(page.values[static_cast<size_t>(row)]));
    dialog.lpCustColors = page.sheet->custom_colours;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&dialog)) return;
    page.values[static_cast<size_t>(row)] = std::to_string(dialog.rgbResult);
    page.refresh_dependents();
}

void pick_font(OptionsPageWindow& page) {
    auto value = [&](const char* setting) -> std::string& {
        return page.values[static_cast<size_t>(page.row_of_setting(setting))];
    };
    LOGFONTA font = {};
    if (page.sample_font) GetObjectA(page.sample_font, sizeof(font), &font);
    CHOOSEFONTA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = page.window;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    dialog.rgbColors = static_cast<COLORREF>(text_to_number(value("Palettes\\Output\\Font_Color")));
    if (!ChooseFontA(&dialog)) return;
    value("Palettes\\Output\\Font") = font.lfFaceName;
    value("Palettes\\Output\\FontSize") = std::to_string(dialog.iPointSize / 10);
    value("Palettes\\Output\\Font_Italic") = font.lfItalic ? "1" : "0";
    value("Palettes\\Output\\Font_Weight") = std::to_string(font.lfWeight);
    value("Palettes\\Output\\Font_Color") = std::to_string(dialog.rgbColors);
    page.refresh_dependents();
}

void browse_logfile(OptionsPageWindow& page) {
    char path[MAX_PATH] = {};
    GetDlgItemTextA(page.window, opt::kLogfile, path, MAX_PATH);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = page.window;
    dialog.lpstrFilter = "All Files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_HIDEREADONLY;
    if (GetSaveFileNameA(&dialog)) SetDlgItemTextA(page.window, opt::kLogfile, path);
}

// F1: the help file's options topic for the page ("LastTab" + 1).
void page_help(OptionsPageWindow& page) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string help = path;
    const size_t dot = help.find_last_of('.');
    help = (dot == std::string::npos ? help : help.substr(0, dot)) + "Help.chm";
    if (GetFileAttributesA(help.c_str()) == INVALID_FILE_ATTRIBUTES) {
        page.sheet->box("Unable to find the help file.\n\nPlease reinstall to correct this problem.", help.c_str(),
                        MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const std::string topic = help + "::/options.htm#" + std::to_string(first_options_page(page.sheet->store) + 1);
    ShellExecuteA(page.window, "open", "hh.exe", topic.c_str(), nullptr, SW_SHOWNORMAL);
}

void on_command(OptionsPageWindow& page, int id, int code) {
    const OptionRow* row = find_option_row(page.spec(), id);
    if (!row) return;
    if (row->kind == K::kModeList && code == CBN_SELCHANGE) {
        page.refresh_dependents();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (row->kind) {
        case K::kColor: pick_colour(page, page.row_of(id)); return;
        case K::kFontFace: pick_font(page); return;
        case K::kDefaultButton:
            restore_defaults(page.spec(), row->group, &page.values);
            page.refresh_dependents();
            return;
        case K::kCheck:
            if (id == opt::kLog || id == opt::kCommentItalic) page.refresh_dependents();
            return;
        default: break;
    }
    if (id == opt::kResetAll) page.sheet->reset_all();
    else if (id == opt::kAssociate) page.sheet->associate();
    else if (id == opt::kLogBrowse) browse_logfile(page);
}

void on_apply(OptionsPageWindow& page) {
    OptionsSheet& sheet = *page.sheet;
    page.take_values();
    const ApplyOutcome out = apply_page(page.spec(), page.values, sheet.store);
    if (out.restart) sheet.restart = true;
    if (sheet.hooks.applied) sheet.hooks.applied(out);
    if (!out.failed.empty()) {
        std::string names;
        for (const std::string& f : out.failed) names += "\n" + f;
        sheet.box("These settings could not be written:" + names, "Error", MB_OK | MB_ICONEXCLAMATION);
    }
    if (out.load_action) {
        const AssociationResult result = write_open_command(sheet.registry, sheet.program, out.load_action_value);
        if (!result.ok())
            sheet.box("The Open command of Zorbel files could not be written:\n" + result.failed.front(),
                      "File Association", MB_OK | MB_ICONEXCLAMATION);
    }
}

INT_PTR CALLBACK page_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* page = reinterpret_cast<OptionsPageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case WM_INITDIALOG: {
            page = reinterpret_cast<OptionsPageWindow*>(reinterpret_cast<PROPSHEETPAGEA*>(lparam)->lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
            page->window = window;
            page->create_controls();
            page->values = load_page(page->spec(), page->sheet->store);
            page->show_values();
            return TRUE;
        }
        case WM_COMMAND:
            if (page) on_command(*page, LOWORD(wparam), HIWORD(wparam));
            return TRUE;
        case WM_HSCROLL:
            if (page && GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == opt::kSpeed) {
                const LRESULT speed = SendMessageA(reinterpret_cast<HWND>(lparam), TBM_GETPOS, 0, 0);
                SetDlgItemTextA(window, opt::kSpeedCaption, speed_caption(static_cast<int>(speed)).c_str());
            }
            return TRUE;
        case WM_DRAWITEM:
            if (page) page->draw_colour_button(reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (page)
                if (HBRUSH brush = page->sample_colours(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam)))
                    return reinterpret_cast<INT_PTR>(brush);
            return FALSE;
        case WM_NOTIFY:
            if (!page) return FALSE;
            switch (reinterpret_cast<NMHDR*>(lparam)->code) {
                case PSN_SETACTIVE: store_last_tab(page->sheet->store, page->index); break;
                case PSN_APPLY: on_apply(*page); break;
                default: return FALSE;
            }
            SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_HELP:
            if (page) page_help(*page);
            return TRUE;
        case WM_DESTROY:
            if (page) page->release();
            return FALSE;
    }
    return FALSE;
}

}  // namespace

bool show_options_sheet(HWND owner, HINSTANCE instance, SettingsStore& store, ShellRegistry& registry,
                        const std::string& program, const OptionsSheetHooks& hooks) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    OptionsSheet sheet{store, registry, program, hooks, {}};
    const std::vector<WORD> layout = page_template();
    PROPSHEETPAGEA pages[kOptionPageCount] = {};
    for (int i = 0; i < kOptionPageCount; ++i) {
        sheet.pages[static_cast<size_t>(i)].sheet = &sheet;
        sheet.pages[static_cast<size_t>(i)].index = i;
        PROPSHEETPAGEA& p = pages[i];
        p.dwSize = sizeof(p);
        p.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        p.hInstance = instance;
        p.pResource = reinterpret_cast<const DLGTEMPLATE*>(layout.data());
        p.pfnDlgProc = page_procedure;
        p.pszTitle = option_page(i).title;
        p.lParam = reinterpret_cast<LPARAM>(&sheet.pages[static_cast<size_t>(i)]);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USEHICON;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(owner, GCLP_HICON));
    header.pszCaption = "Zorbel Options";
    header.nPages = kOptionPageCount;
    header.nStartPage = static_cast<UINT>(first_options_page(store));
    header.ppsp = pages;
    PropertySheetA(&header);
    return sheet.restart;
}

}  // namespace zorbel
