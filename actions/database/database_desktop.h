// What the Database actions need from the machine: ODBC connections and statements
// and the list of data sources. Handles belong to the objects returned and are freed
// when they go. Return codes are ODBC's own. The real one is database_desktop_win.cpp.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorbel {

constexpr int kSqlSuccess = 0;
constexpr int kSqlSuccessWithInfo = 1;
constexpr int kSqlNoData = 100;
constexpr int kSqlError = -1;
constexpr int64_t kSqlNullData = -1;
constexpr int64_t kSqlNoTotal = -4;

// Whether an ODBC return code means the call did its work.
inline bool sql_succeeded(int rc) { return rc == kSqlSuccess || rc == kSqlSuccessWithInfo; }

struct OdbcColumn {
    int sql_type = 0;
    int64_t display_size = 0;  // characters needed to show any value of the column
};

class OdbcStatement {
public:
    virtual ~OdbcStatement() = default;
    virtual int execute(const std::string& sql) = 0;
    virtual int column_count(int* count) = 0;
    virtual int describe(int column, OdbcColumn* out) = 0;  // columns from 1
    virtual int fetch() = 0;
    // The column as text into `buffer` (NUL-terminated); `*indicator` as the driver set it.
    virtual int text(int column, char* buffer, size_t size, int64_t* indicator) = 0;
    virtual int number(int column, double* value, int64_t* indicator) = 0;
    // The driver's latest message for this statement ("" for none).
    virtual std::string message() = 0;
};

class OdbcConnection {
public:
    virtual ~OdbcConnection() = default;
    virtual std::string driver_name() = 0;
    virtual std::unique_ptr<OdbcStatement> statement() = 0;  // null when none can be made
};

class DatabaseDesktop {
public:
    virtual ~DatabaseDesktop() = default;
    // Connects; on failure null, `*code` one of -2 (environment), -3 (connection),
    // -4 (connect) and `*message` the driver's message ("" for none).
    virtual std::unique_ptr<OdbcConnection> connect(const std::string& source, const std::string& user,
                                                    const std::string& password, int* code,
                                                    std::string* message) = 0;
    virtual std::vector<std::string> data_sources() = 0;
};

DatabaseDesktop* system_database_desktop();

}  // namespace zorbel
