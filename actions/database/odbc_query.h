// Running one statement on an open connection and fetching its rows into the result
// table.
#pragma once
#include <string>

#include "actions/database/database_desktop.h"
#include "actions/database/result_table.h"

namespace zorbel {

// Returns the number of rows fetched, or a negative ODBC error code (-6 empty SQL,
// -7 no statement, -8 the statement failed, -9 the table would be too large, -10 a
// fetch failed, -11 reading a value failed) with the driver's message, or a message
// of its own, in `*message`.
int odbc_query(OdbcConnection& connection, int driver_kind, const std::string& sql, int max_rows,
               ResultTable* table, std::string* message);

}  // namespace zorbel
