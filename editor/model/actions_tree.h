// What the Actions tree shows: the fifteen categories in tree order ("Menu" before
// "Mouse"), each with its node number, help topic and the catalogue's actions.
// Desktop-free.
#pragma once
#include <cstdint>
#include <vector>

#include "core/action_catalogue.h"

namespace zorbel {

struct TreeCategory {
    const char* text;
    uint32_t node;      // 100000 + the category's number
    int32_t image;
    const char* help;   // the category's help topic
    std::vector<const CatalogueEntry*> actions;
};

constexpr int kTreeCategoryCount = 15;

// The categories in tree order, built from the catalogue.
const std::vector<TreeCategory>& actions_tree();
// The help topic of the pane code's category; "::/intro.htm" for anything else.
const char* help_topic_for_pane(int32_t pane_code);
// A category's stored TreeviewState value says expanded when above 0.
inline bool tree_state_expanded(int32_t stored) { return stored > 0; }

}  // namespace zorbel
