#include "actions/database/result_table.h"

#include <cstring>

#include "core/text_rules.h"

namespace zorbel {

int column_width(int sql_type, int64_t display_size) {
    if (sql_type == kSqlLongVarChar) return kMaxColumnWidth;
    if (sql_type == kSqlLongVarBinary) return 1;
    int64_t width = display_size;
    if (width < 1 || width > kMaxColumnWidth) return kMaxColumnWidth;
    int least = 0;
    switch (sql_type) {
        case kSqlInteger: least = 12; break;
        case kSqlNumeric: case kSqlDecimal: case kSqlFloat: case kSqlReal: case kSqlDouble: case kSqlGuid:
            least = 20;
            break;
        case kSqlDate: least = 27; break;
        default: break;
    }
    return static_cast<int>(width < least ? least : width);
}

std::string trim_fraction_zeros(std::string value) {
    const size_t point = value.find('.');
    if (point == std::string::npos || value.find_first_of("eE") != std::string::npos) return value;
    while (value.size() > point + 3 && value.back() == '0') value.pop_back();
    return value;
}

std::string column_value(const char* buffer, size_t buffer_size, int64_t indicator, int sql_type, int width) {
    if (indicator == -1) return "";  // NULL
    const size_t in_buffer = strnlen(buffer, buffer_size);
    int64_t length = indicator < 0 ? static_cast<int64_t>(in_buffer) : indicator;
    if (length > static_cast<int64_t>(in_buffer)) length = static_cast<int64_t>(in_buffer);
    if (length > kMaxValueLength) length = kMaxValueLength;
    std::string value(buffer, static_cast<size_t>(length));
    while (!value.empty() && value.back() == ' ') value.pop_back();
    if (sql_type == kSqlDecimal || sql_type == kSqlFloat || sql_type == kSqlReal || sql_type == kSqlDouble)
        value = trim_fraction_zeros(value);
    if (width >= 0 && value.size() > static_cast<size_t>(width)) value.resize(static_cast<size_t>(width));
    return value;
}

int driver_kind(std::string_view name) {
    if (name.size() >= 3 && ascii_lower(name[1]) == 'q' && ascii_lower(name[2]) == 'l') return 1;
    if (name.size() >= 6 && ascii_lower(name[4]) == 'j' && ascii_lower(name[5]) == 't') return 2;
    return 0;
}

std::string prepared_sql(std::string_view sql, int kind) {
    std::string out(sql);
    if (kind == 2 && out.find(';') == std::string::npos) out += ';';
    return out;
}

std::string driver_message_text(std::string_view message) {
    const size_t bracket = message.rfind(']');
    if (bracket != std::string_view::npos) message.remove_prefix(bracket + 1);
    while (!message.empty() && message.front() == ' ') message.remove_prefix(1);
    return std::string(message.substr(0, 511));
}

std::string odbc_error_text(int code, std::string_view driver_message) {
    const std::string text = driver_message_text(driver_message);
    if (!text.empty()) return text;
    switch (code) {
        case -1: case -6: return "An error occurred because of a bad programming parameter. ";
        case -2: return "An error occurred during environment allocation. ";
        case -3: return "An error occurred while allocating a connection. ";
        case -4: return "The program is unable to connect to the database. ";
        case -5: case -7: return "An error occurred during handle allocation. ";
        case -8: return "An error occurred while running the query. ";
        case -9: return "The system is out of memory. ";
        case -10: return "An error occurred while fetching the data results. ";
        case -11: return "An error occurred while getting the data from the driver. ";
        case -12: return "An error ocurred with the file. ";
        default: return format("An unknown error occurred. (%d)", code);
    }
}

std::string sql_log_line(std::string_view sql) {
    const bool cut = sql.size() > 244;
    return "\tSQL: " + std::string(sql.substr(0, 244)) + (cut ? "..." : "") + "\r\n";
}

void ResultTable::clear() { *this = ResultTable(); }

bool ResultTable::allocate(int rows_wanted, uint64_t* needed) {
    max_rows = rows_wanted;
    *needed = 0;
    for (int c = 0; c < columns; ++c) {
        const uint64_t size = static_cast<uint64_t>(widths[static_cast<size_t>(c)] + 1) * static_cast<uint64_t>(rows_wanted);
        *needed += size < 256 ? 256 : size;
    }
    if (*needed > kResultTableLimit) return false;
    buffers.assign(static_cast<size_t>(columns), std::vector<char>());
    for (int c = 0; c < columns; ++c) {
        const size_t size = static_cast<size_t>(widths[static_cast<size_t>(c)] + 1) * static_cast<size_t>(rows_wanted);
        buffers[static_cast<size_t>(c)].assign(size < 256 ? 256 : size, '\0');
    }
    return true;
}

void ResultTable::store(int row, int column, const std::string& value) {
    const size_t width = static_cast<size_t>(widths[static_cast<size_t>(column)]);
    char* slot = buffers[static_cast<size_t>(column)].data() + (width + 1) * static_cast<size_t>(row);
    const size_t n = value.size() < width ? value.size() : width;
    std::memcpy(slot, value.data(), n);
    slot[n] = '\0';
}

std::string ResultTable::value(int row, int column) const {
    const size_t width = static_cast<size_t>(widths[static_cast<size_t>(column)]);
    const char* slot = buffers[static_cast<size_t>(column)].data() + (width + 1) * static_cast<size_t>(row);
    return std::string(slot, strnlen(slot, width));
}

std::string ResultTable::row_text(int row) const {
    std::string line;
    for (int c = 0; c < columns; ++c) {
        if (c > 0) line += ", ";
        line += value(row, c);
    }
    return line;
}

std::string ResultTable::saved_text() const {
    std::string text;
    for (int r = 0; r < rows; ++r) {
        text += row_text(r);
        if (rows != 1) text += "\r\n";
    }
    return text;
}

}  // namespace zorbel
