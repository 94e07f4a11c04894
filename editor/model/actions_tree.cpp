#include "editor/model/actions_tree.h"

namespace zorbel {

namespace {

const char* const kHelpTopics[16] = {
    nullptr,
    "::/action_run.htm",      "::/action_windows.htm",  "::/action_keyboard.htm", "::/action_menu.htm",
    "::/action_mouse.htm",    "::/action_wait.htm",     "::/action_user.htm",     "::/action_record.htm",
    "::/action_files.htm",    "::/action_internet.htm", "::/action_database.htm", "::/action_loops.htm",
    "::/action_if.htm",       "::/action_system.htm",   "::/action_external.htm",
};

std::vector<TreeCategory> build() {
    std::vector<TreeCategory> tree;
    const CatalogueEntry* entries = catalogue_entries();
    for (int i = 0; i < catalogue_entry_count() && entries[i].name; ++i) {
        const CatalogueEntry& entry = entries[i];
        if (entry.is_group) {
            tree.push_back({entry.name, entry.family, entry.icon, "::/intro.htm", {}});
            continue;
        }
        if (tree.empty()) continue;
        TreeCategory& category = tree.back();
        category.actions.push_back(&entry);
        // The help topic follows the pane code of the category's actions ("Menu" is
        // node 100005 but pane 4).
        if (category.actions.size() == 1 && entry.family >= 1 && entry.family <= 15)
            category.help = kHelpTopics[entry.family];
    }
    return tree;
}

}  // namespace

const std::vector<TreeCategory>& actions_tree() {
    static const std::vector<TreeCategory> tree = build();
    return tree;
}

const char* help_topic_for_pane(int32_t pane_code) {
    return pane_code >= 1 && pane_code <= 15 ? kHelpTopics[pane_code] : "::/intro.htm";
}

}  // namespace zorbel
