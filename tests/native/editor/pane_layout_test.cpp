#include <gtest/gtest.h>

#include "core/text_rules.h"
#include "editor/model/new_step.h"
#include "editor/model/pane_layout.h"
#include "editor/model/pane_program_menu.h"
#include "editor/model/pane_system_variables.h"
#include "editor_test_util.h"

namespace zorbel {
namespace {

// The shown, enabled captions of the step's pane, '|'-joined; hidden fields are left
// out and disabled ones marked with "~".
std::string shown(const Step& step) {
    std::string out;
    const std::vector<FieldLook> looks = pane_looks(step);
    const PaneSpec& pane = pane_spec(static_cast<int32_t>(step.family));
    for (size_t i = 0; i < looks.size(); ++i) {
        if (pane.fields[i].field == StepField::kComment) break;  // the shared controls follow
        if (!looks[i].visible) continue;
        out += (looks[i].enabled ? "" : "~") + looks[i].label + "|";
    }
    return out;
}

TEST(PaneLayout, CaptionsAndStatesFollowTheAction) {
    struct Case {
        const char* action;
        uint32_t options;
        const char* timeout;
        const char* expected;
    };
    const Case cases[] = {
        {"FTP Upload", 0, "", "Server/Dir/File:|Login:|Password:|Send Local File:|"},
        {"Send Email: SMTP", 0, "", "Message:|SMTP Server:|Subject:|From:|To:|"},
        {"Check Email: POP3", 0, "", "POP3 Server:|Login:|Which Email:|Password:|Save Result to File:||"},
        {"Ping IP Address", 0, "", "Hostname / IP:|Timeout:|"},
        {"Start 'For' Loop", 0, "", "Loop Count:|"},
        {"Exit Run", 0, "", "Return Code:|"},
        {"IF Pixel is Visible", 0, "", "Color:|"},
        {"Copy Registry", 0, "", "Destination:|Source:|"},
        {"Set Run Repeats", 0, "", "Repeats:|"},
        {"Write/Create File", 0, "", "File Name:|Start Position:|Start of File|Append|Data to Write:|"},
        {"Set File Association", 0, "", "EXE Program:|Extension:|Description:|"},
        {"Resize", 1, "", "Window:|Title|Class|ID|Userdata|Bitmap|Ma&x Wait:|Width:|Height:|"},
        {"Set Window Style", 1, "", "Window:|Title|Class|ID|Userdata|Bitmap|Style:|Ma&x Wait:|"},
        // A program not waited for has no wait time; waiting forever disables the time only.
        {"Start", 0, "5", "&Program:|Start && Return Immediately|Wait for Program to Exit|~Ma&x Wait:|"
                          "~Wait Indefinitely|Run Hidden|"},
        {"Start", 2, "-1", "&Program:|Start && Return Immediately|Wait for Program to Exit|~Ma&x Wait:|"
                           "Wait Indefinitely|Run Hidden|"},
        {"Launch Document", 2, "5", "Document:|Start && Return Immediately|Wait for Program to Exit|Ma&x Wait:|"
                                    "Wait Indefinitely|Run Hidden|"},
        {"Service Startup Type", 0, "", "Service:|Start && Return Immediately|Wait for Program to Exit|~Ma&x Wait:|"
                                        "~Wait Indefinitely|Run Hidden|Startup Type:|"},
        {"Kill Process", 2, "", "&Program:|~Start && Return Immediately|~Wait for Program to Exit|~Ma&x Wait:|"
                                "~Wait Indefinitely|~Run Hidden|"},
        {"Block Input", 0, "", "~Type Text:|Expand special formatting (\"%\", {shift}, etc)|~Method:|"},
        {"Display Image", 0, "0", "Image File:|~Ma&x Wait:|Required Response|Always on Top|"},
        {"Input Value", 0, "5", "Message:|Ma&x Wait:|Required Response|Always on Top|"},
        {"Execute SQL Query", 0, "-1",
         "SQL Query:|Data Source:|Login User:|Password:|~Ma&x Rows:|Retrieve All Rows|Export Results to File:||"},
        {"Wait for Keypress", 0, "3", "Key:|Ma&x Wait:|Any Key|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        Step step = make_step(c.action, "x");
        step.options = c.options;
        copy_to_field(step.timeout, c.timeout);
        EXPECT_EQ(c.expected, shown(step));
    }
    // "Display Message" saves no result: its result options are off.
    const std::vector<FieldLook> looks = pane_looks(make_step("Display Message"));
    EXPECT_FALSE(looks.back().enabled);
    EXPECT_TRUE(pane_looks(make_step("Input Value")).back().enabled);
}

TEST(PaneLayout, ChecksOverTextFieldsWriteTheirTexts) {
    struct Case {
        const char* action;
        const char* label;
        const char* loaded_checked;  // a stored text that shows checked
        const char* loaded_clear;
        const char* written_on, *written_off;
        std::function<std::string(const Step&)> read;
    };
    const auto timeout = [](const Step& s) { return std::string(field_text(s.timeout)); };
    const auto value2 = [](const Step& s) { return std::string(field_text(s.value[1])); };
    const Case cases[] = {
        {"Start", "Wait Indefinitely", "-5", "5", "-1", "60", timeout},
        {"Execute SQL Query", "Retrieve All Rows", "-1", "10", "-1", "1000", timeout},
        {"Input Value", "Required Response", "0", "1", "", "5", timeout},
        {"Write/Create File", "Append", "-1", "0", "-1", "", value2},
        {"Write/Create File", "Start of File", "0", "-1", "0", "", value2},
        {"Wait for Keypress", "Any Key", "", "{F5}", "", "{Esc}", [](const Step& s) { return s.text; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Step step = make_step(c.action);
        const PaneSpec& pane = pane_spec(static_cast<int32_t>(step.family));
        const FieldSpec* spec = nullptr;
        for (const FieldSpec& f : pane.fields)
            if (std::string(f.label) == c.label) spec = &f;
        ASSERT_NE(nullptr, spec);
        FieldSpec plain = *spec;
        plain.kind = FieldKind::kEdit;
        write_field(step, plain, c.loaded_checked);
        EXPECT_EQ("1", load_field(step, *spec));
        write_field(step, plain, c.loaded_clear);
        EXPECT_EQ("0", load_field(step, *spec));
        write_field(step, *spec, "1");
        EXPECT_EQ(c.written_on, c.read(step));
        write_field(step, *spec, "0");
        EXPECT_EQ(c.written_off, c.read(step));
    }
}

TEST(PaneLayout, TipsNameTheirField) {
    const PaneSpec& keys = pane_spec(3);
    EXPECT_EQ(0u, field_tip(keys.fields[2], "Method:").find("METHOD:  There are various methods"));
    EXPECT_EQ(0u, field_tip(keys.fields[0], "Server/Dir/File:").find("SERVER/DIR/FILE:  "));
    EXPECT_EQ(kCommentTip, field_tip(keys.fields[3], "&Comment:"));
}

TEST(SystemVariables, ItemsInsertTheirText) {
    struct Case {
        const char* item;
        const char* inserted;
    };
    const Case cases[] = {
        {"%n\tNewline (LF)", "%n"},
        {"%dddd, %mmmm...\tLong Date and Time", "%dddd, %mmmm %dd, %yyyy at %hh:%ii %a"},
        {"{F1}...{F12}\tFunction Keys", "{F1}"},
        {"{Num1}...{Num/}\tNumeric Keypad Keys", "{Num1}"},
        {"    {Ctrl}{Home}\tStart", "{Ctrl}{Home}"},
        {"CALC ( 2 + 3 * 4 )\tSimple Expression", "CALC ( 2 + 3 * 4 )"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.inserted, system_variable_insert(c.item)) << c.item;
    EXPECT_EQ("%n\tNewline (LF)", system_variable_item(kSystemVariableFirst));
    int count = 0;
    for (const SystemVariableMenu& menu : system_variable_menus()) count += static_cast<int>(menu.items.size());
    EXPECT_EQ(system_variable_menus()[1].items[0], system_variable_item(kSystemVariableFirst + 17));
    EXPECT_EQ("", system_variable_item(kSystemVariableFirst + count));
    EXPECT_LE(kSystemVariableFirst + count - 1, kSystemVariableLast);
    EXPECT_EQ("", system_variable_item(kSystemVariableFirst - 1));
}

}  // namespace
}  // namespace zorbel

namespace zorbel {
namespace {

TEST(PaneFields, PickedColoursAreWrittenAsRedGreenBlue) {
    EXPECT_EQ("#FF8001", picked_colour_text(0x0180FF));
    EXPECT_EQ("#000000", picked_colour_text(0));
}

TEST(ProgramMenu, ReadyMadeCommandsWithTheMachinesPaths) {
    ProgramPaths paths;
    paths.cmd = "C:\\W\\CMD.EXE";
    paths.browser = "C:\\B\\WEB.EXE";
    std::vector<std::string> commands = program_menu_commands(paths);
    ASSERT_EQ(15u, commands.size());
    EXPECT_EQ("NOTEPAD.EXE", commands[0]);  // not found: the bare name
    EXPECT_EQ("C:\\W\\CMD.EXE /C dir c:\\*.* /s", commands[2]);
    EXPECT_EQ(std::string("C:\\B\\WEB.EXE ") + kSampleWebAddress, commands[7]);
    EXPECT_EQ("rundll32.exe Shell32.dll Control_RunDLLA sysdm.cpl,,0", commands.back());
    paths.mail = "C:\\M\\MAIL.EXE";
    commands = program_menu_commands(paths);
    EXPECT_EQ("C:\\M\\MAIL.EXE", commands[8]);
    EXPECT_EQ("rundll32.exe Shell32.dll Control_RunDLLA appwiz.cpl", commands[9]);
}

}  // namespace
}  // namespace zorbel
