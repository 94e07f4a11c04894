// Run Program steps on the real machine: programs started and waited for, exit codes,
// processes killed by name, documents opened through their association.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <atomic>
#include <thread>

#include "actions/programs/process_desktop.h"
#include "tests/win/support/child_process.h"
#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/temp_folder.h"

namespace zorbel {
namespace {

using wintest::built_program;
using wintest::kDeadlineMs;

int count_processes(const char* name) {
    HANDLE list = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int n = 0;
    for (BOOL more = Process32First(list, &entry); more; more = Process32Next(list, &entry))
        if (lstrcmpiA(entry.szExeFile, name) == 0) ++n;
    CloseHandle(list);
    return n;
}

bool wait_until_gone(const char* name) {
    const DWORD begin = GetTickCount();
    while (count_processes(name) > 0) {
        if (GetTickCount() - begin > kDeadlineMs) return false;
        Sleep(50);
    }
    return true;
}

Step& start_step(SystemRunRig& rig, const std::string& command, const char* timeout, uint32_t options) {
    Step& step = rig.only("Start", command, timeout);
    step.options = options | kOptionResultToVariable;
    copy_to_field(step.variable, "%code");
    return step;
}

TEST(RunProgramWin, WaitedProgramsHandBackTheirExitCodes) {
    for (const char* code : {"0", "5", "259", "-3"}) {
        SCOPED_TRACE(code);
        SystemRunRig rig;
        start_step(rig, "\"" + built_program("zbexitcode.exe") + "\" " + code, "20", 2);
        EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
        EXPECT_EQ(rig.variable("code"), code);
    }
}

TEST(RunProgramWin, StillRunningAfterTheLimitFailsAndKillEndsIt) {
    SystemRunRig rig;
    start_step(rig, "\"" + built_program("zbexitcode.exe") + "\" 0 60000", "1", 2);
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Program still running after timeout limit of 1 seconds");
    ASSERT_EQ(count_processes("zbexitcode.exe"), 1);
    rig.only("Kill Process", built_program("ZBEXITCODE.EXE"));
    EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
    EXPECT_TRUE(wait_until_gone("zbexitcode.exe"));
    rig.only("Kill Process", "zbexitcode.exe");
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to find process 'zbexitcode.exe'");
}

// Notepad is started and waited for; a helper thread closes its window.
TEST(RunProgramWin, NotepadStartedAndWaitedFor) {
    ASSERT_EQ(count_processes("notepad.exe"), 0);
    SystemRunRig rig;
    std::atomic<bool> done{false};
    std::thread closer([&] {
        const DWORD begin = GetTickCount();
        while (!done && GetTickCount() - begin < 3 * kDeadlineMs) {
            if (HWND window = FindWindowA("Notepad", nullptr)) PostMessageA(window, WM_CLOSE, 0, 0);
            Sleep(100);
        }
    });
    start_step(rig, "notepad.exe", "25", 2);
    EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
    done = true;
    closer.join();
    EXPECT_EQ(rig.variable("code"), "0");
    EXPECT_TRUE(wait_until_gone("notepad.exe"));
}

TEST(RunProgramWin, NotepadAndTestbedStartedThenKilledByName) {
    SystemRunRig rig;
    start_step(rig, "notepad.exe", "", 0);
    EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
    EXPECT_EQ(rig.variable("code"), "1");
    start_step(rig, built_program("zbtestbed.exe"), "", 0);
    EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
    for (const char* name : {"NOTEPAD.EXE", "zbtestbed.exe"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(count_processes(name), 1);
        rig.only("Kill Process", name);
        EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
        EXPECT_TRUE(wait_until_gone(name));
    }
}

TEST(RunProgramWin, MissingProgramsFail) {
    SystemRunRig rig;
    rig.only("Start", "C:\\zb-missing\\nothing.exe");
    EXPECT_EQ(rig.run_step(), kStepFailed);
    EXPECT_NE(rig.log().find("\t\tFAILED: Unable to start [C:\\zb-missing\\nothing.exe] with any method\r\n"),
              std::string::npos);
    rig.only("Start", "C:\\" + std::string(300, 'p') + ".exe");
    EXPECT_EQ(rig.run_step(), kStepFailed);
}

// A document type of the test's own, opened by its launcher (zbexitcode.exe).
class AssociatedDocument : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string command = "\"" + built_program("zbexitcode.exe") + "\" 7 \"%1\"";
        RegSetValueA(HKEY_CLASSES_ROOT, ".zbq", REG_SZ, "zbqfile", 7);
        RegSetValueA(HKEY_CLASSES_ROOT, "zbqfile\\shell\\open\\command", REG_SZ, command.c_str(),
                     static_cast<DWORD>(command.size()));
        ASSERT_TRUE(wintest::write_file(document, "document"));
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "zbqfile\\shell\\open\\command");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "zbqfile\\shell\\open");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "zbqfile\\shell");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "zbqfile");
        RegDeleteKeyA(HKEY_CLASSES_ROOT, ".zbq");
        wait_until_gone("zbexitcode.exe");
    }
    wintest::TempFolder folder;
    std::string document = folder / "letter.zbq";
};

TEST_F(AssociatedDocument, LaunchDocumentStartsTheLauncherAndWaits) {
    SystemRunRig rig;
    Step& step = rig.only("Launch Document", document, "20");
    step.options = 2 | kOptionResultToVariable;
    copy_to_field(step.variable, "%code");
    EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
    // Method 3 passes the quoted document as the launcher's only argument.
    EXPECT_EQ(rig.variable("code"), "0");
    EXPECT_NE(rig.log().find("using method #3: SUCCESS"), std::string::npos) << rig.log();
}

TEST_F(AssociatedDocument, ShellOpensTheDocument) {
    ProcessDesktop& processes = system_process_desktop();
    EXPECT_GT(processes.shell_open(0, document, false), 32);
    EXPECT_EQ(processes.find_executable(document, std::string()).empty(), false);
}

}  // namespace
}  // namespace zorbel
