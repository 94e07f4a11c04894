// The Database family through Wine's odbc32, unixODBC and the SQLite driver, on a data
// source the test sets up (tests/servers/zorbel_servers.py odbc).
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "actions/database/database_desktop.h"
#include "tests/win/actions/internet/test_servers.h"
#include "tests/win/support/system_run_rig.h"

namespace zorbel {
namespace {

using namespace wintest;

class DatabaseWin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(source.ready()); }
    Step& sql(const std::string& statement, const char* max_rows = "1000") {
        Step& s = rig.only("Execute SQL Query", statement, max_rows);
        copy_to_field(s.value[0], source.name());
        s.options = kOptionResultToClipboard;
        return s;
    }
    std::string clipboard() { return rig.environment.clipboard; }

    TestServer source{"odbc"};  // the data source is named as the server's folder
    SystemRunRig rig;
};

// NULLs are empty, a SMALLINT keeps all its digits, a 3000-character text keeps 2045
// (SQLite keeps 2.500 as the real 2.5).
TEST_F(DatabaseWin, ReadsNullsNumbersAndLongText) {
    Step& s = sql("SELECT id, name, note, price, small FROM people ORDER BY id");
    ASSERT_EQ(kStepSucceeded, rig.run_as(s, 11)) << rig.run.error_text;
    ASSERT_EQ(2u, rig.run.dataset_rows.size());
    EXPECT_EQ("1, Ann, , 2.5, 12345", rig.run.dataset_rows[0]);
    EXPECT_EQ("2, , " + std::string(2045, 'L') + ", 100, -2", rig.run.dataset_rows[1]);
    EXPECT_EQ(rig.run.dataset_rows[0] + "\r\n" + rig.run.dataset_rows[1] + "\r\n", clipboard());
}

TEST_F(DatabaseWin, ChangesAndEmptyResultsSucceed) {
    for (const char* statement : {"UPDATE people SET name = 'Zed' WHERE id = 99", "SELECT * FROM people WHERE 0"}) {
        SCOPED_TRACE(statement);
        Step& s = sql(statement);
        EXPECT_EQ(kStepSucceeded, rig.run_as(s, 11)) << rig.run.error_text;
        EXPECT_TRUE(rig.run.dataset_rows.empty());
    }
}

TEST_F(DatabaseWin, FailuresCarryTheDriversText) {
    Step& bad = sql("SELECT * FROM nowhere");
    EXPECT_EQ(kStepFailed, rig.run_as(bad, 11));
    EXPECT_NE(std::string::npos, rig.run.error_text.find("no such table: nowhere")) << rig.run.error_text;
    EXPECT_EQ(std::string::npos, rig.run.error_text.find(']')) << rig.run.error_text;
    Step& missing = sql("SELECT 1");
    copy_to_field(missing.value[0], "zorbel_no_such_source");
    EXPECT_EQ(kStepFailed, rig.run_as(missing, 11));
    EXPECT_NE(std::string::npos, rig.run.error_text.find("not found")) << rig.run.error_text;
}

TEST_F(DatabaseWin, ListsTheDataSource) {
    const std::vector<std::string> names = rig.system.desktop.database->data_sources();
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), source.name()));
}

// A whole run: the query feeds the Dataset loop; the run's connection is let go at its end.
TEST_F(DatabaseWin, DatasetLoopWalksTheRows) {
    Step first = sql("SELECT id, name FROM people ORDER BY id");
    rig.script.steps.clear();
    rig.script.steps.push_back(first);
    rig.add("Start Dataset Loop");
    rig.add("Write to Log", "row %data_loop");
    rig.add("NEXT LOOP");
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Log", 1);
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("row 1, Ann\r\n")) << rig.log();
    EXPECT_NE(std::string::npos, rig.log().find("row 2, \r\n")) << rig.log();
}

}  // namespace
}  // namespace zorbel
