// The texts of prompt steps: long messages, list texts, the progress figure, popup
// menu lines and when an open popup is reused.
#include <gtest/gtest.h>

#include "actions/prompts/prompt_text.h"

namespace zorbel {
namespace {

TEST(PromptText, LongMessagesAreCutWithTheNoteFrom8192Characters) {
    const std::string note = kTruncationNote;
    EXPECT_EQ(cut_long_message(std::string(8191, 'a')), std::string(8191, 'a'));
    EXPECT_EQ(cut_long_message(std::string(8192, 'a')), std::string(8192, 'a') + note);
    EXPECT_EQ(cut_long_message(std::string(10000, 'a')), std::string(8192, 'a') + note);
}

TEST(PromptText, ListTextSplitsIntoPromptAndItemsUpToTheFirstEmptyOne) {
    struct Row {
        const char* text;
        const char* prompt;
        std::vector<std::string> items;
    } rows[] = {
        {"Pick one;Red;Green;;Blue", "Pick one", {"Red", "Green"}},
        {"Pick one;Red;Green;", "Pick one", {"Red", "Green"}},
        {"Pick;;Red", "Pick", {}},
        // Without ";" the whole text is the prompt and nothing is offered.
        {"Just a prompt, Red, Green", "Just a prompt, Red, Green", {}},
        {";Only", "", {"Only"}},
        {"", "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        std::string prompt;
        std::vector<std::string> items{"stale"};
        split_list_text(row.text, &prompt, &items);
        EXPECT_EQ(prompt, row.prompt);
        EXPECT_EQ(items, row.items);
    }
}

TEST(PromptText, ProgressFigureComesFromTheNineCharactersAroundTheFirstPercent) {
    struct Row {
        const char* text;
        int percent;
    } rows[] = {
        {"50% Complete", 50},    {"Done: 75%", 75},          {"Copying 100%", 100},
        {"No figure", -1},       {"%", 0},                   {"Step 3 of 4: 50%", 450},
        {"12345678 9%", 6789},   {"a 7% b 9%", 79},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(progress_percent(row.text), row.percent);
    }
}

TEST(PromptText, PopupMenuLinesBecomeItemsAndSeparatorsUpToAnEmptyLine) {
    const std::vector<MenuEntry> entries = popup_menu_entries("Open\r\n  Save\r\n---\r\n_x\r\n\r\nExit\n\nLost");
    ASSERT_EQ(entries.size(), 6u);
    const struct {
        bool separator;
        uint32_t command;
        const char* text;
    } expected[] = {{false, 2024, "Open"}, {false, 2025, "Save"}, {true, 0, ""},
                    {true, 0, ""},        {true, 0, ""},          {false, 2029, "Exit"}};
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[i].separator, expected[i].separator);
        EXPECT_EQ(entries[i].command, expected[i].command);
        EXPECT_EQ(entries[i].text, expected[i].text);
    }
    EXPECT_TRUE(popup_menu_entries("").empty());
    EXPECT_EQ(popup_menu_entries("   ")[0].text, "");
    EXPECT_EQ(popup_menu_choice(2024), 1);
    EXPECT_EQ(popup_menu_choice(2027), 4);
    EXPECT_EQ(popup_menu_choice(0), 0);
}

// A topmost popup asked for while a normal one is open replaces it, so the old one
// is not left on the screen without an owner.
TEST(PromptText, TopmostPopupReplacesAnOpenNormalOne) {
    EXPECT_EQ(popup_reuse(false, false, true), PopupReuse::kCreate);
    EXPECT_EQ(popup_reuse(true, false, false), PopupReuse::kReuse);
    EXPECT_EQ(popup_reuse(true, true, false), PopupReuse::kReuse);
    EXPECT_EQ(popup_reuse(true, true, true), PopupReuse::kReuse);
    EXPECT_EQ(popup_reuse(true, false, true), PopupReuse::kReplace);
}

}  // namespace
}  // namespace zorbel
