#include "actions/database/odbc_query.h"

#include <cstdio>

#include "core/text_rules.h"

namespace zorbel {

namespace {

constexpr size_t kValueBuffer = 2049;

int read_value(OdbcStatement& statement, int driver_kind, int column, int type, int width, std::string* value) {
    int64_t indicator = 0;
    if (driver_kind == 1 && type == kSqlFloat) {
        double number = 0;
        const int rc = statement.number(column + 1, &number, &indicator);
        if (!sql_succeeded(rc)) return rc;
        char text[64] = {};
        std::snprintf(text, sizeof(text), "%.15g", number);
        *value = column_value(text, sizeof(text), indicator == kSqlNullData ? kSqlNullData : kSqlNoTotal, type, width);
        return rc;
    }
    char buffer[kValueBuffer] = {};
    const int rc = statement.text(column + 1, buffer, kValueBuffer - 2, &indicator);
    if (rc == kSqlNoData) {
        *value = "";
        return kSqlSuccess;
    }
    if (!sql_succeeded(rc)) return rc;
    *value = column_value(buffer, kValueBuffer - 2, indicator, type, width);
    return rc;
}

}  // namespace

int odbc_query(OdbcConnection& connection, int driver_kind, const std::string& sql, int max_rows,
               ResultTable* table, std::string* message) {
    table->clear();
    message->clear();
    if (sql.empty()) return -6;
    std::unique_ptr<OdbcStatement> statement = connection.statement();
    if (!statement) return -7;
    // Success with information and "no data" (a change that touched no row) both ran.
    const int executed = statement->execute(prepared_sql(sql, driver_kind));
    if (!sql_succeeded(executed) && executed != kSqlNoData) {
        *message = statement->message();
        return -8;
    }
    int columns = 0;
    if (!sql_succeeded(statement->column_count(&columns)) || columns < 1) return 0;
    if (columns > kMaxColumns) columns = kMaxColumns - 1;
    table->columns = columns;
    for (int c = 0; c < columns; ++c) {
        OdbcColumn column;
        if (!sql_succeeded(statement->describe(c + 1, &column))) {
            *message = statement->message();
            return -8;
        }
        table->types.push_back(column.sql_type);
        table->widths.push_back(column_width(column.sql_type, column.display_size));
    }
    uint64_t needed = 0;
    if (!table->allocate(max_rows, &needed)) {
        *message = format("The result would need %lu MB for %d rows, more than the %lu MB allowed; lower Max Rows.",
                          static_cast<unsigned long>(needed >> 20), max_rows,
                          static_cast<unsigned long>(kResultTableLimit >> 20));
        table->clear();
        return -9;
    }
    while (table->rows < max_rows) {
        const int fetched = statement->fetch();
        if (fetched == kSqlNoData) break;
        if (!sql_succeeded(fetched)) {
            *message = statement->message();
            return -10;
        }
        for (int c = 0; c < columns; ++c) {
            std::string value;
            const int rc = read_value(*statement, driver_kind, c, table->types[static_cast<size_t>(c)],
                                      table->widths[static_cast<size_t>(c)], &value);
            if (!sql_succeeded(rc)) {
                *message = statement->message();
                return -11;
            }
            table->store(table->rows, c, value);
        }
        ++table->rows;
    }
    return table->rows;
}

}  // namespace zorbel
