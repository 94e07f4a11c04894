// The conversion table agrees with the catalogue; what each record becomes is pinned by
// tests/data/legacy/records.lines and its golden file (golden_test.cpp).
#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/legacy_action_table.h"

namespace zorbel {
namespace {

// The families written into the table agree with the catalogue for every action
// that the catalogue knows, so a saved and reloaded import keeps its families.
TEST(LegacyConversionTable, FamiliesAgreeWithTheCatalogue) {
    for (int32_t type = 1; type <= kLegacyLastType; ++type) {
        const TypeRule* rule = version4_type_rule(type);
        ASSERT_NE(nullptr, rule) << type;
        for (size_t n = 0; n < rule->row_count; ++n) {
            const ActionRow& row = rule->rows[n];
            const CatalogueEntry* entry = find_action(row.name);
            if (!entry) {
                EXPECT_STREQ("(Action not Available)", row.name) << "type " << type;
                continue;
            }
            EXPECT_EQ(entry->family, row.family ? row.family : rule->family) << row.name;
        }
    }
    EXPECT_EQ(nullptr, version4_type_rule(0));
    EXPECT_EQ(nullptr, version4_type_rule(18));
}

}  // namespace
}  // namespace zorbel
