// The result of the last query: fixed-width column buffers, one NUL-terminated value
// per row at (width + 1) x row, sized from Max Rows before fetching. Also the rules
// that turn what a driver reports into widths and values.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbel {

constexpr int kMaxValueLength = 2045;  // of a value read from the driver
constexpr int kMaxColumnWidth = 2047;
constexpr int kMaxColumns = 256;
// The most memory a result table may take (the sum over its columns of (width + 1) x rows).
constexpr uint64_t kResultTableLimit = 256ull * 1024 * 1024;

// ODBC SQL types the rules look at.
enum : int {
    kSqlLongVarChar = -1, kSqlLongVarBinary = -4, kSqlGuid = -11, kSqlNumeric = 2, kSqlDecimal = 3,
    kSqlInteger = 4, kSqlFloat = 6, kSqlReal = 7, kSqlDouble = 8, kSqlDate = 9,
};

// The stored width of a column: its display size, at least the type's own width
// (12 for INTEGER, 20 for the decimal types and GUID, 27 for DATE); 2047 for long text,
// 1 for long binary; a size below 1 or above 2047 (a driver's "no limit") gives 2047.
int column_width(int sql_type, int64_t display_size);

// A value as the driver handed it over: a NULL is empty, "no total" means what is in
// the buffer; at most 2045 characters, trailing blanks removed, the decimal types'
// extra fraction zeros removed (not in exponent notation), cut to `width`.
std::string column_value(const char* buffer, size_t buffer_size, int64_t indicator, int sql_type, int width);
// "1.500" gives "1.50", "1.2500" "1.25", "100" and "1.5E+10" stay.
std::string trim_fraction_zeros(std::string value);

// 1: the driver name's 2nd and 3rd characters are "QL"; 2: its 5th and 6th "JT"; else 0.
int driver_kind(std::string_view driver_name);
// Kind 2 drivers want a ";" in the statement.
std::string prepared_sql(std::string_view sql, int kind);
// A driver message without its "[vendor][driver]" prefixes and the blanks after them.
std::string driver_message_text(std::string_view message);
// The message for an ODBC error code: the driver's when it gave one, else the fixed text.
std::string odbc_error_text(int code, std::string_view driver_message);
// "\tSQL: ...\r\n" with the statement cut to 244 characters and "..." after a cut.
std::string sql_log_line(std::string_view sql);

struct ResultTable {
    int rows = 0;
    int columns = 0;
    int max_rows = 0;
    std::vector<int> widths;
    std::vector<int> types;
    std::vector<std::vector<char>> buffers;
    int64_t row_width = 0;  // recorded when a step saves its rows

    void clear();
    // Sizes the buffers for `max_rows`; false when the table would exceed the limit.
    bool allocate(int max_rows, uint64_t* needed);
    void store(int row, int column, const std::string& value);
    std::string value(int row, int column) const;
    // The row's values joined by ", ".
    std::string row_text(int row) const;
    // Every row ended by CR LF, except that a single row has none.
    std::string saved_text() const;
};

}  // namespace zorbel
