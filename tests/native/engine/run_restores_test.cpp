// What a run changes on the machine and gives back at its end, and the user interface
// a run falls back on when none is wired.
#include <gtest/gtest.h>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

constexpr const char* kScreenSaver = "Control Panel\\Desktop\\ScreenSaveActive";

TEST(RunRestores, ScreenSaverIsOffDuringTheRunAndBackAfterIt) {
    for (int disable : {0, 1}) {
        SCOPED_TRACE(disable);
        RunRig rig;
        write_setting_number(rig.store, "SOFTWARE\\Zorbel\\DisableScreenSaver", disable);
        write_setting_text(rig.store, kScreenSaver, "1");
        rig.add("Comment");
        rig.controller.start_run(kCommandRun);
        EXPECT_EQ(setting_text(rig.store, kScreenSaver, 16), disable ? "0" : "1");
        rig.drive();
        EXPECT_EQ(setting_text(rig.store, kScreenSaver, 16), "1");
    }
}

TEST(RunRestores, HiliteSelectsTheStepWhereTheRunStopped) {
    RunRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\Hilite", 1);
    rig.add("Comment");
    rig.add("Comment").status = kStatusBreakpoint;
    rig.run_script();
    EXPECT_EQ(rig.host.selected, 1);
}

TEST(SilentUserInterfaceTest, AnswersWithoutShowingAnything) {
    SilentUserInterface ui;
    EXPECT_EQ(ui.box("t", "x", BoxIcon::kInformation, false), Answer::kYes);
    EXPECT_EQ(ui.box("t", "x", BoxIcon::kQuestion, true), Answer::kNo);
    int choice = 7;
    EXPECT_FALSE(ui.popup_menu("a\nb", &choice));
    EXPECT_EQ(ui.ask_yes_no("t", "x"), Answer::kNo);
}

}  // namespace
}  // namespace zorbel
