#include "actions/programs/start_process.h"

#include <gtest/gtest.h>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Calls = std::vector<std::string>;

struct StartCase {
    const char* name;
    std::string command;
    std::vector<std::string> startable;
    bool visible;
    int64_t wait_ms;
    int32_t expected;
    Calls calls;
};

TEST(StartProcess, MethodsAndWaits) {
    const StartCase cases[] = {
        {"method 1 quotes the command and starts in its folder", "C:\\Tools\\app.exe -x",
         {"\"C:\\Tools\\app.exe -x\""}, true, 0, 1,
         {"create [\"C:\\Tools\\app.exe -x\"] in [C:\\Tools]", "input idle 5000", "close process"}},
        {"a program in a drive's root gets the root as its folder", "C:\\app.exe", {"\"C:\\app.exe\""}, true, 0, 1,
         {"create [\"C:\\app.exe\"] in [C:\\]", "input idle 5000", "close process"}},
        {"method 2 starts the resolved .EXE", "app.exe", {"app.exe"}, true, 0, 1,
         {"create [\"app.exe\"] in [] refused", "create [app.exe] in []", "input idle 5000", "close process"}},
        {"a wait of 3 s waits on the process 3.5 s after at least 5 s of idle", "\"C:\\t.exe\"", {"\"C:\\t.exe\""},
         true, 3000, 7,
         {"create [\"C:\\t.exe\"] in [C:\\]", "input idle 5000", "wait 3500", "close process"}},
        {"a long wait gives the idle wait its length", "\"C:\\t.exe\"", {"\"C:\\t.exe\""}, true, 9000, 7,
         {"create [\"C:\\t.exe\"] in [C:\\]", "input idle 9000", "wait 9500", "close process"}},
        {"a negative wait has no limit", "\"C:\\t.exe\"", {"\"C:\\t.exe\""}, true, -1, 7,
         {"create [\"C:\\t.exe\"] in [C:\\]", "input idle forever", "wait forever", "close process"}},
        {"a hidden start hides the program's window", "\"C:\\t.exe\"", {"\"C:\\t.exe\""}, false, 0, 1,
         {"create [\"C:\\t.exe\"] in [C:\\] hidden", "input idle 5000", "sleep 100", "hide process window",
          "close process"}},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunRig rig;
        rig.desktop.processes.startable.insert(c.startable.begin(), c.startable.end());
        rig.desktop.processes.exit_code = 7;
        EXPECT_EQ(start_process(rig.context, c.command, c.visible, c.wait_ms), c.expected);
        EXPECT_EQ(rig.desktop.calls, c.calls);
        EXPECT_EQ(rig.desktop.processes.open_handles, 0);
    }
}

// 259 is also the system's "still active": the wait is on the process, not on that code.
TEST(StartProcess, ExitCode259EndsTheWait) {
    RunRig rig;
    rig.desktop.processes.startable.insert("\"C:\\t.exe\"");
    rig.desktop.processes.exit_code = 259;
    EXPECT_EQ(start_process(rig.context, "C:\\t.exe", true, 2000), 259);
    EXPECT_EQ(rig.desktop.processes.open_handles, 0);
}

TEST(StartProcess, StillRunningAfterTheLimitClosesTheHandle) {
    RunRig rig;
    rig.desktop.processes.startable.insert("\"C:\\t.exe\"");
    rig.desktop.processes.never_ends = true;
    EXPECT_EQ(start_process(rig.context, "C:\\t.exe", true, 1000), kStillRunning);
    EXPECT_EQ(rig.desktop.processes.open_handles, 0);
}

TEST(StartProcess, DocumentStartsThroughItsLauncherQuoted) {
    RunRig rig;
    rig.desktop.processes.launchers["C:\\docs\\a.txt"] = "C:\\ed.exe";
    rig.desktop.processes.startable.insert("C:\\ed.exe \"C:\\docs\\a.txt\"");
    EXPECT_EQ(start_process(rig.context, "C:\\docs\\a.txt", true, 0), 1);
    EXPECT_NE(std::find(rig.desktop.calls.begin(), rig.desktop.calls.end(), "create [C:\\ed.exe \"C:\\docs\\a.txt\"] in []"),
              rig.desktop.calls.end());
}

// The open command's %NAME% references are the environment's, not script tokens.
TEST(StartProcess, AssociationLauncherExpandsEnvironmentReferences) {
    RunRig rig;
    rig.environment.variables = {{"SystemRoot", "C:\\WINDOWS"}};
    write_setting(rig.store, SettingsRoot::kClassesRoot, "zqfile", 0, nullptr, ".zq\\");
    write_setting(rig.store, SettingsRoot::kClassesRoot, "%SystemRoot%\\system32\\notepad.exe %1", 0, nullptr,
                  "zqfile\\shell\\open\\command\\");
    rig.desktop.processes.startable.insert("C:\\WINDOWS\\system32\\notepad.exe x.zq");
    EXPECT_EQ(start_process(rig.context, "x.zq", true, 0), 1);
    EXPECT_NE(rig.log().find("\t\tSearching for '.zq' file association...\r\n"), std::string::npos);
    EXPECT_NE(rig.log().find("using method #4: SUCCESS"), std::string::npos);
}

struct ShellCase {
    const char* name;
    std::string command;
    bool visible;
    std::vector<intptr_t> foreground;
    Calls calls;
};

TEST(StartProcess, ShellOpenIsTheLastMethod) {
    const ShellCase cases[] = {
        {"a visible start shows the program normally, with the text after \".exe \"",
         "notepad.EXE C:\\d.txt", true, {100},
         {"shell open [C:\\d.txt] owner 100 shown"}},
        {"a hidden start hides the new foreground window and brings the old one back", "C:\\d.txt", false, {100, 200},
         {"shell open [C:\\d.txt] owner 100 hidden", "sleep 2000", "hide window 200", "bring to front 100"}},
        {"a hidden start whose foreground stays leaves it", "C:\\d.txt", false, {100},
         {"shell open [C:\\d.txt] owner 100 hidden", "sleep 2000"}},
    };
    for (const ShellCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunRig rig;
        rig.desktop.processes.shell_result = 42;
        rig.desktop.processes.foreground = c.foreground;
        EXPECT_EQ(start_process(rig.context, c.command, c.visible, 5000), 1);
        Calls shell;
        bool seen = false;
        for (const std::string& call : rig.desktop.calls) {
            seen = seen || call.rfind("shell open", 0) == 0;
            if (seen) shell.push_back(call);
        }
        EXPECT_EQ(shell, c.calls);
    }
}

TEST(StartProcess, NothingStartsNoMethodWorks) {
    RunRig rig;
    EXPECT_EQ(start_process(rig.context, "C:\\none.exe", true, 0), kNotStarted);
    EXPECT_NE(rig.log().find("\t\tFAILED: Unable to start [C:\\none.exe] with any method\r\n"), std::string::npos);
    EXPECT_NE(rig.log().find("\t\tAttempting to start process [C:\\none.exe] using method #1...\r\n"), std::string::npos);
    EXPECT_EQ(start_process(rig.context, "", true, 0), kNotStarted);
}

TEST(StartProcess, LogFormOfLongCommands) {
    EXPECT_EQ(command_for_log(std::string(121, 'a')), std::string(121, 'a'));
    EXPECT_EQ(command_for_log(std::string(122, 'a')), std::string(122, 'a') + "...");
    EXPECT_EQ(working_folder_of("\"C:\\a b\\x.exe\" \"D:\\q\""), "C:\\a b\\x.exe D:");
    EXPECT_EQ(working_folder_of("\"x.exe\""), "");
}

}  // namespace
}  // namespace zorbel
