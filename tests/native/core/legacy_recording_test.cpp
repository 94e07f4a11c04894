// Recordings in version 4 files: the event block after the record line, the
// limit of 64 recordings, and blocks that do not match their record.
#include <gtest/gtest.h>

#include "core/legacy_recording.h"
#include "core/script_file.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::event_bytes;
using legacy_test::file_of;
using legacy_test::import_text;
using legacy_test::record;

std::string recording_line(int count) { return record(8).with_value(std::to_string(count)).str(); }

std::string events(int count, int first_message = 512) {
    std::string out;
    for (int n = 0; n < count; ++n) out += event_bytes(0, first_message + n, 3, 100 + n, 1000 * n);
    return out;
}

std::string truncation_box(int step, int bytes) {
    return format("error: The Recording in step #%d was not saved correctly.  The recording will be truncated to "
                  "match memory allocations (%d bytes).\n\nIt is recommended that you re-record the actions.",
                  step, bytes);
}

TEST(LegacyRecordings, AnEventIsFiveFixedWidthParts) {
    const RecordingEvent e = parse_version4_event("0007" "0512" "0003" "0100" "00012345");
    EXPECT_EQ(7u, e.window);
    EXPECT_EQ(512u, e.message);
    EXPECT_EQ(3u, e.param_second);
    EXPECT_EQ(100u, e.param_first);
    EXPECT_EQ(12345u, e.time);
}

TEST(LegacyRecordings, TheBlockFollowsItsLineAndFillsTheNextSlot) {
    ScriptState script;
    FakeUserInterface ui;
    const std::string text = file_of({
        record(1, 0, "app").str(),
        recording_line(3) + "\r\n" + events(3),
        recording_line(2) + "\r\n" + events(2, 600),
        record(7, 1).str(),
    });
    ASSERT_EQ(4, import_text(text, &script, &ui));
    EXPECT_TRUE(ui.errors().empty()) << ::testing::PrintToString(ui.calls);
    EXPECT_STREQ("Recording", script.steps[1].action);
    EXPECT_EQ(8u, script.steps[1].family);
    EXPECT_STREQ("3", script.steps[1].value[0]);
    EXPECT_STREQ("0", script.steps[1].value[1]);
    EXPECT_STREQ("3", script.steps[1].timeout);
    EXPECT_STREQ("2", script.steps[2].value[0]);
    EXPECT_STREQ("1", script.steps[2].value[1]);
    EXPECT_STREQ("Freeze", script.steps[3].action);
    ASSERT_EQ(2, script.recording_count);
    ASSERT_EQ(3u, script.recordings[0].size());
    EXPECT_EQ(514u, script.recordings[0][2].message);
    EXPECT_EQ(102u, script.recordings[0][2].param_first);
    EXPECT_EQ(3u, script.recordings[0][2].param_second);
    EXPECT_EQ(2000u, script.recordings[0][2].time);
    ASSERT_EQ(2u, script.recordings[1].size());
    EXPECT_EQ(601u, script.recordings[1][1].message);
}

TEST(LegacyRecordings, ARecordingAtTheEndOfTheFileWithoutLineBreaks) {
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(1, import_text(recording_line(2) + "\n" + events(2), &script, &ui));
    EXPECT_TRUE(ui.errors().empty());
    EXPECT_EQ(2u, script.recordings[0].size());
}

TEST(LegacyRecordings, AtMost64RecordingsAreRead) {
    std::vector<std::string> lines = {record(1).str()};
    for (int n = 0; n < 66; ++n) lines.push_back(recording_line(1) + "\r\n" + events(1, n));
    lines.push_back(record(7, 1).str());
    ScriptState script;
    FakeUserInterface ui;
    // The records before the one over the limit are kept; reading stops there.
    ASSERT_EQ(65, import_text(file_of(lines), &script, &ui));
    EXPECT_EQ(64, script.recording_count);
    EXPECT_EQ(std::vector<std::string>(
                  {"titled: Maximum Recordings: The maximum of 64 recordings per script has been exceeded in this "
                   "file.\n\nThe file load cannot be completed.",
                   "title: old.txt - Zorbel", "replaced"}),
              ui.calls);
    EXPECT_STREQ("63", script.steps[64].value[1]);
    EXPECT_EQ(63u, script.recordings[63][0].message);
}

TEST(LegacyRecordings, StrayBytesAfterABlockAreSkippedAndReportedOnce) {
    ScriptState script;
    FakeUserInterface ui;
    const std::string text = file_of({
        recording_line(2) + "\r\n" + events(3),   // one event more than announced
        record(7, 1).str(),
        recording_line(1) + "\r\n" + events(1) + "junk\r\nmore junk",
        record(4, 1).str(),
    });
    ASSERT_EQ(4, import_text(text, &script, &ui));
    EXPECT_EQ(std::vector<std::string>({truncation_box(1, 24)}), ui.errors());
    EXPECT_EQ(2u, script.recordings[0].size());
    EXPECT_STREQ("2", script.steps[0].value[0]);
    EXPECT_STREQ("Freeze", script.steps[1].action);
    EXPECT_EQ(1u, script.recordings[1].size());
    EXPECT_STREQ("Select System Menu", script.steps[3].action);
}

TEST(LegacyRecordings, ReportNamesTheStepAndTheBytesSkipped) {
    ScriptState script;
    FakeUserInterface ui;
    const std::string text =
        file_of({record(1).str(), recording_line(1) + "\r\n" + events(1) + "abc\r\nxyz", record(7, 1).str()});
    ASSERT_EQ(3, import_text(text, &script, &ui));
    EXPECT_EQ(std::vector<std::string>({truncation_box(2, 8)}), ui.errors());
}

TEST(LegacyRecordings, BlocksShorterThanTheirCountKeepWhatTheFileHolds) {
    struct Row {
        std::string name;
        std::string text;
        size_t events;
        int records;
        std::vector<std::string> errors;
    } rows[] = {
        {"count beyond the file", recording_line(1000000000) + "\r\n" + events(2), 2, 1, {truncation_box(1, 0)}},
        {"count beyond the next line", file_of({recording_line(5) + "\r\n" + events(2), record(7, 1).str()}), 2, 2,
         {truncation_box(1, 0)}},
        {"a partial event", file_of({recording_line(3) + "\r\n" + events(2) + "0001", record(7, 1).str()}), 2, 2,
         {truncation_box(1, 4)}},
        {"no block before a long record line",
         file_of({recording_line(2), record(12, 1, std::string(60, 'x')).str()}), 0, 2, {truncation_box(1, 0)}},
        {"a block that runs into a record line", recording_line(2) + "\r\n" + events(1) + record(7, 1).str(), 1, 2,
         {truncation_box(1, 0)}},
        {"a negative count", file_of({recording_line(-5), record(7, 1).str()}), 0, 2, {}},
        {"no count", file_of({record(8).with_value("none").str(), record(7, 1).str()}), 0, 2, {}},
        {"a count that overflows", record(8).with_value("99999999999999999").str() + "\r\n" + events(1), 1, 1,
         {truncation_box(1, 0)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptState script;
        FakeUserInterface ui;
        ASSERT_EQ(row.records, import_text(row.text, &script, &ui));
        EXPECT_EQ(row.errors, ui.errors());
        ASSERT_EQ(1, script.recording_count);
        EXPECT_EQ(row.events, script.recordings[0].size());
        // The step names exactly the events its slot holds, so saving it reads no further.
        EXPECT_EQ(std::to_string(row.events), std::string(field_text(script.steps[0].value[0])));
        const std::string saved = script_to_text(script);
        size_t lines = 0;
        for (size_t at = saved.find("\t["); at != std::string::npos; at = saved.find("\t[", at + 1)) ++lines;
        EXPECT_EQ(row.events, lines);
    }
}

TEST(LegacyRecordings, BlockReaderStopsAtLineBreaksAndTheEnd) {
    const std::string text = events(2) + "\r\n" + events(1);
    EventBlock block = read_event_block(text, 0, 5);
    EXPECT_EQ(2u, block.events.size());
    EXPECT_EQ(48u, block.end);
    EXPECT_TRUE(block.short_block);
    block = read_event_block(text, 50, 1);
    EXPECT_EQ(1u, block.events.size());
    EXPECT_FALSE(block.short_block);
    block = read_event_block(text, text.size() + 10, 3);
    EXPECT_TRUE(block.events.empty());
    EXPECT_EQ(text.size(), block.end);
    EXPECT_TRUE(read_event_block(text, 0, 0).events.empty());
    EXPECT_FALSE(read_event_block(text, 0, -3).short_block);
}

TEST(LegacyRecordings, NextRecordLineIsALineWithATabAtByte1Or2) {
    EXPECT_EQ(0u, next_record_line("1\tx", 0));
    EXPECT_EQ(0u, next_record_line("12\tx", 0));
    EXPECT_EQ(6u, next_record_line("junk\r\n1\tx", 0));
    EXPECT_EQ(11u, next_record_line("junk\tno\r\n\r\n12\t", 0));
    EXPECT_EQ(4u, next_record_line("123\t", 0));
    EXPECT_EQ(8u, next_record_line("a\r\nb\nccc", 0));
    EXPECT_EQ(2u, next_record_line("\r\n1\t", 0));
}

}  // namespace
}  // namespace zorbel
