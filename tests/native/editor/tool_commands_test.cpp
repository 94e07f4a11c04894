#include <gtest/gtest.h>

#include "actions/windows/window_rules.h"
#include "editor/command_ids.h"
#include "editor/model/tool_commands.h"

namespace zorbel {
namespace {

TEST(ToolCommands, EachListingCommandTakesItsSearchMode) {
    EXPECT_EQ(window_listing_mode(cmd::kAllWindows), static_cast<int32_t>(kModeAnyWindow));
    EXPECT_EQ(window_listing_mode(cmd::kPopupWindows), static_cast<int32_t>(kModeFramedVisible));
    EXPECT_EQ(window_listing_mode(cmd::kMainWindows), static_cast<int32_t>(kModeFramedVisibleTopLevel));
    EXPECT_EQ(window_listing_mode(cmd::kOpenLogfile), -1);
}

TEST(ToolCommands, ListingFileReplacesTheProgramName) {
    EXPECT_EQ(window_listing_path("C:\\Program Files\\Zorbel\\zorbel.exe"), "C:\\Program Files\\Zorbel\\windows.txt");
    EXPECT_EQ(window_listing_path("Z:\\build\\win32\\ZORBEL.EXE"), "Z:\\build\\win32\\windows.txt");
    EXPECT_EQ(window_listing_path("zorbel.exe"), "windows.txt");
}

TEST(ToolCommands, LogfileIsOpenedOnlyWhenItHasContent) {
    struct Case {
        bool exists;
        uint64_t size;
        int32_t log;
        LogfileAnswer answer;
    };
    const Case cases[] = {
        {true, 1, 0, LogfileAnswer::kOpen},
        {true, 5000, 1, LogfileAnswer::kOpen},
        {true, 0, 1, LogfileAnswer::kEmpty},
        {false, 0, 1, LogfileAnswer::kEmpty},
        {false, 0, -1, LogfileAnswer::kEmpty},  // any non-zero value is "on"
        {true, 0, 0, LogfileAnswer::kEmptyAndLoggingOff},
        {false, 0, 0, LogfileAnswer::kEmptyAndLoggingOff},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.exists) + " " + std::to_string(c.size) + " " + std::to_string(c.log));
        EXPECT_EQ(logfile_answer(c.exists, c.size, c.log), c.answer);
    }
}

}  // namespace
}  // namespace zorbel
