#include "actions/menus/menu_path.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

using Levels = std::vector<std::string>;

TEST(MenuPathLevels, SplitsAtSemicolonsOrCommasAndCleansNames) {
    struct Row {
        const char* path;
        Levels levels;
    } rows[] = {
        {"&File; Save &As...", {"File", "Save As"}},
        {"&File;&Open", {"File", "Open"}},
        {"Edit, Insert, Date", {"Edit", "Insert", "Date"}},
        {"Edit,Insert;Date", {"Edit,Insert", "Date"}},  // ";" wins as the separator
        {"File", {"File"}},
        {"File;", {"File", ""}},
        {"&New\tCtrl+N", {"New"}},
        {"File;&New\tCtrl+N", {"File", "New"}},
        {"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(menu_path_levels(row.path), row.levels);
    }
}

TEST(MenuPathLevels, UsesAtMost253Characters) {
    std::string path = "A;" + std::string(300, 'b');
    Levels levels = menu_path_levels(path);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[1].size(), 251u);
}

TEST(MenuItemLabel, DropsAmpersandsEllipsisAndShortcut) {
    EXPECT_EQ(menu_item_label("&New\tCtrl+N"), "New");
    EXPECT_EQ(menu_item_label("Save &As..."), "Save As");
    EXPECT_EQ(menu_item_label("E&xit"), "Exit");
    EXPECT_EQ(menu_item_label(""), "");
}

TEST(MenuLevelKeys, TakesTheMnemonicOrTheFirstLetterInUpperCase) {
    struct Row {
        const char* path;
        const char* keys;
    } rows[] = {
        {"&File; Save &As...", "FA"},
        {"File;Open", "FO"},
        {"edit, insert, &date", "EID"},
        {"E&xit", "X"},
        {";; &Options;;Le&vel", "OV"},
        {"Tools;", "T"},
        {"1st;2nd", "12"},
        {"Trailing&", "T"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(menu_level_keys(row.path), row.keys);
    }
}

TEST(SystemMenuCommand, NamesAreTestedInOrderBeforeTheKeyFallback) {
    struct Row {
        const char* name;
        SystemMenuCommand command;
        char key;
    } rows[] = {
        {"Maximize", SystemMenuCommand::kMaximize, 0},
        {"Ma&ximize", SystemMenuCommand::kMaximize, 0},  // "&" removed before the test
        {"Minimize", SystemMenuCommand::kMinimize, 0},
        {"&Restore", SystemMenuCommand::kRestore, 0},
        {"&Move", SystemMenuCommand::kMove, 0},
        {"&Close", SystemMenuCommand::kClose, 0},
        {"&Size", SystemMenuCommand::kSize, 0},
        {"Resize", SystemMenuCommand::kSize, 0},
        {"Remove the minimum", SystemMenuCommand::kMinimize, 0},  // "min" before "move"
        {"&About", SystemMenuCommand::kKey, 'A'},
        {"Always on &top", SystemMenuCommand::kKey, 't'},
        {"About", SystemMenuCommand::kNone, 0},
        {"Trailing&", SystemMenuCommand::kNone, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char key = 0;
        EXPECT_EQ(system_menu_command(row.name, &key), row.command);
        EXPECT_EQ(key, row.key);
    }
}

}  // namespace
}  // namespace zorbel
