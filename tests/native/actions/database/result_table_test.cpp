#include <gtest/gtest.h>

#include "actions/database/result_table.h"

namespace zorbel {

namespace {

TEST(ResultTable, ColumnWidthsComeFromTheDisplaySize) {
    struct Row {
        int type;
        int64_t display;
        int width;
    } rows[] = {
        {5, 6, 6},              // SMALLINT shows "-32768", not its 2 octets
        {-5, 20, 20},           // BIGINT
        {93, 23, 23},           // TIMESTAMP
        {kSqlGuid, 36, 36},
        {kSqlDecimal, 32, 32},
        {kSqlDecimal, 5, 20},
        {kSqlInteger, 11, 12},
        {kSqlDate, 10, 27},
        {12, 40, 40},           // VARCHAR(40)
        {kSqlLongVarChar, 1 << 30, 2047},
        {kSqlLongVarBinary, 1 << 30, 1},
        {12, -4, 2047},         // a driver's "no total"
        {-10, int64_t(1) << 30, 2047},
        {12, 0, 2047},
        {12, 2047, 2047},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.type);
        SCOPED_TRACE(r.display);
        EXPECT_EQ(r.width, column_width(r.type, r.display));
    }
}

// A NULL (-1) or "no total" (-4) indicator is no length.
TEST(ResultTable, ValuesFromIndicators) {
    char buffer[2049] = "hello   ";
    struct Row {
        int64_t indicator;
        int type;
        int width;
        const char* value;
    } rows[] = {
        {-1, 12, 20, ""},
        {-4, 12, 20, "hello"},
        {8, 12, 20, "hello"},
        {3, 12, 20, "hel"},
        {100000, 12, 20, "hello"},
        {8, 12, 4, "hell"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.indicator);
        EXPECT_EQ(r.value, column_value(buffer, sizeof(buffer), r.indicator, r.type, r.width));
    }
    std::string long_text(2100, 'z');
    EXPECT_EQ(2045u, column_value(long_text.c_str(), long_text.size(), -4, 12, 2047).size());
}

TEST(ResultTable, FractionZerosTrimmedToTwoDigits) {
    struct Row {
        const char* in;
        const char* out;
    } rows[] = {
        {"1.500", "1.50"}, {"1.2500", "1.25"}, {"100", "100"}, {"2.000", "2.00"},
        {"1.5E+10", "1.5E+10"}, {"2.50e-10", "2.50e-10"}, {"3.14159", "3.14159"}, {"7.", "7."},
    };
    for (const Row& r : rows) EXPECT_EQ(r.out, trim_fraction_zeros(r.in)) << r.in;
}

TEST(ResultTable, DriverKindsAndStatements) {
    EXPECT_EQ(1, driver_kind("SQLSRV32.DLL"));
    EXPECT_EQ(1, driver_kind("sql"));
    EXPECT_EQ(2, driver_kind("odbcjt32.dll"));
    EXPECT_EQ(1, driver_kind("sqlite3odbc.so"));
    EXPECT_EQ(0, driver_kind("psqlodbcw.so"));
    EXPECT_EQ("SELECT 1;", prepared_sql("SELECT 1", 2));
    EXPECT_EQ("SELECT ';'", prepared_sql("SELECT ';'", 2));
    EXPECT_EQ("SELECT 1", prepared_sql("SELECT 1", 0));
}

TEST(ResultTable, ErrorTexts) {
    EXPECT_EQ("Table not found", odbc_error_text(-8, "[Vendor][Driver]  Table not found"));
    EXPECT_EQ("An error occurred while running the query. ", odbc_error_text(-8, ""));
    EXPECT_EQ("An unknown error occurred. (-77)", odbc_error_text(-77, ""));
    EXPECT_EQ("An error ocurred with the file. ", odbc_error_text(-12, ""));
    EXPECT_EQ("\tSQL: SELECT 1\r\n", sql_log_line("SELECT 1"));
    const std::string line = sql_log_line(std::string(300, 'q'));
    EXPECT_EQ("\tSQL: " + std::string(244, 'q') + "...\r\n", line);
}

TEST(ResultTable, StoresFixedWidthRowsAndJoinsThem) {
    ResultTable table;
    table.columns = 2;
    table.widths = {3, 5};
    table.types = {12, 12};
    uint64_t needed = 0;
    ASSERT_TRUE(table.allocate(4, &needed));
    EXPECT_EQ(512u, needed);  // each at least 256
    table.store(0, 0, "abcdef");
    table.store(0, 1, "x");
    table.store(1, 0, "");
    table.store(1, 1, "yy");
    table.rows = 1;
    EXPECT_EQ("abc, x", table.saved_text());
    table.rows = 2;
    EXPECT_EQ("abc, x\r\n, yy\r\n", table.saved_text());
}

// Long text columns times a large Max Rows wrapped in 32 bits; the sizes are 64-bit and
// bounded.
TEST(ResultTable, OversizedTableIsRefused) {
    ResultTable table;
    table.columns = 3;
    table.widths = {2047, 2047, 2047};
    table.types = {-1, -1, -1};
    uint64_t needed = 0;
    EXPECT_FALSE(table.allocate(1000000, &needed));
    EXPECT_EQ(3ull * 2048 * 1000000, needed);
    EXPECT_TRUE(table.buffers.empty());
}

}  // namespace
}  // namespace zorbel
