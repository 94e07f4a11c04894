#include <gtest/gtest.h>

#include <algorithm>

#include "actions/internet/stored_password.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr int kVarChar = 12;

FakeResult people() {
    FakeResult r;
    r.columns = {{4, 11}, {kVarChar, 20}, {3, 12}};
    r.rows = {{{"1", 1}, {"Ann", 3}, {"2.500", 5}}, {{"2", 1}, {"", kSqlNullData}, {"100", 3}}};
    return r;
}

Step& sql_step(RunRig& rig, const std::string& sql, const char* max_rows = "1000") {
    Step& step = rig.only("Execute SQL Query", sql, max_rows);
    copy_to_field(step.value[0], "zorbel");
    copy_to_field(step.value[1], "sa");
    copy_to_field(step.value[2], rotate_password_forward("pw"));
    step.options = kOptionResultToClipboard;
    return step;
}

size_t count(const std::vector<std::string>& calls, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(calls.begin(), calls.end(),
                                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

TEST(DatabaseFamily, QueriesAndSavesRows) {
    RunRig rig;
    rig.desktop.database.results["SELECT * FROM people"] = people();
    sql_step(rig, "SELECT * FROM people");
    ASSERT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_EQ("1, Ann, 2.50\r\n2, , 100\r\n", rig.environment.clipboard);
    EXPECT_EQ((std::vector<std::string>{"1, Ann, 2.50", "2, , 100"}), rig.run.dataset_rows);
    EXPECT_NE(std::string::npos, rig.log().find("\tSQL: SELECT * FROM people\r\n\t2 Total Data Rows\r\n"));
    EXPECT_EQ("connect zorbel sa pw", rig.desktop.calls.front());
}

TEST(DatabaseFamily, MaxRows) {
    struct Row {
        const char* max_rows;
        size_t rows;
    } rows[] = {{"1", 1}, {"0", 0}, {"", 0}, {"-1", 2}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.max_rows);
        RunRig rig;
        rig.desktop.database.results["S"] = people();
        sql_step(rig, "S", r.max_rows);
        EXPECT_EQ(kStepSucceeded, rig.run_step());
        EXPECT_EQ(r.rows, rig.run.dataset_rows.size());
        EXPECT_EQ(1u, count(rig.desktop.calls, "execute S"));
    }
    RunRig rig;
    rig.desktop.database.results["S"] = people();
    sql_step(rig, "S", "1");
    rig.run_step();
    EXPECT_EQ("1, Ann, 2.50", rig.environment.clipboard);  // one row: no line break
}

// Success with information (a cut value) and "no data" (a change of no rows) both ran.
TEST(DatabaseFamily, InformationAndNoDataAreSuccess) {
    RunRig rig;
    FakeResult update;
    update.execute_rc = kSqlNoData;
    rig.desktop.database.results["UPDATE t SET a = 1 WHERE 0"] = update;
    FakeResult info = people();
    info.execute_rc = kSqlSuccessWithInfo;
    info.fetch_rc = kSqlSuccessWithInfo;
    info.rows[0][1] = {std::string(3000, 'L'), 3000};
    rig.desktop.database.results["SELECT long"] = info;
    sql_step(rig, "UPDATE t SET a = 1 WHERE 0");
    EXPECT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_TRUE(rig.run.dataset_rows.empty());
    sql_step(rig, "SELECT long");
    EXPECT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_EQ(2u, rig.run.dataset_rows.size());
}

TEST(DatabaseFamily, FailuresCarryTheDriverText) {
    struct Row {
        const char* source;
        const char* sql;
        const char* error;
    } rows[] = {
        {"zorbel", "SELECT * FROM missing", "no such table: x (1)"},
        {"nowhere", "SELECT 1", "Data source name not found and no default driver specified"},
        {"", "SELECT 1", "An error occurred because of a bad programming parameter. "},
        {"zorbel", "", "An error occurred because of a bad programming parameter. "},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.source);
        RunRig rig;
        Step& step = sql_step(rig, r.sql);
        copy_to_field(step.value[0], r.source);
        rig.run.dataset_rows = {"old"};
        EXPECT_EQ(kStepFailed, rig.run_step());
        EXPECT_EQ(r.error, rig.run.error_text);
        EXPECT_TRUE(std::string(r.source).empty() || rig.run.dataset_rows.empty() ||
                    std::string(r.source) == "nowhere");
    }
}

// Max Rows lives in the time-out field: "1000" must not mean 1000 s of retries.
TEST(DatabaseFamily, FailedStepIsNotRetried) {
    RunRig rig;
    Step& step = sql_step(rig, "SELECT * FROM missing", "1000");
    RunRig::on_failure(step, "Continue");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ(1u, count(rig.desktop.calls, "execute SELECT * FROM missing"));
    EXPECT_NE(std::string::npos, rig.log().find("no such table"));
}

// One connection for the run, reused while the source stays, freed at the run's end.
TEST(DatabaseFamily, ConnectionBelongsToTheRun) {
    RunRig rig;
    rig.desktop.database.results["S"] = people();
    Step& first = sql_step(rig, "S");
    rig.script.steps.push_back(first);
    rig.add("Start Dataset Loop");
    rig.add("Comment", "row %data_loop%");
    rig.add("NEXT LOOP");
    rig.run_script();
    EXPECT_EQ(1u, count(rig.desktop.calls, "connect "));
    EXPECT_EQ(2u, count(rig.desktop.calls, "execute S"));
    EXPECT_EQ(2u, count(rig.desktop.calls, "free statement"));
    EXPECT_EQ("disconnect", rig.desktop.calls.back());
}

TEST(DatabaseFamily, OversizedResultFailsWithItsReason) {
    RunRig rig;
    FakeResult wide;
    wide.columns = {{-1, 1 << 30}, {-10, 1 << 30}, {-1, -4}};
    rig.desktop.database.results["SELECT wide"] = wide;
    sql_step(rig, "SELECT wide", "100000");
    EXPECT_EQ(kStepFailed, rig.run_step());
    EXPECT_NE(std::string::npos, rig.run.error_text.find("lower Max Rows"));
}

// A statement longer than 64 KB reaches the driver whole.
TEST(DatabaseFamily, LongStatementIsSentWhole) {
    RunRig rig;
    const std::string sql = "SELECT '" + std::string(70000, 'q') + "'";
    rig.desktop.database.results[sql] = people();
    sql_step(rig, sql);
    EXPECT_EQ(kStepSucceeded, rig.run_step()) << rig.run.error_text;
    EXPECT_EQ(1u, count(rig.desktop.calls, "execute " + sql));
}

}  // namespace
}  // namespace zorbel
