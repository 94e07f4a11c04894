// External function calls into kernel32, user32 and zbcalls.dll (our own stdcall and
// cdecl exports), right and wrong signatures; SendMessage Command to the testbed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/win/support/system_run_rig.h"
#include "tests/win/support/testbed.h"

namespace zorbel {
namespace {

using namespace wintest;

struct CallRow {
    const char* call;
    int result;
    const char* saved;
};

class ExternalCallsWin : public ::testing::Test {
protected:
    int call(const std::string& text, const std::string& library = "") {
        Step& s = rig.only(library.empty() ? "Win32 API" : "Call DLL Function", text);
        copy_to_field(s.value[0], library);
        copy_to_field(s.variable, "%result");
        s.options = kOptionResultToVariable;
        rig.set_variable("result", "");
        return rig.run_step();
    }
    void check(const CallRow& row, const std::string& library = "") {
        SCOPED_TRACE(row.call);
        EXPECT_EQ(row.result, call(row.call, library));
        EXPECT_EQ(row.saved, rig.variable("result"));
    }
    std::string parameter(int k) { return rig.variable("parameter" + std::to_string(k)); }

    const std::string dll = built_program("zbcalls.dll");
    SystemRunRig rig;
};

TEST_F(ExternalCallsWin, SystemLibrariesWithNumbersTextsAndOutParameters) {
    check({"lstrlenA(\"hello, world\")", kStepSucceeded, "12"});
    check({"MulDiv(6, 7, 2)", kStepSucceeded, "21"});
    check({"GetSystemMetrics(0)", kStepSucceeded, std::to_string(GetSystemMetrics(SM_CXSCREEN)).c_str()});
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_EQ(kStepSucceeded, call("GetWindowsDirectoryA(\"\", 260)"));
    EXPECT_EQ(std::to_string(length), rig.variable("result"));
    EXPECT_EQ(windows, parameter(1));
    EXPECT_EQ("260", parameter(2));
    // CharUpper gets its "A" and changes the text in place.
    ASSERT_EQ(kStepSucceeded, call("CharUpper(\"MiXeD\")"));
    EXPECT_EQ("MIXED", parameter(1));
}

TEST_F(ExternalCallsWin, OurLibraryStdcallAndCdecl) {
    const CallRow rows[] = {
        {"AddThree(1, 2, 3)", kStepSucceeded, "6"},
        {"CdeclAdd(2, 3);", kStepSucceeded, "5"},
        {"NoArguments()", kStepSucceeded, "4242"},
        {"Echo(2147483648)", kStepSucceeded, "-2147483648"},
        {"Echo(GENERIC_READ)", kStepSucceeded, "-2147483648"},
        {"Echo(4294967295)", kStepSucceeded, "-1"},
        {"Echo(0+64)", kStepSucceeded, "64"},
        {"ReverseText(\"abc\", \"\")", kStepSucceeded, "3"},
    };
    for (const CallRow& row : rows) check(row, dll);
    EXPECT_EQ("cba", parameter(2));
    ASSERT_EQ(kStepSucceeded, call("FiveMixed(1, \"word, with comma\", 2, NULL, 3)", dll));
    EXPECT_EQ("6", rig.variable("result"));
    EXPECT_EQ("word, with comma!", parameter(4));
}

// Too few or too many words, and cdecl for stdcall: a wrong result, never a broken
// stack. Each call is followed by a right one in the same frame.
TEST_F(ExternalCallsWin, WrongSignaturesGiveWrongResultsNotCrashes) {
    const CallRow rows[] = {
        {"AddThree(5)", kStepSucceeded, "5"},
        {"AddThree(1, 2, 3, 4, 5)", kStepSucceeded, "6"},
        {"CdeclAdd(1, 2, 3, 4)", kStepSucceeded, "3"},
        {"CdeclAdd(7)", kStepSucceeded, "7"},
        {"NoArguments(1, 2, 3)", kStepSucceeded, "4242"},
        {"Echo()", kStepSucceeded, "0"},
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (const CallRow& row : rows) {
            check(row, dll);
            check({"AddThree(10, 20, 30)", kStepSucceeded, "60"}, dll);
        }
    }
}

TEST_F(ExternalCallsWin, LongArgumentsAreCut) {
    ASSERT_EQ(kStepSucceeded, call("ArgumentSize(\"" + std::string(3000, 'q') + "\")", dll));
    EXPECT_EQ("2047", rig.variable("result"));
    ASSERT_EQ(kStepSucceeded, call("ArgumentSize(" + std::string(10000, 'w') + ")", dll));
    EXPECT_EQ("2047", rig.variable("result"));
}

TEST_F(ExternalCallsWin, MissingLibrariesAndFunctionsFailQuietly) {
    EXPECT_EQ(kStepFailed, call("NoSuchFunction(1, \"two\")", "C:\\nowhere\\nosuch.dll"));
    EXPECT_EQ("", rig.run.error_text);
    EXPECT_EQ("two", parameter(2));
    EXPECT_EQ(kStepFailed, call("NoSuchExport()", dll));
    EXPECT_EQ(kStepFailed, call("Unknown(1,2,3,4,5,6)"));
    EXPECT_NE(std::string::npos, rig.run.error_text.find("is not supported"));
}

TEST_F(ExternalCallsWin, WindowTextAndSendMessageToTheTestbed) {
    Testbed testbed;
    ASSERT_TRUE(testbed.start());
    const std::string hwnd = std::to_string(reinterpret_cast<uintptr_t>(testbed.window()));
    ASSERT_EQ(kStepSucceeded, call("GetWindowText(" + hwnd + ", \"\", 255)"));
    EXPECT_EQ(testbed::kTitle, parameter(2));
    EXPECT_EQ(std::to_string(std::string(testbed::kTitle).size()), rig.variable("result"));

    rig.run.current_window = reinterpret_cast<intptr_t>(testbed.window());
    rig.only("SendMessage Command", std::to_string(testbed::kMenuUndo));
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    std::string line;
    EXPECT_TRUE(testbed.next_line_starting("MENU " + std::to_string(testbed::kMenuUndo), &line));
}

}  // namespace
}  // namespace zorbel
