#include <gtest/gtest.h>

#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

TEST(RunController, RunsEveryStepOnceAndReportsCompletion) {
    RunRig rig;
    rig.add("Comment", "first");
    rig.add("Comment");
    rig.run_script();
    EXPECT_EQ((Lines{"[STEP 1]: Comment \"first\"", "[STEP 2]: Comment"}), rig.lines());
    EXPECT_EQ(" Run Completed", rig.ui.status);
    EXPECT_FALSE(rig.run.running);
    EXPECT_TRUE(rig.host.editing_enabled);
    EXPECT_NE(std::string::npos, rig.log().find("Run Completed at 0:00:00, (Elapsed Time: 0 seconds)\r\n\r\n"));
}

TEST(RunController, StartLineNamesTheScript) {
    RunRig rig;
    rig.add("Comment");
    rig.script.script_path = "C:\\s\\demo.zbx";
    rig.run_script();
    EXPECT_EQ(0u, rig.log().find("-----------------------------\r\nStarting Run at 0:00:00 for C:\\s\\demo.zbx\r\n"));
}

TEST(RunController, EmptyScriptShowsTheBoxAndDoesNotRun) {
    RunRig rig;
    rig.controller.start_run(kCommandRun);
    EXPECT_EQ((std::vector<std::string>{"System Message|The file is empty.\n\nPlease add commands before using this feature."}),
              rig.ui.boxes);
    EXPECT_FALSE(rig.run.running);
    EXPECT_EQ("", rig.log());
}

TEST(RunController, RepeatsGiveThatManyPasses) {
    struct Row {
        const char* repeats;
        int passes;
    } rows[] = {{"0", 1}, {"1", 1}, {"3", 3}};
    for (const Row& r : rows) {
        RunRig rig;
        rig.add("Set Run Repeats", "", r.repeats);
        rig.add("Comment", "body");
        rig.run_script();
        int bodies = 0;
        for (const std::string& line : rig.lines()) bodies += line == "[STEP 2]: Comment \"body\"";
        EXPECT_EQ(r.passes, bodies) << "repeats " << r.repeats;
    }
}

TEST(RunController, EndlessRepeatsRunUntilTheStopKey) {
    RunRig rig;
    rig.add("Set Run Repeats", "", "-1");
    rig.add("Comment");
    rig.controller.start_run(kCommandRun);
    rig.drive(50);
    EXPECT_TRUE(rig.run.running);
    rig.desktop.keyboard.down_keys.push_back(19);
    rig.drive(60);
    EXPECT_FALSE(rig.run.running);
    EXPECT_NE(std::string::npos, rig.log().find("Stop key pressed (0x13), aborting run\r\n"));
}

TEST(RunController, SkippedStepsArePassedOverAndAllSkippedEndsThePass) {
    RunRig rig;
    rig.add("Comment", "a").status = kStatusSkip;
    rig.add("Comment", "b");
    rig.add("Comment", "c").status = kStatusSkip;
    rig.run_script();
    EXPECT_EQ((Lines{"[STEP 2]: Comment \"b\""}), rig.lines());

    RunRig all;
    all.add("Comment").status = kStatusSkip;
    all.run_script();
    EXPECT_TRUE(all.lines().empty());
    EXPECT_FALSE(all.run.running);
}

TEST(RunController, BreakpointStopsBeforeTheStep) {
    RunRig rig;
    rig.add("Comment", "x").status = kStatusBreakpoint;
    rig.add("Comment", "y");
    rig.run_script();
    EXPECT_EQ((Lines{"Breakpoint at step #1 \"Comment\", stopping run"}), rig.lines());
    EXPECT_EQ(" Stopped at step #1", rig.ui.status);
}

TEST(RunController, LongStepTextsAreCutInTheHeader) {
    RunRig rig;
    rig.add("Comment", std::string(253, 'a'));
    rig.add("Comment", std::string(254, 'b'));
    rig.run_script();
    ASSERT_EQ(2u, rig.lines().size());
    EXPECT_EQ("[STEP 1]: Comment \"" + std::string(253, 'a') + "\"", rig.lines()[0]);
    EXPECT_EQ("[STEP 2]: Comment \"" + std::string(251, 'b') + "...\"", rig.lines()[1]);
}

TEST(RunController, UnknownActionFailsInTheDispatcher) {
    RunRig rig;
    Step& s = rig.add("Mouse");  // a group name: family 100004
    RunRig::on_failure(s, "Stop Silently");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("\tUnknown Command (100004) \"Mouse\"\r\n"));
}

TEST(RunController, UnbuiltFamiliesFailWithAClearReason) {
    RunRig rig;
    rig.ui.has_popup = false;
    RunRig::on_failure(rig.add("Show Popup Menu", "hello"), "Stop Silently");
    rig.run_script();
    EXPECT_NE(std::string::npos,
              rig.log().find("\tThe action \"Show Popup Menu\" is not available in this version of Zorbel\r\n"));
    EXPECT_NE(std::string::npos, rig.log().find("\tRUN FAILED\r\n"));
}

TEST(RunController, ExitRunSetsTheReturnCodeAndStops) {
    RunRig rig;
    rig.add("Exit Run", "", "7");
    rig.add("Comment", "never");
    rig.run.exit_after_run = true;
    rig.run_script();
    EXPECT_EQ(7, rig.run.return_code);
    EXPECT_TRUE(rig.host.closed);
    EXPECT_EQ((Lines{"[STEP 1]: Exit Run"}), rig.lines());
}

TEST(RunController, ExitZorbelClosesTheProgram) {
    RunRig rig;
    rig.add("Exit Zorbel");
    rig.controller.start_run(kCommandRun);
    rig.drive();
    EXPECT_TRUE(rig.host.closed);
}

TEST(RunController, SetRunSpeedChangesTheDelayAndTheSetting) {
    RunRig rig;
    rig.add("Set Run Speed", "", "3");
    rig.add("Comment");
    rig.controller.start_run(kCommandRun);
    rig.drive(2);
    EXPECT_EQ(3, rig.run.speed);
    EXPECT_EQ(500u, rig.host.timer_ms);
    EXPECT_EQ(3, setting_number(rig.store, "SOFTWARE\\Zorbel\\Speed"));
}

TEST(RunController, SpeedDelaysFollowTheTable) {
    const uint32_t expected[] = {2000, 1000, 500, 350, 200, 100, 50, 25, 10, 1};
    for (int speed = 1; speed <= 10; ++speed) EXPECT_EQ(expected[speed - 1], speed_delay(speed)) << speed;
}

TEST(RunController, ElapsedTimeFormats) {
    EXPECT_EQ("59 seconds", elapsed_time_text(59));
    EXPECT_EQ("1:01", elapsed_time_text(61));
    EXPECT_EQ("1:01:01", elapsed_time_text(3661));
}

TEST(RunController, DefaultSpeedBelowOneRunsAtSeven) {
    RunRig rig;
    write_setting_number(rig.store, "SOFTWARE\\Zorbel\\DefaultSpeed", 0);
    rig.add("Comment");
    rig.controller.start_run(kCommandRun);
    EXPECT_EQ(7, rig.run.speed);
}

TEST(RunController, RunFromHereStartsAtTheSelectedRow) {
    RunRig rig;
    rig.add("Comment", "a");
    rig.add("Comment", "b");
    rig.host.selected = 1;
    rig.run_script(kCommandRunFromHere);
    EXPECT_EQ((Lines{"[STEP 2]: Comment \"b\""}), rig.lines());
}

TEST(RunController, SingleStepRunsOneStepAndAdvances) {
    RunRig rig;
    rig.add("Comment", "a");
    rig.add("Comment", "b");
    rig.host.selected = 0;
    rig.controller.start_run(kCommandRunSingleStep);
    EXPECT_EQ(" Successfully ran step #1", rig.ui.status);
    EXPECT_EQ(1, rig.host.selected);
    EXPECT_EQ((Lines{"[STEP 1]: Comment \"a\""}), rig.lines());
    EXPECT_FALSE(rig.host.timer_armed);
}

// What a run opened belongs to the run: the families' run state is gone after the
// stop, and keys the script held down go up (the keyboard family's stop hook).
TEST(RunController, RunStateIsReleasedAtStop) {
    struct Probe : FamilyRunState {
        explicit Probe(bool* gone = nullptr) : gone(gone) {}
        ~Probe() override {
            if (gone) *gone = true;
        }
        bool* gone;
    };
    RunRig rig;
    rig.add("Comment");
    rig.controller.start_run(kCommandRun);
    bool gone = false;
    rig.run.state_of<Probe>(9).gone = &gone;
    rig.run.held_keys[0] = 0x10;
    rig.run.held_keys[2] = 0x11;
    rig.drive();
    EXPECT_TRUE(gone);
    EXPECT_EQ(nullptr, rig.run.existing_state_of<Probe>(9));
    EXPECT_EQ((std::vector<std::string>{"up 16", "up 17 ext"}), rig.desktop.effects());
    EXPECT_EQ(0, rig.run.held_keys[0]);
}

TEST(RunController, UserVariablesAreResetAtRunStartUnlessSetOnTheCommandLine) {
    for (bool from_command_line : {false, true}) {
        RunRig rig;
        write_setting_number(rig.store, "SOFTWARE\\Zorbel\\ResetUserVariables", 1);
        rig.set_variable("old", "1");
        rig.controller.command_line_variables = from_command_line;
        rig.add("Comment");
        rig.run_script();
        EXPECT_EQ(from_command_line, rig.has_variable("old")) << from_command_line;
    }
}

// At speed 10 a tick runs steps back to back. The Output text passes through this
// box, which can act when a line is written: press the stop key, or let time pass.
class LineHook : public LogOutput {
public:
    explicit LineHook(RunRig& rig) : rig_(rig) { rig.services.output = this; }
    std::string press_stop_key_after;  // a line's start
    uint32_t ms_per_line = 0;
    bool visible() override { return true; }
    void append(std::string_view line) override {
        rig_.output.append(line);
        rig_.desktop.clock.now_ms += ms_per_line;
        if (!press_stop_key_after.empty() && line.substr(0, press_stop_key_after.size()) == press_stop_key_after)
            rig_.desktop.keyboard.down_keys.push_back(19);
    }

private:
    RunRig& rig_;
};

// Every run gives the same log, status and variables in slices as one step per tick,
// in fewer ticks.
TEST(RunController, SlicesLogExactlyWhatOneStepPerTickLogs) {
    struct Row {
        const char* name;
        void (*build)(RunRig&, LineHook&);
    } rows[] = {
        {"skips",
         [](RunRig& r, LineHook&) {
             r.add("Comment", "a");
             r.add("Comment", "b").status = kStatusSkip;
             r.add("Comment", "c");
             r.add("Comment", "d").status = kStatusSkip;
         }},
        {"repeats",
         [](RunRig& r, LineHook&) {
             r.add("Set Run Repeats", "", "3");
             r.add("Comment", "body");
             r.add("Comment", "tail").status = kStatusSkip;
         }},
        {"breakpoint",
         [](RunRig& r, LineHook&) {
             r.add("Comment", "a");
             r.add("Comment", "b");
             r.add("Comment", "c").status = kStatusBreakpoint;
             r.add("Comment", "d");
         }},
        {"stop key",
         [](RunRig& r, LineHook& hook) {
             r.add("Set Run Repeats", "", "-1");
             for (int i = 0; i < 5; ++i) r.add("Comment", "step");
             hook.press_stop_key_after = "[STEP 4]";
         }},
        {"variables and jumps",
         [](RunRig& r, LineHook&) {
             r.add_variable_step("Increment Variable", "n");
             r.add("Goto Label", "end");
             r.add("Comment", "jumped over");
             r.add("Label", "end");
             r.add_variable_step("Increment Variable", "n");
         }},
        {"failures",
         [](RunRig& r, LineHook&) {
             r.add("Comment", "before");
             RunRig::on_failure(r.add("Goto Label", "missing"), "Retry the Step x Times", "2");
             r.add("Comment", "never");
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RunRig sliced, per_tick;
        LineHook sliced_hook(sliced), per_tick_hook(per_tick);
        per_tick.controller.slices = false;
        row.build(sliced, sliced_hook);
        row.build(per_tick, per_tick_hook);
        sliced.run_script();
        per_tick.run_script();
        EXPECT_EQ(per_tick.log(), sliced.log());
        EXPECT_EQ(per_tick.ui.status, sliced.ui.status);
        EXPECT_EQ(per_tick.script.current_step, sliced.script.current_step);
        EXPECT_EQ(per_tick.has_variable("n") ? per_tick.variable("n") : "", sliced.has_variable("n") ? sliced.variable("n") : "");
        EXPECT_FALSE(sliced.run.running);
        EXPECT_LT(sliced.ticks, per_tick.ticks);
    }
}

// A slice ends after a step that takes the desktop, the clock or the user interface,
// after about 10 ms, or after its most steps; below speed 10 every step has its tick.
TEST(RunController, SlicesEndWhereTheyMust) {
    struct Row {
        const char* name;
        void (*build)(RunRig&, LineHook&);
        int ticks;
    } rows[] = {
        {"one slice", [](RunRig& r, LineHook&) { for (int i = 0; i < 9; ++i) r.add("Comment"); }, 1},
        {"a delay ends it",
         [](RunRig& r, LineHook&) {
             r.add("Comment");
             r.add("Delay", "", "0");
             r.add("Comment");
         },
         2},
        {"10 ms", [](RunRig& r, LineHook& hook) {
             for (int i = 0; i < 9; ++i) r.add("Comment");
             hook.ms_per_line = 4;  // three steps reach 12 ms
         }, 4},
        {"most steps", [](RunRig& r, LineHook&) { for (int i = 0; i < kSliceStepLimit + 1; ++i) r.add("Comment"); }, 2},
        {"speed 9", [](RunRig& r, LineHook&) {
             r.add("Set Run Speed", "", "9");
             for (int i = 0; i < 3; ++i) r.add("Comment");
         }, 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RunRig rig;
        LineHook hook(rig);
        row.build(rig, hook);
        rig.run_script();
        EXPECT_FALSE(rig.run.running) << rig.log();
        EXPECT_EQ(row.ticks, rig.ticks);
    }
}

// A failure that stops the run is told apart from other ends of a run (the
// unattended exit code), until the next run starts.
TEST(RunController, StoppedOnFailureIsKnownUntilTheNextRun) {
    RunRig rig;
    Step& failing = rig.add("Goto Label", "missing");
    RunRig::on_failure(failing, "Stop Silently");
    rig.run_script();
    EXPECT_TRUE(rig.controller.stopped_on_failure);
    RunRig::on_failure(failing, "Ignore/Continue");
    rig.run_script();
    EXPECT_FALSE(rig.controller.stopped_on_failure);
}

}  // namespace
}  // namespace zorbel
