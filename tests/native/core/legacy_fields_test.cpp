// How the fields of a version 4 record land in the step: the common fields, the
// On Failure mode and the changes that go with particular actions.
#include <gtest/gtest.h>

#include "core/legacy_conversion.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::convert_one;
using legacy_test::record;
using legacy_test::V4Line;

TEST(LegacyFields, CommonFieldsComeFromTheirColumns) {
    V4Line line = record(1, 0, "notepad.exe");
    line.with_value("15").with_second("first|second||").with_status(1).with_target("end").with_variable("result");
    const Step step = convert_one(line);
    EXPECT_EQ("notepad.exe", step.text);
    EXPECT_STREQ("15", step.timeout);
    EXPECT_EQ("first\r\nsecond\r\n\r\n", step.comment);
    EXPECT_EQ(1, step.status);
    EXPECT_STREQ("end", step.onfail_label);
    EXPECT_STREQ("%result", step.variable);
    EXPECT_EQ(0, step.indents);
}

TEST(LegacyFields, VariableKeepsAnExistingPercentAndEmptyStaysEmpty) {
    EXPECT_STREQ("%x", convert_one(record(1).with_variable("%x")).variable);
    EXPECT_STREQ("", convert_one(record(1).with_variable("")).variable);
    EXPECT_EQ(-1, convert_one(record(1).with_status(-1)).status);
}

TEST(LegacyFields, FailureModesByTheLowByteOfTheFlags) {
    struct Row {
        uint32_t flags;
        const char* mode;
        int32_t log;
        int32_t image;
    } rows[] = {
        {0, "Ignore/Continue", 0, 0},
        {1, "Display Error and Stop", 0, 0},
        {2, "Ask to Continue", 0, 0},
        {8, "Jump to Label", 0, 0},
        {16, "Jump to Label", 0, 0},
        {32, "Stop Silently", 0, 0},
        {64, "Increment Variable", 0, 0},
        {128, "Restart Run", 0, 0},
        {3, "", 0, 0},                       // no mode answers to 3
        {4, "Ignore/Continue", 0, 0},        // the 4 bit is dropped
        {5, "Display Error and Stop", 0, 0},
        {0x1001, "Display Error and Stop", 1, 0},
        {0x2020, "Stop Silently", 0, 1},
        {0x3002, "Ask to Continue", 1, 1},
        {0x100, "Ignore/Continue", 0, 0},    // bits above the low byte are not a mode
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "flags 0x" << std::hex << r.flags);
        const Step step = convert_one(record(1).with_flags(r.flags).with_target("end"));
        EXPECT_STREQ(r.mode, step.onfail);
        EXPECT_EQ(r.log, step.onfail_log);
        EXPECT_EQ(r.image, step.onfail_image);
    }
}

TEST(LegacyFields, FieldsAreCutToTheirLimits) {
    // Each field a little over its limit, the line still within its 1143 bytes.
    V4Line line = record(1, 0, std::string(514, 't'));
    line.with_value(std::string(33, '9')).with_second(std::string(514, 'c')).with_target(std::string(33, 'l'));
    line.with_variable(std::string(33, 'v'));
    ASSERT_EQ(1141u, line.str().size());
    const Step step = convert_one(line);
    EXPECT_EQ(std::string(511, 't'), step.text);
    EXPECT_EQ(std::string(31, '9'), std::string(field_text(step.timeout)));
    EXPECT_EQ(std::string(511, 'c'), step.comment);
    EXPECT_EQ(std::string(31, 'l'), std::string(field_text(step.onfail_label)));
    EXPECT_EQ("%" + std::string(31, 'v'), std::string(field_text(step.variable)));
}

TEST(LegacyFields, ActionTextChanges) {
    struct Row {
        int type;
        uint32_t options;
        const char* text;
        const char* expected_text;
    } rows[] = {
        // System keys are written as a key token.
        {5, 0, "alt", "{alt}"},
        {5, 0, "{tab}", "{tab}"},
        {5, 0, "", "{}"},
        {5, 4, "shift", "{shiftDown}"},
        {5, 8, "shift", "{shiftUp}"},
        {5, 4, "{a}{b}", "{aDown}{b}"},
        {5, 8, "{nobrace", "{nobrace"},
        // Variables are calculated unless the text holds an operator.
        {14, 1, "5", "CALC(5)"},
        {14, 1, "%a+1", "%a+1"},
        {14, 1, "10-2", "10-2"},
        {14, 1, "3*4", "3*4"},
        {14, 1, "8/2", "8/2"},
        {14, 1, "", "CALC()"},
        // Display modes take the mode list's form.
        {14, 32, "800 x 600 x 16 Bit", "800 x 600, High Color (16 Bit)"},
        {14, 32, "640x480 x 4 Bit", "640x480, 16 Colors"},
        {14, 32, "1024 x 768 x 8 bit", "1024 x 768, 256 Colors"},
        {14, 32, "1280 x 1024 x 32 Bit x 60 Hertz", "1280 x 1024, True Color (32 Bit), 60 Hertz"},
        {14, 32, "800 x 600 x 24 Bit", "800 x 600, 24 Bit"},
        {14, 32, "800 X 600", "800 X 600"},
        // The parent-title search joins its titles with bars.
        {2, 0x200 | 64, "Parent+Child+x", "Parent|Child|x"},
        {2, 0x200, "Parent+Child", "Parent+Child"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "type " << r.type << " options 0x" << std::hex << r.options << " \""
                                          << r.text << "\"");
        EXPECT_EQ(r.expected_text, convert_one(record(r.type, r.options, r.text)).text);
    }
}

TEST(LegacyFields, ParentTitleSearchPutsANoteBeforeTheComment) {
    const Step step = convert_one(record(2, 0x200 | 64, "A+B").with_second("mine"));
    EXPECT_EQ(std::string(kParentTitleNote) + "mine", step.comment);
    EXPECT_EQ(
        "NOTE: \"Parent Title\" is no longer supported as a search method.  Please find the target window again using "
        "the magnifying glass.  mine",
        step.comment);
}

TEST(LegacyFields, MousePositionsGoToValue1AndValue2) {
    Step step = convert_one(record(6, 1, "100,200"));
    EXPECT_STREQ("100", step.value[0]);
    EXPECT_STREQ("200", step.value[1]);
    EXPECT_EQ("100,200", step.text);
    step = convert_one(record(6, 128, "c:\\a.bmp"));
    EXPECT_STREQ("c:\\a.bmp", step.value[0]);
    EXPECT_STREQ("", step.value[1]);
}

TEST(LegacyFields, SqlQueryHasNoTimeLimitAndItsQueryInValue1) {
    const Step step = convert_one(record(11, 0, "select * from t").with_value("30"));
    EXPECT_STREQ("-1", step.timeout);
    EXPECT_STREQ("select * from t", step.value[0]);
    EXPECT_EQ("select * from t", step.text);
}

TEST(LegacyFields, RegistryActionsKeepTheKeyInValue1) {
    Step step = convert_one(record(14, 0x10000, "HKCU\\Software\\x").with_variable("v"));
    EXPECT_STREQ("HKCU\\Software\\x", step.value[0]);
    EXPECT_EQ(kOptionResultToVariable, step.options);
    step = convert_one(record(14, 0x20000, "HKCU\\Software\\x").with_second("data|more"));
    EXPECT_STREQ("HKCU\\Software\\x", step.value[0]);
    EXPECT_EQ("data\r\nmore", step.text);
    step = convert_one(record(14, 0x40000, "HKCU\\Software\\x"));
    EXPECT_STREQ("HKCU\\Software\\x", step.value[0]);
    EXPECT_EQ("HKCU\\Software\\x", step.text);
}

TEST(LegacyFields, TextFunctionsBecomeCallsOnTheVariable) {
    struct Row {
        uint32_t options;
        const char* expected;
    } rows[] = {
        {1, "Uppercase( %name )"},
        {2, "Lowercase( %name )"},
        {4, "ReplaceText( %name, \"old\", \"new\" )"},
        {8, "GetSubText( %name, \"old\", new )"},
        {16, "Length( %name )"},
        {32, "CountItems( %name, \"old\" )"},
        {64, "Trim( %name )"},
        {128, "InsertText( %name, old, \"new\" )"},
        {0x100, "FindText( %name, \"old\" )"},
        {1 | 2, "Uppercase( %name )"},
        {0, "%name"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << "options 0x" << std::hex << r.options);
        const Step step = convert_one(record(16, r.options, "name").with_value("old").with_target("new"));
        EXPECT_EQ(r.expected, step.text);
        EXPECT_STREQ("%name", step.variable);
        EXPECT_STREQ("Create/Set Variable", step.action);
    }
    // Arguments that hold "%s" are not filled again.
    EXPECT_EQ("ReplaceText( %v, \"%s\", \"x\" )",
              convert_one(record(16, 4, "%v").with_value("%s").with_target("x")).text);
}

TEST(LegacyFields, ExternalCallsSaveTheirResultWhenTheyNameAVariable) {
    Step step = convert_one(record(16, 0x4000, "my.dll").with_second("Func|1").with_variable("r"));
    EXPECT_STREQ("Func\r\n1", step.value[0]);
    EXPECT_EQ(kOptionResultToVariable, step.options);
    EXPECT_STREQ("%r", step.variable);
    EXPECT_EQ(0u, convert_one(record(16, 0x4000, "my.dll")).options);
    EXPECT_EQ(kOptionResultToVariable, convert_one(record(16, 0x8000, "user32").with_variable("r")).options);
    EXPECT_EQ(0u, convert_one(record(16, 0x2000, "Notepad").with_variable("r")).options);
}

TEST(LegacyFields, FailureModeNamesAsData) {
    EXPECT_EQ("Jump to Label", failure_mode_of(8));
    EXPECT_EQ("", failure_mode_of(255));
}

}  // namespace
}  // namespace zorbel
