#include <gtest/gtest.h>

#include "engine/run_log.h"
#include "expansion_fakes.h"

namespace zorbel {
namespace {

std::string file_text(const std::string& path) {
    std::string text;
    files::read_all(path, &text);
    return text;
}

struct LogRig {
    MemorySettingsStore store;
    RunLog log{store};
    FakeLogOutput output;
    TempFolder folder;
    std::string path = folder.file("sub") + "/deeper/log.txt";
    LogRig() { write_setting_text(store, "SOFTWARE\\Zorbel\\Logfile", path); }
};

TEST(RunLog, AppendsEachLineToFileAndOutput) {
    LogRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    rig.log.line(&rig.output, "[STEP %d]: %s\r\n", 1, "Start");
    rig.log.line(&rig.output, "\tJumping to Step %d\r\n", 7);
    const char* expected = "[STEP 1]: Start\r\n\tJumping to Step 7\r\n";
    // The missing folders were created on the way.
    EXPECT_EQ(expected, file_text(rig.path));
    EXPECT_EQ(expected, rig.output.text);
}

TEST(RunLog, LogZeroAndHiddenOutputWriteNothing) {
    LogRig rig;
    rig.output.shown = false;
    rig.log.line(&rig.output, "line\r\n");
    rig.log.line(nullptr, "line\r\n");
    EXPECT_FALSE(files::exists(rig.path));
    EXPECT_EQ("", rig.output.text);
}

TEST(RunLog, NoTargetWritesTheFileOnly) {
    LogRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    rig.log.line(nullptr, "file only\r\n");
    EXPECT_EQ("file only\r\n", file_text(rig.path));
    EXPECT_EQ("", rig.output.text);
}

TEST(RunLog, LongFormatsAreWrittenLiterally) {
    LogRig rig;
    std::string format991 = std::string(989, 'a') + "%d";  // 991 characters: formatted
    std::string format992 = std::string(990, 'b') + "%d";  // 992 characters: literal
    std::string format2000 = std::string(2000, 'c') + "%s";
    rig.log.line(&rig.output, format991.c_str(), 7);
    EXPECT_EQ(std::string(989, 'a') + "7", rig.output.text);
    rig.output.text.clear();
    rig.log.line(&rig.output, format992.c_str(), 7);
    EXPECT_EQ(format992, rig.output.text);
    rig.output.text.clear();
    rig.log.line(&rig.output, format2000.c_str(), "never read");
    EXPECT_EQ(std::string(992, 'c'), rig.output.text);
}

TEST(RunLog, FormattedLineIsCutAt1023Characters) {
    LogRig rig;
    std::string big(5000, 'x');
    rig.log.line(&rig.output, "%s", big.c_str());
    EXPECT_EQ(std::string(1023, 'x'), rig.output.text);
}

TEST(RunLog, UnopenableFileIsSkippedAndOutputStillGetsTheLine) {
    LogRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    // A folder in the way of the file.
    files::create_folders(rig.folder.file("isfolder"));
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", rig.folder.file("isfolder"));
    rig.log.line(&rig.output, "still shown\r\n");
    EXPECT_EQ("still shown\r\n", rig.output.text);
}

TEST(RunLog, TwoRunsWithoutRestartKeepBothRuns) {
    LogRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    for (int run = 0; run < 2; ++run) {
        rig.log.line(nullptr, "-----------------------------\r\nStarting Run at %d:%02d:%02d%s%s\r\n", 9, 5, 0, "", "");
        rig.log.line(nullptr, "Run Completed at %d:%02d:%02d, (Elapsed Time: %s)\r\n\r\n", 9, 5, 1, "1 seconds");
    }
    std::string once =
        "-----------------------------\r\nStarting Run at 9:05:00\r\nRun Completed at 9:05:01, (Elapsed Time: 1 "
        "seconds)\r\n\r\n";
    EXPECT_EQ(once + once, file_text(rig.path));
}

TEST(RunLog, DetailedFollowsLogLevel) {
    LogRig rig;
    EXPECT_FALSE(rig.log.detailed());
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\LogLevel", 1);
    EXPECT_TRUE(rig.log.detailed());
}

}  // namespace
}  // namespace zorbel
