#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/action_catalogue.h"

namespace zorbel {
namespace {

TEST(ActionCatalogue, GroupsStandInOrderWithMenuBeforeMouse) {
    std::vector<std::pair<std::string, uint32_t>> groups;
    for (const CatalogueEntry* e = catalogue_entries(); e->name; ++e)
        if (e->is_group) groups.emplace_back(e->name, e->family);
    const std::vector<std::pair<std::string, uint32_t>> expected = {
        {"Run Program", 100001}, {"Windows/Controls", 100002}, {"Keyboard", 100003},
        {"Menu", 100005},        {"Mouse", 100004},            {"Wait", 100006},
        {"User Prompt", 100007}, {"Record Actions", 100008},   {"Files/Folders", 100009},
        {"Internet", 100010},    {"Database", 100011},         {"Loops / Flow", 100012},
        {"IF", 100013},          {"System", 100014},           {"External Functions", 100015},
    };
    EXPECT_EQ(expected, groups);
}

TEST(ActionCatalogue, EveryActionCarriesItsGroupsCode) {
    uint32_t group_code = 0;
    int actions = 0;
    for (const CatalogueEntry* e = catalogue_entries(); e->name; ++e) {
        if (e->is_group) {
            group_code = e->family - kGroupIdentifierBase;
            // Menu's identifier is 100005 but its code is 4, Mouse the other way round.
            if (group_code == 5) group_code = 4;
            else if (group_code == 4) group_code = 5;
            continue;
        }
        ++actions;
        const uint32_t expected = std::string(e->name) == "Set Run Repeats" ? 14u : group_code;
        EXPECT_EQ(expected, e->family) << e->name;
    }
    EXPECT_EQ(166, actions);  // "Set Run Repeats" counted twice
}

TEST(ActionCatalogue, FindActionIgnoresCase) {
    const CatalogueEntry* e = find_action("left button click");
    ASSERT_NE(nullptr, e);
    EXPECT_STREQ("Left Button Click", e->name);
    EXPECT_EQ(5u, e->family);
    EXPECT_EQ(nullptr, find_action("Left Button Clicks"));
    EXPECT_EQ(0u, family_of_action("no such action"));
}

TEST(ActionCatalogue, GroupNamesAnswerWithGroupIdentifiers) {
    EXPECT_EQ(100004u, family_of_action("Mouse"));
    EXPECT_EQ(100005u, family_of_action("Menu"));
    EXPECT_EQ(100013u, family_of_action("if"));
}

TEST(ActionCatalogue, SpecialNamesAreExact) {
    EXPECT_EQ(10u, family_of_action("Send Email: \"mailto\""));
    EXPECT_EQ(14u, family_of_action("Set Run Repeats"));
    EXPECT_EQ(1u, family_of_action("Control Panel: Time & Date"));
    EXPECT_EQ(12u, family_of_action("Exit Zorbel"));
    EXPECT_EQ(3u, family_of_action("Block Input"));
}

TEST(ActionCatalogue, IfGroupStartsWithExpressionThenFileExists) {
    const CatalogueEntry* e = find_action("IF");
    ASSERT_NE(nullptr, e);
    EXPECT_STREQ("IF Expression", e[1].name);
    EXPECT_STREQ("IF File Exists", e[2].name);
}

TEST(ActionCatalogue, NamesFitTheActionField) {
    std::set<std::string> seen;
    for (const CatalogueEntry* e = catalogue_entries(); e->name; ++e) {
        EXPECT_LT(std::string(e->name).size(), 64u) << e->name;
        if (!e->is_group && std::string(e->name) != "Set Run Repeats") {
            EXPECT_TRUE(seen.insert(e->name).second) << "duplicate " << e->name;
        }
    }
}

}  // namespace
}  // namespace zorbel
