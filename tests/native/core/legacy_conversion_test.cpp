// The action each version 4 record type and option set becomes.
#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/legacy_action_table.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::convert_one;
using legacy_test::record;

constexpr uint32_t kClip = kOptionResultToClipboard;
constexpr uint32_t kVar = kOptionResultToVariable;

struct TableRow {
    int type;
    uint32_t options;
    const char* text;
    const char* action;
    uint32_t family;
    uint32_t step_options;
};

// Every row of the conversion table at least once, with the first-match order
// and the option bits each type adds.
constexpr TableRow kRows[] = {
    // 1: programs.
    {1, 1, "s.zbx", "Call Script", 1, 0},
    {1, 1 | 4, "s.zbx", "Call Script", 1, 2},
    {1, 4, "calc", "Start and Wait for Program to Exit", 1, 2},
    {1, 8, "cmd", "MS-DOS Program", 1, 0},
    {1, 0, "notepad", "Start", 1, 0},
    {1, 0x8000, "notepad", "Start", 1, 1},
    {1, 0x8000 | 4, "calc", "Start and Wait for Program to Exit", 1, 3},
    {1, 1 | 8, "s.zbx", "Call Script", 1, 0},
    // 2: windows.
    {2, 0x200, "Notepad", "Activate", 2, 0},
    {2, 0x400, "OK Button", "Press Button/Control", 2, 0},
    {2, 0x200, "ok button", "Press Button/Control", 2, 0},
    {2, 0x800, "Notepad", "Maximize", 2, 0},
    {2, 0x1000, "Notepad", "Close Window", 2, 0},
    {2, 0x4000, "Notepad", "Minimize/Restore", 2, 0},
    {2, 0x200 | 0x800, "Notepad", "Activate", 2, 0},
    {2, 32 | 0x1000, "", "Close all Windows", 2, 0},
    {2, 32 | 0x4000 | 4 | 128, "", "Minimize all Windows", 2, 0},
    {2, 0x200 | 4, "Notepad", "Activate", 2, 2},
    {2, 0x200 | 8, "Notepad", "Activate", 2, 4},
    {2, 0x200 | 16, "Notepad", "Activate", 2, 1},
    {2, 0x200 | 64, "Notepad", "Activate", 2, 7},
    {2, 0x200 | 128, "Notepad", "Activate", 2, 16},
    {2, 0x1000 | 4 | 8 | 128, "Notepad", "Close Window", 2, 2 | 4 | 16},
    {2, 0, "Notepad", "(Action not Available)", 2, 0},
    // 3: keys (0 reads as Simulate Keypress).
    {3, 1, "abc", "Buffered Virtual Keys", 3, 0},
    {3, 2, "abc", "Simulate Keypress", 3, 0},
    {3, 4, "abc", "Text via Clipboard", 3, 0},
    {3, 8, "abc", "Direct Window Entry", 3, 0},
    {3, 0x1000, "abc", "Text + System Keys", 3, 0},
    {3, 0, "abc", "Simulate Keypress", 3, 0},
    {3, 1 | 2, "abc", "Buffered Virtual Keys", 3, 0},
    {3, 4 | 32, "abc", "Text via Clipboard", 3, 1},
    {3, 0x1000 | 32, "abc", "Text + System Keys", 3, 1},
    // 4: menus.
    {4, 1, "", "Select System Menu", 4, 0},
    {4, 0, "File|Open", "Select Menu Item", 4, 0},
    // 5: system keys.
    {5, 0, "ctrl", "Text + System Keys", 3, 0},
    {5, 4, "ctrl", "Text + System Keys", 3, 0},
    {5, 8, "ctrl", "Text + System Keys", 3, 0},
    // 6: mouse (always step option 16).
    {6, 1 | 128, "a.bmp", "Click on Image", 5, 16},
    {6, 1 | 0x800, "a.bmp", "Click on Masked Image", 5, 16},
    {6, 1, "10,20", "Left Button Click", 5, 16},
    {6, 0x401, "10,20", "Left Button Click", 5, 16},
    {6, 2, "10,20", "Right Button Click", 5, 16},
    {6, 0x2000, "10,20", "Left Button Double-Click", 5, 16},
    {6, 0x400, "10,20", "Left Button Down & Hold", 5, 16},
    {6, 0x1000, "10,20", "Move Relative", 5, 16 | 64},
    {6, 128, "a.bmp", "Move to Image", 5, 16},
    {6, 0x800, "a.bmp", "Move to Masked Image", 5, 16},
    {6, 4, "10,20", "Move", 5, 16},
    {6, 0x4000, "", "Save Current Position", 5, 16},
    {6, 0x8000, "", "Return to Saved Position", 5, 16},
    {6, 4 | 32, "10,20", "Move", 5, 16 | 32},
    {6, 0x1000 | 32, "10,20", "Move Relative", 5, 16 | 32},
    {6, 8, "10,20", "Left Button Down & Hold", 5, 16 | 32},
    {6, 16 | 1, "10,20", "Left Button Down & Hold", 5, 16 | 32},
    // 7: waits.
    {7, 1, "", "Freeze", 6, 0},
    {7, 0, "", "Delay", 6, 0},
    {7, 2, "", "Block Input", 3, 0},
    {7, 4, "", "Unblock Input", 3, 0},
    {7, 1 | 2, "", "Freeze", 6, 0},
    {7, 2 | 4, "", "Block Input", 3, 0},
    // 8: recordings.
    {8, 0, "", "Recording", 8, 0},
    // 9: files and folders.
    {9, 1, "a.txt", "Read File", 9, 0},
    {9, 2, "a.txt", "Write/Create File", 9, 0},
    {9, 4, "a.txt", "Move/Rename File", 9, 0},
    {9, 8, "a.txt", "Delete File", 9, 0},
    {9, 0x100, "a.txt", "Copy File", 9, 0},
    {9, 0x800, "c:\\d", "Create Folder", 9, 0},
    {9, 0x1000, "c:\\d", "Copy Folder", 9, 0},
    {9, 0x2000, "c:\\d", "Move/Rename Folder", 9, 0},
    {9, 0x4000, "c:\\d", "Delete Folder", 9, 0},
    {9, 0x8000, "\\\\srv\\share", "Map Drive", 9, 0},
    {9, 1 | 2, "a.txt", "Read File", 9, 0},
    {9, 1 | 32, "a.txt", "Read File", 9, kClip},
    {9, 1 | 128, "a.txt", "Read File", 9, kClip},
    {9, 1 | 64, "a.txt", "Read File", 9, kVar},
    {9, 1 | 32 | 64, "a.txt", "Read File", 9, kClip | kVar},
    // 10: loops.
    {10, 2, "", "NEXT LOOP", 12, 0},
    {10, 4, "", "Start 'For' Loop", 12, 0},
    {10, 8, "", "Start 'While' Loop", 12, 0},
    {10, 16, "", "Start Files Loop", 12, 0},
    {10, 32, "", "Start File Line Loop", 12, 0},
    {10, 2 | 4, "", "NEXT LOOP", 12, 0},
    // 11: database.
    {11, 0, "select 1", "Execute SQL Query", 11, 0},
    {11, 4, "select 1", "Execute SQL Query", 11, kVar},
    {11, 8, "select 1", "Execute SQL Query", 11, kClip},
    // 12: prompts.
    {12, 1, "Hello", "Display Message", 7, 0},
    {12, 0x100, "Working", "Status Popup", 7, 0},
    {12, 0x200, "Working", "Status Popup", 7, 1},
    {12, 0x100, "50% done", "Progress Bar Popup", 7, 0},
    {12, 0x200, "50% done", "Progress Bar Popup", 7, 1},
    {12, 0x1000, "Working", "Progress Bar Popup", 7, 0},
    {12, 2, "Sure?", "Ask Yes/No Question", 7, 0},
    {12, 4, "Name?", "Input Value", 7, 0},
    {12, 0x800, "Login", "Login Prompt", 7, 0},
    {12, 64, "Pick", "Choose from a List", 7, 0},
    {12, 128, "", "Choose a File", 7, 0},
    {12, 0x400, "", "Choose a Folder", 7, 0},
    {12, 1 | 2, "Hello", "Display Message", 7, 0},
    {12, 4 | 8, "Name?", "Input Value", 7, kClip},
    {12, 4 | 16, "Name?", "Input Value", 7, kVar},
    {12, 4 | 8 | 16, "Name?", "Input Value", 7, kClip},
    // 13: conditions.
    {13, 1, "Notepad", "IF Window Exists", 13, 0},
    {13, 2, "Notepad", "IF Window Exists", 13, 0},
    {13, 4, "", "(Action not Available)", 13, 0},
    {13, 8, "a.txt", "IF File Exists", 13, 0},
    {13, 16, "c:\\d", "IF Folder Exists", 13, 0},
    {13, 32, "", "IF Pixel is Visible", 13, 0},
    {13, 64, "", "IF Pixel is Visible", 13, 0},
    {13, 128, "", "IF Pixel is Visible", 13, 0},
    {13, 0x200, "Notepad", "IF Window Exists", 13, 0},
    {13, 0x400, "1 = 1", "IF Expression", 13, 0},
    {13, 0x800, "x", "IF Clipboard Equals", 13, 0},
    {13, 0x1000, "x", "IF Clipboard Equals", 13, 0},
    {13, 0x2000, "x", "IF Clipboard Equals", 13, 0},
    {13, 0x4000, "a.bmp", "IF Image is Visible", 13, 0},
    {13, 0x8000, "a.bmp", "IF Masked Image is Visible", 13, 0},
    {13, 0x200 | 0x1000, "x", "IF Clipboard Equals", 13, 0},  // 0x200 is dropped beside a clipboard bit
    {13, 8 | 16, "a.txt", "IF File Exists", 13, 0},
    // 14: system.
    {14, 1, "5", "Create/Set Variable", 14, 0},
    {14, 2, "3", "Set Run Repeats", 14, 0},
    {14, 4, "2", "Set Run Speed", 14, 0},
    {14, 16, "", "Exit Run", 12, 0},
    {14, 32, "800 x 600 x 16 Bit", "Video Display Mode", 14, 0},
    {14, 64, "", "Logoff", 14, 0},
    {14, 128, "", "Restart", 14, 0},
    {14, 0x100, "", "Shutdown", 14, 0},
    {14, 0x200, "top", "Label", 12, 0},
    {14, 0x400, "s.bmp", "Screen Image Capture", 14, 0},
    {14, 0x800, "w.bmp", "Window Image Capture", 14, 0},
    {14, 0x8000, "note", "Comment", 14, 0},
    {14, 0x10000, "HKCU\\x", "Read Registry", 14, kVar},
    {14, 0x20000, "HKCU\\x", "Write Registry", 14, 0},
    {14, 0x40000, "HKCU\\x", "Delete Registry", 14, 0},
    {14, 2 | 4, "3", "Set Run Repeats", 14, 0},
    {14, 0, "", "(Action not Available)", 14, 0},
    // 15: internet and mail.
    {15, 1, "http://x", "Open a Web Page", 10, 0},
    {15, 2, "http://x", "Save Web Page HTML", 10, 0},
    {15, 4, "http://x", "Download", 10, 0},
    {15, 8, "http://x", "Save Web Page Text", 10, 0},
    {15, 16, "pop.x", "Check Email: POP3", 10, 0},
    {15, 32, "pop.x", "Delete Email: POP3", 10, 0},
    {15, 64, "smtp.x", "Send Email: SMTP", 10, 0},
    {15, 128, "a@x", "Send Email: MAPI", 10, 0},
    {15, 0x100, "a@x", "Send Email: \"mailto\"", 10, 0},
    {15, 0x200, "ftp.x/f", "FTP Download", 10, 0},
    {15, 0x400, "ftp.x/f", "FTP Upload", 10, 0},
    {15, 0x800, "ftp.x/f", "FTP Delete File", 10, 0},
    {15, 0x1000, "ftp.x/d", "FTP Create Folder", 10, 0},
    {15, 0x2000, "ftp.x/d", "FTP Delete Folder", 10, 0},
    {15, 0x4000, "10.0.0.1", "Ping IP Address", 10, 0},
    {15, 0x8000, "http://x", "HTTP Post", 10, 0},
    {15, 1 | 2, "http://x", "Open a Web Page", 10, 0},
    // 16: external functions and text functions.
    {16, 0x8000, "user32", "Win32 API", 15, 0},
    {16, 0x4000, "my.dll", "Call DLL Function", 15, 0},
    {16, 0x2000, "Notepad", "SendMessage Command", 15, 0},
    {16, 0x8000 | 0x4000, "user32", "Win32 API", 15, 0},
    {16, 1, "name", "Create/Set Variable", 14, 0},
    {16, 0, "name", "Create/Set Variable", 14, 0},
    // 17 and types out of range.
    {17, 1, "x", "(Action not Available)", 0, 0},
    {99, 0, "notepad", "Start", 1, 0},
    {0, 4, "calc", "Start and Wait for Program to Exit", 1, 2},
};

TEST(LegacyConversionTable, EveryRowGivesItsActionFamilyAndOptions) {
    for (size_t n = 0; n < sizeof(kRows) / sizeof(kRows[0]); ++n) {
        const TableRow& row = kRows[n];
        SCOPED_TRACE(::testing::Message() << "row " << n << ": type " << row.type << " options 0x" << std::hex
                                          << row.options << " text \"" << row.text << "\"");
        const Step step = convert_one(record(row.type, row.options, row.text));
        EXPECT_EQ(row.action, std::string(field_text(step.action)));
        EXPECT_EQ(row.family, step.family);
        EXPECT_EQ(row.step_options, step.options);
        const CatalogueEntry* entry = find_action(row.action);
        EXPECT_EQ(entry ? entry->icon : 0, step.icon);
    }
}

TEST(LegacyConversionTable, GotoLabelIsAJumpOfTheLoopsFamily) {
    const Step step = convert_one(record(14, 8).with_target("1"));
    EXPECT_STREQ("Goto Label", step.action);
    EXPECT_EQ(12u, step.family);
    EXPECT_EQ(find_action("Goto Label")->icon, step.icon);
}

// The families written into the table agree with the catalogue for every action
// that the catalogue knows, so a saved and reloaded import keeps its families.
TEST(LegacyConversionTable, FamiliesAgreeWithTheCatalogue) {
    for (int32_t type = 1; type <= kLegacyLastType; ++type) {
        const TypeRule* rule = version4_type_rule(type);
        ASSERT_NE(nullptr, rule) << type;
        for (size_t n = 0; n < rule->row_count; ++n) {
            const ActionRow& row = rule->rows[n];
            const CatalogueEntry* entry = find_action(row.name);
            if (!entry) {
                EXPECT_STREQ("(Action not Available)", row.name) << "type " << type;
                continue;
            }
            EXPECT_EQ(entry->family, row.family ? row.family : rule->family) << row.name;
        }
    }
    EXPECT_EQ(nullptr, version4_type_rule(0));
    EXPECT_EQ(nullptr, version4_type_rule(18));
}

TEST(LegacyConversionTable, ButtonDownAndUpTakeTurnsThroughTheFile) {
    using legacy_test::file_of;
    ScriptState script;
    FakeUserInterface ui;
    const std::string text = file_of({
        record(6, 0x400, "1,1").str(),
        record(6, 1, "1,1").str(),          // a click in between does not count
        record(6, 0x400, "2,2").str(),
        record(6, 0x401, "1,1").str(),      // a click with the hold bit is a click
        record(6, 8, "3,3").str(),          // the old drag bits read as the hold bit
        record(3, 2, "abc").str(),
        record(6, 0x400, "4,4").str(),
    });
    ASSERT_EQ(7, legacy_test::import_text(text, &script, &ui));
    const char* expected[] = {"Left Button Down & Hold", "Left Button Click", "Left Button Up", "Left Button Click",
                              "Left Button Down & Hold", "Simulate Keypress", "Left Button Up"};
    for (size_t n = 0; n < 7; ++n) EXPECT_STREQ(expected[n], script.steps[n].action) << "step " << n + 1;
}

}  // namespace
}  // namespace zorbel
