#include <gtest/gtest.h>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

std::vector<std::string> without_sleeps(const FakeDesktop& desktop) { return desktop.effects(); }

TEST(RunProgramFamily, EmptyCommandFailsForEveryAction) {
    for (const char* action : {"Start", "Kill Process", "Start Service", "Call Script", "Launch Document"}) {
        SCOPED_TRACE(action);
        RunRig rig;
        rig.set_variable("empty", "");
        rig.only(action, "%empty");
        EXPECT_EQ(rig.run_step(), kStepFailed);
        EXPECT_EQ(rig.run.error_text, "No program name or command line provided");
        EXPECT_TRUE(rig.desktop.calls.empty());
    }
}

struct KillCase {
    const char* text;
    KillResult outcome;
    int expected;
    const char* error;
};

TEST(RunProgramFamily, KillProcessByFileName) {
    const KillCase cases[] = {
        {"C:\\WINDOWS\\NOTEPAD.EXE", KillResult::kEnded, kStepSucceeded, ""},
        {"other.exe", KillResult::kNotFound, kStepFailed, "Unable to find process 'other.exe'"},
        // A match that could not be opened or ended is a failure, not a success.
        {"notepad.exe", KillResult::kNotEnded, kStepFailed, "Unable to end process 'notepad.exe': Access is denied."},
    };
    for (const KillCase& c : cases) {
        SCOPED_TRACE(c.text);
        RunRig rig;
        if (c.outcome != KillResult::kNotFound) rig.desktop.processes.killable["notepad.exe"] = c.outcome;
        rig.only("Kill Process", c.text);
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.run.error_text, c.error);
        EXPECT_EQ(rig.desktop.calls.back().rfind("kill [", 0), 0u);
    }
}

struct ServiceCase {
    const char* action;
    const char* value1;
    bool service_ok;
    int expected;
    const char* call;
    const char* error;
};

TEST(RunProgramFamily, Services) {
    const ServiceCase cases[] = {
        {"Start Service", "", true, kStepSucceeded, "service start [zbsvc]", ""},
        {"Stop Service", "", true, kStepSucceeded, "service stop [zbsvc]", ""},
        {"Service Startup Type", "automatic", true, kStepSucceeded, "service startup [zbsvc] 2", ""},
        {"Service Startup Type", "Manual", true, kStepSucceeded, "service startup [zbsvc] 3", ""},
        {"Service Startup Type", "DISABLED", true, kStepSucceeded, "service startup [zbsvc] 4", ""},
        {"Service Startup Type", "Sometimes", true, kStepFailed, nullptr, "Unknown service startup type 'Sometimes'"},
        {"Start Service", "", false, kStepFailed, "service start [zbsvc]",
         "The specified service does not exist as an installed service."},
    };
    for (const ServiceCase& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " " + c.value1);
        RunRig rig;
        rig.desktop.processes.service_ok = c.service_ok;
        Step& step = rig.only(c.action, "zbsvc");
        copy_to_field(step.value[0], c.value1);
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.run.error_text, c.error);
        EXPECT_EQ(rig.desktop.calls, c.call ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    }
}

struct WaitCase {
    const char* timeout;
    uint32_t options;
    bool never_ends;
    int expected;
    const char* saved;
    const char* wait_call;
};

TEST(RunProgramFamily, StartAndWaitSavesTheExitCode) {
    const WaitCase cases[] = {
        {"", 2, false, kStepSucceeded, "1", nullptr},
        {"0", 2, false, kStepSucceeded, "1", nullptr},
        {"2.9", 2, false, kStepSucceeded, "5", "wait 2500"},
        {"-1", 2, false, kStepSucceeded, "5", "wait forever"},
        {"10", 0, false, kStepSucceeded, "1", nullptr},
        {"3", 2, true, kStepFailed, nullptr, "wait 3500"},
    };
    for (const WaitCase& c : cases) {
        SCOPED_TRACE(c.timeout);
        RunRig rig;
        rig.desktop.processes.startable.insert("\"C:\\t.exe\"");
        rig.desktop.processes.exit_code = 5;
        rig.desktop.processes.never_ends = c.never_ends;
        rig.desktop.files.present.insert("C:\\t.exe");
        Step& step = rig.only("Start", "C:\\t.exe", c.timeout);
        copy_to_field(step.variable, "%code");
        step.options = c.options | kOptionResultToVariable;
        EXPECT_EQ(rig.run_step(), c.expected);
        EXPECT_EQ(rig.variable("code"), c.saved ? c.saved : "");
        std::vector<std::string> effects = without_sleeps(rig.desktop);
        bool waited = std::find(effects.begin(), effects.end(), c.wait_call ? c.wait_call : "") != effects.end();
        EXPECT_EQ(waited, c.wait_call != nullptr);
        if (c.never_ends) {
            EXPECT_EQ(rig.run.error_text, "Program still running after timeout limit of 3 seconds");
        }
    }
}

TEST(RunProgramFamily, StartLogsTheRunBufferAndTheAllowedTime) {
    RunRig rig;
    rig.desktop.processes.startable.insert("\"C:\\t.exe\"");
    rig.desktop.files.present.insert("C:\\t.exe");
    Step& step = rig.only("Start", "C:\\t.exe", "%secs%");
    step.options = 2;
    rig.set_variable("secs", "4");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_NE(rig.log().find("\tTranslated run buffer: [C:\\t.exe]\r\n"), std::string::npos);
    EXPECT_NE(rig.log().find("\t'%secs%' seconds allowed for program to close\r\n"), std::string::npos);
}

TEST(RunProgramFamily, NoMethodFailsWithoutAMessageOfItsOwn) {
    RunRig rig;
    rig.only("Start", "C:\\nothing.exe");
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "");
}

TEST(RunProgramFamily, CallScriptStartsThisProgramWithR) {
    RunRig rig;
    rig.script.script_path = "C:\\Scripts\\main.zbx";
    rig.desktop.files.present.insert("C:\\Scripts\\child.zbx");
    const std::string expected_line = "\"C:\\Zorbel\\zorbel.exe\" /r \"C:\\Scripts\\child.zbx\"";
    rig.desktop.processes.startable.insert(expected_line);
    Step& step = rig.only("Call Script", "child.zbx");
    step.options = 2;
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_NE(rig.log().find("[" + expected_line + "]"), std::string::npos);
}

// The command is sized from the script path, however long.
TEST(RunProgramFamily, CallScriptWithALongPathKeepsItWhole) {
    RunRig rig;
    const std::string path = "C:\\" + std::string(300, 's') + ".zbx";
    const std::string line = "\"C:\\Zorbel\\zorbel.exe\" /r \"" + path + "\"";
    rig.desktop.processes.startable.insert(line);
    rig.only("Call Script", path);
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.desktop.calls.front().rfind("create [" + line + "]", 0), 0u);
}

TEST(RunProgramFamily, CallScriptInACompiledProgramStartsNothing) {
    RunRig rig;
    rig.desktop.processes.compiled = true;
    rig.desktop.processes.startable.insert("\"C:\\Zorbel\\zorbel.exe\" /r \"child.zbx\"");
    rig.only("Call Script", "child.zbx");
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Call Script is not available in a compiled program");
    EXPECT_TRUE(rig.desktop.calls.empty());
}

}  // namespace
}  // namespace zorbel
