#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "actions/external/external_family.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

struct CallRig : RunRig {
    FakeLibraries& libs = desktop.libraries;
    int call(const char* action, const std::string& text, const std::string& library = "") {
        Step& s = only(action, text);
        copy_to_field(s.value[0], library);
        copy_to_field(s.variable, "%result");
        s.options = kOptionResultToVariable;
        return run_step();
    }
    std::string parameter(int k) { return variable("parameter" + std::to_string(k)); }
};

TEST(ExternalFunctions, MessageBoxCallsTheAnsiFormAndSavesTheAnswer) {
    CallRig rig;
    rig.libs.add("USER32.DLL", "MessageBoxA", [](const std::vector<LibraryArgument>&) { return 6u; });
    ASSERT_EQ(kStepSucceeded,
              rig.call("Win32 API", "MessageBox( 0, \"message\", \"title\", MB_YESNOCANCEL+MB_ICONQUESTION )"));
    EXPECT_EQ((std::vector<std::string>{"call USER32.DLL MessageBoxA(0, \"message\", \"title\", 35)"}),
              rig.desktop.effects());
    EXPECT_EQ("6", rig.variable("result"));
}

TEST(ExternalFunctions, StepLibraryIsSearchedFirstThenTheSystemList) {
    CallRig rig;
    ASSERT_EQ(kStepFailed, rig.call("Call DLL Function", "MyFunction(1)", "MyModule.DLL"));
    EXPECT_EQ("", rig.run.error_text);
    EXPECT_EQ((std::vector<std::string>{"C:\\libs\\MyModule.DLL", "USER32.DLL", "GDI32.DLL", "KERNEL32.DLL",
                                        "SHELL32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "ADVAPI32.DLL", "WSOCK32.DLL"}),
              rig.libs.searched);
    // Parameters are written whether or not a function was called.
    EXPECT_EQ("1", rig.parameter(1));
    EXPECT_EQ("", rig.parameter(2));
}

// Texts a function writes come back as parameter1..8; slot 9 and later are not written.
TEST(ExternalFunctions, ArgumentTextsBecomeParameters) {
    CallRig rig;
    rig.libs.add("USER32.DLL", "GetWindowTextA", [](const std::vector<LibraryArgument>& a) {
        std::strcpy(a[1].text, "The Title");
        return 9u;
    });
    rig.set_variable("parameter3", "stale");
    ASSERT_EQ(kStepSucceeded, rig.call("Win32 API", "GetWindowText(1234, \"\", 255)"));
    EXPECT_EQ("call USER32.DLL GetWindowTextA(1234, \"\", 255)", rig.desktop.effects()[0]);
    EXPECT_EQ("1234", rig.parameter(1));
    EXPECT_EQ("The Title", rig.parameter(2));
    EXPECT_EQ("255", rig.parameter(3));
    EXPECT_EQ("", rig.parameter(8));
    EXPECT_EQ("9", rig.variable("result"));
}

TEST(ExternalFunctions, ResultsAndTheNotFoundValue) {
    struct Row {
        uint32_t returned;
        int result;
        const char* saved;
    } rows[] = {
        {0, kStepSucceeded, "0"},
        {0xffffffffu, kStepSucceeded, "-1"},
        {0x80000000u, kStepSucceeded, "-2147483648"},
        {static_cast<uint32_t>(-998877), kStepFailed, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.returned);
        CallRig rig;
        uint32_t value = r.returned;
        rig.libs.add("KERNEL32.DLL", "GetTickCount", [value](const std::vector<LibraryArgument>&) { return value; });
        EXPECT_EQ(r.result, rig.call("Win32 API", "GetTickCount()"));
        EXPECT_EQ(r.saved, rig.variable("result"));
    }
}

TEST(ExternalFunctions, VolumeInformationNumbersComeBackAsTexts) {
    CallRig rig;
    rig.libs.add("KERNEL32.DLL", "GetVolumeInformationA", [](const std::vector<LibraryArgument>& a) {
        std::strcpy(a[1].text, "DISK");
        *a[3].address = 3000000000u;
        *a[5].address = 7;
        std::strcpy(a[6].text, "NTFS");
        return 1u;
    });
    ASSERT_EQ(kStepSucceeded, rig.call("Win32 API", "GetVolumeInformationA(\"C:\\\\\", \"\", 0, \"\", \"\", \"\", \"\")"));
    EXPECT_EQ("call KERNEL32.DLL GetVolumeInformationA(\"C:\\\\\", \"\", 255, &0, &255, &0, \"\", 255)",
              rig.desktop.effects()[0]);
    EXPECT_EQ("DISK", rig.parameter(2));
    EXPECT_EQ("3000000000", rig.parameter(4));
    EXPECT_EQ("255", rig.parameter(5));
    EXPECT_EQ("7", rig.parameter(6));
    EXPECT_EQ("NTFS", rig.parameter(7));
}

// Refused call texts fail with their message and call nothing.
TEST(ExternalFunctions, BadCallTextsFailBeforeAnyCall) {
    std::string seventeen = "StretchDIBits(1";
    for (int i = 2; i <= 17; ++i) seventeen += "," + std::to_string(i);
    for (const std::string& text : {std::string("Unknown(1,2,3,4,5,6)"), seventeen + ")", std::string("F(\"open")}) {
        SCOPED_TRACE(text);
        CallRig rig;
        EXPECT_EQ(kStepFailed, rig.call("Win32 API", text));
        EXPECT_NE("", rig.run.error_text);
        EXPECT_TRUE(rig.libs.searched.empty());
    }
}

// The identifier's low 16 bits; with no current window, the foreground window after
// a pause becomes the current window.
TEST(SendMessageCommand, PostsToTheCurrentWindowOrTheForegroundOne) {
    CallRig rig;
    rig.run.current_window = 77;
    rig.only("SendMessage Command", "66593");  // 65536 + 1057
    ASSERT_EQ(kStepSucceeded, rig.run_step());
    EXPECT_EQ(std::vector<std::string>{"post command 1057 to 77"}, rig.desktop.effects());

    CallRig bare;
    bare.desktop.windows.foreground = 42;
    bare.only("SendMessage Command", "100");
    ASSERT_EQ(kStepSucceeded, bare.run_step());
    EXPECT_EQ(std::vector<uint32_t>{250}, bare.desktop.sleeps());
    EXPECT_EQ(std::vector<std::string>{"post command 100 to 42"}, bare.desktop.effects());
    EXPECT_EQ(42, bare.run.current_window);
}

}  // namespace
}  // namespace zorbel
