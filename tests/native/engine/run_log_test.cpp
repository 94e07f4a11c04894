#include <gtest/gtest.h>

#include <cstdio>

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

// Inside a batch (a tick of the run) the file stays open between lines, each line
// written through at once; a file moved meanwhile is made anew at the next line, as is
// one deleted between batches. Outside a batch every line closes it.
TEST(RunLog, FileStaysOpenInABatchAndIsMadeAnewWhenGone) {
    LogRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    rig.log.line(nullptr, "zero\r\n");
    EXPECT_FALSE(rig.log.file_open());
    files::remove(rig.path);
    rig.log.begin_batch();
    rig.log.line(nullptr, "one\r\n");
    EXPECT_TRUE(rig.log.file_open());
    EXPECT_EQ("one\r\n", file_text(rig.path));  // nothing waits in a buffer
    const std::string moved = rig.folder.file("moved.txt");
    ASSERT_EQ(0, std::rename(rig.path.c_str(), moved.c_str()));
    rig.log.line(nullptr, "two\r\n");
    EXPECT_EQ("two\r\n", file_text(rig.path));
    EXPECT_EQ("one\r\n", file_text(moved));
    rig.log.end_batch();
    EXPECT_FALSE(rig.log.file_open());
    files::remove(rig.path);
    rig.log.begin_batch();
    rig.log.line(nullptr, "three\r\n");
    rig.log.end_batch();
    rig.log.line(nullptr, "four\r\n");
    EXPECT_EQ("three\r\nfour\r\n", file_text(rig.path));
}

// With probes, the settings are read again only when this program wrote one, or when
// the key's probe, asked at a batch's first line and at every line outside batches,
// reports a change.
TEST(RunLog, SettingsAreReadAgainOnlyWhenAProbeSaysSo) {
    LogRig rig;
    bool written_here = false, changed = false;
    int asked = 0;
    rig.log.set_settings_probes([&] { return written_here; },
                                [&] {
                                    ++asked;
                                    return changed;
                                });
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    enum When { kSameBatch, kNextBatch, kNoBatch };
    struct Row {
        const char* note;
        int log_setting;  // written to the store before the line (-1: unchanged)
        bool written_here, changed;
        When when;
        bool in_file;
    } rows[] = {
        {"first line reads", -1, false, false, kSameBatch, true},
        {"a change nobody reports", 0, false, false, kSameBatch, true},
        {"written here", -1, true, false, kSameBatch, false},
        {"another program, same batch", 1, false, true, kSameBatch, false},
        {"another program, next batch", -1, false, true, kNextBatch, true},
        {"next batch, no change", 0, false, false, kNextBatch, true},
        {"outside batches", -1, false, true, kNoBatch, false},
    };
    std::string expected;
    rig.log.begin_batch();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        if (row.log_setting >= 0) write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", row.log_setting);
        written_here = row.written_here;
        changed = row.changed;
        if (row.when != kSameBatch) rig.log.end_batch();
        if (row.when == kNextBatch) rig.log.begin_batch();
        const std::string line = std::string(row.note) + "\r\n";
        rig.log.line(&rig.output, "%s", line.c_str());
        if (row.in_file) expected += line;
        EXPECT_EQ(expected, file_text(rig.path));
    }
    EXPECT_EQ(3, asked);
}

}  // namespace
}  // namespace zorbel
