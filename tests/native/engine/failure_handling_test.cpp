#include <gtest/gtest.h>

#include "engine/failure_handling.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

// A step that fails without a dialog: a jump to a label that does not exist.
Step& add_failing(RunRig& rig, const char* mode, const char* label = "", const char* timeout = "") {
    Step& s = rig.add("Goto Label", "nowhere", timeout);
    RunRig::on_failure(s, mode, label);
    return s;
}

const char* kFailLines = "\tERROR while running step #1:  Goto Label nowhere";

TEST(FailureHandling, ModesAreFoundByKeywordInOrder) {
    struct Row {
        const char* name;
        FailureMode mode;
    } rows[] = {
        {"Ignore/Continue", FailureMode::kIgnore},
        {"Retry the Step x Times", FailureMode::kRetry},
        {"Display Error and Continue", FailureMode::kErrorContinue},
        {"Display Error and Stop", FailureMode::kErrorStop},
        {"", FailureMode::kErrorStop},
        {"Stop Silently", FailureMode::kSilent},
        {"Ask to Continue", FailureMode::kAsk},
        {"Jump to Label", FailureMode::kJump},
        {"Increment Variable", FailureMode::kVariable},
        {"Restart Run", FailureMode::kRestart},
        {"something else", FailureMode::kOther},
    };
    for (const Row& r : rows) EXPECT_EQ(r.mode, failure_mode_of(r.name)) << r.name;
}

TEST(FailureHandling, IgnoreGoesOnWithTheNextStep) {
    RunRig rig;
    add_failing(rig, "Ignore/Continue");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ((Lines{"[STEP 1]: Goto Label \"nowhere\"", std::string(kFailLines), "\tFailure Action: Ignore/Continue",
                     "\tLabel \"nowhere\" not found", "\tContinuing with next step...", "[STEP 2]: Comment \"after\""}),
              rig.lines());
}

TEST(FailureHandling, DisplayErrorAndStopShowsTheBoxAndStops) {
    RunRig rig;
    add_failing(rig, "Display Error and Stop");
    rig.add("Comment", "never");
    rig.run_script();
    ASSERT_EQ(1u, rig.ui.boxes.size());
    EXPECT_EQ("Zorbel Run Failure|Error while running step #1:  Goto Label nowhere\r\n\r\nLabel \"nowhere\" not found",
              rig.ui.boxes[0]);
    EXPECT_EQ("\tRUN FAILED", rig.lines().back());
    EXPECT_EQ(std::string::npos, rig.log().find("never"));
}

TEST(FailureHandling, StopSilentlyShowsNoBox) {
    RunRig rig;
    add_failing(rig, "Stop Silently");
    rig.run_script();
    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ("\tRUN FAILED", rig.lines().back());
}

TEST(FailureHandling, RetryRunsTheStepAgainThenStops) {
    RunRig rig;
    add_failing(rig, "Retry the Step x Times", "2");
    rig.run_script();
    Lines lines = rig.lines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "[STEP 1]: Goto Label \"nowhere\""));  // announced once
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "\tRetrying step (retry #1 of 2)..."));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "\tRetrying step (retry #2 of 2)..."));
    EXPECT_EQ(3, std::count(lines.begin(), lines.end(), std::string(kFailLines)));
    EXPECT_EQ("\tRUN FAILED", lines.back());
}

TEST(FailureHandling, JumpToLabelMatchesIgnoringCase) {
    RunRig rig;
    add_failing(rig, "Jump to Label", "end");
    rig.add("Comment", "skipped");
    rig.add("Label", "END");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("\tJumping to label \"end\" (Step #3)\r\n"));
    EXPECT_EQ(std::string::npos, rig.log().find("skipped"));
    EXPECT_EQ("[STEP 3]: Label \"END\"", rig.lines().back());
}

TEST(FailureHandling, JumpToAMissingLabelStopsWithABox) {
    RunRig rig;
    add_failing(rig, "Jump to Label", "gone");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("\tLabel \"gone\" not found\r\n\tRUN FAILED\r\n"));
    ASSERT_EQ(1u, rig.ui.boxes.size());
    EXPECT_EQ("Error|Label \"gone\" not found\r\n", rig.ui.boxes[0]);
}

TEST(FailureHandling, IncrementVariableCountsAndGoesOn) {
    RunRig rig;
    rig.set_variable("fails", "41");
    add_failing(rig, "Increment Variable", "fails");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("\tIncrementing variable 'fails' = 42\r\n"));
    EXPECT_EQ(42, text_to_number(rig.variable("fails")));
}

TEST(FailureHandling, RestartRunGoesBackToStepOne) {
    RunRig rig;
    rig.set_variable("n", "0");
    rig.add_variable_step("Increment Variable", "n");
    Step& s = rig.add("IF Expression", "%n < 3");
    (void)s;
    add_failing(rig, "Restart Run");
    rig.script.steps[2].text = "nowhere";
    rig.add("END IF");
    rig.run_script();
    EXPECT_EQ(3, text_to_number(rig.variable("n")));
}

TEST(FailureHandling, AskToContinueFollowsTheAnswer) {
    RunRig yes;
    yes.ui.answers.push_back(Answer::kYes);
    add_failing(yes, "Ask to Continue");
    yes.add("Comment", "after");
    yes.run_script();
    EXPECT_NE(std::string::npos, yes.log().find("\tUser chose to CONTINUE\r\n"));
    EXPECT_EQ("[STEP 2]: Comment \"after\"", yes.lines().back());
    ASSERT_EQ(1u, yes.ui.boxes.size());
    EXPECT_NE(std::string::npos, yes.ui.boxes[0].find("\n\nContinue?"));

    RunRig no;
    add_failing(no, "Ask to Continue");
    no.add("Comment", "after");
    no.run_script();
    EXPECT_NE(std::string::npos, no.log().find("\tUser chose to STOP\r\n\tRUN FAILED\r\n"));
}

TEST(FailureHandling, AStepIsRetriedUntilItsTimeoutHasPassed) {
    RunRig rig;
    add_failing(rig, "Stop Silently", "", "5");
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\DefaultSpeed", 5);  // 200 ms between tries
    const uint32_t start = rig.desktop.clock.now_ms;
    rig.run_script();
    const uint32_t waited = rig.desktop.clock.now_ms - start;
    EXPECT_GT(waited, 5000u);
    EXPECT_LT(waited, 5600u);
    Lines lines = rig.lines();
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), std::string(kFailLines)));
    EXPECT_EQ(1, std::count(lines.begin(), lines.end(), "[STEP 1]: Goto Label \"nowhere\""));
}

TEST(FailureHandling, ImageFlagSavesAScreenCaptureBesideTheLog) {
    EXPECT_EQ("C:\\ZorbelLog Step #3 FAILURE 2007-05-06 140309.bmp",
              failure_capture_path("C:\\ZorbelLog.txt", 3, 2007, 5, 6, 14, 3, 9));
    RunRig rig;
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", "C:\\logs\\run.txt");
    add_failing(rig, "Stop Silently").onfail_image = 1;
    rig.run_script();
    EXPECT_EQ((std::vector<std::string>{"0|C:\\logs\\run Step #1 FAILURE 2000-01-01 000000.bmp"}), rig.desktop.screen.captured_files);
}

TEST(FailureHandling, LogFlagWritesTheFailureWhileLoggingIsOff) {
    RunRig rig;
    TempFolder folder;
    std::string log_file = folder.file("run.log");
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", log_file);
    add_failing(rig, "Stop Silently").onfail_log = 1;
    rig.run_script();
    std::string written;
    ASSERT_EQ(files::ReadResult::kOk, files::read_all(log_file, &written));
    EXPECT_EQ(0u, written.find("\tERROR while running step #1:"));
    EXPECT_EQ(0, setting_number(rig.store, "SOFTWARE\\Zorbel\\Log"));
}

TEST(FailureHandling, SingleStepNeverContinues) {
    RunRig rig;
    add_failing(rig, "Ignore/Continue");
    rig.add("Comment");
    rig.host.selected = 0;
    rig.controller.start_run(kCommandRunSingleStep);
    EXPECT_EQ(" Stopped at step #1", rig.ui.status);
    EXPECT_NE(std::string::npos, rig.log().find("\tRUN FAILED\r\n"));
    EXPECT_FALSE(rig.host.timer_armed);
    EXPECT_EQ(0, rig.host.posted_ticks);
}

}  // namespace
}  // namespace zorbel
