// Where the "^"-separated parameters of old file, prompt and internet records go,
// and the repairs made to records as they are read.
#include <gtest/gtest.h>

#include "core/legacy_repairs.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::convert_one;
using legacy_test::record;

struct PlacementRow {
    int type;
    uint32_t options;
    const char* text;
    const char* second;
    const char* variable;
    // Expected:
    const char* step_text;
    const char* comment;
    const char* values[8];
    uint32_t step_options;
};

constexpr PlacementRow kPlacementRows[] = {
    // Files: file, number, stop; the second text is the data or the destination.
    {9, 1, "c:\\a.txt^10^20", "note", "", "", "note", {"c:\\a.txt", "10", "20"}, 0},
    {9, 1, "c:\\a.txt", "", "", "", "", {"c:\\a.txt"}, 0},
    {9, 2, "c:\\a.txt^0", "line 1|line 2", "", "line 1\r\nline 2", "", {"c:\\a.txt", "0"}, 0},
    {9, 0x100, "c:\\a.txt", "d:\\b.txt", "", "d:\\b.txt", "", {"c:\\a.txt"}, 0},
    {9, 4, "c:\\a.txt", "b.txt", "", "b.txt", "", {"c:\\a.txt"}, 0},
    {9, 0x1000, "c:\\d", "c:\\e", "", "c:\\e", "", {"c:\\d"}, 0},
    {9, 0x2000, "c:\\d", "c:\\e", "", "c:\\e", "", {"c:\\d"}, 0},
    {9, 8, "c:\\*.tmp", "why", "", "", "why", {"c:\\*.tmp"}, 0},
    {9, 0x800, "c:\\new", "", "", "", "", {"c:\\new"}, 0},
    {9, 0x4000, "c:\\old", "", "", "", "", {"c:\\old"}, 0},
    {9, 0x8000, "\\\\srv\\share", "Z:", "", "Z:", "", {"\\\\srv\\share"}, 0},
    // The number from option bits 16..27 (or a character, with 0x400).
    {9, 1 | (12u << 16), "c:\\a.txt", "", "", "", "", {"c:\\a.txt", "12"}, 0},
    {9, 1 | 0x400 | (0x41u << 16), "c:\\a.txt", "", "", "", "", {"c:\\a.txt", "A"}, 0},
    {9, 1 | 0x400 | (0x100u << 16), "c:\\a.txt", "", "", "", "", {"c:\\a.txt"}, 0},
    {9, 1 | (4095u << 16), "c:\\a.txt", "", "", "", "", {"c:\\a.txt", "4095"}, 0},
    {9, 1 | (12u << 16), "c:\\a.txt^3", "", "", "", "", {"c:\\a.txt", "3"}, 0},
    {9, 1 | 64, "c:\\a.txt^1^2^3^4", "", "v", "", "", {"c:\\a.txt", "1", "2"}, kOptionResultToVariable},
    // Prompts keep their text; a list's items follow ";".
    {12, 64, "Pick one^Red^Green", "", "", "Pick one;Red;Green", "", {}, 0},
    {12, 64, "Pick one;Red^Green", "", "", "Pick one;Red^Green", "", {}, 0},
    {12, 1, "Hello^World", "c", "", "Hello^World", "c", {}, 0},
    // Internet.
    {15, 1, "http://x/a^ignored", "", "", "http://x/a", "", {}, 0},
    {15, 2, "http://x/a^c:\\a.htm", "", "", "http://x/a", "", {"", "", "", "", "", "", "c:\\a.htm"}, 0},
    {15, 8, "http://x/a^c:\\a.txt", "", "", "http://x/a", "", {"", "", "", "", "", "", "c:\\a.txt"}, 0},
    {15, 4, "http://x/a^c:\\a.zip", "", "", "http://x/a", "", {"", "", "", "", "", "", "c:\\a.zip"},
     kOptionResultToFile},
    {15, 4, "http://x/a", "", "r", "http://x/a", "", {}, kOptionResultToVariable},
    {15, 0x8000, "http://x/p?a=1^c:\\r.txt", "", "r", "http://x/p?a=1", "",
     {"", "", "", "", "", "", "c:\\r.txt"}, kOptionResultToFile | kOptionResultToVariable},
    {15, 0x200, "ftp.x/d/f.txt^rdvv^bob^c:\\f.txt", "", "", "ftp.x/d/f.txt", "",
     {"", "rdvv", "bob", "", "", "", "c:\\f.txt"}, kOptionResultToFile},
    {15, 0x400, "ftp.x/d/f.txt^rdvv^bob^c:\\f.txt", "", "", "ftp.x/d/f.txt", "",
     {"", "rdvv", "bob", "", "", "", "c:\\f.txt"}, 0},
    {15, 0x800, "ftp.x/d/f.txt^rdvv^bob", "c", "", "ftp.x/d/f.txt", "c", {"", "rdvv", "bob"}, 0},
    {15, 0x1000, "ftp.x/d^rdvv^bob", "", "", "ftp.x/d", "", {"", "rdvv", "bob"}, 0},
    {15, 0x2000, "ftp.x/d^rdvv^bob", "", "", "ftp.x/d", "", {"", "rdvv", "bob"}, 0},
    {15, 16, "pop.x^rdvv^bob^2^c:\\m.txt", "", "m", "pop.x", "", {"", "rdvv", "bob", "2", "", "", "c:\\m.txt"},
     kOptionResultToFile | kOptionResultToVariable},
    {15, 32, "pop.x^rdvv^bob^2", "", "", "pop.x", "", {"", "rdvv", "bob", "2"}, 0},
    {15, 64, "smtp.x^Hi^me@x^you@y; them@z", "Dear you,|bye", "", "Dear you,\r\nbye", "",
     {"", "", "smtp.x", "Hi", "me@x", "you@y; them@z"}, 0},
    {15, 128, "you@y^Hi", "Body", "", "Body", "", {"", "", "you@y", "Hi"}, 0},
    {15, 0x100, "you@y^Hi", "Body", "", "Body", "", {"", "", "you@y", "Hi"}, 0},
    {15, 0x4000, "10.0.0.1^500", "", "", "10.0.0.1", "", {"", "", "500"}, 0},
};

TEST(LegacyPlacements, ParametersLandInTheFieldsTheirExecutorsRead) {
    for (size_t n = 0; n < sizeof(kPlacementRows) / sizeof(kPlacementRows[0]); ++n) {
        const PlacementRow& row = kPlacementRows[n];
        SCOPED_TRACE(::testing::Message() << "row " << n << ": type " << row.type << " options 0x" << std::hex
                                          << row.options << " \"" << row.text << "\"");
        const Step step = convert_one(
            record(row.type, row.options, row.text).with_second(row.second).with_variable(row.variable));
        EXPECT_EQ(row.step_text, step.text);
        EXPECT_EQ(row.comment, step.comment);
        for (int v = 0; v < kValueCount; ++v)
            EXPECT_STREQ(row.values[v] ? row.values[v] : "", step.value[v]) << "value" << v + 1;
        EXPECT_EQ(row.step_options, step.options);
    }
}

TEST(LegacyPlacements, LongPartsAreCutToTheValueField) {
    const Step step = convert_one(record(9, 1, std::string(400, 'f') + "^1"));
    EXPECT_EQ(std::string(259, 'f'), std::string(field_text(step.value[0])));
    EXPECT_STREQ("1", step.value[1]);
}

struct RepairRow {
    int type;
    uint32_t options;
    const char* text;
    uint32_t flags;
    // Expected:
    uint32_t repaired_options;
    const char* repaired_text;
    uint32_t repaired_flags;
};

constexpr RepairRow kRepairRows[] = {
    {1, 0, "x", 0x3005, 0, "x", 0x3001},
    {1, 0, "x", 4, 0, "x", 0},
    {1, 0, "x", 16, 0, "x", 16},
    {3, 0, "x", 1, 2, "x", 1},
    {3, 4, "x", 1, 4, "x", 1},
    {13, 0x200 | 0x800, "", 1, 0x800, "", 1},
    {13, 0x200 | 0x2000, "", 1, 0x2000, "", 1},
    {13, 0x200 | 1, "", 1, 0x201, "", 1},
    {13, 0x100 | 0x20, "", 1, 0x20, "", 1},
    {13, 0x100 | 0x40, "", 1, 0x40, "", 1},
    {13, 0x100 | 0x80, "", 1, 0x180, "", 1},
    {6, 8, "", 1, 1056, "", 1},
    {6, 16 | 0x2000, "", 1, 1056, "", 1},
    {6, 4, "", 1, 4, "", 1},
    {5, 0, "alt", 1, 0, "{alt}", 1},
    {5, 0, "{alt}", 1, 0, "{alt}", 1},
    {9, 1 | (7u << 16), "f", 1, 1, "f^7", 1},
    {9, 1 | 0x400 | (0x2Cu << 16), "f", 1, 1 | 0x400, "f^,", 1},
    {9, 1 | (7u << 16), "f^2", 1, 1 | (7u << 16), "f^2", 1},
    {9, 0x10000000 | 1, "f", 1, 0x10000000 | 1, "f", 1},
    {3, 0, "x", 0xFFFFFFFF, 2, "x", 0xFFFFFFFB},
};

TEST(LegacyRepairs, OldOptionCombinationsAreRepairedAsTheyAreRead) {
    for (size_t n = 0; n < sizeof(kRepairRows) / sizeof(kRepairRows[0]); ++n) {
        const RepairRow& row = kRepairRows[n];
        SCOPED_TRACE(::testing::Message() << "row " << n);
        LegacyRecord r;
        r.type = row.type;
        r.options = row.options;
        r.text = row.text;
        r.flags = row.flags;
        repair_version4_record(&r);
        EXPECT_EQ(row.repaired_options, r.options);
        EXPECT_EQ(row.repaired_text, r.text);
        EXPECT_EQ(row.repaired_flags, r.flags);
    }
}

}  // namespace
}  // namespace zorbel
