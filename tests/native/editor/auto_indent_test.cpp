#include <gtest/gtest.h>

#include "editor/model/auto_indent.h"
#include "tests/native/editor/editor_test_util.h"

namespace zorbel {
namespace {

// "-" before an action marks the step skipped.
std::vector<Step> script_of(const std::vector<std::string>& actions) {
    std::vector<Step> steps;
    for (const std::string& a : actions) {
        const bool skipped = !a.empty() && a[0] == '-';
        steps.push_back(make_step(skipped ? a.c_str() + 1 : a.c_str()));
        steps.back().indents = 99;  // whatever was there before is replaced
        if (skipped) steps.back().status = kStatusSkip;
    }
    return steps;
}

std::vector<int32_t> indents_of(const std::vector<Step>& steps) {
    std::vector<int32_t> out;
    for (const Step& s : steps) out.push_back(s.indents);
    return out;
}

TEST(AutoIndent, IndentsAndReportsOverTheBlockCases) {
    struct Case {
        const char* name;
        std::vector<std::string> actions;
        std::vector<int32_t> indents;
        std::string error;
    };
    const Case cases[] = {
        {"empty script", {}, {}, ""},
        {"nested blocks",
         {"Start 'For' Loop", "IF Window Exists", "Delay", "ELSE", "Delay", "END IF", "NEXT LOOP", "Delay"},
         {0, 1, 2, 1, 2, 1, 0, 0},
         ""},
        {"crossed blocks pass unnoticed",
         {"IF Expression", "Start 'For' Loop", "END IF", "NEXT LOOP"},
         {0, 1, 1, 0},
         ""},
        {"ELSE sits with its IF", {"IF Expression", "ELSE", "END IF"}, {0, 0, 0}, ""},
        {"skipped ELSE stays in its block", {"IF Expression", "-ELSE", "END IF"}, {0, 1, 0}, ""},
        {"two END IF after one IF",
         {"IF Expression", "END IF", "END IF"},
         {0, 0, -1},
         "There is 1 'END IF' without a matching 'IF'"},
        {"skipped IF opens nothing",
         {"-IF Expression", "Delay", "END IF"},
         {0, 0, -1},
         "There is 1 'END IF' without a matching 'IF'"},
        {"skipped closers close nothing",
         {"IF Expression", "Start Files Loop", "-NEXT LOOP", "-END IF", "NEXT LOOP", "END IF"},
         {0, 1, 2, 2, 1, 0},
         ""},
        {"two IF and one END IF",
         {"IF Expression", "IF File Exists", "END IF"},
         {0, 1, 1},
         "There is 1 'IF' without a matching 'END IF'"},
        {"plural", {"IF Expression", "IF Expression", "IF Expression", "END IF"}, {0, 1, 2, 2},
         "There are 2 'IF' without a matching 'END IF'"},
        {"END IF first", {"END IF", "END IF", "Delay"}, {-1, -2, -2}, "There are 2 'END IF' without a matching 'IF'"},
        {"open loop", {"Start 'While' Loop", "Delay"}, {0, 1}, "There is 1 'START LOOP' without a matching 'NEXT LOOP'"},
        {"extra NEXT LOOP", {"NEXT LOOP"}, {-1}, "There is 1 'NEXT LOOP' without a matching 'START LOOP'"},
        {"IF reported before loop", {"Start Windows Loop", "IF Expression"}, {0, 1},
         "There is 1 'IF' without a matching 'END IF'"},
        {"names ignore case", {"if expression", "start 'for' loop", "next loop", "else", "end if"}, {0, 1, 1, 0, 0},
         ""},
        {"Break out of Loop opens nothing", {"Start 'For' Loop", "Break out of Loop", "NEXT LOOP"}, {0, 1, 0}, ""},
        {"ELSE outside any IF", {"ELSE"}, {-1}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Step> steps = script_of(c.actions);
        const BlockDepths depths = auto_indent(steps);
        EXPECT_EQ(indents_of(steps), c.indents);
        EXPECT_EQ(validation_error(depths), c.error);
    }
}

TEST(AutoIndent, OnlyElseIsCappedAtSixteen) {
    std::vector<std::string> actions(18, "IF Expression");
    actions.push_back("ELSE");
    actions.push_back("Delay");
    std::vector<Step> steps = script_of(actions);
    auto_indent(steps);
    EXPECT_EQ(steps[17].indents, 17);
    EXPECT_EQ(steps[18].indents, 16);
    EXPECT_EQ(steps[19].indents, 18);
}

TEST(AutoIndent, CompletionTextCountsTheSteps) {
    EXPECT_EQ(validation_complete(0), "Validation of 0 step(s) complete - 0 errors found");
    EXPECT_EQ(validation_complete(12), "Validation of 12 step(s) complete - 0 errors found");
}

}  // namespace
}  // namespace zorbel
