#include "actions/windows/window_rules.h"

#include <gtest/gtest.h>

#include "actions/windows/window_styles.h"
#include "core/text_rules.h"

namespace zorbel {
namespace {

constexpr uint32_t kFramed = kStyleThickFrame | kStyleVisible;

WindowFacts facts(const char* title, const char* class_name, long id = 0, long user_data = 0,
                  uint32_t style = kFramed, bool visible = true, bool has_parent = false) {
    WindowFacts f;
    f.title = title;
    f.class_name = class_name;
    f.id = id;
    f.user_data = user_data;
    f.style = style;
    f.visible = visible;
    f.has_parent = has_parent;
    return f;
}

TEST(WindowSpecification, SplitsOnlyTheFieldsOfTheChosenCriteriaInOrder) {
    struct Row {
        uint32_t criteria;
        const char* specification;
        const char* title;
        const char* class_name;
        const char* id;
        const char* user_data;
    } rows[] = {
        {kCriterionTitle, "Untitled - Notepad", "Untitled - Notepad", "", "", ""},
        {kCriterionTitle, "&File", "File", "", "", ""},
        {kCriterionClass, "Notepad", "", "Notepad", "", ""},
        {kCriterionTitle | kCriterionClass, "Notepad|Edit", "Notepad", "Edit", "", ""},
        {kCriterionClass | kCriterionId, "Button|1001", "", "Button", "1001", ""},
        {kCriterionClass | kCriterionId | kCriterionUserData, "Button|1001|4242", "", "Button", "1001", "4242"},
        {kCriterionTitle | kCriterionUserData, "Zorbel Testbed|1510702679", "Zorbel Testbed", "", "", "1510702679"},
        {kCriterionTitle | kCriterionClass, "OnlyTitle", "OnlyTitle", "", "", ""},
        // A title is cut to 255 characters.
        {kCriterionTitle, "", "", "", "", ""},
    };
    for (const Row& row : rows) {
        WindowCriteria c = split_window_specification(row.criteria, row.specification);
        SCOPED_TRACE(std::string(row.specification) + " criteria " + std::to_string(row.criteria));
        EXPECT_EQ(c.criteria, row.criteria);
        EXPECT_EQ(c.title, row.title);
        EXPECT_EQ(c.class_name, row.class_name);
        EXPECT_EQ(c.id, row.id);
        EXPECT_EQ(c.user_data, row.user_data);
    }
    std::string long_title(300, 'x');
    EXPECT_EQ(split_window_specification(kCriterionTitle, long_title).title.size(), 255u);
}

TEST(WindowMatching, FollowsTheCriteriaRules) {
    struct Row {
        uint32_t criteria;
        const char* specification;
        WindowFacts window;
        bool matches;
    } rows[] = {
        // Titles match when they contain the text, ignoring case and "&".
        {kCriterionTitle, "notepad", facts("Untitled - Notepad", "Notepad"), true},
        {kCriterionTitle, "Untitled - Notepad", facts("Untitled - Notepad", "Notepad"), true},
        {kCriterionTitle, "&File", facts("File", "Button"), true},
        {kCriterionTitle, "File", facts("&File", "Button"), true},
        {kCriterionTitle, "Wordpad", facts("Untitled - Notepad", "Notepad"), false},
        // Classes must be equal, ignoring case; a part does not do.
        {kCriterionClass, "notepad", facts("whatever", "Notepad"), true},
        {kCriterionClass, "Note", facts("whatever", "Notepad"), false},
        // IDs and user data compare as "%li" texts.
        {kCriterionClass | kCriterionId, "Button|1001", facts("&Apply", "Button", 1001), true},
        {kCriterionClass | kCriterionId, "Button|1002", facts("&Apply", "Button", 1001), false},
        {kCriterionId, "-5", facts("", "Static", -5), true},
        {kCriterionId, "01001", facts("", "Button", 1001), false},
        {kCriterionUserData, "1510702679", facts("Zorbel Testbed", "ZbTestbed", 0, 1510702679), true},
        {kCriterionUserData, "0", facts("Zorbel Testbed", "ZbTestbed", 0, 1510702679), false},
        // Every criterion must hold.
        {kCriterionTitle | kCriterionClass, "Testbed|ZbTestbed", facts("Zorbel Testbed", "ZbTestbed"), true},
        {kCriterionTitle | kCriterionClass, "Testbed|Notepad", facts("Zorbel Testbed", "ZbTestbed"), false},
        {kCriterionTitle | kCriterionClass, "Notepad|ZbTestbed", facts("Zorbel Testbed", "ZbTestbed"), false},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(index++) + ": " + row.specification);
        EXPECT_EQ(facts_match(split_window_specification(row.criteria, row.specification), row.window), row.matches);
    }
}

TEST(WindowMatching, ModesFilterHiddenFramelessAndChildWindows) {
    struct Row {
        uint32_t mode;
        uint32_t style;
        bool visible;
        bool has_parent;
        bool passes;
    } rows[] = {
        {kModeAnyWindow, 0, false, true, true},
        {kModeFramedVisible, kStyleThickFrame, true, false, true},
        {kModeFramedVisible, kStyleDlgFrame, true, true, true},
        {kModeFramedVisible, 0, true, false, false},             // no frame
        {kModeFramedVisible, kStyleThickFrame, false, false, false},  // hidden
        {kModeFramedVisibleTopLevel, kStyleDlgFrame, true, false, true},
        {kModeFramedVisibleTopLevel, kStyleDlgFrame, true, true, false},  // has a parent
        {kModeFramedVisibleTopLevel, 0, true, false, false},
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(index++));
        EXPECT_EQ(passes_mode(row.mode, facts("t", "c", 0, 0, row.style, row.visible, row.has_parent)), row.passes);
    }
}

TEST(ControlKinds, ButtonStylesAreTriedRadioGroupBoxCheckBoxThenButton) {
    struct Row {
        const char* class_name;
        uint32_t style;
        int kind;
    } rows[] = {
        {"Static", 0, kControlLabel},
        {"STATIC", 0x50000000, kControlLabel},
        {"Edit", 0, kControlEdit},
        {"ComboBox", 3, kControlComboBox},
        {"ListBox", 0, kControlListBox},
        {"Button", 0x0, kControlButton},        // BS_PUSHBUTTON
        {"Button", 0x1, kControlButton},        // BS_DEFPUSHBUTTON
        {"Button", 0x3, kControlCheckBox},      // BS_AUTOCHECKBOX
        {"Button", 0x2, kControlButton},        // BS_CHECKBOX: (style AND 3) is 2
        {"Button", 0x7, kControlLabel},         // BS_GROUPBOX
        {"button", 0x9, kControlRadio},         // BS_AUTORADIOBUTTON
        {"Button", 0x50010009, kControlRadio},  // with window styles around it
        {"Button", 0xB, kControlRadio},         // BS_OWNERDRAW: 11 AND 9 is 9
        {"SysListView32", 0, kControlOther},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.class_name) + " style " + std::to_string(row.style));
        EXPECT_EQ(control_kind_of(row.class_name, row.style), row.kind);
    }
}

TEST(WindowList, AllWindowsLineHasSeparatorIndentAndDetails) {
    WindowFacts main = facts("Zorbel Testbed", "ZbTestbed", 0, 0, kStyleThickFrame | kStyleVisible, true, false);
    EXPECT_EQ(window_list_line(kModeAnyWindow, main, 0x1234),
              "\r\n" + std::string(70, '=') +
                  "\r\n\"Zorbel Testbed\"\t\t\t(Class: ZbTestbed  ID: 0  HWND: 0x1234)\r\n");
    WindowFacts button = facts("&Apply", "Button", 1001, 0, kStyleVisible, true, true);
    EXPECT_EQ(window_list_line(kModeAnyWindow, button, 0xabc),
              "      \"Apply\"\t\t\t(Class: Button  ID: 1001  HWND: 0xabc)\r\n");
    WindowFacts framed_child = facts("Inner", "Dialog", -1, 0, kStyleDlgFrame, true, true);
    EXPECT_EQ(window_list_line(kModeAnyWindow, framed_child, 0x10),
              "\"Inner\"\t\t\t(Class: Dialog  ID: -1  HWND: 0x10)\r\n");
    // A percent sign is written as it is.
    WindowFacts percent = facts("100% done", "Static", 5, 0, 0, true, true);
    EXPECT_EQ(window_list_line(kModeAnyWindow, percent, 1),
              "      \"100% done\"\t\t\t(Class: Static  ID: 5  HWND: 0x1)\r\n");
}

TEST(WindowList, FilteredListingsWriteTitlesOnlyAndSkipEmptyOnes) {
    WindowFacts main = facts("Zorbel Testbed", "ZbTestbed");
    EXPECT_EQ(window_list_line(kModeFramedVisible, main, 1), "Zorbel Testbed\r\n");
    EXPECT_EQ(window_list_line(kModeFramedVisibleTopLevel, main, 1), "Zorbel Testbed\r\n");
    EXPECT_EQ(window_list_line(kModeFramedVisible, facts("", "ZbTestbed"), 1), "");
}

TEST(WindowStyles, EveryNameIsFoundIgnoringCaseAndUnknownNamesAreNot) {
    int count = 0;
    for (const WindowStyleName* s = window_styles_begin(); s != window_styles_end(); ++s, ++count) {
        SCOPED_TRACE(s->name);
        EXPECT_EQ(find_window_style(s->name), s);
        std::string lower;
        for (const char* p = s->name; *p; ++p) lower.push_back(ascii_lower(*p));
        EXPECT_EQ(find_window_style(lower), s);
    }
    EXPECT_EQ(count, 13);
    EXPECT_EQ(find_window_style("Always on Top "), nullptr);  // exact names only
    EXPECT_EQ(find_window_style("Top"), nullptr);
    EXPECT_EQ(find_window_style(""), nullptr);
}

TEST(WindowStyles, StyleBitsMatchTheirNames) {
    struct Row {
        const char* name;
        uint32_t add;
        uint32_t remove;
    } rows[] = {
        {"Caption", 0xC00000, 0},
        {"Not Resizable", 0x400000, 0x40000},
        {"Resizable", 0x40000, 0},
        {"Maximize Button", 0x10000, 0},
        {"Without Maximize Button", 0, 0x10000},
        {"Minimize Button", 0x20000, 0},
        {"Without Minimize Button", 0, 0x20000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const WindowStyleName* s = find_window_style(row.name);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->effect, StyleEffect::kChangeStyle);
        EXPECT_EQ(s->add, row.add);
        EXPECT_EQ(s->remove, row.remove);
    }
    EXPECT_EQ(find_window_style("Always on Top")->effect, StyleEffect::kTopmost);
    EXPECT_EQ(find_window_style("Not Always on Top")->effect, StyleEffect::kNotTopmost);
    EXPECT_EQ(find_window_style("Hidden")->effect, StyleEffect::kHide);
    EXPECT_EQ(find_window_style("Disabled")->effect, StyleEffect::kDisable);
}

}  // namespace
}  // namespace zorbel
