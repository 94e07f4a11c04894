#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "editor/model/actions_tree.h"
#include "editor/model/new_step.h"

namespace zorbel {
namespace {

TEST(NewStep, PositionFollowsInsertNewStep) {
    struct Case {
        int32_t selected, setting, expected;
    };
    const Case cases[] = {
        {3, 0, 3}, {3, 1, 4}, {-1, 0, -1}, {-1, 1, 0},
        // Only 1 means "after": larger values insert at the row, never past the end.
        {3, 2, 3}, {9, 5, 9}, {-1, 2, -1}, {3, -1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.selected) + " with " + std::to_string(c.setting));
        EXPECT_EQ(c.expected, new_step_position(c.selected, c.setting));
    }
}

TEST(NewStep, DefaultsOfEachKindOfAction) {
    NewStepSettings settings;
    settings.failure_mode = "Jump to Label";
    settings.failure_jump = "Retry";
    settings.browser = "C:\\Browser\\BROWSE.EXE";
    settings.mail_program = "C:\\Mail\\MAIL.EXE";
    struct Case {
        const char* name;
        const char* action;
        uint32_t options;
        const char* text;
        const char* timeout;
        const char* onfail;
        int value_index;
        const char* value;
    };
    const Case cases[] = {
        {"Start and Wait for Program to Exit", "Start", 2, "", "", "Jump to Label", 0, ""},
        {"start hidden", "Start", 1, "", "", "Jump to Label", 0, ""},
        {"MS-DOS Program", "MS-DOS Program", 0, "%sysdir\\CMD.EXE /C dir c:\\*.* /s", "", "Jump to Label", 0, ""},
        {"Get Text", "Get Text", 14, "", "", "Jump to Label", 0, ""},
        {"Activate", "Activate", 1, "", "3", "Jump to Label", 0, ""},
        {"Simulate Keypress", "Simulate Keypress", 0, "", "", "", 0, ""},
        {"Text + System Keys", "Text + System Keys", 0, "Sample {tab} text {enter}", "", "", 0, ""},
        {"Move Instantly", "Move Instantly", 0, "", "", "Jump to Label", 0, ""},
        {"Move", "Move", 16, "", "", "Jump to Label", 0, ""},
        {"Move Relative", "Move Relative", 80, "", "", "Jump to Label", 0, ""},
        {"Move to Window", "Move to Window", 23, "", "", "Jump to Label", 0, ""},
        {"Right Button Click", "Right Button Click", 128, "", "", "Jump to Label", 0, ""},
        {"Custom Message Box", "Win32 API", 0,
         "MessageBox( 0, \"message\", \"title\", MB_YESNOCANCEL+MB_ICONQUESTION )", "", "Jump to Label", 0, ""},
        {"Delay", "Delay", 0, "", "2", "Jump to Label", 0, ""},
        {"Wait for Keypress", "Wait for Keypress", 0, "{Esc}", "3", "Jump to Label", 0, ""},
        {"Map Drive", "Map Drive", 0, "H:", "", "Jump to Label", 0, "\\\\server\\share"},
        {"Start Browser", "Start Browser", 0, "C:\\Browser\\BROWSE.EXE", "", "Jump to Label", 0, ""},
        {"Start Email", "Start Email", 0, "C:\\Mail\\MAIL.EXE", "", "Jump to Label", 0, ""},
        {"Download", "Download", 0, kSampleWebAddress, "", "Jump to Label", 0, ""},
        // "FTP Download" is no web download: the FTP row gives it its path.
        {"FTP Download", "FTP Download", 0, kSampleFtpPath, "", "Jump to Label", 0, ""},
        {"Check Email: POP3", "Check Email: POP3", 0, kSampleMailServer, "", "Jump to Label", 2, "1"},
        {"Save SQL Data to File", "Save SQL Data to File", 0x400000, "", "", "Jump to Label", 4, "C:\\data.csv"},
        {"Copy Registry", "Copy Registry", 0, "HKEY_CURRENT_USER\\SOFTWARE\\TreeName2", "", "Jump to Label", 0,
         "HKEY_CURRENT_USER\\SOFTWARE\\TreeName"},
        {"Read Registry", "Read Registry", 0, "", "", "Jump to Label", 0,
         "HKEY_CURRENT_USER\\SOFTWARE\\TreeName\\SubKeyName"},
        {"Call DLL Function", "Call DLL Function", 0, "MyFunction( \"some text\", 1 )", "", "Jump to Label", 0,
         "MyModule.DLL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Step step;
        ASSERT_TRUE(make_new_step(c.name, settings, &step));
        EXPECT_EQ(c.action, field_text(step.action));
        EXPECT_EQ(c.options, step.options);
        EXPECT_EQ(c.text, step.text);
        EXPECT_EQ(c.timeout, field_text(step.timeout));
        EXPECT_EQ(c.onfail, field_text(step.onfail));
        EXPECT_EQ("Retry", field_text(step.onfail_label));
        EXPECT_EQ(c.value, field_text(step.value[c.value_index]));
    }
}

TEST(NewStep, PaneCodeIconAndRefusals) {
    Step step;
    ASSERT_TRUE(make_new_step("Custom Message Box", {}, &step));
    EXPECT_EQ(kFamilyExternal, step.family);
    EXPECT_EQ("Display Error and Stop", field_text(step.onfail));
    ASSERT_TRUE(make_new_step("Call Script", {}, &step));
    EXPECT_EQ(4, step.icon);
    ASSERT_TRUE(make_new_step("Set Run Repeats", {}, &step));
    EXPECT_EQ(kFamilySystem, step.family);
    Step untouched;
    copy_to_field(untouched.action, "kept");
    for (const char* name : {"Mouse", "IF", "No Such Action", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(make_new_step(name, {}, &untouched));
        EXPECT_EQ("kept", field_text(untouched.action));
    }
}

TEST(ActionsTree, FifteenCategoriesInCatalogueOrder) {
    const std::vector<TreeCategory>& tree = actions_tree();
    ASSERT_EQ(static_cast<size_t>(kTreeCategoryCount), tree.size());
    const char* texts[] = {"Run Program", "Windows/Controls", "Keyboard", "Menu", "Mouse", "Wait", "User Prompt",
                           "Record Actions", "Files/Folders", "Internet", "Database", "Loops / Flow", "IF", "System",
                           "External Functions"};
    size_t actions = 0;
    for (size_t i = 0; i < tree.size(); ++i) {
        SCOPED_TRACE(texts[i]);
        EXPECT_STREQ(texts[i], tree[i].text);
        actions += tree[i].actions.size();
    }
    EXPECT_EQ(100005u, tree[3].node);
    EXPECT_EQ(100004u, tree[4].node);
    EXPECT_STREQ("::/action_menu.htm", tree[3].help);
    EXPECT_STREQ("::/action_mouse.htm", tree[4].help);
    EXPECT_EQ(static_cast<size_t>(catalogue_entry_count() - kTreeCategoryCount), actions);
    EXPECT_STREQ("Set Run Repeats", tree[11].actions[10]->name);
    EXPECT_EQ(kFamilySystem, tree[11].actions[10]->family);
    EXPECT_STREQ("::/intro.htm", help_topic_for_pane(16));
    EXPECT_FALSE(tree_state_expanded(0));
    EXPECT_TRUE(tree_state_expanded(1));
}

}  // namespace
}  // namespace zorbel
