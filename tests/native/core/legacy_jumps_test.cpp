// Numbered jumps of version 4 scripts become jumps to inserted labels.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/action_catalogue.h"
#include "core/legacy_reader.h"
#include "tests/native/core/legacy_test_util.h"

namespace zorbel {
namespace {

using legacy_test::file_of;
using legacy_test::import_text;
using legacy_test::record;

bool is_added_label(const Step& step) {
    return std::string(step.action) == "Label" && step.comment == kAddedLabelComment && step.family == 12u;
}

// Every original record is marked by its comment "orig N" (N from 1).
std::string mark(int n) { return "orig " + std::to_string(n); }

// A script of `count` comment records in which the records in `gotos` (1-based
// record number -> target step number as written in the file) are jumps.
std::string script_with_gotos(int count, const std::vector<std::pair<int, std::string>>& gotos) {
    std::vector<std::string> lines;
    for (int n = 1; n <= count; ++n) {
        std::string line = record(14, 0x8000, "c").with_second(mark(n)).str();
        for (const auto& g : gotos)
            if (g.first == n) line = record(14, 8).with_target(g.second).with_second(mark(n)).str();
        lines.push_back(line);
    }
    return file_of(lines);
}

// Each jump's label exists once, stands right before the step the jump names (or
// at the end for a jump past the last step), and is named after its own position.
void expect_jumps_land(const ScriptState& script, const std::map<int, int>& target_of_record, int count) {
    for (size_t i = 0; i < script.steps.size(); ++i) {
        const Step& step = script.steps[i];
        if (is_added_label(step)) {
            EXPECT_EQ(std::to_string(i + 1), step.text) << "label at " << i;
            continue;
        }
        if (std::string(step.action) != "Goto Label") continue;
        const int from = std::stoi(step.comment.substr(5));
        const int target = target_of_record.at(from);
        size_t found = 0, at = 0;
        for (size_t k = 0; k < script.steps.size(); ++k)
            if (is_added_label(script.steps[k]) && script.steps[k].text == step.text) ++found, at = k;
        ASSERT_EQ(1u, found) << "jump from " << mark(from) << " named \"" << step.text << "\"";
        if (target > count) {
            EXPECT_EQ(script.steps.size() - 1, at) << mark(from);
        } else {
            ASSERT_LT(at + 1, script.steps.size());
            EXPECT_EQ(mark(target), script.steps[at + 1].comment) << "jump from " << mark(from);
        }
    }
}

TEST(LegacyJumps, AGotoToStep5GetsALabelBeforeTheFifthStep) {
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(7, import_text(script_with_gotos(6, {{6, "5"}}), &script, &ui));
    EXPECT_STREQ("Goto Label", script.steps[6].action);
    EXPECT_EQ("5", script.steps[6].text);
    const Step& label = script.steps[4];
    EXPECT_STREQ("Label", label.action);
    EXPECT_EQ("5", label.text);
    EXPECT_EQ(12u, label.family);
    EXPECT_EQ(find_action("Label")->icon, label.icon);
    EXPECT_EQ("This step was added by Zorbel while converting a version 4 script file", label.comment);
    EXPECT_EQ(mark(5), script.steps[5].comment);
}

TEST(LegacyJumps, SeveralJumpsInAnyOrderLandOnTheirSteps) {
    struct Row {
        const char* name;
        int count;
        std::vector<std::pair<int, std::string>> gotos;
        int labels;
    } rows[] = {
        {"forward and back", 10, {{2, "7"}, {9, "3"}}, 2},
        {"back then forward", 10, {{9, "3"}, {2, "7"}}, 2},
        {"adjacent targets", 8, {{1, "4"}, {2, "3"}, {8, "5"}}, 3},
        {"same target twice", 6, {{1, "4"}, {6, "4"}}, 1},
        {"jump to itself", 4, {{3, "3"}}, 1},
        {"to the first step", 4, {{4, "1"}, {3, "0"}, {2, ""}}, 1},
        {"past the end", 4, {{1, "9"}, {2, "5"}}, 1},
        {"beside past the end", 4, {{1, "9"}, {2, "4"}, {3, "2"}}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptState script;
        FakeUserInterface ui;
        ASSERT_EQ(row.count + row.labels, import_text(script_with_gotos(row.count, row.gotos), &script, &ui));
        std::map<int, int> targets;
        for (const auto& g : row.gotos) targets[g.first] = std::max(1, text_to_number(g.second));
        expect_jumps_land(script, targets, row.count);
    }
}

TEST(LegacyJumps, RandomScriptsAlwaysJumpToTheirSteps) {
    std::mt19937 rng(20240601);
    for (int round = 0; round < 200; ++round) {
        const int count = 1 + static_cast<int>(rng() % 40);
        std::vector<std::pair<int, std::string>> gotos;
        std::map<int, int> targets;
        for (int n = 1; n <= count; ++n) {
            if (rng() % 3 != 0) continue;
            const int target = 1 + static_cast<int>(rng() % (count + 2));
            gotos.push_back({n, std::to_string(target)});
            targets[n] = target;
        }
        SCOPED_TRACE(::testing::Message() << "round " << round);
        ScriptState script;
        FakeUserInterface ui;
        import_text(script_with_gotos(count, gotos), &script, &ui);
        expect_jumps_land(script, targets, count);
    }
}

TEST(LegacyJumps, AtMost64TargetsGetALabel) {
    std::vector<std::pair<int, std::string>> gotos;
    for (int n = 1; n <= 70; ++n) gotos.push_back({n, std::to_string(71 - n)});
    ScriptState script;
    FakeUserInterface ui;
    ASSERT_EQ(70 + 64, import_text(script_with_gotos(70, gotos), &script, &ui));
    int labels = 0;
    for (const Step& step : script.steps) labels += is_added_label(step) ? 1 : 0;
    EXPECT_EQ(64, labels);
    // The first 64 jumps in step order are the ones that land.
    const Step* first_goto = legacy_test::first_converted_step(script);
    ASSERT_NE(nullptr, first_goto);
    bool found = false;
    for (const Step& step : script.steps) found |= is_added_label(step) && step.text == first_goto->text;
    EXPECT_TRUE(found);
}

TEST(LegacyJumps, NumberedFailureJumpsGetALabelToo) {
    ScriptState script;
    FakeUserInterface ui;
    const std::string text = file_of({
        record(14, 0x8000).with_second(mark(1)).str(),
        record(14, 0x8000).with_second(mark(2)).str(),
        record(2, 0x200, "Notepad").with_flags(8).with_target("2").with_second(mark(3)).str(),
        record(2, 0x200, "Notepad").with_flags(16).with_target("end").with_second(mark(4)).str(),
        record(2, 0x200, "Notepad").with_flags(1).with_target("1").with_second(mark(5)).str(),
    });
    ASSERT_EQ(6, import_text(text, &script, &ui));
    EXPECT_TRUE(is_added_label(script.steps[1]));
    EXPECT_EQ("2", script.steps[1].text);
    EXPECT_EQ(mark(2), script.steps[2].comment);
    EXPECT_STREQ("Jump to Label", script.steps[3].onfail);
    EXPECT_STREQ("2", script.steps[3].onfail_label);
    EXPECT_STREQ("end", script.steps[4].onfail_label);       // a named label stays as it is
    EXPECT_STREQ("1", script.steps[5].onfail_label);         // not a jump mode: untouched
}

TEST(LegacyJumps, ConvertingRecordsReplacesTheScript) {
    ScriptState script;
    script.insert_step(-1);
    script.add_recording({RecordingEvent{}});
    script.script_path = "C:\\open.zbx";
    FakeUserInterface ui;
    std::vector<LegacyRecord> records;
    ASSERT_EQ(LegacyReadResult::kComplete,
              read_version4_records(script_with_gotos(3, {{3, "2"}}), &ui, &records));
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(4, convert_version4_records(std::move(records), &script, &ui));
    EXPECT_EQ(0, script.recording_count);
    EXPECT_EQ("", script.script_path);
    EXPECT_TRUE(is_added_label(script.steps[1]));
    EXPECT_TRUE(ui.calls.empty());
}

TEST(LegacyJumps, TargetIndexOfAJumpField) {
    EXPECT_EQ(4, jump_target_of("5"));
    EXPECT_EQ(0, jump_target_of("1"));
    EXPECT_EQ(0, jump_target_of("0"));
    EXPECT_EQ(0, jump_target_of("-7"));
    EXPECT_EQ(0, jump_target_of(""));
    EXPECT_EQ(2147483646, jump_target_of("99999999999"));
}

}  // namespace
}  // namespace zorbel
