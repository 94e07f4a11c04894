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
