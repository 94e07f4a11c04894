#include <gtest/gtest.h>

#include "core/script_file.h"
#include "editor/model/step_clipboard.h"
#include "editor_test_util.h"

namespace zorbel {
namespace {

Step recording_step(ScriptState* script, size_t events) {
    std::vector<RecordingEvent> list;
    for (size_t i = 0; i < events; ++i) list.push_back({256, static_cast<uint32_t>(i), 7, 1000u + static_cast<uint32_t>(i), 0});
    const int32_t slot = script->add_recording(list);
    Step step = make_step("Play Recording");
    step.family = kFamilyRecording;
    copy_to_field(step.value[0], std::to_string(events));
    copy_to_field(step.value[1], std::to_string(slot));
    return step;
}

// A recording step pasted into another script brings its events into a slot of its own.
TEST(StepClipboard, RecordingStepsCarryTheirEvents) {
    ScriptState source;
    recording_step(&source, 2);
    source.steps.push_back(recording_step(&source, 3));
    StepClipboard clipboard;
    clipboard.copy(source, {0});
    source.recordings[1].clear();  // the source changes after the copy

    ScriptState target = numbered_script(1);
    std::string message;
    EXPECT_EQ(0, clipboard.paste(&target, 0, &message));
    EXPECT_EQ("", message);
    const Step& pasted = target.steps[0];
    EXPECT_EQ("0", std::string(field_text(pasted.value[1])));
    EXPECT_EQ("3", std::string(field_text(pasted.value[0])));
    ASSERT_EQ(1, target.recording_count);
    EXPECT_EQ(3u, target.recordings[0].size());
    EXPECT_NE(std::string::npos, script_to_text(target).find("[0256-0007-0002-00001002]"));
}

TEST(StepClipboard, FullSlotsPasteWithNoEvents) {
    ScriptState source;
    source.steps.push_back(recording_step(&source, 2));
    StepClipboard clipboard;
    clipboard.copy(source, {0});
    ScriptState target;
    for (int i = 0; i < kMaxRecordings; ++i) target.add_recording({});
    std::string message;
    clipboard.paste(&target, -1, &message);
    EXPECT_NE(std::string::npos, message.find("A maximum of 256 recordings"));
    EXPECT_EQ("0", std::string(field_text(target.steps[0].value[0])));
    EXPECT_TRUE(recording_events_of(target, target.steps[0]).empty());
}

TEST(StepClipboard, MissingOrShortSlotsReadAsWhatIsThere) {
    ScriptState script;
    Step step = recording_step(&script, 2);
    copy_to_field(step.value[0], "1");
    EXPECT_EQ(1u, recording_events_of(script, step).size());
    copy_to_field(step.value[0], "50");
    EXPECT_TRUE(recording_events_of(script, step).empty());
    copy_to_field(step.value[1], "9");
    EXPECT_TRUE(recording_events_of(script, step).empty());
    copy_to_field(step.value[1], "-1");
    EXPECT_TRUE(recording_events_of(script, step).empty());
}

TEST(StepClipboard, CopiesAreDeep) {
    ScriptState source = numbered_script(2);
    StepClipboard clipboard;
    clipboard.copy(source, {1});
    source.steps[1].text = "changed";
    ScriptState target;
    clipboard.paste(&target, 5, nullptr);
    EXPECT_EQ("s2", target.steps[0].text);
}

}  // namespace
}  // namespace zorbel
