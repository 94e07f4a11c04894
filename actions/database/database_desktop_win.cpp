// ODBC through odbc32: an environment and connection per open connection, a statement
// per query, each freed by the object that owns it. Only the plain ANSI entry points
// are called (Wine lacks some of the "...A" exports).
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include "actions/database/database_desktop.h"

namespace zorbel {

namespace {

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1; record <= 4 && text.size() < 511; ++record) {
        SQLCHAR state[6] = {}, message[512] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRec(type, handle, record, state, &native, message, sizeof(message), &length)))
            break;
        if (!text.empty()) text += " ";
        text += reinterpret_cast<char*>(message);
    }
    return text.substr(0, 511);
}

class WinStatement : public OdbcStatement {
public:
    explicit WinStatement(SQLHSTMT statement) : statement_(statement) {}
    ~WinStatement() override { SQLFreeHandle(SQL_HANDLE_STMT, statement_); }
    int execute(const std::string& sql) override {
        return SQLExecDirect(statement_, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())),
                             static_cast<SQLINTEGER>(sql.size()));
    }
    int column_count(int* count) override {
        SQLSMALLINT n = 0;
        const SQLRETURN rc = SQLNumResultCols(statement_, &n);
        *count = n;
        return rc;
    }
    int describe(int column, OdbcColumn* out) override {
        SQLLEN type = 0, display = 0;
        SQLRETURN rc = SQLColAttribute(statement_, static_cast<SQLUSMALLINT>(column), SQL_DESC_CONCISE_TYPE, nullptr, 0,
                                       nullptr, &type);
        if (!SQL_SUCCEEDED(rc)) return rc;
        rc = SQLColAttribute(statement_, static_cast<SQLUSMALLINT>(column), SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr,
                             &display);
        out->sql_type = static_cast<int>(type);
        out->display_size = display;
        return rc;
    }
    int fetch() override { return SQLFetch(statement_); }
    int text(int column, char* buffer, size_t size, int64_t* indicator) override {
        SQLLEN length = 0;
        buffer[0] = '\0';
        const SQLRETURN rc = SQLGetData(statement_, static_cast<SQLUSMALLINT>(column), SQL_C_CHAR, buffer,
                                        static_cast<SQLLEN>(size), &length);
        *indicator = length;
        return rc;
    }
    int number(int column, double* value, int64_t* indicator) override {
        SQLLEN length = 0;
        const SQLRETURN rc =
            SQLGetData(statement_, static_cast<SQLUSMALLINT>(column), SQL_C_DOUBLE, value, sizeof(*value), &length);
        *indicator = length;
        return rc;
    }
    std::string message() override { return diagnostics(SQL_HANDLE_STMT, statement_); }

private:
    SQLHSTMT statement_;
};

class WinConnection : public OdbcConnection {
public:
    WinConnection(SQLHENV environment, SQLHDBC connection) : environment_(environment), connection_(connection) {}
    ~WinConnection() override {
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }
    std::string driver_name() override {
        char name[256] = {};
        SQLSMALLINT length = 0;
        SQLGetInfo(connection_, SQL_DRIVER_NAME, name, sizeof(name), &length);
        return name;
    }
    std::unique_ptr<OdbcStatement> statement() override {
        SQLHSTMT statement = nullptr;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection_, &statement))) return nullptr;
        return std::make_unique<WinStatement>(statement);
    }

private:
    SQLHENV environment_;
    SQLHDBC connection_;
};

class WinDatabaseDesktop : public DatabaseDesktop {
public:
    std::unique_ptr<OdbcConnection> connect(const std::string& source, const std::string& user,
                                            const std::string& password, int* code, std::string* message) override {
        SQLHENV environment = nullptr;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) {
            *code = -2;
            return nullptr;
        }
        SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLHDBC connection = nullptr;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection))) {
            SQLFreeHandle(SQL_HANDLE_ENV, environment);
            *code = -3;
            return nullptr;
        }
        auto text = [](const std::string& s) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(s.c_str())); };
        const SQLRETURN rc = SQLConnect(connection, text(source), SQL_NTS, text(user), SQL_NTS, text(password), SQL_NTS);
        if (!SQL_SUCCEEDED(rc)) {
            *code = -4;
            *message = diagnostics(SQL_HANDLE_DBC, connection);
            if (message->empty()) *message = diagnostics(SQL_HANDLE_ENV, environment);
            SQLFreeHandle(SQL_HANDLE_DBC, connection);
            SQLFreeHandle(SQL_HANDLE_ENV, environment);
            return nullptr;
        }
        return std::make_unique<WinConnection>(environment, connection);
    }

    std::vector<std::string> data_sources() override {
        std::vector<std::string> names;
        SQLHENV environment = nullptr;
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) return names;
        SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        for (;;) {
            SQLCHAR name[65] = {}, description[2049] = {};
            SQLSMALLINT name_length = 0, description_length = 0;
            const SQLRETURN rc = SQLDataSources(environment, direction, name, sizeof(name), &name_length, description,
                                                sizeof(description), &description_length);
            if (!SQL_SUCCEEDED(rc)) break;
            names.emplace_back(reinterpret_cast<char*>(name));
            direction = SQL_FETCH_NEXT;
        }
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
        return names;
    }
};

}  // namespace

DatabaseDesktop* system_database_desktop() {
    static WinDatabaseDesktop database;
    return &database;
}

}  // namespace zorbel
