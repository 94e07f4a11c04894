// The Database family: "Execute SQL Query" and "Save SQL Data to File". The run keeps
// one open connection (reused while the data source, user and password stay the same,
// freed at the run's end) and the last result table, whose rows the Dataset loop walks.
#include "actions/database/database_desktop.h"
#include "actions/database/odbc_query.h"
#include "actions/families.h"
#include "actions/internet/stored_password.h"
#include "engine/variables.h"

namespace zorbel {

namespace {

constexpr uint32_t kDatabaseFamilyCode = 11;
constexpr int kAllRows = 1000;
constexpr uint32_t kSaveOptions = kOptionResultToClipboard | kOptionResultToVariable | kOptionResultToFile;

struct DatabaseRunState : FamilyRunState {
    std::unique_ptr<OdbcConnection> connection;
    std::string source, user, password;
    int kind = 0;
    ResultTable table;
};

int fail_with_odbc(RunContext& context, int code, const std::string& message, size_t limit) {
    std::string text = odbc_error_text(code, message);
    if (text.size() > limit) text.resize(limit);
    if (limit > 255 && text.size() >= 2043) text = text.substr(0, 2043) + "...";
    return context.fail("%s", text.c_str());
}

int query_step(RunContext& context, Step& step) {
    DatabaseDesktop* database = context.desktop().database;
    if (database == nullptr) return step_not_available(context, step);
    DatabaseRunState& state = context.run.state_of<DatabaseRunState>(kDatabaseFamilyCode);
    const std::string source(field_text(step.value[0]));
    const std::string user = context.text_of(step.value[1]);
    const std::string password = context.expand(rotate_password_back(field_text(step.value[2])));
    if (!state.connection || source != state.source || user != state.user || password != state.password) {
        state.connection.reset();
        if (source.empty()) return fail_with_odbc(context, -1, "", 255);
        int code = -4;
        std::string message;
        state.connection = database->connect(source, user, password, &code, &message);
        if (!state.connection) return fail_with_odbc(context, code, message, 255);
        state.source = source;
        state.user = user;
        state.password = password;
        state.kind = driver_kind(state.connection->driver_name());
    }

    int max_rows = context.number_of(step.timeout);
    if (max_rows < 0) max_rows = kAllRows;
    const std::string sql = context.text_of(step.text);
    context.log("%s", sql_log_line(sql).c_str());
    context.run.dataset_rows.clear();
    std::string message;
    const int rows = odbc_query(*state.connection, state.kind, sql, max_rows, &state.table, &message);
    if (rows < 0) {
        state.table.clear();
        return fail_with_odbc(context, rows, message, 2047);
    }
    context.log("\t%li Total Data Rows\r\n", static_cast<long>(rows));
    for (int r = 0; r < rows; ++r) context.run.dataset_rows.push_back(state.table.row_text(r));
    if (step.options & kSaveOptions) {
        state.table.row_width = 0;
        for (int width : state.table.widths) state.table.row_width += width + 1;
        save_result(context.services, step.options, field_text(step.variable), state.table.saved_text(),
                    step.value[4]);
    }
    return kStepSucceeded;
}

void run_stopped(RunContext& context) {
    if (DatabaseRunState* state = context.run.existing_state_of<DatabaseRunState>(kDatabaseFamilyCode))
        state->connection.reset();
}

const ActionRow kActions[] = {
    {"SQL", query_step},
};

}  // namespace

// Max Rows lives in the time-out field: a failed statement is not run again.
const ActionFamily kDatabaseFamily = ActionFamily(kDatabaseFamilyCode, "Database", kActions, query_step)
                                         .with_hooks(nullptr, run_stopped)
                                         .without_retries();

}  // namespace zorbel
