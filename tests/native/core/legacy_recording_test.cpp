// The parts that read recordings in version 4 files. What whole files with recordings
// become is pinned by the golden files of tests/data/legacy/imports.
#include <gtest/gtest.h>

#include "core/legacy_recording.h"
#include "core/script_file.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::event_bytes;

std::string events(int count, int first_message = 512) {
    std::string out;
    for (int n = 0; n < count; ++n) out += event_bytes(0, first_message + n, 3, 100 + n, 1000 * n);
    return out;
}

TEST(LegacyRecordings, AnEventIsFiveFixedWidthParts) {
    const RecordingEvent e = parse_version4_event("0007" "0512" "0003" "0100" "00012345");
    EXPECT_EQ(7u, e.window);
    EXPECT_EQ(512u, e.message);
    EXPECT_EQ(3u, e.param_second);
    EXPECT_EQ(100u, e.param_first);
    EXPECT_EQ(12345u, e.time);
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
