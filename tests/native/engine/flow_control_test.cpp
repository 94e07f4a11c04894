#include <gtest/gtest.h>

#include <fstream>

#include "engine/condition.h"
#include "tests/native/support/run_rig.h"

namespace zorbel {
namespace {

using Lines = std::vector<std::string>;

TEST(Condition, EvaluatesComparisons) {
    struct Row {
        const char* text;
        int expected;
    } rows[] = {
        {"", 0},           {"0", 0},           {"hello", 1},        {"00", 1},
        {"5 > 10", 0},     {"abc > abd", 0},   {"ABC != abc", 0},   {"ABC = abc", 0},
        {"2.5 > 10", 1},   {"10 >= 10", 1},    {"3 <= 2", 0},       {"a <> b", 1},
        {"a >< a", 0},     {"1,000 = 1000", 0}, {"x == x", 1},      {"5 => 3", 0},
        {"b < a", 0},      {"a < b", 1},       {"1 != 1", 0},       {"-5 < 3", 1},
    };
    for (const Row& r : rows) EXPECT_EQ(r.expected, evaluate_condition(r.text, nullptr)) << '"' << r.text << '"';
}

TEST(Condition, SplitsAtTheFirstAndLastOperatorRuns) {
    ConditionParts p = split_condition("a = b >= c");
    EXPECT_EQ("a", p.left);
    EXPECT_EQ(">=", p.op);
    EXPECT_EQ("c", p.right);
    EXPECT_EQ(2, p.type);
    EXPECT_EQ(1, split_condition("1 + 2 = 3").type);
}

TEST(IfFamily, FalseConditionJumpsPastTheMatchingEnd) {
    RunRig rig;
    rig.add("IF Expression", "1 = 2");
    rig.add("IF Expression", "1 = 1");
    rig.add("Comment", "inner");
    rig.add("END IF");
    rig.add("ELSE");
    rig.add("Comment", "else part");
    rig.add("END IF");
    rig.run_script();
    Lines lines = rig.lines();
    EXPECT_EQ(std::string::npos, rig.log().find("inner"));
    EXPECT_NE(std::string::npos, rig.log().find("\tJumping to Step 5\r\n"));
    EXPECT_NE(std::string::npos, rig.log().find("else part"));
}

TEST(IfFamily, TrueConditionRunsThenElseJumpsToEndIf) {
    RunRig rig;
    rig.add("IF Expression", "2 > 1");
    rig.add("Comment", "then part");
    rig.add("ELSE");
    rig.add("Comment", "else part");
    rig.add("END IF");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("then part"));
    EXPECT_EQ(std::string::npos, rig.log().find("else part"));
    EXPECT_NE(std::string::npos, rig.log().find("after"));
}

TEST(IfFamily, SkippedEndIfIsInvisibleToTheMatching) {
    RunRig rig;
    rig.add("IF Expression", "0");
    rig.add("Comment", "a");
    rig.add("END IF").status = kStatusSkip;
    rig.add("Comment", "b");
    rig.add("END IF");
    rig.add("Comment", "c");
    rig.run_script();
    EXPECT_EQ(std::string::npos, rig.log().find("\"a\""));
    EXPECT_EQ(std::string::npos, rig.log().find("\"b\""));
    EXPECT_NE(std::string::npos, rig.log().find("\"c\""));
}

TEST(IfFamily, MissingEndIfWarnsAndEndsThePass) {
    RunRig rig;
    rig.add("IF Expression", "0");
    rig.add("Comment", "a");
    rig.run_script();
    EXPECT_NE(std::string::npos,
              rig.log().find("\tWARNING: Matching ELSE/END IF statement not found!  Jumping to Step 2\r\n"));
    EXPECT_EQ(std::string::npos, rig.log().find("\"a\""));
}

TEST(IfFamily, FileFolderClipboardAndCapsTests) {
    TempFolder folder;
    std::ofstream(folder.file("there.txt")) << "x";
    RunRig rig;
    rig.desktop.clipboard.set_text("exact");
    rig.desktop.keyboard.caps = true;
    const char* tests[][2] = {
        {"IF File Exists", "there.txt"}, {"IF File Exists", "missing.txt"}, {"IF Folder Exists", ""},
        {"IF Clipboard Equals", "exact"}, {"IF Clipboard Equals", "Exact"}, {"IF Caps Lock is On", ""},
    };
    const bool expected[] = {true, false, true, true, false, true};
    for (size_t i = 0; i < 6; ++i) {
        std::string text = tests[i][1];
        if (std::string(tests[i][0]).find("Exists") != std::string::npos) text = text.empty() ? folder.path() : folder.file(text);
        rig.add(tests[i][0], text);
        rig.add("Comment", "yes " + std::to_string(i));
        rig.add("END IF");
    }
    rig.run_script();
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], rig.log().find("yes " + std::to_string(i)) != std::string::npos) << tests[i][0] << i;
}

TEST(Loops, ForLoopRunsItsBodyTheGivenTimes) {
    RunRig rig;
    rig.add("Start 'For' Loop", "", "3");
    rig.add_variable_step("Increment Variable", "count");
    rig.add("NEXT LOOP");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ(3, text_to_number(rig.variable("count")));
    for (const char* line : {"\tCompleted 1 iteration of Loop started at step #1\r\n",
                             "\tCompleted 2 iterations of Loop started at step #1\r\n",
                             "\tCompleted 3 iterations of Loop started at step #1\r\n"})
        EXPECT_NE(std::string::npos, rig.log().find(line)) << line;
    EXPECT_NE(std::string::npos, rig.log().find("after"));
    EXPECT_EQ(0, rig.run.loops.depth);
}

TEST(Loops, ForLoopOfZeroLeavesAtOnce) {
    RunRig rig;
    rig.add("Start 'For' Loop", "", "0");
    rig.add("Comment", "body");
    rig.add("NEXT LOOP");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ((Lines{"[STEP 1]: Start 'For' Loop", "\t0 iterations of loop requested, leaving immediately...",
                     "\tBreaking out of Loop started at step #1", "\tFound matching NEXT LOOP at step #3",
                     "[STEP 4]: Comment \"after\""}),
              rig.lines());
}

TEST(Loops, NestedLoopsKeepTheirOwnCounters) {
    RunRig rig;
    rig.add("Start 'For' Loop", "", "2");
    rig.add("Start 'For' Loop", "", "3");
    rig.add_variable_step("Increment Variable", "n");
    rig.add("NEXT LOOP");
    rig.add("NEXT LOOP");
    rig.run_script();
    EXPECT_EQ(6, text_to_number(rig.variable("n")));
}

TEST(Loops, WhileLoopAndBreak) {
    RunRig rig;
    rig.set_variable("i", "0");
    rig.add("Start 'While' Loop", "%i < 10");
    rig.add_variable_step("Increment Variable", "i");
    rig.add("IF Expression", "%i = 4");
    rig.add("Break out of Loop");
    rig.add("END IF");
    rig.add("NEXT LOOP");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ(4, text_to_number(rig.variable("i")));
    EXPECT_NE(std::string::npos, rig.log().find("after"));

    RunRig never;
    never.add("Start 'While' Loop", "1 = 2");
    never.add("Comment", "body");
    never.add("NEXT LOOP");
    never.run_script();
    EXPECT_NE(std::string::npos,
              never.log().find("\tWHILE loop expression negative on first evaluation, leaving immediately...\r\n"));
    EXPECT_EQ(std::string::npos, never.log().find("body"));
}

TEST(Loops, FileLineLoopReadsEveryLine) {
    TempFolder folder;
    std::ofstream(folder.file("lines.txt"), std::ios::binary) << "alpha\r\nbeta\r\ngamma";
    RunRig rig;
    rig.add("Start File Line Loop", folder.file("lines.txt"));
    rig.add("Write to Log", "line: %file_line_loop");
    rig.add("NEXT LOOP");
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", folder.file("log.txt"));
    rig.run_script();
    std::string written;
    files::read_all(folder.file("log.txt"), &written);
    EXPECT_EQ("line: alpha\r\nline: beta\r\nline: gamma\r\n", written);
}

TEST(Loops, FilesLoopVisitsEveryFileButNotFolders) {
    TempFolder folder;
    for (const char* name : {"a.txt", "b.txt", "c.dat"}) std::ofstream(folder.file(name)) << name;
    std::filesystem::create_directory(folder.file("sub.txt"));
    RunRig rig;
    rig.add("Start Files Loop", folder.file("*.txt"));
    rig.add("Write to Log", "%file_loop");
    rig.add("NEXT LOOP");
    write_setting_text(rig.store, "SOFTWARE\\Zorbel\\Logfile", folder.file("log.log"));
    rig.run_script();
    std::string written;
    files::read_all(folder.file("log.log"), &written);
    EXPECT_NE(std::string::npos, written.find("a.txt\r\n"));
    EXPECT_NE(std::string::npos, written.find("b.txt\r\n"));
    EXPECT_EQ(std::string::npos, written.find("c.dat"));
    EXPECT_EQ(std::string::npos, written.find("sub.txt"));
}

TEST(Loops, DatasetLoopWalksTheRows) {
    RunRig rig;
    rig.run.dataset_rows = {"1, a", "2, b"};
    rig.add("Start Dataset Loop");
    rig.add_variable_step("Increment Variable", "rows");
    rig.add("NEXT LOOP");
    rig.controller.start_run(kCommandRun);
    rig.run.dataset_rows = {"1, a", "2, b"};  // start_run keeps the last query result
    rig.drive();
    EXPECT_EQ(2, text_to_number(rig.variable("rows")));
}

TEST(Labels, GotoLabelJumpsToTheLabelStep) {
    RunRig rig;
    rig.add("Goto Label", "target");
    rig.add("Comment", "skipped");
    rig.add("Label", "TARGET");
    rig.add("Comment", "after");
    rig.run_script();
    EXPECT_EQ((Lines{"[STEP 1]: Goto Label \"target\"", "[STEP 3]: Label \"TARGET\"", "[STEP 4]: Comment \"after\""}),
              rig.lines());
}

TEST(Labels, GotoLabelWithEmptyTextFindsNothing) {
    RunRig rig;
    RunRig::on_failure(rig.add("Goto Label", ""), "Stop Silently");
    rig.add("Label", "");
    rig.run_script();
    EXPECT_NE(std::string::npos, rig.log().find("\tLabel \"\" not found\r\n"));
}

}  // namespace
}  // namespace zorbel

namespace zorbel {
namespace {

TEST(WaitFamily, DelayRearmsTheTimerWithItsTimeAndGoesOn) {
    RunRig rig;
    rig.add("Delay", "", "1.5");
    rig.add("Comment", "after");
    rig.controller.start_run(kCommandRun);
    rig.drive(1);
    EXPECT_TRUE(rig.host.timer_armed);
    EXPECT_EQ(1500u, rig.host.timer_ms);
    EXPECT_EQ(1, rig.script.current_step);
    rig.drive();
    EXPECT_NE(std::string::npos, rig.log().find("\tDuration: 1.5 second(s)\r\n[STEP 2]: Comment \"after\""));
}

TEST(WaitFamily, FreezeBlocksForItsTime) {
    RunRig rig;
    rig.add("Freeze", "", "0.25");
    rig.run_script();
    EXPECT_EQ(250u, rig.desktop.clock.slept_ms);
}

TEST(WaitFamily, WaitForFileSucceedsOnceTheFileExists) {
    TempFolder folder;
    RunRig rig;
    RunRig::on_failure(rig.add("Wait for File", folder.file("late.txt"), "2"), "Stop Silently");
    rig.add("Comment", "after");
    rig.controller.start_run(kCommandRun);
    rig.drive(5);
    EXPECT_EQ(std::string::npos, rig.log().find("after"));
    std::ofstream(folder.file("late.txt")) << "x";
    rig.drive();
    EXPECT_NE(std::string::npos, rig.log().find("after"));
    EXPECT_EQ(std::string::npos, rig.log().find("RUN FAILED"));
}

}  // namespace
}  // namespace zorbel
