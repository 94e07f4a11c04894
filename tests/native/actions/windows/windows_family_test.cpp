// The Windows/Controls and Menu families and the window conditions on the fake
// desktop: which action does what with which window, and the failures.
#include <gtest/gtest.h>

#include "actions/menus/menu_family.h"
#include "actions/windows/desktop_current_window.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Calls = std::vector<std::string>;

class WindowStepTest : public ::testing::Test {
protected:
    RunRig rig;
    FakeWindowDesktop& desktop = rig.desktop.windows;

    void SetUp() override { desktop.answers["Notepad"] = {7, {1, 0}}; }

    Step& make_step(const char* action, const std::string& text, uint32_t options = kCriterionTitle) {
        Step& step = rig.only(action, text);
        step.options = options;
        return step;
    }
    // Names outside the catalogue ("Activate and Get Text") count as window actions.
    int window_step(const char* action, const std::string& text, uint32_t options = kCriterionTitle) {
        Step& step = make_step(action, text, options);
        if (step.family == 0) step.family = 2;
        return rig.run_step();
    }
    int menu_step(const char* action, const std::string& text) {
        make_step(action, text, 0);
        return rig.run_step();
    }
    // The IF or Wait condition of a one-step script.
    bool if_holds(const char* action, const char* text) {
        Step& step = make_step(action, text);
        return rig.context.families->if_condition(step.action)->test(rig.context, step);
    }
    bool wait_holds(const char* action, const char* text) {
        Step& step = make_step(action, text);
        return rig.context.families->wait_condition(step.action)->test(rig.context, step);
    }
    intptr_t current() { return rig.run.current_window; }
    void multiple_window_error(int on) { write_setting_number(rig.store, "SOFTWARE\\Zorbel\\MultipleWindowError", on); }
};

TEST_F(WindowStepTest, EmptyTextIsMissingWindowInformationExceptForAllWindows) {
    EXPECT_EQ(window_step("Activate", ""), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Missing window information");
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(window_step("Minimize all Windows", ""), kStepSucceeded);
    EXPECT_EQ(window_step("Close all Windows", ""), kStepSucceeded);
    EXPECT_EQ(desktop.calls, (Calls{"find 512 '' 0", "find 1024 '' 0"}));
}

// A text that expands to nothing would match every window ("Close Window" would
// close whichever window came last), so it is missing information as well.
TEST_F(WindowStepTest, TextThatExpandsToNothingIsMissingWindowInformation) {
    // The clipboard is empty.
    EXPECT_EQ(window_step("Close Window", "%CLIPBOARD"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Missing window information");
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(WindowStepTest, UnknownWindowFailsWithTheExpandedSpecification) {
    rig.set_variable("app", "Wordpad");
    rig.run.current_window = 99;
    EXPECT_EQ(window_step("Activate", "%app"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to find window 'Wordpad'");
    EXPECT_EQ(current(), 0);  // every window step clears the current window first
    EXPECT_EQ(desktop.calls, (Calls{"find 1 'Wordpad' 0"}));
}

TEST_F(WindowStepTest, ActionsAreRecognisedByNameInOrder) {
    struct Row {
        const char* action;
        const char* value1;
        const char* value2;
        const char* timeout;
        Calls calls;
        bool activated;
    } rows[] = {
        {"Activate", "", "", "", {"activate 7"}, true},
        {"Press Button/Control", "", "", "", {"press 7"}, false},
        {"Move Window", "101", "51", "", {"move 7 100,50"}, false},
        {"Move Window", "1,501", "x", "", {"move 7 1500,-1"}, false},
        {"Resize", "401", "301", "", {"resize 7 400x300"}, false},
        {"Maximize", "", "", "", {"maximize 7"}, true},
        {"Minimize/Restore", "", "", "", {"minimize/restore 7"}, false},
        {"Close Window", "", "", "2.7", {"close 7 2000"}, false},
        {"Close Window", "", "", "", {"close 7 0"}, false},
        {"Set Window Style", "always on top", "", "", {"style 7 Always on Top"}, false},
        {"Set Window Style", "Sideways", "", "", {"style 7 (none)"}, false},
        {"Get Text", "", "", "", {"read 7"}, false},
        // "Get Text" is tested before "Activate", "Move" before "Resize".
        {"Activate and Get Text", "", "", "", {"read 7"}, false},
        {"Move and Resize", "11", "21", "", {"move 7 10,20"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.value1 + " " + row.timeout);
        rig.run.current_window = 0;
        rig.run.window_activated = false;
        desktop.calls.clear();
        Step& step = make_step(row.action, "Notepad");
        copy_to_field(step.value[0], row.value1);
        copy_to_field(step.value[1], row.value2);
        copy_to_field(step.timeout, row.timeout);
        if (step.family == 0) step.family = 2;
        EXPECT_EQ(rig.run_step(), kStepSucceeded) << rig.run.error_text;
        Calls expected{"find 1 'Notepad' 0"};
        expected.insert(expected.end(), row.calls.begin(), row.calls.end());
        EXPECT_EQ(desktop.calls, expected);
        EXPECT_EQ(current(), 7);
        EXPECT_EQ(rig.run.window_activated, row.activated);
    }
}

TEST_F(WindowStepTest, UnknownActionFailsWithoutBlankBeforeFound) {
    EXPECT_EQ(window_step("Wiggle", "Notepad"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Window 'Notepad'found, but invalid action specified");
}

TEST_F(WindowStepTest, PressMakesTheControlActedOnTheCurrentWindow) {
    desktop.pressed_result = 12;  // a label's edit control
    EXPECT_EQ(window_step("Press Button/Control", "Notepad"), kStepSucceeded);
    EXPECT_EQ(current(), 12);
}

TEST_F(WindowStepTest, GetTextSavesTheTextAsTheStepResult) {
    desktop.texts[7] = "Hello world";
    Step& step = make_step("Get Text", "Notepad", kCriterionTitle | kOptionResultToVariable);
    copy_to_field(step.variable, "%got");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.variable("got"), "Hello world");
}

TEST_F(WindowStepTest, CriteriaComeFromTheOptionsBits) {
    struct Row {
        uint32_t options;
        const char* call;
    } rows[] = {
        {kCriterionTitle, "find 1 'Notepad' 0"},
        {kCriterionClass | kCriterionId | kCriterionUserData, "find 14 'Notepad' 0"},
        {kCriterionTitle | kOptionResultToVariable, "find 1 'Notepad' 0"},
        // No criterion at all searches by title rather than taking any window.
        {0, "find 1 'Notepad' 0"},
        {kOptionResultToClipboard, "find 1 'Notepad' 0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.options);
        desktop.calls.clear();
        window_step("Activate", "Notepad", row.options);
        ASSERT_FALSE(desktop.calls.empty());
        EXPECT_EQ(desktop.calls[0], row.call);
    }
}

TEST_F(WindowStepTest, AmbiguousMatchesFailOnlyWithTheSetting) {
    struct Row {
        int setting;
        WindowMatchCounts counts;
        int result;
        const char* error;
    } rows[] = {
        {0, {2, 0}, kStepSucceeded, ""},
        {0, {0, 4}, kStepSucceeded, ""},
        {1, {1, 0}, kStepSucceeded, ""},
        {1, {2, 0}, kStepFailed, "There are 2 top-level windows that match the search criteria"},
        {1, {3, 7}, kStepFailed, "There are 3 top-level windows that match the search criteria"},
        {1, {0, 3}, kStepFailed, "There are 3 child windows that match the search criteria"},
        {1, {0, 1}, kStepSucceeded, ""},
        {1, {1, 5}, kStepSucceeded, ""},  // one top-level window with matching children
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(index++));
        multiple_window_error(row.setting);
        desktop.answers["Twins"] = {21, row.counts};
        desktop.calls.clear();
        rig.run.error_text.clear();
        EXPECT_EQ(window_step("Activate", "Twins"), row.result);
        EXPECT_EQ(rig.run.error_text, row.error);
        EXPECT_EQ(desktop.calls.size(), row.result == kStepSucceeded ? 2u : 1u);
    }
}

TEST_F(WindowStepTest, BitmapOptionActsOnTheWindowUnderTheImage) {
    rig.script.script_path = "C:\\scripts\\demo.zbx";
    rig.desktop.files.present = {"C:\\scripts\\button.bmp", "C:\\pictures\\other.bmp"};
    desktop.images["C:\\scripts\\button.bmp"] = 33;
    const uint32_t bitmap = kCriterionBitmap | kCriterionTitle;

    EXPECT_EQ(window_step("Activate", "missing.bmp", bitmap), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "The file 'missing.bmp' does not exist");

    EXPECT_EQ(window_step("Activate", "C:\\pictures\\other.bmp", bitmap), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to find image 'C:\\pictures\\other.bmp' on the screen");

    desktop.calls.clear();
    EXPECT_EQ(window_step("Activate", "button.bmp", bitmap), kStepSucceeded);
    EXPECT_EQ(desktop.calls, (Calls{"activate 33"}));  // no window search
    EXPECT_EQ(current(), 33);
}

TEST_F(WindowStepTest, MenuStepUsesTheForegroundWindowWhenThereIsNoCurrentWindow) {
    desktop.foreground = 55;
    desktop.menu_id = 40001;
    EXPECT_EQ(menu_step("Select Menu Item", "&File;&New"), kStepSucceeded);
    EXPECT_EQ(desktop.calls, (Calls{"sleep 250", "menu path 55 '&File;&New' post"}));
    EXPECT_EQ(current(), 55);

    desktop.calls.clear();
    rig.run.current_window = 7;
    EXPECT_EQ(menu_step("Select Menu Item", "&File;&New"), kStepSucceeded);
    EXPECT_EQ(desktop.calls, (Calls{"menu path 7 '&File;&New' post"}));
}

TEST_F(WindowStepTest, MenuItemFallsBackToKeysAndFailsWhenBothFail) {
    rig.run.current_window = 7;
    desktop.keys_pressed = true;
    EXPECT_EQ(menu_step("Select Menu Item", "&File; Save &As..."), kStepSucceeded);
    // ALT + the first level's key, then the next level's key, each given time to open.
    EXPECT_EQ(desktop.calls, (Calls{"menu path 7 '&File; Save &As...' post", "activate 7", "menu key F alt",
                                    "sleep 250", "menu key A", "sleep 250"}));

    desktop.keys_pressed = false;
    rig.set_variable("menu", "Nowhere");
    EXPECT_EQ(menu_step("Select Menu Item", "%menu"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "Unable to find menu 'Nowhere'");
}

TEST_F(WindowStepTest, SystemMenuAlwaysSucceeds) {
    rig.run.current_window = 7;
    EXPECT_EQ(menu_step("Select System Menu", "Ma&ximize"), kStepSucceeded);
    EXPECT_EQ(menu_step("Select System Menu", "Nothing at all"), kStepSucceeded);
    EXPECT_EQ(menu_step("Select System Menu", "&Help"), kStepSucceeded);
    desktop.keys_pressed = true;
    EXPECT_EQ(menu_step("Select System Menu", "Always on &Top"), kStepSucceeded);
    EXPECT_EQ(desktop.calls, (Calls{"system command 7 1", "system menu 7", "sleep 250", "menu key H", "system menu 7",
                                    "sleep 250", "menu key T", "sleep 250"}));
}

TEST_F(WindowStepTest, PopupMenuSavesTheChosenLine) {
    rig.ui.has_popup = false;
    EXPECT_EQ(menu_step("Show Popup Menu", "One\nTwo"), kStepFailed);
    EXPECT_EQ(rig.run.error_text, "The action \"Show Popup Menu\" is not available in this version of Zorbel");

    rig.ui.has_popup = true;
    rig.ui.popup_choice = 2;
    Step& step = make_step("Show Popup Menu", "One\r\nTwo\r\nThree", kOptionResultToVariable);
    copy_to_field(step.variable, "%choice");
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_EQ(rig.variable("choice"), "Two");

    rig.ui.popup_choice = 0;
    EXPECT_EQ(rig.run_step(), kStepSucceeded);
    EXPECT_FALSE(rig.has_variable("choice") && !rig.variable("choice").empty());
    EXPECT_TRUE(desktop.calls.empty());
}

TEST(PopupMenuLine, CountsLinesFromOneAndDropsLineEnds) {
    EXPECT_EQ(popup_menu_line("One\r\nTwo\r\n", 1), "One");
    EXPECT_EQ(popup_menu_line("One\r\nTwo\r\n", 2), "Two");
    EXPECT_EQ(popup_menu_line("One\r\nTwo\r\n", 3), "");
    EXPECT_EQ(popup_menu_line("One\r\nTwo\r\n", 4), "");
    EXPECT_EQ(popup_menu_line("One", 0), "");
    EXPECT_EQ(popup_menu_line("One", -1), "");
}

TEST_F(WindowStepTest, ConditionsSearchByTitleWithTheirModes) {
    desktop.answers["Apply"] = {8, {0, 1}};
    desktop.checked = {8};
    struct Row {
        const char* action;
        const char* text;
        bool holds;
        const char* call;
    } rows[] = {
        {"IF Window Exists", "Notepad", true, "find 1 'Notepad' 4096"},
        {"IF Window Exists", "Wordpad", false, "find 1 'Wordpad' 4096"},
        {"IF Control Exists", "Apply", true, "find 1 'Apply' 0"},
        {"IF Control Exists", "Cancel", false, "find 1 'Cancel' 0"},
        {"IF Control Is Checked", "Apply", true, "find 1 'Apply' 0"},
        {"IF Control Is Checked", "Notepad", false, "find 1 'Notepad' 0"},
        {"IF Control Is Checked", "Cancel", false, "find 1 'Cancel' 0"},
    };
    rig.run.current_window = 99;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.text);
        desktop.calls.clear();
        EXPECT_EQ(if_holds(row.action, row.text), row.holds);
        EXPECT_EQ(desktop.calls, (Calls{row.call}));
    }
    EXPECT_EQ(current(), 99);  // conditions leave the current window alone
}

TEST_F(WindowStepTest, WaitsSetTheCurrentWindowAndIgnoreOwnWindows) {
    desktop.answers["Zorbel"] = {3, {0, 0}};
    desktop.own_windows = {3};
    struct Row {
        const char* action;
        const char* text;
        bool satisfied;
        intptr_t current;
    } rows[] = {
        {"Wait for Window to Appear", "Notepad", true, 7},
        {"Wait for Window to Appear", "Wordpad", false, 0},
        {"Wait for Window to Appear", "Zorbel", false, 3},
        {"Wait for Window to Disappear", "Notepad", false, 7},
        {"Wait for Window to Disappear", "Wordpad", true, 0},
        {"Wait for Window to Disappear", "Zorbel", true, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.action) + " " + row.text);
        rig.run.current_window = 99;
        EXPECT_EQ(wait_holds(row.action, row.text), row.satisfied);
        EXPECT_EQ(current(), row.current);
    }
    EXPECT_EQ(desktop.calls.front(), "find 1 'Notepad' 0");
}

TEST(DesktopCurrentWindowTest, TakesTheForegroundWindowWhenNoneIsSet) {
    FakeDesktop fake;
    FakeWindowDesktop& desktop = fake.windows;
    RunState state;
    DesktopCurrentWindow window(desktop, state);
    EXPECT_EQ(window.handle(), 0);
    EXPECT_EQ(window.title(), "");
    WindowRect rect;
    EXPECT_FALSE(window.rect(&rect));

    desktop.foreground = 41;
    EXPECT_EQ(window.title(), "Window 41");
    EXPECT_EQ(state.current_window, 41);  // the foreground window became the current window
    desktop.foreground = 42;
    EXPECT_EQ(window.handle(), 41);
    EXPECT_EQ(window.class_name(), "Class41");
    ASSERT_TRUE(window.rect(&rect));
    EXPECT_EQ(rect.left, 41);
    EXPECT_EQ(rect.bottom, 400);
}

// A run starts without a current window; Run also forgets which window the last run
// activated, Run From Here keeps it.
TEST_F(WindowStepTest, RunsStartWithoutACurrentWindow) {
    rig.add("Comment");
    for (int command : {kCommandRunFromHere, kCommandRun}) {
        rig.run.current_window = 5;
        rig.run.window_activated = true;
        rig.controller.start_run(command);
        EXPECT_EQ(current(), 0);
        EXPECT_EQ(rig.run.window_activated, command == kCommandRunFromHere);
        rig.controller.stop_run(true);
    }
}

}  // namespace
}  // namespace zorbel
