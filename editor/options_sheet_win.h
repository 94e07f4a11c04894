// "Tools - Options": the property sheet "Zorbel Options" with its six pages, drawn
// from the page tables of editor/model/option_pages.h. Each page reads its settings
// when it is created and writes them when the sheet is applied (OK); Cancel writes
// nothing. What the editor must do besides comes back through the hooks.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "editor/model/file_association.h"
#include "editor/model/option_binding.h"

namespace zorbel {

struct OptionsSheetHooks {
    // The editor's boxes (task-modal, in front, topmost while Keep on Top is on).
    std::function<int(const std::string& text, const char* title, UINT flags)> box;
    // After "Reset All Settings": the editor's own copies of the settings, the user
    // variables and the step grid.
    std::function<void()> after_reset;
    // After a page wrote its settings.
    std::function<void(const ApplyOutcome&)> applied;
};

// Shows the sheet; true when an applied change needs a restart to take effect.
bool show_options_sheet(HWND owner, HINSTANCE instance, SettingsStore& store, ShellRegistry& registry,
                        const std::string& program, const OptionsSheetHooks& hooks);

// A page of the sheet (options_page_win.cpp).
struct OptionsSheet;
struct OptionsPageWindow {
    OptionsSheet* sheet = nullptr;
    int index = 0;
    HWND window = nullptr;
    PageValues values;
    HFONT sample_font = nullptr;   // the Output sample's
    HFONT comment_font = nullptr;  // the comment sample's, italic while "Italic" is checked
    HBRUSH brushes[4] = {};

    const OptionPage& spec() const { return option_page(index); }
    void create_controls();
    void show_values();   // values -> controls
    void take_values();   // controls -> values
    void refresh_dependents();  // enabled log fields, the On Failure extra field, the samples
    HBRUSH sample_colours(HWND control, HDC dc);
    void draw_colour_button(const DRAWITEMSTRUCT* item);
    int row_of(int id) const;
    int row_of_setting(const char* setting) const;
    void release();
};

}  // namespace zorbel
