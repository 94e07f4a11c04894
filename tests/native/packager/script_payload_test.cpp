#include "packager/script_payload.h"

#include <gtest/gtest.h>

#include "core/action_catalogue.h"
#include "core/text_rules.h"
#include "tests/native/packager/fake_files.h"

namespace zorbel {
namespace {

using test::make_step;

TEST(ScriptPayload, TextBlocksHoldOnlyTheTextAndZeros) {
    ScriptState script;
    script.steps.push_back(make_step("Display Message", std::string("hi\0old password", 15)));
    script.steps.push_back(make_step("Pause", std::string(300, 'x')));
    ScriptPayload payload = build_script_payload(script);
    ASSERT_EQ(payload.steps.size(), 2 * sizeof(PackedStep));
    EXPECT_EQ(read_u32(payload.steps, 2444), 256u);
    EXPECT_EQ(read_u32(payload.steps, 2448 + 2444), 301u);
    ASSERT_EQ(payload.texts.size(), 256u + 301u);
    EXPECT_EQ(std::string(payload.texts.begin(), payload.texts.begin() + 3), std::string("hi\0", 3));
    for (size_t i = 3; i < 256; ++i) ASSERT_EQ(payload.texts[i], 0) << i;
    EXPECT_EQ(read_u32(payload.steps, 72), 0u);  // no pointer values ship
}

TEST(ScriptPayload, StepsRoundTripWithoutComments) {
    ScriptState script;
    script.steps.push_back(make_step("Display Message", "Hello"));
    script.steps[0].comment = "a comment";
    copy_to_field(script.steps[0].value[2], "v3");
    script.steps[0].embedded_id = 107;
    script.steps[0].embedded_kind = 2;
    ScriptPayload payload = build_script_payload(script);
    MemoryResources resources;
    resources.write(kResourceRcData, kStepsResource, kLanguageNeutral, payload.steps);
    resources.write(kResourceRcData, kTextsResource, kLanguageNeutral, payload.texts);
    ScriptState loaded;
    ASSERT_TRUE(load_script_payload(resources, "C:\\p.exe", &loaded));
    ASSERT_EQ(loaded.step_count(), 1);
    EXPECT_EQ(loaded.steps[0].text, "Hello");
    EXPECT_EQ(loaded.steps[0].comment, "");
    EXPECT_EQ(field_text(loaded.steps[0].value[2]), "v3");
    EXPECT_EQ(loaded.steps[0].embedded_id, 107);
    EXPECT_EQ(loaded.steps[0].embedded_kind, 2);
    EXPECT_EQ(loaded.script_path, "C:\\p.exe");
}

// Negative coordinates and tick counts past 2^31 survive; slots are renumbered from 0.
TEST(ScriptPayload, RecordingsRoundTripAndTakeFreshSlots) {
    ScriptState script;
    script.recordings[5] = {{0x200, static_cast<uint32_t>(-5), static_cast<uint32_t>(-1200), 3000000000u, 0},
                            {0x201, 10, 20, 7, 0}};
    script.recording_count = 6;
    script.steps.push_back(make_step("Record Actions", "", kFamilyRecording));
    copy_to_field(script.steps[0].value[0], "2");
    copy_to_field(script.steps[0].value[1], "5");
    ScriptPayload payload = build_script_payload(script);
    MemoryResources resources;
    resources.write(kResourceRcData, kStepsResource, kLanguageNeutral, payload.steps);
    resources.write(kResourceRcData, kTextsResource, kLanguageNeutral, payload.texts);
    ScriptState loaded;
    ASSERT_TRUE(load_script_payload(resources, "p.exe", &loaded));
    EXPECT_EQ(field_text(loaded.steps[0].value[0]), "2");
    EXPECT_EQ(field_text(loaded.steps[0].value[1]), "0");
    EXPECT_EQ(loaded.steps[0].text, "");
    ASSERT_EQ(loaded.recordings[0].size(), 2u);
    const RecordingEvent& e = loaded.recordings[0][0];
    EXPECT_EQ(e.message, 0x200u);
    EXPECT_EQ(static_cast<int32_t>(e.param_first), -5);
    EXPECT_EQ(static_cast<int32_t>(e.param_second), -1200);
    EXPECT_EQ(e.time, 3000000000u);
}

TEST(ScriptPayload, SlotOutsideTheRecordingsWritesNoEvents) {
    ScriptState script;
    script.steps.push_back(make_step("Record Actions", "", kFamilyRecording));
    for (const char* slot : {"256", "-1", "99999"}) {
        SCOPED_TRACE(slot);
        copy_to_field(script.steps[0].value[0], "3");
        copy_to_field(script.steps[0].value[1], slot);
        EXPECT_EQ(recording_text(script, script.steps[0]), "");
    }
}

TEST(ScriptPayload, DamagedResourcesDoNotLoad) {
    struct Case {
        const char* name;
        size_t steps_size;  // 0 = missing
        bool texts;
    } cases[] = {{"no steps", 0, true}, {"no texts", 2448, false}, {"partial record", 2447, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryResources resources;
        if (c.steps_size) resources.write(kResourceRcData, kStepsResource, kLanguageNeutral, Bytes(c.steps_size));
        if (c.texts) resources.write(kResourceRcData, kTextsResource, kLanguageNeutral, Bytes(10));
        ScriptState loaded;
        loaded.steps.push_back(Step());
        EXPECT_FALSE(load_script_payload(resources, "p.exe", &loaded));
        EXPECT_EQ(loaded.step_count(), 0);
    }
}

TEST(ScriptPayload, TextSizesBeyondTheBlockStopAtItsEnd) {
    Bytes steps(2 * sizeof(PackedStep), 0);
    put_u32(&steps, 2444, 0xFFFFFFF0u);
    put_u32(&steps, 2448 + 2444, 50);
    MemoryResources resources;
    resources.write(kResourceRcData, kStepsResource, kLanguageNeutral, steps);
    resources.write(kResourceRcData, kTextsResource, kLanguageNeutral, bytes_of("abc"));
    ScriptState loaded;
    ASSERT_TRUE(load_script_payload(resources, "p.exe", &loaded));
    EXPECT_EQ(loaded.steps[0].text, "abc");
    EXPECT_EQ(loaded.steps[1].text, "");
}

}  // namespace
}  // namespace zorbel
