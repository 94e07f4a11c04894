#include <gtest/gtest.h>

#include <cstring>

#include "core/text_rules.h"

namespace zorbel {
namespace {

TEST(TextToNumber, CollectsDigitsAndMinusFromAnywhere) {
    struct Row {
        const char* text;
        int32_t expected;
    } rows[] = {
        {"", 0},          {"abc", 0},           {"42", 42},           {"1,500", 1500},
        {"2.5", 25},      {"-7", -7},           {"x-1y2", -12},       {"12-3", 12},
        {"--5", 0},       {"  9 seconds", 9},   {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},            {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, text_to_number(r.text)) << '"' << r.text << '"';
}

TEST(TextToNumber, StopsAfter31Characters) {
    // 31 zeros then a 7: the 7 is the 32nd character and is not collected.
    EXPECT_EQ(0, text_to_number(std::string(31, '0') + "7"));
    EXPECT_EQ(7, text_to_number(std::string(30, '0') + "7"));
}

TEST(DecimalFromText, ReadsTheLeadingRunOnly) {
    EXPECT_DOUBLE_EQ(2.5, decimal_from_text("2.5s"));
    EXPECT_DOUBLE_EQ(-1.25, decimal_from_text("-1.25"));
    EXPECT_DOUBLE_EQ(0, decimal_from_text("x2"));
    EXPECT_DOUBLE_EQ(123456789012345678.0, decimal_from_text("1234567890123456789"));
}

TEST(CopyToField, CutsAndTerminates) {
    char field[8];
    std::memset(field, 'z', sizeof(field));
    copy_to_field(field, "0123456789");
    EXPECT_STREQ("0123456", field);
    copy_to_field(field, "ab");
    EXPECT_STREQ("ab", field);
    EXPECT_EQ('\0', field[7]);
}

TEST(StringHelpers, IgnoreCase) {
    EXPECT_EQ(4u, find_ignore_case("abc <STEP>", "<step>"));
    EXPECT_EQ(std::string::npos, find_ignore_case("abc", "abcd"));
    EXPECT_TRUE(equals_ignore_case("Move To Object", "move to object"));
    EXPECT_EQ("x-Y-x", replace_all_ignore_case("a-Y-A", "a", "x"));
    EXPECT_EQ("b", list_item("a,b,c", ',', 1));
    EXPECT_EQ("", list_item("a,b,c", ',', 3));
    EXPECT_EQ("a b", trim_spaces("  a b "));
}

}  // namespace
}  // namespace zorbel
