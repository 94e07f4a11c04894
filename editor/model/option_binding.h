// Reading an options page's settings into its controls' values and writing them
// back when the sheet is applied; the sheet's first page; "Reset All Settings".
// Desktop-free: works on any settings store.
#pragma once
#include <string>
#include <vector>

#include "editor/model/option_pages.h"
#include "engine/settings_store.h"

namespace zorbel {

// One value per row of the page, as the control shows it: "1"/"0" for check boxes
// and radio buttons, decimal text for numbers (an empty number field deletes its
// setting), the text itself for texts. Rows without a setting hold "".
using PageValues = std::vector<std::string>;

PageValues load_page(const OptionPage& page, SettingsStore& store);

// The values of the rows of colour group `group` (colours and the font) become their defaults.
void restore_defaults(const OptionPage& page, int group, PageValues* values);

struct ApplyOutcome {
    bool restart = false;        // a setting that takes effect at the next start changed
    bool repaint = false;        // a setting of the step grid's look changed
    int stop_key = 0;            // the stop key written (0: the page has none)
    bool load_action = false;    // the page holds DefaultLoadAction
    int load_action_value = 0;
    std::vector<std::string> failed;  // settings the store refused
};

// Writes every setting of the page from `values`.
ApplyOutcome apply_page(const OptionPage& page, const PageValues& values, SettingsStore& store);

// The page the sheet opens on: "LastTab" when it names a page, else 0.
int first_options_page(SettingsStore& store);
void store_last_tab(SettingsStore& store, int index);

// "Reset All Settings": every default written, the window rectangle and the recent
// files deleted, the grid's column widths back to 50, 100, 240, 50, 200. The user
// variables and their files are the caller's (they need the variable store).
void reset_all_settings(SettingsStore& store);

// The radio row of `group` that shows the stored number: the one storing it, else
// the one storing the greatest number below it, else the group's default choice.
int chosen_radio(const OptionPage& page, int group, int32_t stored);

}  // namespace zorbel
