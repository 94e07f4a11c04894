// The repairs made to version 4 records as they are read. Where the "^"-separated
// parameters of old records go is pinned by tests/data/legacy/records.lines.
#include <gtest/gtest.h>

#include "core/legacy_repairs.h"
#include "core/legacy_record.h"

namespace zorbel {
namespace {

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
