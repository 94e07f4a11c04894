#include <gtest/gtest.h>

#include "editor/model/step_commands.h"
#include "editor_test_util.h"

namespace zorbel {
namespace {

using Texts = std::vector<std::string>;

TEST(StepCommands, EditsOnWholeSteps) {
    struct Case {
        const char* name;
        std::function<EditOutcome(StepCommands&)> command;
        Texts expected;
        const char* message;
    };
    const Case cases[] = {
        {"delete two", [](StepCommands& c) { return c.remove(rows({1, 3})); }, {"s1", "s3", "s5"}, ""},
        {"cut then paste before row 1",
         [](StepCommands& c) {
             c.cut(rows({3, 4}));
             return c.paste(rows({0}));
         },
         {"s4", "s5", "s1", "s2", "s3"}, ""},
        {"copy then paste with nothing selected appends",
         [](StepCommands& c) {
             c.copy(rows({0}));
             return c.paste(Selection{});
         },
         {"s1", "s2", "s3", "s4", "s5", "s1"}, ""},
        {"paste with several rows selected goes before the lowest",
         [](StepCommands& c) {
             c.copy(rows({4}));
             return c.paste(rows({2, 3}));
         },
         {"s1", "s2", "s5", "s3", "s4", "s5"}, ""},
        {"paste with an empty clipboard", [](StepCommands& c) { return c.paste(rows({0})); },
         {"s1", "s2", "s3", "s4", "s5"}, ""},
        {"move down", [](StepCommands& c) { return c.move(rows({1}), 1); }, {"s1", "s3", "s2", "s4", "s5"}, ""},
        {"move up on the first row", [](StepCommands& c) { return c.move(rows({0}), -1); },
         {"s1", "s2", "s3", "s4", "s5"}, ""},
        {"move down on the last row", [](StepCommands& c) { return c.move(rows({4}), 1); },
         {"s1", "s2", "s3", "s4", "s5"}, ""},
        {"move two rows", [](StepCommands& c) { return c.move(rows({1, 2}), 1); }, {"s1", "s2", "s3", "s4", "s5"},
         kOnlySingleRows},
        {"copy nothing", [](StepCommands& c) { return c.copy(Selection{}); }, {"s1", "s2", "s3", "s4", "s5"},
         kNothingSelected},
        {"cut nothing", [](StepCommands& c) { return c.cut(Selection{}); }, {"s1", "s2", "s3", "s4", "s5"},
         kNothingSelected},
        {"delete nothing", [](StepCommands& c) { return c.remove(Selection{}); }, {"s1", "s2", "s3", "s4", "s5"},
         kNothingSelected},
        {"move nothing", [](StepCommands& c) { return c.move(Selection{}, -1); }, {"s1", "s2", "s3", "s4", "s5"},
         kNothingSelected},
        {"indent nothing", [](StepCommands& c) { return c.indent(Selection{}, 1); }, {"s1", "s2", "s3", "s4", "s5"},
         kNothingSelected},
        {"undo with an empty stack", [](StepCommands& c) { return c.undo(Selection{}); },
         {"s1", "s2", "s3", "s4", "s5"}, "Undo not available"},
        {"delete then undo",
         [](StepCommands& c) {
             c.remove(rows({0, 1, 2}));
             return c.undo(rows({0}));
         },
         {"s1", "s2", "s3", "s4", "s5"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptState script = numbered_script(5);
        StepCommands commands(script);
        EditOutcome out = c.command(commands);
        EXPECT_EQ(c.expected, texts_of(script));
        EXPECT_EQ(c.message, out.message);
    }
}

TEST(StepCommands, IndentIsClampedAndMarksFlip) {
    ScriptState script = numbered_script(3);
    StepCommands commands(script);
    script.steps[0].indents = 16;
    commands.indent(rows({0, 1}), 1);
    EXPECT_EQ(16, script.steps[0].indents);
    EXPECT_EQ(1, script.steps[1].indents);
    commands.indent(rows({1, 2}), -1);
    EXPECT_EQ(0, script.steps[1].indents);
    EXPECT_EQ(0, script.steps[2].indents);

    script.steps[0].status = kStatusBreakpoint;
    script.steps[1].status = kStatusSkip;
    commands.toggle_status(rows({0, 1}), kStatusSkip);
    EXPECT_EQ(kStatusSkip, script.steps[0].status);  // a breakpoint becomes a skip
    EXPECT_EQ(kStatusNormal, script.steps[1].status);
    commands.toggle_status(rows({0}), kStatusBreakpoint);
    EXPECT_EQ(kStatusBreakpoint, script.steps[0].status);  // a skip becomes a breakpoint
    script.steps[2].status = kStatusSkip;
    commands.remove_all(kStatusBreakpoint);
    EXPECT_EQ(kStatusNormal, script.steps[0].status);
    EXPECT_EQ(kStatusSkip, script.steps[2].status);
    commands.remove_all(kStatusSkip);
    EXPECT_EQ(kStatusNormal, script.steps[2].status);
}

TEST(StepCommands, FiftyOneEditsAndUndos) {
    ScriptState script = numbered_script(1);
    StepCommands commands(script);
    for (int i = 0; i < 51; ++i) commands.indent(rows({0}), i % 2 ? -1 : 1);
    EXPECT_EQ(51, commands.document.modified());
    for (int i = 0; i < 50; ++i) EXPECT_EQ("", commands.undo(rows({0})).message) << i;
    EXPECT_EQ(0, commands.document.modified());
    EXPECT_EQ("Undo not available", commands.undo(rows({0})).message);
    // The oldest snapshot was the script after the first edit, not the file.
    EXPECT_EQ(1, script.steps[0].indents);
    EXPECT_TRUE(commands.document.dirty());
}

// A snapshot that could not be taken must not leave a hole the next Undo restores.
TEST(StepCommands, FailedSnapshotEmptiesTheStackAndNeverEmptiesTheScript) {
    ScriptState script = numbered_script(3);
    StepCommands commands(script);
    commands.remove(rows({2}));
    commands.copy_steps = [](const std::vector<Step>&, std::vector<Step>*) { return false; };
    commands.remove(rows({1}));
    EXPECT_FALSE(commands.undo_available());
    EXPECT_EQ("Undo not available", commands.undo(rows({0})).message);
    EXPECT_EQ(Texts{"s1"}, texts_of(script));
    EXPECT_TRUE(commands.document.dirty());
}

// Every change of the step list is refused while a run is active, not only greyed.
TEST(StepCommands, RefusedWhileRunning) {
    const std::vector<std::pair<const char*, std::function<EditOutcome(StepCommands&)>>> commands_list = {
        {"undo", [](StepCommands& c) { return c.undo(rows({0})); }},
        {"cut", [](StepCommands& c) { return c.cut(rows({0})); }},
        {"paste", [](StepCommands& c) { return c.paste(rows({0})); }},
        {"delete", [](StepCommands& c) { return c.remove(rows({0})); }},
        {"move", [](StepCommands& c) { return c.move(rows({0}), 1); }},
        {"indent", [](StepCommands& c) { return c.indent(rows({0}), 1); }},
        {"skip", [](StepCommands& c) { return c.toggle_status(rows({0}), kStatusSkip); }},
        {"breakpoint", [](StepCommands& c) { return c.toggle_status(rows({0}), kStatusBreakpoint); }},
        {"remove all skips", [](StepCommands& c) { return c.remove_all(kStatusSkip); }},
        {"remove all breakpoints", [](StepCommands& c) { return c.remove_all(kStatusBreakpoint); }},
        {"add comment", [](StepCommands& c) { return c.add_comment(rows({0}), false); }},
    };
    for (const auto& [name, command] : commands_list) {
        SCOPED_TRACE(name);
        ScriptState script = numbered_script(3);
        script.steps[1].status = kStatusSkip;
        script.steps[2].status = kStatusBreakpoint;
        StepCommands commands(script);
        commands.indent(rows({1}), 1);  // one snapshot to undo
        commands.copy(rows({2}));
        const std::string before = [&] {
            std::string s;
            for (const Step& step : script.steps) s += step.text + std::to_string(step.indents) + std::to_string(step.status);
            return s;
        }();
        commands.running = true;
        EXPECT_TRUE(command(commands).refused);
        std::string after;
        for (const Step& step : script.steps) after += step.text + std::to_string(step.indents) + std::to_string(step.status);
        EXPECT_EQ(before, after);
        EXPECT_EQ(1, commands.document.modified());
    }
}

TEST(StepCommands, ChangesToAnEmptyScriptMarkItChanged) {
    ScriptState script;
    StepCommands commands(script);
    ScriptState other = numbered_script(2);
    commands.clipboard.copy(other, {0, 1});
    commands.paste(Selection{});
    EXPECT_EQ(2, script.step_count());
    EXPECT_TRUE(commands.document.dirty());
    EXPECT_EQ("* (Untitled) - Zorbel", commands.document.title(""));

    ScriptState empty;
    StepCommands comment(empty);
    comment.add_comment(Selection{}, false);
    EXPECT_TRUE(comment.document.dirty());
    EXPECT_EQ("Comment", std::string(field_text(empty.steps[0].action)));
}

TEST(StepCommands, ModifiedStateAndTitle) {
    ScriptState script = numbered_script(2);
    StepCommands commands(script);
    EXPECT_EQ("Zorbel", commands.document.title(""));
    EXPECT_EQ("a.zbx - Zorbel", commands.document.title("C:\\x\\a.zbx"));
    commands.remove(rows({0}));
    EXPECT_EQ("* a.zbx - Zorbel", commands.document.title("C:\\x\\a.zbx"));
    commands.document.saved();
    EXPECT_EQ("a.zbx - Zorbel", commands.document.title("C:\\x\\a.zbx"));
    // A pane writing into its step after the save.
    commands.mark_changed();
    EXPECT_EQ("* a.zbx - Zorbel", commands.document.title("C:\\x\\a.zbx"));
    commands.replaced(false, false);
    EXPECT_FALSE(commands.document.dirty());
    EXPECT_FALSE(commands.undo_available());
}

TEST(StepCommands, FindAndGoTo) {
    ScriptState script = numbered_script(10);
    script.steps[0].comment = "needle";
    script.steps[6].variable[0] = 'N', script.steps[6].variable[1] = 'E', script.steps[6].variable[2] = 'E';
    copy_to_field(script.steps[4].onfail_label, "xLabelx");
    StepCommands commands(script);
    struct Case {
        const char* text;
        FindDirection direction;
        int32_t focused;
        int32_t found;  // -1: "Cannot find"
    } cases[] = {
        {"needle", FindDirection::kDown, -1, -1},  // step 1 is skipped with nothing selected
        {"needle", FindDirection::kUp, 1, 0},
        {"label", FindDirection::kDown, -1, 4},
        {"nee", FindDirection::kDown, 0, 6},
        {"nee", FindDirection::kDown, 6, -1},  // never wraps
        {"delay", FindDirection::kUp, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Selection sel;
        if (c.focused >= 0) sel = rows({c.focused});
        EditOutcome out = commands.find(c.text, c.direction, sel);
        if (c.found < 0) {
            EXPECT_EQ(std::string("Cannot find \"") + c.text + "\" while searching " +
                          (c.direction == FindDirection::kDown ? "down" : "up"),
                      out.message);
        } else {
            EXPECT_EQ(std::vector<int32_t>{c.found}, out.selected);
        }
    }
    EXPECT_EQ(0, commands.go_to_row("0"));
    EXPECT_EQ(9, commands.go_to_row("9999"));
    EXPECT_EQ(0, commands.go_to_row("abc"));
    EXPECT_EQ(4, commands.go_to_row("5"));
    ScriptState empty;
    EXPECT_EQ(kFileEmpty, StepCommands(empty).find("x", FindDirection::kDown, Selection{}).message);
}

}  // namespace
}  // namespace zorbel
