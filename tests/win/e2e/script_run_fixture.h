// A fixture for end-to-end tests that run zorbel.exe on .zbx scripts: a fresh folder
// and run log per test, the settings every such run starts from, and helpers to read
// the log.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "tests/win/e2e/program_runner.h"

namespace zorbel {
namespace e2e {

class ScriptRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = temp_folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        log_file_ = folder_ + "\\run.log";
        set_setting_number("GlobalVariables", 1);
        set_setting_number("ResetUserVariables", 1);
        set_setting_number("RestartLog", 1);
        set_setting_number("DefaultSpeed", 10);
        set_setting_number("LogLevel", 0);
    }
    // Runs the script from the suite's scripts folder; the run must end by itself.
    ProgramRun run(const char* script, const std::string& extra = std::string(), DWORD limit_ms = 30000) {
        ProgramRun r = run_zorbel(script_path(script), extra, log_file_, limit_ms);
        EXPECT_TRUE(r.started) << script;
        EXPECT_FALSE(r.timed_out) << script << " did not end by itself; log:\n" << r.log;
        return r;
    }
    static bool has(const ProgramRun& r, const std::string& text) { return r.log.find(text) != std::string::npos; }
    static int count(const ProgramRun& r, const std::string& text) {
        int n = 0;
        for (size_t at = r.log.find(text); at != std::string::npos; at = r.log.find(text, at + 1)) ++n;
        return n;
    }

    std::string folder_;
    std::string log_file_;
};

}  // namespace e2e
}  // namespace zorbel
